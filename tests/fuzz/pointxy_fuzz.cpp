// POINTXY.DAT: an accepted grid has a supported size, bounded nodes increasing east and
// north, and prints back to itself; a refused one leaves the previous grid untouched.
// Over an accepted grid every conversion stays defined: nodes map onto themselves,
// interpolated points stay inside their cell's corners, and on grids of map-like cells
// screenToGeo inverts geoToMap to within a minute or two.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "map/MapData.h"
#include "map/MapProjection.h"

using namespace kavelo;

namespace {

std::string print(const ProjectionGrid& g) {
    std::string s = std::to_string(g.rows) + " " + std::to_string(g.cols) + "\r\n";
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c)
            s += std::to_string(g.at(r, c).x) + " " + std::to_string(g.at(r, c).y) + "\r\n";
    return s;
}

bool sameGrid(const ProjectionGrid& a, const ProjectionGrid& b) {
    if (a.rows != b.rows || a.cols != b.cols) return false;
    for (int r = 0; r < a.rows; ++r)
        for (int c = 0; c < a.cols; ++c)
            if (!(a.at(r, c) == b.at(r, c))) return false;
    return true;
}

int64_t cross(PlanePoint o, PlanePoint a, PlanePoint b) {
    return static_cast<int64_t>(a.x - o.x) * (b.y - o.y) - static_cast<int64_t>(a.y - o.y) * (b.x - o.x);
}

