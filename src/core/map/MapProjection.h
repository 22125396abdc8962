#pragma once
// Conversions between geographic degree-minute values, the projection plane and the
// pixels of the 720 x 600 map image, and the geometry of the base map.

#include <cstdint>
#include <optional>
#include <vector>

#include "map/MapData.h"

namespace kavelo {

constexpr int kMapImageWidth = 720;
constexpr int kMapImageHeight = 600;

struct MapFrame {
    int left = 60;
    int top = 50;
    int width = 600;
    int height = 500;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The part of the plane shown in the frame (map units).
struct MapView {
    int32_t x0 = -400;      // plane x at the left edge of the frame
    int32_t y0 = -200;      // plane y at the bottom edge
    int32_t xRange = 4500;  // always derived from yRange
    int32_t yRange = 3750;

    // Sets the height and derives the width so that the plane is never stretched.
    void setYRange(int32_t range, const MapFrame& frame = MapFrame{});
    static MapView full();
    bool operator==(const MapView&) const = default;
};

enum class GeoStatus {
    Ok,
    Outside,          // outside the node grid (silent failure)
    LongitudeFailed,  // degenerate cell: "Longitude calculation failed"
    LatitudeFailed,   // degenerate cell: "Latitude calculation failed"
};

struct GeoResult {
    GeoStatus status = GeoStatus::Outside;
    int lon = 0;  // dddmm
    int lat = 0;  // ddmm
    bool ok() const { return status == GeoStatus::Ok; }
};

// Degenerate-cell failures met during one drawing, so that the drawing can report them
// once however many of its conversions failed.
struct GeoFailureLog {
    GeoStatus first = GeoStatus::Ok;  // the first failure's kind
    int count = 0;
    void note(const GeoResult& r) {
        if (r.status != GeoStatus::LongitudeFailed && r.status != GeoStatus::LatitudeFailed) return;
        if (count++ == 0) first = r.status;
    }
};

struct GeoBounds {
    int latMin = 2400;
    int latMax = 5000;
    int lonMin = 12200;
    int lonMax = 15200;
    // Half-open box: minima included, maxima excluded.
    bool contains(int lon, int lat) const { return latMin <= lat && lat < latMax && lonMin <= lon && lon < lonMax; }
};

// trunc((v - trunc(v)) * 60 + trunc(v) * 100)
int degreesToDdmm(float v);

// Grid divisions of the graticule choice: "なし", "2゜", "1゜", "30´", "15´", "10´".
constexpr int kGridDivisionNone = 0;
int gridCellSize(int division);  // 200, 200, 100, 30, 15, 10 (none uses 2 degrees)

struct GraticuleLine {
    bool major = true;  // main grid colour; otherwise the sub-grid colour
    std::vector<ScreenPoint> points;
};

struct GraticuleLabel {
    int x = 0;
    int y = 0;
    int degrees = 0;
};

class MapProjection {
public:
    ProjectionGrid grid;
    MapView view = MapView::full();
    MapFrame frame;
    bool resetViewPending = true;

    void restoreFullView() { view = MapView::full(); }

    std::optional<PlanePoint> geoToMap(int lon, int lat) const;
    ScreenPoint mapToScreen(int32_t x, int32_t y) const;
    ScreenPoint mapToScreen(PlanePoint p) const { return mapToScreen(p.x, p.y); }
    PlanePoint screenToMap(int sx, int sy) const;
    std::optional<ScreenPoint> geoToScreen(int lon, int lat) const;
    GeoResult screenToGeo(int sx, int sy) const;

    // Degenerate-cell failures of the conversions go to log when one is given.
    GeoBounds visibleBounds(int cellSize, GeoFailureLog* log = nullptr) const;

    // The 21 points of a line between two geographic points that follows the projection;
    // points outside the grid are empty.
    std::vector<std::optional<ScreenPoint>> geoLinePoints(int lon1, int lat1, int lon2, int lat2) const;

    // Parallels, then meridians, for a grid division; nothing for "なし".
    std::vector<GraticuleLine> graticule(int division) const;
    // Label positions along the four frame edges (bottom, top, right, left).
    std::vector<GraticuleLabel> graticuleLabels(GeoFailureLog* log = nullptr) const;

    // The distance-search circle: 160 smoothed vertices and the centre, or nothing when
    // the centre is outside the grid.
    struct RangeCircle {
        std::vector<ScreenPoint> vertices;
        ScreenPoint centre;
    };
    std::optional<RangeCircle> rangeCircle(int centreLon, int centreLat, double radiusKm) const;

private:
    bool insideCell(int r, int c, long double X, long double Y) const;
    // Newton steps on the bilinear map of cell (r, c): (a, b) in cell fractions 0..1.
    void refineCellPosition(int r, int c, double X, double Y, double& a, double& b) const;
    GeoResult screenToGeoLogged(int sx, int sy, GeoFailureLog* log) const;
    void meridianLabels(int edgeY, bool bottom, std::vector<GraticuleLabel>& out, GeoFailureLog* log) const;
    void parallelLabels(int edgeX, bool right, std::vector<GraticuleLabel>& out, GeoFailureLog* log) const;
};

// Great-circle distance in km on a sphere of radius 6371 km, single-precision steps.
float sphereDistanceKm(float lat1, float lon1, float lat2, float lon2);

}  // namespace kavelo
