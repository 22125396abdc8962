#pragma once
// The map's hypocentre pick and zoom box sizes: which selected earthquakes lie near a
// clicked point, and the text that lists each of them.

#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo {

// Items of the map's area-size choice: "50", "100", "150", "200", "300", "全域".
constexpr int kAreaWhole = 5;

// Pick tolerance in minutes: 1, 2, 2, 2, 3, and 10 for the whole area.
int pickTolerance(int areaItem);

// Zoom box of an area item: width 50 ... 300 pixels (the whole area keeps 300), half
// width, and half height in the frame's proportions: trunc(halfW x frameH / frameW).
struct ZoomBox {
    int width = 0;
    int halfWidth = 0;
    int halfHeight = 0;
};
ZoomBox zoomBoxFor(int areaItem, int frameWidth, int frameHeight);

// Catalogue indices of the selected records within `toleranceMin` minutes of (lat, lon)
// in both latitude and longitude (single precision), in SelectionList order.
std::vector<int> pickHypocentres(const Catalogue& catalogue, const SelectionList& selection, int lat, int lon,
                                 int toleranceMin);

// "%d/%02d/%02d %02d:%02d %d %d %3d %3.1f // %s": date, time, lat, lon, depth, M, name
// (the name's Shift-JIS bytes).
std::string pickText(const EarthquakeRecord& r);

}  // namespace kavelo
