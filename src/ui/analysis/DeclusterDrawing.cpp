#include "analysis/DeclusterDrawing.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <optional>

#include "analysis/AnalysisDrawing.h"
#include "map/MapDrawing.h"

namespace kavelo::ui {

namespace {

constexpr TColor kOtherColor = rgb(160, 160, 160);

QRect plotRect(const Canvas& c) { return QRect(QPoint(78, 46), QPoint(c.width() - 28, c.height() - 56)); }

void legendText(Canvas& c, int x, int y, const QString& text) {
    c.setFontSize(10);
    c.setFontBold(false);
    c.setFontColor(clBlack);
    c.setBrushStyle(BrushStyle::Clear);
    c.textOut(x, y, text);
}

}  // namespace

void drawOmoriDecay(Canvas& c, std::span<const double> days, const analysis::OmoriFit& fit, bool logTime) {
    std::vector<double> t;
    for (double d : days)
        if (d >= fit.start && d <= fit.end) t.push_back(d);
    std::sort(t.begin(), t.end());
    if (t.empty() || !(fit.end > fit.start)) return;
    const double n = static_cast<double>(t.size());
    // A log axis starts at S (or, for S = 0, just before the first event).
    double lo = fit.start;
    if (logTime && lo <= 0.0) lo = std::max(1e-4, t.front() * 0.5);
    const double hi = logTime ? fit.end * 1.1 : fit.end + (fit.end - fit.start) * 0.02;
    double top = n;
    if (fit.fitted) top = std::max(top, analysis::omoriExpectedCount(fit, fit.end));
    const PlotArea p(plotRect(c), {lo, hi, logTime, false, "本震からの時間 (日)"},
                     {0.0, top * 1.05, false, false, "積算地震数"});
    p.drawFrame(c);

    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setPenColor(clBlue);
    c.moveTo(p.px(std::max(lo, t.front())), p.py(0.0));
    for (std::size_t i = 0; i < t.size(); ++i) {
        const int x = p.px(std::max(lo, t[i]));
        c.lineTo(x, p.py(static_cast<double>(i)));
        c.lineTo(x, p.py(static_cast<double>(i + 1)));
    }
    c.lineTo(p.px(fit.end), p.py(n));

    if (fit.fitted) {
        c.setPenColor(clRed);
        c.setPenWidth(2);
        const int steps = 300;
        for (int k = 0; k <= steps; ++k) {
            const double f = static_cast<double>(k) / steps;
            const double x = logTime ? lo * std::pow(fit.end / lo, f) : fit.start + (fit.end - fit.start) * f;
            const int px = p.px(x), py = p.py(analysis::omoriExpectedCount(fit, x));
            if (k == 0) c.moveTo(px, py);
            else c.lineTo(px, py);
        }
        c.setPenWidth(1);
    }
    const QRect r = p.rect();
    c.setPenColor(clBlue);
    c.moveTo(r.left() + 10, r.top() + 15);
    c.lineTo(r.left() + 34, r.top() + 15);
    legendText(c, r.left() + 40, r.top() + 8, QString("観測 (N = %1)").arg(t.size()));
    if (fit.fitted) {
        c.setPenColor(clRed);
        c.setPenWidth(2);
        c.moveTo(r.left() + 10, r.top() + 33);
        c.lineTo(r.left() + 34, r.top() + 33);
        c.setPenWidth(1);
        legendText(c, r.left() + 40, r.top() + 26, "Λ(t) = K∫(s+c)^-p ds  (大森・宇津)");
    }
}

namespace {

// The plane of the main map, zoomed to the events with a tenth of their extent as margin,
// when the base map is loaded and every event lies on its node grid.
std::optional<MapProjection> fitProjection(std::span<const EarthquakeRecord> events, const QRect& area,
                                           const DeclusterBaseMap& base) {
    if (!base.projection || !base.coasts || base.projection->grid.rows < 2 || base.projection->grid.cols < 2)
        return std::nullopt;
    int64_t x0 = INT64_MAX, x1 = INT64_MIN, y0 = INT64_MAX, y1 = INT64_MIN;
    for (const EarthquakeRecord& e : events) {
        const auto q = base.projection->geoToMap(e.lon, e.lat);
        if (!q) return std::nullopt;
        x0 = std::min<int64_t>(x0, q->x);
        x1 = std::max<int64_t>(x1, q->x);
        y0 = std::min<int64_t>(y0, q->y);
        y1 = std::max<int64_t>(y1, q->y);
    }
    MapProjection proj = *base.projection;
    proj.frame = MapFrame{area.left(), area.top(), area.width(), area.height()};
    // At least about half a degree across; the plane is never stretched.
    const int64_t spanX = std::max<int64_t>(80, (x1 - x0) * 12 / 10);
    const int64_t spanY = std::max<int64_t>(80, (y1 - y0) * 12 / 10);
    const int64_t yRange = std::max(spanY, spanX * area.height() / area.width() + 1);
    if (yRange > kGridCoordinateMax) return std::nullopt;
    proj.view.setYRange(static_cast<int32_t>(yRange), proj.frame);
    proj.view.x0 = static_cast<int32_t>((x0 + x1) / 2 - proj.view.xRange / 2);
    proj.view.y0 = static_cast<int32_t>((y0 + y1) / 2 - proj.view.yRange / 2);
    proj.resetViewPending = false;
    return proj;
}

// Coast and graticule of the main map inside the frame, then the frame and its degrees.
void drawBaseMap(Canvas& c, const MapProjection& proj, const CoastLines& coasts, const QRect& area) {
    const MapColors colors;
    BaseMapOptions opt;
    // Coastlines as lines: a zoomed view can cut an open coastline whose filled polygon
    // would then close across the sea.
    opt.fillLand = false;
    // A graticule of about four to ten lines across the shorter side (plane units are
    // about 0.7 km, some 144 to the degree of latitude).
    const double degrees = std::min(proj.view.xRange, proj.view.yRange) / 144.0;
    opt.gridDivision = degrees > 12 ? 1 : degrees > 5 ? 2 : degrees > 2 ? 3 : degrees > 1 ? 4 : 5;
    // The node grid's extent on the screen: the coastline files run on beyond it, where
    // the main map's margins hide them.
    int gx0 = INT32_MAX, gx1 = INT32_MIN, gy0 = INT32_MAX, gy1 = INT32_MIN;
    for (int r = 0; r < proj.grid.rows; ++r)
        for (int k = 0; k < proj.grid.cols; ++k) {
            const ScreenPoint s = proj.mapToScreen(proj.grid.at(r, k));
            gx0 = std::min(gx0, s.x);
            gx1 = std::max(gx1, s.x);
            gy0 = std::min(gy0, s.y);
            gy1 = std::max(gy1, s.y);
        }
    c.setPenMode(PenMode::Copy);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.fillRect(area);
    {
        ClipRectScope clip(c, area.intersected(QRect(QPoint(gx0, gy0), QPoint(gx1, gy1))));
        drawCoast(c, proj, coasts, colors, opt);
        drawGraticule(c, proj, colors, opt);
    }
    c.setBrushStyle(BrushStyle::Clear);
    c.setPenStyle(PenStyle::Solid);
    c.setPenColor(clBlack);
    c.setPenWidth(1);
    c.rectangle(area.left(), area.top(), area.right() + 1, area.bottom() + 1);

    // Each meridian labelled below its southernmost point in the frame, each parallel left
    // of its westernmost one: outside the frame where the line reaches its edge.
    c.setFontSize(9);
    c.setFontBold(false);
    c.setFontColor(clBlack);
    const int stepMinutes = std::max(30, gridCellSize(opt.gridDivision) / 100 * 60 + gridCellSize(opt.gridDivision) % 100);
    auto label = [](int minutes) {
        QString t = QString::number(minutes / 60) + QStringLiteral("゜");
        if (minutes % 60) t += QString::number(minutes % 60) + QStringLiteral("´");
        return t;
    };
    const int lonFirst = 122 * 60, lonLast = (122 + 2 * (proj.grid.cols - 1)) * 60;
    const int latFirst = 24 * 60, latLast = (24 + 2 * (proj.grid.rows - 1)) * 60;
    // The first point of a line, walked minute by minute, that lies in the frame, and whether
    // the line was on the grid before it (then it crosses the frame's edge there).
    struct Entry {
        ScreenPoint at;
        bool crossesEdge = false;
    };
    auto entry = [&](int first, int last, auto pointAt) -> std::optional<Entry> {
        bool before = false;
        for (int m = first; m <= last; ++m) {
            const std::optional<ScreenPoint> s = pointAt(m);
            if (s && area.contains(s->x, s->y)) return Entry{*s, before};
            before = before || s.has_value();
        }
        return std::nullopt;
    };
    auto ddmm = [](int minutes) { return minutes / 60 * 100 + minutes % 60; };
    for (int lon = lonFirst; lon <= lonLast; lon += stepMinutes) {
        const auto e = entry(latFirst, latLast, [&](int lat) { return proj.geoToScreen(ddmm(lon), ddmm(lat)); });
        if (!e) continue;
        const QString t = label(lon);
        c.textOut(e->at.x - c.textWidth(t) / 2, e->crossesEdge ? area.bottom() + 4 : e->at.y + 4, t);
    }
    for (int lat = latFirst; lat <= latLast; lat += stepMinutes) {
        const auto e = entry(lonFirst, lonLast, [&](int lon) { return proj.geoToScreen(ddmm(lon), ddmm(lat)); });
        if (!e) continue;
        const QString t = label(lat);
        c.textOut((e->crossesEdge ? area.left() : e->at.x) - 4 - c.textWidth(t), e->at.y - c.textHeight(t) / 2, t);
    }
}

}  // namespace

void drawDeclusterMap(Canvas& c, std::span<const EarthquakeRecord> events, const analysis::DeclusterResult& result,
                      const MarkSettings& marks, const DepthClasses& depth, const DeclusterBaseMap& base) {
    if (events.empty() || result.role.size() != events.size()) return;
    QRect frame = plotRect(c);
    std::function<QPoint(const EarthquakeRecord&)> at;
    if (const auto proj = fitProjection(events, frame, base)) {
        drawBaseMap(c, *proj, *base.coasts, frame);
        at = [proj](const EarthquakeRecord& e) {
            const ScreenPoint s = proj->geoToScreen(e.lon, e.lat).value_or(ScreenPoint{-1000, -1000});
            return QPoint(s.x, s.y);
        };
    } else {
        double la0 = 90, la1 = -90, lo0 = 360, lo1 = -360;
        for (const EarthquakeRecord& e : events) {
            const double la = ddmmToDegrees(e.lat), lo = ddmmToDegrees(e.lon);
            la0 = std::min(la0, la);
            la1 = std::max(la1, la);
            lo0 = std::min(lo0, lo);
            lo1 = std::max(lo1, lo);
        }
        // Equal kilometres per pixel both ways at the middle latitude, with a margin.
        const QRect area = frame;
        const double midLat = (la0 + la1) / 2;
        const double k = std::max(0.2, std::cos(midLat * 3.14159265358979323846 / 180.0));
        double spanLat = std::max(0.2, (la1 - la0) * 1.1), spanLon = std::max(0.2, (lo1 - lo0) * 1.1);
        const double aspect = static_cast<double>(area.width()) / area.height();
        if (spanLon * k / spanLat < aspect) spanLon = spanLat * aspect / k;
        else spanLat = spanLon * k / aspect;
        const double cLat = (la0 + la1) / 2, cLon = (lo0 + lo1) / 2;
        const PlotArea p(area, {cLon - spanLon / 2, cLon + spanLon / 2, false, false, "経度 (度)"},
                         {cLat - spanLat / 2, cLat + spanLat / 2, false, false, "緯度 (度)"});
        p.drawFrame(c);
        frame = p.rect();
        at = [p](const EarthquakeRecord& e) {
            return QPoint(p.px(ddmmToDegrees(e.lon)), p.py(ddmmToDegrees(e.lat)));
        };
    }

    ClipRectScope clip(c, frame.adjusted(1, 1, -1, -1));
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (result.role[i] == analysis::EventRole::Mainshock) continue;
        const QPoint q = at(events[i]);
        const int x = q.x(), y = q.y();
        c.setPixel(x, y, kOtherColor);
        c.setPixel(x + 1, y, kOtherColor);
        c.setPixel(x, y + 1, kOtherColor);
        c.setPixel(x + 1, y + 1, kOtherColor);
    }
    // Main shocks, smallest first so that the large ones stay on top.
    std::vector<std::size_t> mains;
    for (std::size_t i = 0; i < events.size(); ++i)
        if (result.role[i] == analysis::EventRole::Mainshock) mains.push_back(i);
    std::stable_sort(mains.begin(), mains.end(),
                     [&](std::size_t a, std::size_t b) { return events[a].mag < events[b].mag; });
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    for (std::size_t i : mains) {
        const EarthquakeRecord& e = events[i];
        const QPoint q = at(e);
        const int x = q.x(), y = q.y();
        const TColor color = depthColor(e.depth, depth);
        const int r = std::max(1, markRadius(e.mag, marks));
        if (marks.markStyle == kMarkDot) {
            c.setPixel(x, y, color);
            continue;
        }
        c.setPenColor(color);
        c.setBrushColor(color);
        c.setBrushStyle(marks.markStyle == kMarkFilled ? BrushStyle::Solid : BrushStyle::Clear);
        c.ellipsePixels(x - r, y - r, x + r + 1, y + r + 1);
    }
    // The legend on a white box, readable over land and sea.
    const QRect r = frame;
    c.setFontSize(10);
    c.setPenColor(clBlack);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.rectangle(r.left() + 4, r.top() + 4, r.left() + 40 + c.textWidth(QString("前震・余震 %1").arg(events.size())),
                r.top() + 46);
    c.setBrushStyle(BrushStyle::Clear);
    c.ellipsePixels(r.left() + 10, r.top() + 10, r.left() + 20, r.top() + 20);
    legendText(c, r.left() + 26, r.top() + 8, QString("本震 %1").arg(result.mainshocks));
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(kOtherColor);
    c.fillRect(r.left() + 13, r.top() + 31, r.left() + 18, r.top() + 36);
    c.setBrushStyle(BrushStyle::Clear);
    legendText(c, r.left() + 26, r.top() + 26,
               QString("前震・余震 %1").arg(result.foreshocks + result.aftershocks));
}

}  // namespace kavelo::ui
