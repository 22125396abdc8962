#include "sections/ThreeDimDrawing.h"

#include <QString>

namespace kavelo::ui {

namespace {

QPoint toQ(ScreenPoint p) { return QPoint(p.x, p.y); }

constexpr TColor kDeepPlaneAbove = rgb(229, 254, 253);
constexpr TColor kSurfaceAbove = rgb(204, 255, 255);
constexpr TColor kSurfaceBelow = rgb(244, 255, 255);
constexpr TColor kLandBelow = rgb(255, 255, 157);
constexpr TColor kDeepPlaneBelow = rgb(250, 253, 251);
constexpr TColor kLandUnderQuakes = rgb(255, 255, 157);

}  // namespace

void drawDepthPlane(Canvas& c, const ViewProjection& v, const std::vector<PlanePoint>& outline, int depthKm) {
    if (outline.empty()) return;
    std::vector<QPoint> pts;
    pts.reserve(outline.size());
    for (const PlanePoint& p : outline) pts.push_back(toQ(v(p.x, p.y, -depthKm)));
    c.polygon(pts);
}

void drawLandPolygons(Canvas& c, const ViewProjection& v, const CoastLines& coasts,
                      const std::vector<PlanePoint>* surface) {
    c.setPenColor(clBlack);
    std::vector<QPoint> pts;
    const bool clip = surface && !surface->empty();
    if (clip) {
        for (const PlanePoint& p : *surface) pts.push_back(toQ(v(p.x, p.y, 0)));
        c.setClipPolygon(pts);
    }
    for (const CoastLine& line : coasts) {
        if (line.points.empty()) continue;
        pts.clear();
        pts.reserve(line.points.size());
        for (const PlanePoint& p : line.points) pts.push_back(toQ(v(p.x, p.y, 0)));
        c.polygon(pts);
    }
    if (clip) c.clearClip();
}

void drawEdgeTicks(Canvas& c, const ViewProjection& v, const MapProjection& proj) {
    c.setPenColor(clBlack);
    for (const EdgeTick& t : edgeTicks()) {
        auto a = proj.geoToMap(t.lon1, t.lat1);
        auto b = proj.geoToMap(t.lon2, t.lat2);
        if (!a || !b) continue;  // a grid smaller than the usual one
        const ScreenPoint p = v(a->x, a->y, 0), q = v(b->x, b->y, 0);
        c.moveTo(p.x, p.y);
        c.lineTo(q.x, q.y);
    }
}

void drawDepthScale(Canvas& c, const ViewProjection& v) {
    const int len = depthScaleLength(v);
    c.setPenColor(clBlack);
    c.moveTo(10, 25);
    c.lineTo(10, 25 + len);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.setFontColor(clBlack);
    c.textOut(10, 5, QStringLiteral("震源深さ"));
    for (int i = 0; i <= 3; ++i) {
        const int y = i * len / 3 + 25;
        c.moveTo(10, y);
        c.lineTo(20, y);
        c.textOut(25, y - 4, QString::asprintf("%3dkm", i * 200));
    }
}

void drawCentreCross(Canvas& c, const ViewProjection& v) {
    c.setPenColor(clRed);
    const ScreenPoint p = v(v.centreX, v.centreY, 0);
    c.moveTo(p.x - 30, p.y);
    c.lineTo(p.x + 30, p.y);
    c.moveTo(p.x, p.y - 30);
    c.lineTo(p.x, p.y + 30);
    c.setPenColor(clBlack);
}

void drawBackgroundScene(Canvas& c, const ThreeDimScene& s) {
    c.clear(clWhite);
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setPenColor(clBlack);
    c.setBrushStyle(BrushStyle::Solid);
    const std::vector<PlanePoint> none;
    const std::vector<PlanePoint>& outline = s.outline ? *s.outline : none;
    auto ticksAndLand = [&] {
        if (s.proj) drawEdgeTicks(c, s.view, *s.proj);
        if (s.coasts) drawLandPolygons(c, s.view, *s.coasts, s.outline);
    };
    if (s.fromAbove) {
        c.setBrushColor(kDeepPlaneAbove);
        for (int d : {600, 400, 200}) drawDepthPlane(c, s.view, outline, d);
        c.setBrushColor(kSurfaceAbove);
        drawDepthPlane(c, s.view, outline, 0);
        c.setBrushColor(clYellow);
        ticksAndLand();
    } else {
        c.setBrushColor(kSurfaceBelow);
        drawDepthPlane(c, s.view, outline, 0);
        c.setBrushColor(kLandBelow);
        ticksAndLand();
        c.setBrushColor(kDeepPlaneBelow);
        for (int d : {200, 400, 600}) drawDepthPlane(c, s.view, outline, d);
    }
    drawDepthScale(c, s.view);
}

void drawHypocentres(Canvas& c, const ThreeDimScene& s, const Catalogue& cat, const SelectionList& sel,
                     const HypocentreStyle& style, const std::function<void(int)>& progress) {
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(kLandUnderQuakes);
    if (s.coasts) drawLandPolygons(c, s.view, *s.coasts, s.outline);
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    const int n = sel.selectionCount;
    for (int i = 0; i < n; ++i) {
        if (progress) progress(i);
        if (!s.proj) continue;
        const int k = sel[i];
        if (k < 0 || k >= cat.recordCount) continue;
        const EarthquakeRecord& rec = cat[k];
        if (rec.depth == 0) continue;
        auto p = s.proj->geoToMap(rec.lon, rec.lat);
        if (!p) continue;
        const ScreenPoint top = s.view(p->x, p->y, 0);
        const ScreenPoint h = s.view(p->x, p->y, -rec.depth);
        if (style.dropLines) {
            c.setPenColor(clGray);
            c.setPenStyle(PenStyle::Dot);
            c.moveTo(top.x, top.y);
            c.lineTo(h.x, h.y);
            c.setPenStyle(PenStyle::Solid);
            c.setPenColor(clBlack);
        }
        int r = markRadius(rec.mag, style.marks);
        if (style.halfSize) r /= 2;
        if (r == 0) r = 1;
        const TColor color = style.depthColors ? depthColor(rec.depth, style.depth) : clRed;
        c.setPenColor(r == 1 ? color : clBlack);
        c.setBrushColor(color);
        c.ellipsePixels(h.x - r, h.y - r, h.x + r, h.y + r);
    }
    if (s.fromAbove) {
        c.setBrushColor(clYellow);
        c.setBrushStyle(style.paintLand ? BrushStyle::Solid : BrushStyle::Clear);
        if (s.coasts) drawLandPolygons(c, s.view, *s.coasts, s.outline);
        c.setBrushStyle(BrushStyle::Solid);
    }
    if (progress) progress(0);
}

}  // namespace kavelo::ui
