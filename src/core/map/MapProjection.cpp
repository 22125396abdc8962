#include "map/MapProjection.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "catalogue/EarthquakeRecord.h"
#include "search/GreatCircle.h"

namespace kavelo {

namespace {

// Truncation toward zero that stays defined for huge or non-finite values (deep zooms,
// far-away points): results are clamped to a range no drawing call can mind.
int truncToInt(long double v) {
    if (std::isnan(v)) return 0;
    constexpr long double kLimit = 1.0e9L;
    if (v > kLimit) return static_cast<int>(kLimit);
    if (v < -kLimit) return -static_cast<int>(kLimit);
    return static_cast<int>(v);
}

// Signed distance of (X, Y) above the line through A and B, trunc((Y - A.y) - slope * (X - A.x)).
// Used for the nearly east-west cell edges, whose x difference is never zero.
int aboveLine(PlanePoint a, PlanePoint b, long double X, long double Y) {
    long double slope = static_cast<long double>(b.y - a.y) / static_cast<long double>(b.x - a.x);
    return truncToInt((Y - a.y) - slope * (X - a.x));
}

// Signed distance of (X, Y) east of the nearly north-south line through A (south) and
// B (north). Measured horizontally so that the answer keeps its meaning whichever way the
// meridian leans (a slope-based "above" test flips for meridians leaning west).
int eastOfLine(PlanePoint a, PlanePoint b, long double X, long double Y) {
    long double inv = static_cast<long double>(b.x - a.x) / static_cast<long double>(b.y - a.y);
    return truncToInt((X - a.x) - inv * (Y - a.y));
}

int snapDown(int v, int cellSize) {
    int s = cellSize >= 100 ? v / cellSize * cellSize : (v / 100) * 100 + ((v % 100) / cellSize) * cellSize;
    if (s % 100 == 60) s += 40;
    return s;
}

}  // namespace

bool MapProjection::insideCell(int r, int c, long double X, long double Y) const {
    const PlanePoint sw = grid.at(r, c), se = grid.at(r, c + 1), ne = grid.at(r + 1, c + 1), nw = grid.at(r + 1, c);
    auto above = [&](PlanePoint a, PlanePoint b) {
        return (Y - a.y) - static_cast<long double>(b.y - a.y) / (b.x - a.x) * (X - a.x);
    };
    auto east = [&](PlanePoint a, PlanePoint b) {
        return (X - a.x) - static_cast<long double>(b.x - a.x) / (b.y - a.y) * (Y - a.y);
    };
    return above(sw, se) >= 0 && above(nw, ne) < 0 && east(sw, nw) >= 0 && east(se, ne) < 0;
}

void MapProjection::refineCellPosition(int r, int c, double X, double Y, double& a, double& b) const {
    const PlanePoint sw = grid.at(r, c), se = grid.at(r, c + 1), ne = grid.at(r + 1, c + 1), nw = grid.at(r + 1, c);
    double ea = a, eb = b;
    for (int it = 0; it < 12; ++it) {
        double px = (1 - eb) * ((1 - ea) * sw.x + ea * se.x) + eb * ((1 - ea) * nw.x + ea * ne.x);
        double py = (1 - eb) * ((1 - ea) * sw.y + ea * se.y) + eb * ((1 - ea) * nw.y + ea * ne.y);
        double fx = px - X, fy = py - Y;
        if (std::fabs(fx) < 1e-7 && std::fabs(fy) < 1e-7) break;
        double dxa = (1 - eb) * (se.x - sw.x) + eb * (ne.x - nw.x);
        double dya = (1 - eb) * (se.y - sw.y) + eb * (ne.y - nw.y);
        double dxb = (1 - ea) * (nw.x - sw.x) + ea * (ne.x - se.x);
        double dyb = (1 - ea) * (nw.y - sw.y) + ea * (ne.y - se.y);
        double det = dxa * dyb - dxb * dya;
        if (std::fabs(det) < 1e-12) return;  // degenerate: keep the edge estimate
        ea -= (fx * dyb - fy * dxb) / det;
        eb -= (dxa * fy - dya * fx) / det;
        if (!std::isfinite(ea) || !std::isfinite(eb) || std::fabs(ea) > 3 || std::fabs(eb) > 3) return;
    }
    a = ea;
    b = eb;
}

int degreesToDdmm(float v) {
    double d = v;
    double whole = std::trunc(d);
    return static_cast<int>((d - whole) * 60.0 + whole * 100.0);
}

int gridCellSize(int division) {
    switch (division) {
        case 2: return 100;
        case 3: return 30;
        case 4: return 15;
        case 5: return 10;
        default: return 200;
    }
}

// The distance the distance search measures with, so that the circle bounds its hits.
float sphereDistanceKm(float lat1, float lon1, float lat2, float lon2) {
    return greatCircleKm(lat1, lon1, lat2, lon2);
}

void MapView::setYRange(int32_t range, const MapFrame& frame) {
    yRange = range;
    xRange = static_cast<int32_t>(static_cast<int64_t>(frame.width) * range / frame.height);
}

MapView MapView::full() {
    MapView v;
    v.x0 = -400;
    v.y0 = -200;
    v.setYRange(3750);
    return v;
}

std::optional<PlanePoint> MapProjection::geoToMap(int lon, int lat) const {
    if (lon < kGridLonOrigin || lat < kGridLatOrigin) return std::nullopt;
    int c = (lon - kGridLonOrigin) / 200;
    int r = (lat - kGridLatOrigin) / 200;
    if (c >= grid.cols || r >= grid.rows) return std::nullopt;
    // On the last node meridian or parallel the last cell is used with u or v = 2;
    // anything beyond it is off the grid.
    if (c == grid.cols - 1) {
        if (lon != kGridLonOrigin + 200 * c) return std::nullopt;
        --c;
    }
    if (r == grid.rows - 1) {
        if (lat != kGridLatOrigin + 200 * r) return std::nullopt;
        --r;
    }
    double u = ((lon - kGridLonOrigin) / 100 - 2 * c) + (lon % 100) / 60.0;
    double v = ((lat - kGridLatOrigin) / 100 - 2 * r) + (lat % 100) / 60.0;
    const PlanePoint& sw = grid.at(r, c);
    const PlanePoint& se = grid.at(r, c + 1);
    const PlanePoint& nw = grid.at(r + 1, c);
    const PlanePoint& ne = grid.at(r + 1, c + 1);
    double sx = ((2 - u) * sw.x + u * se.x) * 0.5;
    double sy = ((2 - u) * sw.y + u * se.y) * 0.5;
    double nx = ((2 - u) * nw.x + u * ne.x) * 0.5;
    double ny = ((2 - u) * nw.y + u * ne.y) * 0.5;
    return PlanePoint{truncToInt(((2 - v) * sx + v * nx) * 0.5), truncToInt(((2 - v) * sy + v * ny) * 0.5)};
}

ScreenPoint MapProjection::mapToScreen(int32_t x, int32_t y) const {
    long double sx = static_cast<long double>(frame.width) / view.xRange * (static_cast<long double>(x) - view.x0) +
                     frame.left;
    long double sy = static_cast<long double>(-frame.height) / view.yRange * (static_cast<long double>(y) - view.y0) +
                     frame.top + frame.height;
    return ScreenPoint{truncToInt(sx), truncToInt(sy)};
}

PlanePoint MapProjection::screenToMap(int sx, int sy) const {
    long double x = static_cast<long double>(sx - frame.left) * view.xRange / frame.width + view.x0;
    long double y = static_cast<long double>(frame.height + frame.top - sy) * view.yRange / frame.height + view.y0;
    return PlanePoint{truncToInt(x), truncToInt(y)};
}

std::optional<ScreenPoint> MapProjection::geoToScreen(int lon, int lat) const {
    auto p = geoToMap(lon, lat);
    if (!p) return std::nullopt;
    return mapToScreen(*p);
}

GeoResult MapProjection::screenToGeo(int sx, int sy) const {
    GeoResult res;
    if (grid.rows < 2 || grid.cols < 2) return res;
    PlanePoint m = screenToMap(sx, sy);
    const long double X = m.x;
    const long double Y = m.y;

    int r = -1;
    int c = -1;
    for (int rr = 0; rr <= grid.rows - 2 && r < 0; ++rr) {
        for (int cc = 0; cc <= grid.cols - 2; ++cc) {
            if (grid.at(rr, cc).x <= m.x && m.x < grid.at(rr + 1, cc + 1).x && grid.at(rr, cc + 1).y <= m.y &&
                m.y < grid.at(rr + 1, cc).y) {
                r = rr;
                c = cc;
                break;
            }
        }
    }
    if (r >= 0) {
        // One correction step towards the neighbouring cell the point really lies in.
        const PlanePoint sw = grid.at(r, c), se = grid.at(r, c + 1), ne = grid.at(r + 1, c + 1), nw = grid.at(r + 1, c);
        if (aboveLine(sw, se, X, Y) < 0)
            --r;
        else if (eastOfLine(se, ne, X, Y) > 0)
            ++c;
        else if (aboveLine(ne, nw, X, Y) > 0)
            ++r;
        else if (eastOfLine(sw, nw, X, Y) < 0)
            --c;
    } else {
        // The box test misses thin slivers of cells whose edges slant (next to a lower
        // corner on the far side); find the cell that holds the point exactly.
        for (int rr = 0; rr <= grid.rows - 2 && r < 0; ++rr) {
            for (int cc = 0; cc <= grid.cols - 2; ++cc) {
                if (insideCell(rr, cc, X, Y)) {
                    r = rr;
                    c = cc;
                    break;
                }
            }
        }
        if (r < 0) return res;
    }
    if (r < 0 || r > grid.rows - 2 || c < 0 || c > grid.cols - 2) return res;

    const PlanePoint p0 = grid.at(r, c), pe = grid.at(r, c + 1), pn = grid.at(r + 1, c);
    double t1 = std::atan(static_cast<double>(p0.y - pe.y) / static_cast<double>(pe.x - p0.x));
    double t2 = std::atan(static_cast<double>(pn.x - p0.x) / static_cast<double>(pn.y - p0.y));
    double U = std::cos(t1) * (X - p0.x) - std::sin(t1) * (Y - p0.y);
    double V = std::sin(t2) * (X - p0.x) + std::cos(t2) * (Y - p0.y);

    // Squared edge lengths must fit 32 bits (the inverse works in 32-bit integers).
    int64_t d1 = static_cast<int64_t>(pe.x - p0.x) * (pe.x - p0.x) + static_cast<int64_t>(pe.y - p0.y) * (pe.y - p0.y);
    int64_t d2 = static_cast<int64_t>(pn.x - p0.x) * (pn.x - p0.x) + static_cast<int64_t>(pn.y - p0.y) * (pn.y - p0.y);
    if (d1 <= 0 || d1 > std::numeric_limits<int32_t>::max()) {
        res.status = GeoStatus::LongitudeFailed;
        return res;
    }
    if (d2 <= 0 || d2 > std::numeric_limits<int32_t>::max()) {
        res.status = GeoStatus::LatitudeFailed;
        return res;
    }
    // (U, V) measured along the cell's edges only approximates the position inside a
    // cell that is not a rectangle (errors of a few minutes near the far corners); refine it
    // so that the result inverts the bilinear interpolation of geoToMap.
    double a = U / std::sqrt(static_cast<double>(d1));
    double b = V / std::sqrt(static_cast<double>(d2));
    refineCellPosition(r, c, static_cast<double>(X), static_cast<double>(Y), a, b);
    // A position more than a cell away from the chosen cell comes from a folded cell of a
    // damaged node file, not from the map: the point is off the grid, not a place.
    if (!(a >= -1.0 && a <= 2.0 && b >= -1.0 && b <= 2.0)) return res;
    float lonDeg = static_cast<float>(ddmmToDegrees(kGridLonOrigin + 200 * c) + 2.0 * a);
    float latDeg = static_cast<float>(ddmmToDegrees(kGridLatOrigin + 200 * r) + 2.0 * b);
    res.status = GeoStatus::Ok;
    res.lon = degreesToDdmm(lonDeg);
    res.lat = degreesToDdmm(latDeg);
    return res;
}

GeoResult MapProjection::screenToGeoLogged(int sx, int sy, GeoFailureLog* log) const {
    GeoResult r = screenToGeo(sx, sy);
    if (log) log->note(r);
    return r;
}

GeoBounds MapProjection::visibleBounds(int cellSize, GeoFailureLog* log) const {
    GeoBounds b;
    const int left = frame.left, right = frame.left + frame.width;
    const int top = frame.top, bottom = frame.top + frame.height;
    if (GeoResult g = screenToGeoLogged(left, bottom, log); g.ok()) b.latMin = snapDown(g.lat, cellSize);
    if (GeoResult g = screenToGeoLogged(left, top, log); g.ok()) b.lonMin = snapDown(g.lon, cellSize);
    b.lonMax = 15200;
    for (int y = bottom; y >= 50; y -= 20) {
        if (GeoResult g = screenToGeoLogged(right, y, log); g.ok()) {
            int v = g.lon + cellSize;
            if (v > 15200) v = 15200;
            b.lonMax = snapDown(v, cellSize);
            break;
        }
    }
    b.latMax = 5000;
    for (int x = right; x >= 50; x -= 20) {
        if (GeoResult g = screenToGeoLogged(x, top, log); g.ok()) {
            int v = g.lat + cellSize;
            if (v > 5000) v = 5000;
            b.latMax = snapDown(v, cellSize);
            break;
        }
    }
    return b;
}

std::vector<std::optional<ScreenPoint>> MapProjection::geoLinePoints(int lon1, int lat1, int lon2, int lat2) const {
    std::vector<std::optional<ScreenPoint>> pts;
    pts.reserve(21);
    pts.push_back(geoToScreen(lon1, lat1));
    float lo1 = ddmmToDegrees(lon1), la1 = ddmmToDegrees(lat1);
    float lo2 = ddmmToDegrees(lon2), la2 = ddmmToDegrees(lat2);
    for (int i = 1; i <= 20; ++i) {
        float lo = lo1 + static_cast<float>(i) * (lo2 - lo1) / 20.0f;
        float la = la1 + static_cast<float>(i) * (la2 - la1) / 20.0f;
        pts.push_back(geoToScreen(degreesToDdmm(lo), degreesToDdmm(la)));
    }
    return pts;
}

std::vector<GraticuleLine> MapProjection::graticule(int division) const {
    static const int kLines[6] = {0, 1, 2, 4, 8, 12};
    static const int kMajor[6] = {1, 1, 1, 2, 4, 6};
    std::vector<GraticuleLine> out;
    if (division <= kGridDivisionNone || division > 5 || grid.rows < 2 || grid.cols < 2) return out;
    const int p = kLines[division], q = kMajor[division];
    auto blend = [](PlanePoint a, PlanePoint b, long double t) {
        return PlanePoint{truncToInt(a.x * (1 - t) + b.x * t), truncToInt(a.y * (1 - t) + b.y * t)};
    };
    for (int r = 0; r <= grid.rows - 2; ++r) {
        for (int s = 0; s < p; ++s) {
            long double t = static_cast<long double>(s) / p;
            GraticuleLine line{s % q == 0, {}};
            for (int c = 0; c < grid.cols; ++c) line.points.push_back(mapToScreen(blend(grid.at(r, c), grid.at(r + 1, c), t)));
            out.push_back(std::move(line));
        }
    }
    GraticuleLine north{true, {}};
    for (int c = 0; c < grid.cols; ++c) north.points.push_back(mapToScreen(grid.at(grid.rows - 1, c)));
    out.push_back(std::move(north));
    for (int c = 0; c <= grid.cols - 2; ++c) {
        for (int s = 0; s < p; ++s) {
            long double t = static_cast<long double>(s) / p;
            GraticuleLine line{s % q == 0, {}};
            for (int r = 0; r < grid.rows; ++r) line.points.push_back(mapToScreen(blend(grid.at(r, c), grid.at(r, c + 1), t)));
            out.push_back(std::move(line));
        }
    }
    GraticuleLine east{true, {}};
    for (int r = 0; r < grid.rows; ++r) east.points.push_back(mapToScreen(grid.at(r, grid.cols - 1)));
    out.push_back(std::move(east));
    return out;
}

void MapProjection::meridianLabels(int edgeY, bool bottom, std::vector<GraticuleLabel>& out, GeoFailureLog* log) const {
    const int left = frame.left, right = frame.left + frame.width;
    std::optional<int> first, last;
    for (int x = left; x <= right; x += 10) {
        if (GeoResult g = screenToGeoLogged(x, edgeY, log); g.ok()) {
            first = g.lon / 100;
            break;
        }
    }
    if (!first) return;
    for (int x = right; x >= left; x -= 10) {
        if (GeoResult g = screenToGeoLogged(x, edgeY, log); g.ok()) {
            last = g.lon / 100;
            break;
        }
    }
    if (!last) return;
    if (*first % 2 != 0) ++*first;
    if (*last % 2 != 0) --*last;
    for (int k = 0; k <= (*last - *first) / 2 + 1; ++k) {
        int deg = *first + 2 * k;
        // Where the meridian's 2-degree segments cross the edge.
        std::optional<int> crossX;
        std::optional<ScreenPoint> south = geoToScreen(deg * 100, kGridLatOrigin);
        for (int j = 1; j < grid.rows && south; ++j) {
            std::optional<ScreenPoint> north = geoToScreen(deg * 100, kGridLatOrigin + 200 * j);
            if (!north) break;
            if (north->y <= edgeY && edgeY < south->y) {
                long double f = static_cast<long double>(edgeY - south->y) / (north->y - south->y);
                crossX = truncToInt(south->x + (north->x - south->x) * f);
                break;
            }
            south = north;
        }
        if (!crossX) continue;
        GeoResult g = screenToGeoLogged(*crossX, edgeY, log);
        if (!g.ok()) continue;
        std::optional<ScreenPoint> s = geoToScreen(g.lon, g.lat);
        if (!s) continue;
        if (s->x > left && s->x <= right)
            out.push_back(GraticuleLabel{s->x - 10, bottom ? frame.top + frame.height + 5 : frame.top - 25, deg});
    }
}

void MapProjection::parallelLabels(int edgeX, bool right, std::vector<GraticuleLabel>& out, GeoFailureLog* log) const {
    const int top = frame.top, bottom = frame.top + frame.height;
    std::optional<int> first, last;
    for (int d = 0; d <= frame.height; d += 10) {
        if (GeoResult g = screenToGeoLogged(edgeX, bottom - d, log); g.ok()) {
            first = g.lat / 100;
            break;
        }
    }
    if (!first) return;
    for (int d = 0; d <= frame.height; d += 10) {
        if (GeoResult g = screenToGeoLogged(edgeX, top + d, log); g.ok()) {
            last = g.lat / 100;
            break;
        }
    }
    if (!last) return;
    if (*first % 2 != 0) ++*first;
    if (*last % 2 != 0) --*last;
    const int kEnd = (*last - *first) / 2 + 1;
    for (int k = 0; k <= kEnd; ++k) {
        if (!right && k == kEnd) break;
        int deg = *first + 2 * k;
        std::optional<int> crossY;
        std::optional<ScreenPoint> west = geoToScreen(kGridLonOrigin, deg * 100);
        for (int j = 1; j < grid.cols && west; ++j) {
            std::optional<ScreenPoint> east = geoToScreen(kGridLonOrigin + 200 * j, deg * 100);
            if (!east) break;
            if (west->x <= edgeX && edgeX < east->x) {
                long double f = static_cast<long double>(edgeX - west->x) / (east->x - west->x);
                crossY = truncToInt(west->y + (east->y - west->y) * f);
                break;
            }
            west = east;
        }
        if (!crossY) continue;
        GeoResult g = screenToGeoLogged(edgeX, *crossY, log);
        if (!g.ok()) continue;
        std::optional<ScreenPoint> s = geoToScreen(g.lon, g.lat);
        if (!s) continue;
        if (s->y >= top && s->y <= bottom) {
            if (right)
                out.push_back(GraticuleLabel{frame.left + frame.width + 7, s->y - 4, deg});
            else
                out.push_back(GraticuleLabel{frame.left - 34, s->y - 12, deg});
        }
    }
}

std::vector<GraticuleLabel> MapProjection::graticuleLabels(GeoFailureLog* log) const {
    std::vector<GraticuleLabel> out;
    if (grid.rows < 2 || grid.cols < 2) return out;
    meridianLabels(frame.top + frame.height, true, out, log);
    meridianLabels(frame.top, false, out, log);
    parallelLabels(frame.left + frame.width, true, out, log);
    parallelLabels(frame.left, false, out, log);
    return out;
}

std::optional<MapProjection::RangeCircle> MapProjection::rangeCircle(int centreLon, int centreLat,
                                                                     double radiusKm) const {
    auto centre = geoToScreen(centreLon, centreLat);
    if (!centre) return std::nullopt;
    constexpr int kDirections = 160;
    const float lat0 = ddmmToDegrees(centreLat);
    const float lon0 = ddmmToDegrees(centreLon);
    std::vector<std::optional<ScreenPoint>> raw(kDirections);
    for (int k = 0; k < kDirections; ++k) {
        double theta = k * 2.0 * 3.141592653589793 / kDirections;
        float prevLat = lat0, prevLon = lon0, dPrev = 0.0f;
        float vLat = lat0, vLon = lon0;
        bool crossed = false;
        for (int j = 1; j <= 100; ++j) {
            double h = j * 0.05;
            float pLat = static_cast<float>(lat0 + h * std::sin(theta));
            float pLon = static_cast<float>(lon0 + h * std::cos(theta));
            float d = sphereDistanceKm(lat0, lon0, pLat, pLon);
            if (d > radiusKm) {
                double f = (radiusKm - dPrev) / (d - dPrev);
                vLat = static_cast<float>(prevLat + f * (pLat - prevLat));
                vLon = static_cast<float>(prevLon + f * (pLon - prevLon));
                crossed = true;
                break;
            }
            prevLat = pLat;
            prevLon = pLon;
            dPrev = d;
        }
        if (!crossed) {  // radius beyond 5 degrees in this direction: the 5-degree point
            vLat = prevLat;
            vLon = prevLon;
        }
        raw[static_cast<std::size_t>(k)] = geoToScreen(degreesToDdmm(vLon), degreesToDdmm(vLat));
    }
    // Vertices off the grid take the nearest earlier projected vertex (cyclically).
    int firstOk = -1;
    for (int k = 0; k < kDirections; ++k)
        if (raw[static_cast<std::size_t>(k)]) {
            firstOk = k;
            break;
        }
    std::vector<ScreenPoint> v(kDirections, *centre);
    if (firstOk >= 0) {
        ScreenPoint last = *raw[static_cast<std::size_t>(firstOk)];
        for (int i = 0; i < kDirections; ++i) {
            int k = (firstOk + i) % kDirections;
            if (raw[static_cast<std::size_t>(k)]) last = *raw[static_cast<std::size_t>(k)];
            v[static_cast<std::size_t>(k)] = last;
        }
    }
    RangeCircle rc;
    rc.centre = *centre;
    rc.vertices.resize(kDirections);
    for (int k = 0; k < kDirections; ++k) {
        const ScreenPoint& a = v[static_cast<std::size_t>((k + kDirections - 1) % kDirections)];
        const ScreenPoint& b = v[static_cast<std::size_t>(k)];
        const ScreenPoint& c = v[static_cast<std::size_t>((k + 1) % kDirections)];
        // Widened: far-off vertices are clamped to +-1e9, and three of them overflow int.
        rc.vertices[static_cast<std::size_t>(k)] =
            ScreenPoint{static_cast<int>((int64_t{a.x} + b.x + c.x) / 3), static_cast<int>((int64_t{a.y} + b.y + c.y) / 3)};
    }
    return rc;
}

}  // namespace kavelo
