#pragma once
// A quick-look picture of the generated map data: land, coastlines, the node grid
// and optionally epicentres coloured by depth, in the full view's orientation.

#include <string>
#include <vector>

#include "Coast.h"
#include "Projection.h"

namespace kavelo::data {

struct QuickLookPoint {
    double x, y;  // plane units
    int depthKm;
};

// Writes a PNG; throws std::runtime_error when the file cannot be written.
void writeQuickLook(const std::string& path, const std::vector<CoastLine>& coasts, const NodeGrid& grid,
                    const std::vector<QuickLookPoint>& events);

}  // namespace kavelo::data
