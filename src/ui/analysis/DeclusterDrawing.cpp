#include "analysis/DeclusterDrawing.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analysis/AnalysisDrawing.h"

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

void drawDeclusterMap(Canvas& c, std::span<const EarthquakeRecord> events, const analysis::DeclusterResult& result,
                      const MarkSettings& marks, const DepthClasses& depth) {
    if (events.empty() || result.role.size() != events.size()) return;
    double la0 = 90, la1 = -90, lo0 = 360, lo1 = -360;
    for (const EarthquakeRecord& e : events) {
        const double la = ddmmToDegrees(e.lat), lo = ddmmToDegrees(e.lon);
        la0 = std::min(la0, la);
        la1 = std::max(la1, la);
        lo0 = std::min(lo0, lo);
        lo1 = std::max(lo1, lo);
    }
    // Equal kilometres per pixel both ways at the middle latitude, with a margin.
    const QRect area = plotRect(c);
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

    for (std::size_t i = 0; i < events.size(); ++i) {
        if (result.role[i] == analysis::EventRole::Mainshock) continue;
        const int x = p.px(ddmmToDegrees(events[i].lon)), y = p.py(ddmmToDegrees(events[i].lat));
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
        const int x = p.px(ddmmToDegrees(e.lon)), y = p.py(ddmmToDegrees(e.lat));
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
    c.setBrushStyle(BrushStyle::Clear);
    const QRect r = p.rect();
    c.setPenColor(clBlack);
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
