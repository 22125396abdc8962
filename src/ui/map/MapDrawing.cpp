#include "map/MapDrawing.h"

#include <QString>
#include <vector>

namespace kavelo::ui {

namespace {

QPoint toQ(ScreenPoint p) { return QPoint(p.x, p.y); }

}  // namespace

void fillBackground(Canvas& c, TColor color) {
    c.setPenMode(PenMode::Copy);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(color);
    c.fillRect(0, 0, kMapImageWidth, kMapImageHeight);
}

void drawCoast(Canvas& c, const MapProjection& proj, const CoastLines& coasts, const MapColors& colors,
               const BaseMapOptions& opt) {
    if (opt.coastWidthChoice < 0 || opt.coastWidthChoice >= 3) return;  // "0": no coast at all
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(opt.coastWidthChoice + 1);
    c.setPenColor(opt.colorOn ? colors.coastColor : clBlack);
    if (opt.fillLand) {
        c.setBrushStyle(BrushStyle::Solid);
        c.setBrushColor(colors.landColor);
    } else {
        c.setBrushStyle(BrushStyle::Clear);
    }
    std::vector<QPoint> pts;
    for (const CoastLine& line : coasts) {
        if (line.points.empty()) continue;
        pts.clear();
        pts.reserve(line.points.size());
        for (const PlanePoint& p : line.points) pts.push_back(toQ(proj.mapToScreen(p)));
        if (opt.fillLand)
            c.polygon(pts);
        else
            c.polyline(pts);
    }
}

void drawGraticule(Canvas& c, const MapProjection& proj, const MapColors& colors, const BaseMapOptions& opt) {
    std::vector<GraticuleLine> lines = proj.graticule(opt.gridDivision);
    if (lines.empty()) return;
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    const TColor major = opt.colorOn ? colors.gridColor : clBlack;
    std::vector<QPoint> pts;
    for (const GraticuleLine& line : lines) {
        c.setPenColor(line.major ? major : colors.subGridColor);
        pts.clear();
        for (const ScreenPoint& p : line.points) pts.push_back(toQ(p));
        c.polyline(pts);
    }
}

void drawGraticuleLabels(Canvas& c, const MapProjection& proj, GeoFailureLog* log) {
    c.setFontBold(true);
    c.setFontHeight(16);
    c.setBrushStyle(BrushStyle::Clear);
    for (const GraticuleLabel& l : proj.graticuleLabels(log))
        c.textOut(l.x, l.y, QString::number(l.degrees) + QStringLiteral("゜"));
    c.setBrushStyle(BrushStyle::Solid);
}

void drawFrame(Canvas& c, const MapFrame& f) {
    c.setPenMode(PenMode::Copy);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.fillRect(0, 0, kMapImageWidth, f.top - 1);
    c.fillRect(0, 0, f.left - 1, kMapImageHeight);
    c.fillRect(f.left + f.width, 0, kMapImageWidth, kMapImageHeight);
    c.fillRect(0, f.top + f.height, kMapImageWidth, kMapImageHeight);
    c.setPenStyle(PenStyle::Solid);
    c.setPenColor(clBlack);
    c.setPenWidth(2);
    c.moveTo(f.left, f.top);
    c.lineTo(f.left, f.top + f.height);
    c.lineTo(f.left + f.width, f.top + f.height);
    c.lineTo(f.left + f.width, f.top);
    c.lineTo(f.left, f.top);
    c.setPenWidth(1);
}

void drawGeoLine(Canvas& c, const MapProjection& proj, int lon1, int lat1, int lon2, int lat2) {
    bool penDown = false;
    for (const auto& p : proj.geoLinePoints(lon1, lat1, lon2, lat2)) {
        if (!p) {
            penDown = false;  // off the grid: the line resumes at the next point on it
            continue;
        }
        if (penDown)
            c.lineTo(p->x, p->y);
        else
            c.moveTo(p->x, p->y);
        penDown = true;
    }
}

TColor markColor(const EarthquakeRecord& rec, const PlotStyle& style) {
    if (!style.colorOn || rec.date < 18850001) return clBlack;
    return depthColor(rec.depth, style.depth);
}

void plotSelection(Canvas& c, const MapProjection& proj, const Catalogue& cat, const SelectionList& sel,
                   const PlotStyle& style, const GeoBounds& visible, const std::function<void(int)>& progress) {
    const uint8_t markStyle = style.marks.markStyle;
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setBrushStyle(markStyle == kMarkFilled ? BrushStyle::Solid : BrushStyle::Clear);
    const int n = sel.selectionCount;
    for (int i = 0; i < n; ++i) {
        if (progress) progress(i);
        int k = sel[i];
        if (k < 0 || k >= cat.recordCount) continue;
        const EarthquakeRecord& rec = cat[k];
        if (!visible.contains(rec.lon, rec.lat)) continue;
        auto s = proj.geoToScreen(rec.lon, rec.lat);
        if (!s) continue;
        TColor color = markColor(rec, style);
        int r = markRadius(rec.mag, style.marks);
        if (markStyle == kMarkFilled) {
            c.setBrushColor(color);
            c.setPenColor(r == 1 ? color : clBlack);
        } else {
            c.setPenColor(color);
        }
        c.setPenWidth(markStyle == kMarkHollow && rec.mag > 49 ? 2 : 1);
        c.ellipsePixels(s->x - r, s->y - r, s->x + r, s->y + r);
    }
    if (progress) progress(0);
}

void drawRangeCircle(Canvas& c, const MapProjection& proj, int centreLon, int centreLat, double radiusKm) {
    auto rc = proj.rangeCircle(centreLon, centreLat, radiusKm);
    if (!rc) return;
    std::vector<QPoint> pts;
    pts.reserve(rc->vertices.size());
    for (const ScreenPoint& p : rc->vertices) pts.push_back(toQ(p));
    c.setPenMode(PenMode::Copy);
    c.setPenColor(clBlue);
    c.setPenWidth(1);
    c.setPenStyle(PenStyle::Dot);
    c.setBrushStyle(BrushStyle::Clear);
    c.polygon(pts);
    c.setPenStyle(PenStyle::Solid);
    const int sx = rc->centre.x, sy = rc->centre.y;
    c.moveTo(sx - 4, sy);
    c.lineTo(sx + 5, sy);
    c.moveTo(sx, sy - 4);
    c.lineTo(sx, sy + 5);
}

}  // namespace kavelo::ui