// Corners sw, se, ne, nw turn left at every corner (the bilinear map is one-to-one), the
// cell is shaped like a projection's (parallels run more east than north, meridians more
// north than east) and at least 120 units across, so that a plane unit is at most a minute.
// The inverse conversion is exact on such cells.
bool mapLikeCell(const ProjectionGrid& g, int r, int c) {
    const PlanePoint q[4] = {g.at(r, c), g.at(r, c + 1), g.at(r + 1, c + 1), g.at(r + 1, c)};
    for (int k = 0; k < 4; ++k)
        if (cross(q[k], q[(k + 1) % 4], q[(k + 2) % 4]) <= 0) return false;
    auto eastward = [](PlanePoint a, PlanePoint b) { return std::abs(b.y - a.y) < std::abs(b.x - a.x); };
    auto northward = [](PlanePoint a, PlanePoint b) { return std::abs(b.x - a.x) < std::abs(b.y - a.y); };
    auto wide = [](int d) { return std::abs(d) >= 120; };
    return eastward(q[0], q[1]) && eastward(q[3], q[2]) && northward(q[0], q[3]) && northward(q[1], q[2]) &&
           wide(q[1].x - q[0].x) && wide(q[2].x - q[3].x) && wide(q[3].y - q[0].y) && wide(q[2].y - q[1].y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const uint16_t probeLon = in.ConsumeIntegral<uint16_t>();
    const uint16_t probeLat = in.ConsumeIntegral<uint16_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();

    ProjectionGrid grid;
    grid.rows = 3;
    grid.at(0, 0) = PlanePoint{7, 7};
    const ProjectionGrid before = grid;
    const MapDataResult res = parseProjectionGrid(text, grid);
    if (!res.ok) {
        FUZZ_CHECK(!res.message.empty() && !res.caption.empty());
        FUZZ_CHECK(sameGrid(grid, before));
        return 0;
    }
    FUZZ_CHECK(grid.rows >= 2 && grid.rows <= kGridMaxRows && grid.cols >= 2 && grid.cols <= kGridMaxCols);
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.cols; ++c) {
            const PlanePoint p = grid.at(r, c);
            FUZZ_CHECK(std::abs(p.x) <= kGridCoordinateMax && std::abs(p.y) <= kGridCoordinateMax);
            if (c + 1 < grid.cols) FUZZ_CHECK(grid.at(r, c + 1).x > p.x);
            if (r + 1 < grid.rows) FUZZ_CHECK(grid.at(r + 1, c).y > p.y);
        }
    ProjectionGrid again;
    FUZZ_CHECK(parseProjectionGrid(print(grid), again).ok && sameGrid(grid, again));

    MapProjection proj;
    proj.grid = grid;
    bool allMapLike = true;
    for (int r = 0; r + 1 < grid.rows; ++r)
        for (int c = 0; c + 1 < grid.cols; ++c) allMapLike = allMapLike && mapLikeCell(grid, r, c);

    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.cols; ++c) {
            auto p = proj.geoToMap(kGridLonOrigin + 200 * c, kGridLatOrigin + 200 * r);
            FUZZ_CHECK(p && *p == grid.at(r, c));
        }

    // A point inside the grid, in whole minutes.
    const int lonSpan = 2 * (grid.cols - 1) * 60, latSpan = 2 * (grid.rows - 1) * 60;
    const int lonMin = probeLon % (lonSpan + 1), latMin = probeLat % (latSpan + 1);
    const int lon = kGridLonOrigin + lonMin / 60 * 100 + lonMin % 60;
    const int lat = kGridLatOrigin + latMin / 60 * 100 + latMin % 60;
    const auto p = proj.geoToMap(lon, lat);
    FUZZ_CHECK(p.has_value());
    const int c = std::min(lonMin / 120, grid.cols - 2), r = std::min(latMin / 120, grid.rows - 2);
    int64_t xLo = INT64_MAX, xHi = INT64_MIN, yLo = INT64_MAX, yHi = INT64_MIN;
    for (const PlanePoint q : {grid.at(r, c), grid.at(r, c + 1), grid.at(r + 1, c), grid.at(r + 1, c + 1)}) {
        xLo = std::min<int64_t>(xLo, q.x), xHi = std::max<int64_t>(xHi, q.x);
        yLo = std::min<int64_t>(yLo, q.y), yHi = std::max<int64_t>(yHi, q.y);
    }
    FUZZ_CHECK(p->x >= xLo - 1 && p->x <= xHi + 1 && p->y >= yLo - 1 && p->y <= yHi + 1);

    // One plane unit per pixel, the point in the middle of the frame.
    proj.view.x0 = p->x - 300;
    proj.view.y0 = p->y - 250;
    proj.view.setYRange(500);
    FUZZ_CHECK(proj.screenToMap(360, 300) == *p);
    const GeoResult g = proj.screenToGeo(360, 300);
    if (allMapLike && g.ok()) {
        // The probe was truncated to whole plane units, which may put it a hair outside
        // the grid; the answer may then lie just off the grid too, never further.
        auto minutes = [](int ddmm) { return ddmm / 100 * 60 + ddmm % 100; };
        auto ddmm = [](int m) { return m / 60 * 100 + m % 60; };
        const int gLon = minutes(g.lon), gLat = minutes(g.lat);
        const int loLon = minutes(kGridLonOrigin), hiLon = loLon + lonSpan;
        const int loLat = minutes(kGridLatOrigin), hiLat = loLat + latSpan;
        const int cLon = std::clamp(gLon, loLon, hiLon), cLat = std::clamp(gLat, loLat, hiLat);
        const int off = std::abs(cLon - gLon) + std::abs(cLat - gLat);
        FUZZ_CHECK(off <= 2);
        const auto back = proj.geoToMap(ddmm(cLon), ddmm(cLat));
        FUZZ_CHECK(back.has_value());
        // Two minutes of the cell in each direction, plus truncations.
        const int64_t minute = std::max(xHi - xLo, yHi - yLo) / 60 * (1 + off) + 3;
        FUZZ_CHECK(std::abs(back->x - p->x) <= minute && std::abs(back->y - p->y) <= minute);
    }

    // The full view and the drawing geometry stay defined whatever the grid.
    proj.restoreFullView();
    const int lonTop = kGridLonOrigin + 200 * (grid.cols - 1) + 400, latTop = kGridLatOrigin + 200 * (grid.rows - 1) + 400;
    for (int sy = 0; sy <= kMapImageHeight; sy += 100)
        for (int sx = 0; sx <= kMapImageWidth; sx += 120)
            if (const GeoResult s = proj.screenToGeo(sx, sy); s.ok())
                FUZZ_CHECK(s.lon >= kGridLonOrigin - 400 && s.lon <= lonTop && s.lat >= kGridLatOrigin - 400 &&
                           s.lat <= latTop);
    for (const GraticuleLabel& l : proj.graticuleLabels()) FUZZ_CHECK(l.degrees % 2 == 0);
    const GeoBounds b = proj.visibleBounds(gridCellSize(probeLon % 6));
    // Conversions never answer more than a cell (2 degrees) off the grid.
    FUZZ_CHECK(b.latMin >= kGridLatOrigin - 400 && b.latMax <= 5000);
    FUZZ_CHECK(b.lonMin >= kGridLonOrigin - 400 && b.lonMax <= 15200);
    FUZZ_CHECK(proj.geoLinePoints(lon, lat, 14000, 3600).size() == 21);
    (void)proj.graticule(5);
    return 0;
}
