#include "external/StarMark.h"

#include <cmath>

namespace kavelo {

int starInnerRadius(int points, int radius) {
    const long double factor = points == 5 ? 0.4 : 0.7;  // the double constants, widened
    return static_cast<int>(static_cast<long double>(radius) * factor);
}

std::vector<std::pair<int, int>> starVertices(int cx, int cy, int points, int radius) {
    std::vector<std::pair<int, int>> v;
    if (points < 2) return v;
    const int inner = starInnerRadius(points, radius);
    const double step = 2.0 * M_PI / points;
    v.reserve(static_cast<std::size_t>(2 * points));
    for (int k = 0; k < points; ++k) {
        const double a = k * step + M_PI / 2.0, b = a + step / 2.0;
        v.emplace_back(static_cast<int>(cx + std::cos(a) * radius),
                       static_cast<int>(cy - std::sin(a) * radius));
        v.emplace_back(static_cast<int>(cx + std::cos(b) * inner),
                       static_cast<int>(cy - std::sin(b) * inner));
    }
    return v;
}

}  // namespace kavelo
