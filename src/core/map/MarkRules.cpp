#include "map/MarkRules.h"

namespace kavelo {

int markRadius(int m10, const MarkSettings& s) {
    if (s.markStyle == kMarkDot) return 2;
    double x = m10 * 0.1;
    if (s.minMagScale) x -= 3.0;
    if (x < 0) return 1;
    int r = static_cast<int>(0.4627 * x * x + 0.0888 * x + 0.5);
    if (s.halfSize) r /= 2;
    return r < 1 ? 1 : r;
}

int externalMarkInnerRadius(int kind, int s) {
    const long double factor = kind < 2 ? 0.4 : 0.7;  // the double constants, widened
    return static_cast<int>(static_cast<long double>(s) * factor);
}

ColorValue depthColor(int depth, const DepthClasses& d) {
    int i = 0;
    int last = d.classCount - 1;
    if (last > kDepthSlots - 2) last = kDepthSlots - 2;  // bounds[i + 1] stays inside the table
    while (i < last && depth >= d.bounds[static_cast<std::size_t>(i + 1)]) ++i;
    return d.colors[static_cast<std::size_t>(i)];
}

}  // namespace kavelo
