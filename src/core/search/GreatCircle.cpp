#include "search/GreatCircle.h"

#include <cmath>

namespace kavelo {

namespace {
constexpr double kPi = 3.141592653589793;

float toRadians(float degrees) {
    return static_cast<float>(static_cast<double>(degrees) * kPi * (1.0 / 180.0));
}
}  // namespace

float greatCircleKm(float lat1, float lon1, float lat2, float lon2) {
    const float la1 = toRadians(lat1);
    const float lo1 = toRadians(lon1);
    const float la2 = toRadians(lat2);
    const float lo2 = toRadians(lon2);

    const float x1 = static_cast<float>(std::cos(double{la1}) * std::cos(double{lo1}));
    const float y1 = static_cast<float>(std::cos(double{la1}) * std::sin(double{lo1}));
    const float z1 = static_cast<float>(std::sin(double{la1}));
    const float x2 = static_cast<float>(std::cos(double{la2}) * std::cos(double{lo2}));
    const float y2 = static_cast<float>(std::cos(double{la2}) * std::sin(double{lo2}));
    const float z2 = static_cast<float>(std::sin(double{la2}));

    const double dx = double{x1} - double{x2};
    const double dy = double{y1} - double{y2};
    const double dz = double{z1} - double{z2};
    const float chord = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    // Rounding can push the half chord a hair above 1 for antipodal points.
    const double half = std::fmin(0.5 * double{chord}, 1.0);
    const float angle = static_cast<float>(2.0 * std::asin(half));
    return static_cast<float>(6371.0 * double{angle});
}

}  // namespace kavelo
