#include "search/GreatCircle.h"

#include <cmath>

namespace kavelo {

namespace {
constexpr double kPi = 3.141592653589793;

float toRadians(float degrees) {
    return static_cast<float>(static_cast<double>(degrees) * kPi * (1.0 / 180.0));
}
}  // namespace

UnitVector unitVector(float latDeg, float lonDeg) {
    const double la = toRadians(latDeg);
    const double lo = toRadians(lonDeg);
    return {static_cast<float>(std::cos(la) * std::cos(lo)),
            static_cast<float>(std::cos(la) * std::sin(lo)), static_cast<float>(std::sin(la))};
}

float arcKm(const UnitVector& p, const UnitVector& q) {
    const double dx = double{p.x} - double{q.x};
    const double dy = double{p.y} - double{q.y};
    const double dz = double{p.z} - double{q.z};
    const float chord = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    // Rounding can push the half chord a hair above 1 for antipodal points.
    const double half = std::fmin(0.5 * double{chord}, 1.0);
    const float angle = static_cast<float>(2.0 * std::asin(half));
    return static_cast<float>(6371.0 * double{angle});
}

float greatCircleKm(float lat1, float lon1, float lat2, float lon2) {
    return arcKm(unitVector(lat1, lon1), unitVector(lat2, lon2));
}

}  // namespace kavelo
