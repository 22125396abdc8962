#pragma once
// Coastlines for the map: Natural Earth 1:10m land polygons (TopoJSON, world-atlas
// land-10m.json), cut to the region around Japan, simplified and projected.
//
// The pipeline has two stages so that the build never needs the network:
//  1. extractCoastSource: decode the TopoJSON arcs into rings of quantized integer
//     points, clip every ring to the clip box (Sutherland-Hodgman, intersections
//     rounded to the quantization grid) and keep the largest rings. The result is a
//     compact text (tools/coast/...) committed with the sources.
//  2. buildCoastlines: parse that text, project, pick the 20 largest rings and
//     simplify each (Douglas-Peucker) to at most 1999 points.
// The builder always goes through the text form, so both routes give the same bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "Projection.h"

namespace kavelo::data {

// Clip box: covers the whole full map view, so no cut edge is ever on screen.
constexpr double kClipLatMin = 20.0, kClipLatMax = 53.0;
constexpr double kClipLonMin = 110.0, kClipLonMax = 165.0;

constexpr int kCoastFiles = 20;
constexpr int kCoastMaxPoints = 1999;

struct QuantizedRing {
    std::vector<int64_t> x, y;  // quantized TopoJSON units, not closed (no repeated first point)
};

struct CoastSource {
    double scaleX = 1, scaleY = 1, translateX = 0, translateY = 0;
    std::vector<QuantizedRing> rings;
    double lon(int64_t qx) const { return static_cast<double>(qx) * scaleX + translateX; }
    double lat(int64_t qy) const { return static_cast<double>(qy) * scaleY + translateY; }
};

// Stage 1. Throws std::runtime_error on unreadable or malformed input.
CoastSource decodeTopoJsonLand(const std::string& jsonPath, const MapProjection& proj,
                               int keepRings = 60);
std::string formatCoastSource(const CoastSource& src);
CoastSource parseCoastSource(const std::string& text);

// Geometry helpers (exposed for the tests).
struct IPoint {
    int64_t x, y;
};
std::vector<IPoint> clipToBox(const std::vector<IPoint>& ring, int64_t xmin, int64_t ymin,
                              int64_t xmax, int64_t ymax);
double ringArea(const std::vector<PlanePoint>& ring);  // absolute shoelace area
// Simplifies a closed ring (no repeated first point) so it keeps at most maxPoints
// points; always keeps at least the tolerance floor's detail when that already fits.
std::vector<PlanePoint> simplifyRing(const std::vector<PlanePoint>& ring, int maxPoints,
                                     double minTolerance);

using CoastLine = std::vector<std::pair<int16_t, int16_t>>;

// Stage 2: the 20 coastlines, largest first.
std::vector<CoastLine> buildCoastlines(const CoastSource& src, const MapProjection& proj);

// The NCOAST%02d.BIN bytes: int16 count then int16 x, y pairs, little-endian.
std::string encodeCoastFile(const CoastLine& line);

}  // namespace kavelo::data
