#include <gtest/gtest.h>

#include <QImage>

#include "ui/UiFixture.h"
#include "widgets/TMyGraph.h"

using namespace kavelo::ui;
using namespace kavelo::test;

TEST(TMyGraph, PublishedPropertiesStartValues) {
    TMyGraph g;
    EXPECT_EQ(g.property("NGridX").toInt(), 4);
    EXPECT_EQ(g.property("WidthX").toInt(), 250);
    EXPECT_EQ(g.property("OriginY").toInt(), 270);
    EXPECT_TRUE(g.property("LinearY").toBool());
    EXPECT_FLOAT_EQ(g.property("VValueX").toFloat(), 5.0f);
    EXPECT_FLOAT_EQ(g.property("VValueY").toFloat(), 10.0f);
    EXPECT_FALSE(g.property("OverWrite").toBool());
    EXPECT_EQ(g.property("SubY").toInt(), 5);
    EXPECT_EQ(g.property("TitleX").toString(), "TitleX [unit]");
    EXPECT_EQ(g.canvas().width(), 300);
    EXPECT_EQ(g.canvas().height(), 300);
}

TEST(TMyGraph, FrameMarksAndScales) {
    UiFixture fx;
    TMyGraph g;
    const float x[] = {0, 7, 30};
    const float y[] = {0, 35, 20};
    g.XScaleUnit(2, x);
    EXPECT_FLOAT_EQ(g.VValueX, 2.0f);
    g.YScaleUnit(2, y);
    EXPECT_FLOAT_EQ(g.VValueY, 10.0f);
    g.DrawWaku();
    Canvas& c = g.canvas();
    EXPECT_EQ(c.pixel(35, 200), clBlack);              // left frame line
    EXPECT_EQ(c.pixel(35 + 62, 150), clBlack);         // first major line
    EXPECT_EQ(c.pixel(35 + 4 * 62, 100), clBlack);     // right frame
    c.setPenColor(clRed);
    c.setBrushColor(clRed);
    g.PlotGraph(3, x, y, 2, 3);
    // (7, 35): x = 7/2*62 + 35 = 252, y = 270 - 35/10*62 = 53.
    EXPECT_EQ(c.pixel(252, 53), clRed);
    // (30, 20) lies right of the plot: not drawn.
    EXPECT_NE(c.pixel(35 + 15 * 62, 270 - 124), clRed);

    const float neg[] = {-3, 7};
    g.NGridX = 5;
    g.XScaleUnit1(2, neg);
    EXPECT_EQ(g.NGridX, 6);
    EXPECT_FLOAT_EQ(g.SValueX, -7.5f);

    // A logarithmic axis from 0 is reported; the program goes on.
    g.LinearY = false;
    g.SValueY = 0;
    g.DrawWaku();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].caption, "Y Scale Error");
    char buf[20];
    g._round_number(0.99991f, buf);
    EXPECT_STREQ(buf, "1");
}

TEST(TMyGraph, SavePngWritesThePicture) {
    UiFixture fx;
    TMyGraph g;
    g.Clear(clWhite);
    g.canvas().setBrushColor(rgb(0, 128, 0));
    g.canvas().fillRect(10, 10, 20, 20);
    const QString file = QString::fromStdString(fx.dir.file("g.png"));
    ASSERT_TRUE(g.Save_PNG(file));
    QImage back(file);
    ASSERT_EQ(back.size(), QSize(300, 300));
    EXPECT_EQ(back.pixel(15, 15), qRgb(0, 128, 0));
    EXPECT_EQ(back.pixel(25, 25), qRgb(255, 255, 255));
    EXPECT_FALSE(g.Save_PNG("/nonexistent-dir/x.png"));
    EXPECT_EQ(fx.messages.size(), 1u);
}

TEST(TMyGraph, LinesAndMarksAreClippedToThePlotFrame) {
    UiFixture fx;
    TMyGraph g;
    g.SValueX = 0;
    g.VValueX = 1;
    g.SValueY = 0;
    g.VValueY = 1;
    g.DrawWaku();
    Canvas& c = g.canvas();
    const QRect frame = g.plotFrame();
    EXPECT_EQ(frame, QRect(35, 270 - 4 * 62, 4 * 62 + 1, 4 * 62 + 1));
    c.setPenColor(clRed);
    c.setBrushColor(clRed);
    // A line from inside the frame to far above it, and marks on and beyond the top edge.
    const float x[] = {1, 2, 3};
    const float y[] = {1, 9, 4.2f};
    g.DrawGraph(3, x, y);
    g.PlotGraph(3, x, y, 0, 6);
    int outside = 0, inside = 0;
    for (int py = 0; py < c.height(); ++py)
        for (int px = 0; px < c.width(); ++px)
            if (c.pixel(px, py) == clRed) (frame.contains(px, py) ? inside : outside)++;
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 100);
    // Drawing outside the graph calls is not clipped.
    c.moveTo(2, 2);
    c.lineTo(20, 2);
    EXPECT_EQ(c.pixel(10, 2), clRed);
}
