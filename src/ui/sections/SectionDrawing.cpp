#include "sections/SectionDrawing.h"

namespace kavelo::ui {

namespace {
void line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}
}  // namespace

SectionGeometry drawCrossSection(Canvas& c, const SectionInput& in) {
    const SectionGeometry g(sectionLineKind(in.p1, in.p2), in.start, in.end,
                            sectionMagnification(in.horizontalItem), sectionMagnification(in.verticalItem),
                            in.reversed);
    const int t = g.span();
    const int vs = g.vs();
    const int bottom = kSectionTop + 6 * vs;

    c.setPenMode(PenMode::Copy);
    c.setPenWidth(1);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.fillRect(0, 0, c.width(), c.height());
    c.setBrushStyle(BrushStyle::Clear);

    // Depth axis and its grid.
    c.setPenColor(clBlack);
    c.setPenStyle(PenStyle::Solid);
    line(c, 50, kSectionTop, 50, bottom);
    line(c, 50, kSectionTop, 43, kSectionTop);
    c.setPenColor(clGray);
    c.setPenStyle(PenStyle::Dot);
    c.setFontSize(11);
    for (int k = 0; k <= 6; ++k) {
        const int y = kSectionTop + k * vs;
        line(c, 43, y, kSectionLeft + t, y);
        c.textOut(16, y - 6, QString::number(k * 100));
    }
    c.textOut(16, bottom + 12, "深さ (km)");

    c.textOut(200, 442, in.widthItem + " 領域");
    c.textOut(290, 442, QString::asprintf("(%d,%d) - (%d,%d)", in.p1.lat, in.p1.lon, in.p2.lat, in.p2.lon));

    // Distance grid.
    const auto ticks = g.distanceTicks();
    for (const auto& tick : ticks) {
        line(c, tick.x, 126, tick.x, bottom + 10);
        c.textOut(tick.x - 4, 105, QString::number(tick.label));
    }
    c.textOut(g.distanceCaptionX(ticks), 85, "距　離(km)");

    // Whole-degree ticks along the degree axis.
    c.setPenStyle(PenStyle::Solid);
    const int captionX = kSectionLeft + t / 2 - 20;
    if (g.kind() != SectionLineKind::EastWest) {
        for (const auto& tick : g.latitudeTicks()) {
            line(c, tick.x, kSectionDegreeAxisY, tick.x, 37);
            c.textOut(tick.x - 8, 25, QString::number(tick.label));
        }
        c.textOut(captionX, 7, "緯　度");
    }
    if (g.kind() != SectionLineKind::NorthSouth) {
        for (const auto& tick : g.longitudeTicks(in.axisDistance)) {
            line(c, tick.x, kSectionDegreeAxisY, tick.x, 53);
            c.textOut(tick.x - 8, 55, QString::number(tick.label));
        }
        c.textOut(captionX, 71, "経　度");
    }
    line(c, kSectionLeft, kSectionDegreeAxisY, kSectionLeft + t, kSectionDegreeAxisY);

    // Hypocentres at their distance along the line; without a line (no zone yet) there
    // is nothing to measure from.
    const bool hasLine = in.start.lat != in.end.lat || in.start.lon != in.end.lon;
    if (in.catalogue && in.selection && hasLine) {
        const Catalogue& cat = *in.catalogue;
        const SelectionList& sel = *in.selection;
        const bool filled = in.marks.markStyle == kMarkFilled;
        if (filled) {
            c.setPenColor(clBlack);
            c.setBrushStyle(BrushStyle::Solid);
        }
        for (int i = 0; i < sel.selectionCount; ++i) {
            const int k = sel[i];
            if (k < 0 || k >= cat.recordCount) continue;
            const EarthquakeRecord& rec = cat[k];
            const TColor color = in.colorOn ? depthColor(rec.depth, in.depth) : clBlack;
            if (filled)
                c.setBrushColor(color);
            else
                c.setPenColor(color);
            const int r = markRadius(rec.mag, in.marks);
            const int x = g.xOf(g.distanceOf(ddmmToDegrees(rec.lat), ddmmToDegrees(rec.lon)));
            const int y = g.yOf(rec.depth);
            c.ellipsePixels(x - r, y - r, x + r, y + r);
        }
        c.setBrushStyle(BrushStyle::Clear);
    }

    c.setPenColor(clBlack);
    line(c, 43, kSectionTop, kSectionLeft + t, kSectionTop);
    return g;
}

}  // namespace kavelo::ui
