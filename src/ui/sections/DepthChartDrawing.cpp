#include "sections/DepthChartDrawing.h"

#include <algorithm>
#include <vector>

#include "sections/MarkStamp.h"

namespace kavelo::ui {

namespace {

void line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

void drawTicks(Canvas& c, const std::vector<ChartTick>& ticks, int labelShift) {
    for (const ChartTick& t : ticks) {
        line(c, t.x, 50, t.x, 43);
        c.textOut(t.x - labelShift, 28, QString::number(t.label));
    }
}

void drawGrid(Canvas& c, const std::vector<ChartTick>& lines, int bottom) {
    c.setPenColor(clGray);
    c.setPenStyle(PenStyle::Dot);
    for (const ChartTick& g : lines) {
        line(c, g.x, 50, g.x, bottom);
        c.textOut(g.x - 6, 334, QString::number(g.label));
    }
    c.setPenStyle(PenStyle::Solid);
}

void drawDepthAxis(Canvas& c, int axisEnd, const QString& widthText, const QString& regionText) {
    c.setPenColor(clBlack);
    c.setPenStyle(PenStyle::Solid);
    line(c, 50, 50, 50, 350);
    line(c, 50, 50, 43, 50);
    c.setPenColor(clGray);
    c.setPenStyle(PenStyle::Dot);
    for (int k = 1; k <= 6; ++k) line(c, 43, 50 + 50 * k, axisEnd, 50 + 50 * k);
    for (int k = 0; k <= 6; ++k) c.textOut(16, 50 + 50 * k - 6, QString::number(k * 100));
    c.textOut(16, 362, "震源深さ(km)");
    c.textOut(100, 362, widthText);
    // The region text starts at 190 unless it would run past the picture's edge.
    c.textOut(std::min(190, c.width() - c.textWidth(regionText) - 1), 362, regionText);
    c.setPenStyle(PenStyle::Solid);
}

}  // namespace

void drawDepthCharts(Canvas& L, Canvas& R, const DepthChartInput& in) {
    for (Canvas* c : {&L, &R}) {
        c->setPenMode(PenMode::Copy);
        c->setPenStyle(PenStyle::Solid);
        c->setPenWidth(1);
        c->setBrushStyle(BrushStyle::Solid);
        c->setBrushColor(clWhite);
        c->fillRect(0, 0, c->width(), c->height());
    }
    const DepthChartBox box = depthChartBox(in.corners);
    const QString regionText =
        QString::asprintf("(%d,%d) - (%d,%d)", in.p1.lat, in.p1.lon, in.p2.lat, in.p2.lon);
    const QString widthText = in.widthItem + " 領域";
    L.setFontSize(11);
    R.setFontSize(11);
    const DepthChartScale s = depthChartScale(box, in.options);

    // Marks: open circles in both charts, whatever the map's mark style.
    L.setBrushStyle(BrushStyle::Clear);
    R.setBrushStyle(BrushStyle::Clear);
    if (in.catalogue && in.selection && !box.degenerate()) {
        const Catalogue& cat = *in.catalogue;
        const SelectionList& sel = *in.selection;
        MarkStamps stamps;
        QImage& left = L.pixels();
        QImage& right = R.pixels();
        for (int i = 0; i < sel.selectionCount; ++i) {
            const int k = sel[i];
            if (k < 0 || k >= cat.recordCount) continue;
            const EarthquakeRecord& rec = cat[k];
            const TColor color = in.colorOn ? depthColor(rec.depth, in.depth) : clBlack;
            const int r = markRadius(rec.mag, in.marks);
            const int y = depthChartY(rec.depth);
            const int xl = latChartX(s, box, ddmmToDegrees(rec.lat));
            const int xr = lonChartX(s, box, ddmmToDegrees(rec.lon));
            stamps.draw(left, xl, y, r, color);
            stamps.draw(right, xr, y, r, color);
        }
    }

    // Horizontal axes and their captions.
    const int latEnd = latAxisEnd(s, box);
    const int lonEnd = lonAxisEnd(s, box);
    L.setPenColor(clBlack);
    R.setPenColor(clBlack);
    line(L, 60, 50, latEnd, 50);
    L.textOut(static_cast<int>(60 + box.latRange() * s.sLat * 0.5 - 16), 10, "緯　度");
    line(R, 60, 50, lonEnd, 50);
    R.textOut(static_cast<int>(60 + box.lonRange() * s.sLon * 0.5 - 16), 10, "経　度");

    // Whole-degree ticks.
    const std::vector<ChartTick> lonTicks = longitudeTicks(s, box);
    const std::vector<ChartTick> latTicks = latitudeTicks(s, box);
    drawTicks(R, lonTicks, in.options.equalDistance ? 6 : 10);
    drawTicks(L, latTicks, 6);

    // Kilometre grid of the equal-distance scale, from each chart's first tick.
    if (in.options.equalDistance) {
        drawGrid(L, kilometreGrid(latTicks, s.xLat0, in.options.invertLat, s.extLat, 370), 330);
        drawGrid(R, kilometreGrid(lonTicks, s.xLon0, in.options.invertLon, s.extLon, 380), 350);
    }

    drawDepthAxis(L, latEnd, widthText, regionText);
    drawDepthAxis(R, lonEnd, widthText, regionText);
}

}  // namespace kavelo::ui
