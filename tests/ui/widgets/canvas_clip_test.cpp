#include <gtest/gtest.h>

#include "widgets/Canvas.h"

using namespace kavelo::ui;

// A clip limits polygons each time it is set, also after a clear and in between
// other drawing, and stops limiting when cleared.
TEST(CanvasClip, PolygonsStayInsideEachTimeTheClipIsSet) {
    Canvas c(100, 100);
    c.setBrushColor(clYellow);
    const std::vector<QPoint> left{{0, 0}, {50, 0}, {50, 100}, {0, 100}};
    const std::vector<QPoint> square{{10, 10}, {90, 10}, {90, 90}, {10, 90}};
    for (int round = 0; round < 3; ++round) {
        c.setClipPolygon(left);
        c.polygon(square);
        c.clearClip();
        EXPECT_EQ(c.pixel(30, 50), clYellow) << round;
        EXPECT_EQ(c.pixel(70, 50), clWhite) << round;
        c.textOut(0, 0, "x");
        if (round == 1) c.clear(clWhite);
    }
    c.polygon(square);
    EXPECT_EQ(c.pixel(70, 50), clYellow);
}
