#pragma once
// The star marks drawn at single positions on the map: n points (5 or 14) on a circle
// of radius R, the first straight above the centre (screen y down), inner points on a
// circle of radius r halfway between; vertices alternate outer, inner and are
// truncated to whole pixels.

#include <utility>
#include <vector>

namespace kavelo {

// Inner radius: R x 0.4 (five points) or R x 0.7 (fourteen points) in extended
// precision, truncated: 4, 6, 8 and 6, 10, 13 for R = 10, 15, 20.
int starInnerRadius(int points, int radius);

std::vector<std::pair<int, int>> starVertices(int cx, int cy, int points, int radius);

}  // namespace kavelo
