#include "sections/RotateDrawing.h"

#include <QString>

namespace kavelo::ui {

namespace {
void line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}
}  // namespace

void drawRotateGrid(Canvas& s, Canvas& dial) {
    const int xc = s.width() / 2;
    s.setPenMode(PenMode::Copy);
    s.setPenWidth(1);
    s.setBrushStyle(BrushStyle::Solid);
    s.setBrushColor(clWhite);
    s.fillRect(0, 0, s.width(), s.height());
    s.setBrushStyle(BrushStyle::Clear);
    s.setPenColor(clGray);
    s.setPenStyle(PenStyle::Dot);
    for (int k = -3; k <= 3; ++k) line(s, xc + 50 * k, 50, xc + 50 * k, 365);
    for (int k = 1; k <= 6; ++k) line(s, xc - 160, 50 + 50 * k, xc + 160, 50 + 50 * k);
    s.setPenColor(clBlack);
    s.setPenStyle(PenStyle::Solid);
    s.setFontSize(11);
    line(s, xc - 150, 50, xc + 150, 50);
    line(s, xc, 43, xc, 365);
    for (int e = -300; e <= 300; e += 100) {
        line(s, xc + e / 2, 50, xc + e / 2, 43);
        s.textOut(xc + e / 2 - 8, 28, QString::number(e));
    }
    for (int k = 0; k <= 6; ++k) s.textOut(xc - 185, 50 + 50 * k - 8, QString::number(k * 100));
    s.textOut(xc - 40, 10, "距　離 (km)");
    s.textOut(xc - 180, 370, "深　さ (km)");

    const int cx = dial.width() / 2, cy = dial.height() / 2;
    dial.setPenMode(PenMode::Copy);
    dial.setPenWidth(1);
    dial.setPenStyle(PenStyle::Solid);
    dial.setBrushStyle(BrushStyle::Solid);
    dial.setBrushColor(clWhite);
    dial.fillRect(0, 0, dial.width(), dial.height());
    dial.setBrushStyle(BrushStyle::Clear);
    dial.setPenColor(clBlack);
    dial.ellipsePixels(cx - 30, cy - 30, cx + 30, cy + 30);
    line(dial, cx, cy - 40, cx, cy + 40);
    line(dial, cx - 40, cy, cx + 40, cy);
    dial.setFontSize(11);
    dial.textOut(cx - 4, cy - 48, "N");
    dial.textOut(cx - 4, cy + 42, "S");
    dial.textOut(cx - 48, cy - 4, "W");
    dial.textOut(cx + 42, cy - 4, "E");
    line(dial, cx - 30, cy, cx + 30, cy);
}

std::vector<RotateMark> rotateMarks(const Catalogue& cat, const int32_t* list, int count, int angle,
                                    float latC, float lonC, const RotateMarkStyle& style) {
    std::vector<RotateMark> marks;
    marks.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        const int k = list[i];
        if (k < 0 || k >= cat.recordCount) continue;
        const EarthquakeRecord& rec = cat[k];
        const float s = signedAxisDistance(ddmmToDegrees(rec.lat), ddmmToDegrees(rec.lon), latC, lonC, angle);
        const TColor c = style.colorOn && rec.date >= 18850000 ? depthColor(rec.depth, style.depth) : clBlack;
        marks.push_back({rotateMarkX(s), rotateMarkY(rec.depth), markRadius(rec.mag, style.marks), c ^ clWhite});
    }
    return marks;
}

void drawRotateMarks(Canvas& s, const std::vector<RotateMark>& marks) {
    s.setPenMode(PenMode::Xor);
    s.setPenStyle(PenStyle::Solid);
    s.setPenWidth(1);
    s.setBrushStyle(BrushStyle::Clear);
    for (const RotateMark& m : marks) {
        s.setPenColor(m.pen);
        s.ellipsePixels(m.x - m.r, m.y - m.r, m.x + m.r, m.y + m.r);
    }
}

void drawDialNeedle(Canvas& dial, int angle) {
    const int cx = dial.width() / 2, cy = dial.height() / 2;
    const DialLine d = dialLine(cx, cy, angle);
    dial.setPenMode(PenMode::Xor);
    dial.setPenStyle(PenStyle::Solid);
    dial.setPenWidth(1);
    dial.setPenColor(clAqua);
    dial.moveTo(d.x1, d.y1);
    dial.lineTo(d.x2, d.y2);
}

}  // namespace kavelo::ui
