#include "map/LegendDrawing.h"

#include <QString>
#include <algorithm>

namespace kavelo::ui {

void drawDepthClassLegend(Canvas& c, const DepthClasses& d) {
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.clear(clWhite);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.setPenColor(clRed);
    c.setFontBold(false);
    c.setFontHeight(20);
    c.textOut(25, 20, "Magnitude");
    // A wide font would run the two titles together: the second keeps a small gap.
    c.textOut(std::max(125, 25 + c.textWidth("Magnitude") + 8), 20, "Depth(km)");

    // Sizes of the marks on the scale that starts at M3.0.
    int y = 60;
    for (int m = 4; m <= 8; ++m, y += 30) {
        const double x = m - 3;
        const int r = static_cast<int>(0.4627 * x * x + 0.0888 * x + 0.5);
        c.ellipsePixels(30 - r, y - r, 30 + r, y + r);
        c.textOut(50, y - 10, QString::asprintf("%d.0", m));
    }

    c.setPenColor(clBlack);
    const int count = std::clamp(d.classCount, 1, kDepthSlots - 1);
    y = 60;
    for (int i = 0; i < count; ++i, y += 30) {
        c.setBrushColor(d.colors[static_cast<std::size_t>(i)]);
        c.ellipsePixels(120 - 8, y - 8, 120 + 8, y + 8);
        c.setBrushColor(clWhite);
        QString label;
        if (i == count - 1)  // the open class (also when it is the only one)
            label = QString::asprintf("%3d - ", i == 0 ? 0 : d.bounds[static_cast<std::size_t>(i)]);
        else
            label = QString::asprintf("%3d - %3d", i == 0 ? 0 : d.bounds[static_cast<std::size_t>(i)],
                                      d.bounds[static_cast<std::size_t>(i + 1)]);
        c.textOut(140, y - 10, label);
    }

    c.setBrushColor(clBlack);
    c.ellipsePixels(50 - 7, 300 - 7, 50 + 7, 300 + 7);
    c.setBrushColor(clWhite);
    c.textOut(70, 290, "1885年以前  ");
}

}  // namespace kavelo::ui
