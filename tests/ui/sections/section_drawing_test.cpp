#include <gtest/gtest.h>

#include <QRect>
#include <algorithm>
#include <memory>

#include "search/GreatCircle.h"
#include "sections/DepthChartDrawing.h"
#include "sections/MarkStamp.h"
#include "sections/RotateDrawing.h"
#include "sections/SectionDrawing.h"

using namespace kavelo;
using namespace kavelo::ui;

namespace {

struct OneQuake {
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    OneQuake(int lat, int lon, int depth, int mag, int date = 19900101) {
        EarthquakeRecord& r = (*cat)[0];
        r.date = date;
        r.lat = static_cast<int16_t>(lat);
        r.lon = static_cast<int16_t>(lon);
        r.depth = static_cast<int16_t>(depth);
        r.mag = static_cast<int16_t>(mag);
        cat->recordCount = 1;
        sel->setIdentity(1);
    }
};

// Bounding box of the pixels of one colour.
QRect boxOf(Canvas& c, TColor color) {
    QRect r;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == color) r = r.united(QRect(x, y, 1, 1));
    return r;
}

// A mark of radius r drawn at (x, y) covers x - r ... x + r - 1.
QRect markBox(int x, int y, int r) { return QRect(QPoint(x - r, y - r), QPoint(x + r - 1, y + r - 1)); }

DepthChartInput chartInput(const OneQuake& q) {
    DepthChartInput in;
    in.catalogue = q.cat.get();
    in.selection = q.sel.get();
    in.corners.p = {{{3500, 13900}, {3500, 14100}, {3700, 14100}, {3700, 13900}}};
    in.p1 = {3600, 13900};
    in.p2 = {3600, 14100};
    in.widthItem = "   1°";
    return in;
}

}  // namespace

TEST(DepthChartDrawing, AHypocentreLandsWhereTheScaleSays) {
    // Box 35-37N, 139-141E: 150 px per degree. M3.0 gives radius 4; 100 km is green.
    const OneQuake q(3530, 14015, 100, 30);
    Canvas L(385, 385), R(385, 385);
    drawDepthCharts(L, R, chartInput(q));
    EXPECT_EQ(boxOf(L, clGreen), markBox(135, 100, 4));
    EXPECT_EQ(boxOf(R, clGreen), markBox(247, 100, 4));
    EXPECT_EQ(L.pixel(134, 100), clWhite);  // open circle

    // Reversed latitude axis: 35.5N lies 75 px left of the right end at 360.
    DepthChartInput in = chartInput(q);
    in.options.invertLat = true;
    drawDepthCharts(L, R, in);
    EXPECT_EQ(boxOf(L, clGreen), markBox(285, 100, 4));
    EXPECT_EQ(boxOf(R, clGreen), markBox(247, 100, 4));

    // Colour switch off: black marks, no green anywhere.
    in.colorOn = false;
    drawDepthCharts(L, R, in);
    EXPECT_TRUE(boxOf(L, clGreen).isNull());
    EXPECT_EQ(L.pixel(285 - 4, 101), clBlack);  // row 100 carries the dotted 100 km line
}

TEST(DepthChartDrawing, AxesTicksAndGrid) {
    OneQuake q(3600, 14000, 600, 10);
    q.sel->selectionCount = 0;  // an empty selection still draws the frame
    Canvas L(385, 385), R(385, 385);
    DepthChartInput in = chartInput(q);
    drawDepthCharts(L, R, in);
    EXPECT_EQ(L.pixel(60, 50), clBlack);       // horizontal axis from x = 60
    EXPECT_EQ(L.pixel(359, 50), clBlack);      // ... to 360, end excluded
    EXPECT_EQ(L.pixel(360, 50), clWhite);
    EXPECT_EQ(L.pixel(50, 349), clBlack);      // depth axis down to 350
    EXPECT_EQ(L.pixel(210, 44), clBlack);      // tick at 36N
    EXPECT_EQ(R.pixel(210, 44), clBlack);      // tick at 140E
    EXPECT_EQ(L.pixel(45, 350), clGray);       // dotted 600 km line
    EXPECT_TRUE(boxOf(L, clGray).right() <= 359);
    // The footer's region text "(3600,13900) - (3600,14100)" ends inside the picture.
    int rightmost = 0;
    for (int y = 362; y < 385; ++y)
        for (int x = 0; x < 385; ++x)
            if (L.pixel(x, y) == clBlack) rightmost = std::max(rightmost, x);
    EXPECT_GT(rightmost, 330);
    EXPECT_LT(rightmost, 384);
    // The equal-distance scale adds the kilometre grid from the first tick downwards.
    in.options.equalDistance = true;
    drawDepthCharts(L, R, in);
    const DepthChartBox box = depthChartBox(in.corners);
    const DepthChartScale s = depthChartScale(box, in.options);
    const int x1 = latitudeTicks(s, box).at(0).x;
    EXPECT_EQ(L.pixel(x1, 100), clGray);
    EXPECT_EQ(L.pixel(x1, 330), clWhite);  // the left chart's grid ends at 330
    const int xr = longitudeTicks(s, box).at(0).x;
    EXPECT_EQ(R.pixel(xr, 332), clGray);   // the right one reaches 350
}

