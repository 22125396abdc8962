#pragma once
// Geometry of the two depth charts (depth against latitude, depth against longitude):
// the zone's box, the horizontal scales, the pixel positions of marks, ticks and the
// kilometre grid. Both charts are 385 x 385 pixels; the horizontal axis starts at
// x = 60, depth 0 lies at y = 50 and 100 km take 50 pixels.

#include <cstdint>
#include <vector>

#include "search/CatalogueSearch.h"

namespace kavelo {

constexpr int kDepthChartSize = 385;
constexpr int kDepthChartLeft = 60;
constexpr int kDepthChartTop = 50;

// The zone's bounding box: degree-minute integers for the tick tests and decimal
// degrees for the scales.
struct DepthChartBox {
    int32_t latMin = 0, latMax = 0, lonMin = 0, lonMax = 0;  // ddmm / dddmm
    float latS = 0, latN = 0, lonW = 0, lonE = 0;             // degrees
    double latRange() const { return double{latN} - double{latS}; }
    double lonRange() const { return double{lonE} - double{lonW}; }
    // A box without extent (no zone yet) has no horizontal scale.
    bool degenerate() const { return !(latRange() > 0) && !(lonRange() > 0); }
};

// The box from corners A, B, C, D as the zone builder orders them (the offset of the
// western corners points south of the segment, or east of a north-south one).
DepthChartBox depthChartBox(const ZoneCorners& zone);

// Spacing of whole-degree ticks (degree-minute units) for a range in degrees.
int degreeTickStep(double range);

struct DepthChartOptions {
    bool equalDistance = false;  // horizontal km as long as depth km
    bool invertLat = false;      // latitude axis reversed
    bool invertLon = false;      // longitude axis reversed
};

struct DepthChartScale {
    double kmLat = 0, kmLon = 0;  // km per degree / 100
    double sLat = 0, sLon = 0;    // pixels per degree
    int extLat = 0, extLon = 0;   // axis lengths in pixels
    int xLat0 = kDepthChartLeft, xLon0 = kDepthChartLeft;  // where the box minimum lies
    DepthChartOptions options;
};

DepthChartScale depthChartScale(const DepthChartBox& box, const DepthChartOptions& options);

// Pixel positions of a hypocentre.
int depthChartY(int depthKm);
int latChartX(const DepthChartScale& s, const DepthChartBox& box, float latDeg);
int lonChartX(const DepthChartScale& s, const DepthChartBox& box, float lonDeg);
// x where each chart's horizontal axis ends: trunc(60 + range x scale).
int latAxisEnd(const DepthChartScale& s, const DepthChartBox& box);
int lonAxisEnd(const DepthChartScale& s, const DepthChartBox& box);

struct ChartTick {
    int x = 0;
    int label = 0;  // whole degrees, or kilometres for the grid
    bool operator==(const ChartTick&) const = default;
};

// Whole-degree ticks inside the box, from 24N / 122E upwards.
std::vector<ChartTick> latitudeTicks(const DepthChartScale& s, const DepthChartBox& box);
std::vector<ChartTick> longitudeTicks(const DepthChartScale& s, const DepthChartBox& box);

// Kilometre grid lines of the equal-distance scale, every 50 pixels from the chart's
// first whole-degree tick (or from the box minimum when no tick falls inside), away
// from it in the axis direction; labels 0, 100, 200, ... in drawing order.
// xLimit is 370 for the latitude chart, 380 for the longitude chart.
std::vector<ChartTick> kilometreGrid(const std::vector<ChartTick>& ticks, int origin, bool reversed,
                                     int extent, int xLimit);

}  // namespace kavelo
