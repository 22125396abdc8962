#include <gtest/gtest.h>

#include "widgets/Canvas.h"

using namespace kavelo::ui;

TEST(Canvas, LinesExcludeTheirEndPixelAndXorTwiceRestores) {
    Canvas cv(20, 10);
    cv.clear(clWhite);
    cv.setPenColor(clRed);
    cv.moveTo(2, 3);
    cv.lineTo(8, 3);
    EXPECT_EQ(cv.pixel(2, 3), clRed);
    EXPECT_EQ(cv.pixel(7, 3), clRed);
    EXPECT_EQ(cv.pixel(8, 3), clWhite);
    EXPECT_EQ(cv.penPos(), QPoint(8, 3));

    const QImage before = cv.image().copy();
    cv.setPenMode(PenMode::Xor);
    cv.setPenColor(clBlue);
    cv.setBrushStyle(BrushStyle::Clear);
    for (int k = 0; k < 2; ++k) {
        cv.moveTo(0, 0);
        cv.lineTo(19, 9);
        cv.rectangle(1, 1, 15, 8);
    }
    EXPECT_EQ(cv.image(), before);
    cv.lineTo(19, 0);
    EXPECT_EQ(cv.pixel(19, 5), rgb(255, 255, 0));  // white XOR blue
}

TEST(Canvas, RectangleCoversItsBoxWithoutRightAndBottomEdges) {
    Canvas cv(10, 10);
    cv.clear(clWhite);
    cv.setPenColor(clBlack);
    cv.setBrushColor(clLime);
    cv.rectangle(2, 2, 6, 5);
    EXPECT_EQ(cv.pixel(2, 2), clBlack);
    EXPECT_EQ(cv.pixel(5, 4), clBlack);
    EXPECT_EQ(cv.pixel(3, 3), clLime);
    EXPECT_EQ(cv.pixel(6, 4), clWhite);
    EXPECT_EQ(cv.pixel(5, 5), clWhite);
    // A solid XOR rectangle touches each pixel once, so a second one restores the picture.
    const QImage before = cv.image().copy();
    cv.setPenMode(PenMode::Xor);
    cv.setBrushColor(clRed);
    cv.rectangle(1, 1, 8, 8);
    EXPECT_NE(cv.image(), before);
    cv.rectangle(1, 1, 8, 8);
    EXPECT_EQ(cv.image(), before);
}

TEST(Canvas, EllipseFillsWithBrushAndDotsSkipPixels) {
    Canvas cv(40, 40);
    cv.clear(clWhite);
    cv.setPenColor(clBlack);
    cv.setBrushColor(clRed);
    cv.ellipse(10, 10, 30, 30);
    EXPECT_EQ(cv.pixel(20, 20), clRed);
    EXPECT_EQ(cv.pixel(10, 20), clBlack);
    EXPECT_EQ(cv.pixel(11, 11), clWhite);  // outside the circle, inside its box
    EXPECT_EQ(cv.pixel(30, 20), clWhite);

    cv.setPenStyle(PenStyle::Dot);
    cv.moveTo(0, 0);
    cv.lineTo(10, 0);
    int on = 0;
    for (int x = 0; x < 10; ++x) on += cv.pixel(x, 0) == clBlack;
    EXPECT_EQ(on, 5);
}

TEST(Canvas, TextIsDrawnInTheFontColourWithItsBackground) {
    Canvas cv(120, 40);
    cv.clear(clWhite);
    cv.setFontHeight(16);
    cv.setFontColor(clBlue);
    cv.setBrushColor(clYellow);
    const QString t = "震央 M7";
    EXPECT_GT(cv.textWidth(t), 30);
    EXPECT_GE(cv.textHeight(t), 16);
    cv.textOut(5, 5, t);
    EXPECT_EQ(cv.pixel(5, 5), clYellow);
    bool anyBlue = false;
    for (int y = 5; y < 5 + cv.textHeight(t); ++y)
        for (int x = 5; x < 5 + cv.textWidth(t); ++x) anyBlue |= cv.pixel(x, y) == clBlue;
    EXPECT_TRUE(anyBlue);
    EXPECT_EQ(cv.pixel(5 + cv.textWidth(t) + 2, 10), clWhite);
}

TEST(Canvas, ColourValuesKeepRedInTheLowByte) {
    EXPECT_EQ(rgb(255, 0, 0), 0x0000ffu);
    EXPECT_EQ(rgb(0, 0, 255), 0xff0000u);
    EXPECT_EQ(toQColor(rgb(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(fromQColor(QColor(1, 2, 3)), rgb(1, 2, 3));
}