TEST(SectionDrawing, AHypocentreLandsAtItsDistanceAndDepth) {
    // East-west line along 38N from 139E; the hypocentre at 140.5E, 200 km deep.
    const OneQuake q(3800, 14030, 200, 30);
    SectionInput in;
    in.catalogue = q.cat.get();
    in.selection = q.sel.get();
    in.p1 = in.start = {3800, 13900};
    in.p2 = in.end = {3800, 14200};
    in.widthItem = "　30'";
    in.marks.markStyle = kMarkHollow;
    Canvas c(kSectionWidth, kSectionHeight);
    drawCrossSection(c, in);
    const int x = static_cast<int>(0.01 * greatCircleKm(38, 140.5f, 38, 139) * 50 + 60);
    // 200 km opens the 200-600 km class: lime.
    EXPECT_EQ(boxOf(c, clLime), markBox(x, 230, 4));

    // x2 across, x5 down, reversed.
    in.horizontalItem = 1;
    in.verticalItem = 2;
    in.reversed = true;
    const SectionGeometry g = drawCrossSection(c, in);
    const double d = greatCircleKm(38, 140.5f, 38, 139);
    const int xr = static_cast<int>(g.origin() - 0.01 * d * 100);
    EXPECT_EQ(boxOf(c, clLime), markBox(xr, 130 + 500, 4).intersected(QRect(0, 0, 905, 465)));

    // Filled marks: the depth colour inside a black outline.
    in.reversed = false;
    in.verticalItem = 0;
    in.marks.markStyle = kMarkFilled;
    drawCrossSection(c, in);
    const int xf = static_cast<int>(0.01 * d * 100 + 60);
    EXPECT_EQ(c.pixel(xf, 230), clLime);
    EXPECT_EQ(c.pixel(xf - 4, 230), clBlack);

    // No zone yet: the axes only, no marks measured from (0, 0).
    in.p1 = in.p2 = in.start = in.end = {};
    drawCrossSection(c, in);
    EXPECT_TRUE(boxOf(c, clLime).isNull());
}

TEST(RotateDrawing, XorMarksAndNeedleEraseExactly) {
    Canvas section(kRotateImageSize, kRotateImageSize), dial(kRotateDialWidth, kRotateDialHeight);
    drawRotateGrid(section, dial);
    const QImage sectionBefore = section.image().copy();
    const QImage dialBefore = dial.image().copy();

    // Three marks over the grid lines, one before 1885 (black).
    auto cat = std::make_unique<Catalogue>();
    const int16_t pos[3][3] = {{3500, 14000, 100}, {3530, 14100, 0}, {3430, 13900, 300}};
    for (int i = 0; i < 3; ++i) {
        EarthquakeRecord& r = (*cat)[i];
        r.date = i == 2 ? 18500101 : 19900101;
        r.lat = pos[i][0], r.lon = pos[i][1], r.depth = pos[i][2];
        r.mag = static_cast<int16_t>(50 + 10 * i);
    }
    cat->recordCount = 3;
    const int32_t list[3] = {0, 1, 2};
    const auto marks = rotateMarks(*cat, list, 3, 30, 35.0f, 140.0f, RotateMarkStyle{});
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].x, 192);  // the centre itself
    EXPECT_EQ(marks[0].y, 100);
    EXPECT_EQ(marks[2].pen, clBlack ^ clWhite);
    drawRotateMarks(section, marks);
    EXPECT_NE(section.image(), sectionBefore);
    // On white the XOR pen shows the depth colour (100 km: green).
    EXPECT_EQ(section.pixel(192 - markRadius(50, {}), 100 + 1), clGreen);
    drawRotateMarks(section, marks);
    EXPECT_EQ(section.image(), sectionBefore);

    drawDialNeedle(dial, 37);
    EXPECT_NE(dial.image(), dialBefore);
    drawDialNeedle(dial, 37);
    EXPECT_EQ(dial.image(), dialBefore);
}

TEST(MarkStamps, SamePixelsAsTheCanvasEllipse) {
    MarkStamps stamps;
    for (int r = 1; r <= 30; ++r) {
        for (const QPoint p : {QPoint(100, 100), QPoint(3, 190), QPoint(198, -2), QPoint(57, 61)}) {
            Canvas a(200, 200), b(200, 200);
            a.setBrushStyle(BrushStyle::Clear);
            a.setPenColor(clRed);
            a.ellipsePixels(p.x() - r, p.y() - r, p.x() + r, p.y() + r);
            stamps.draw(b.pixels(), p.x(), p.y(), r, clRed);
            ASSERT_EQ(a.image(), b.image()) << "r " << r << " at " << p.x() << "," << p.y();
        }
    }
}
