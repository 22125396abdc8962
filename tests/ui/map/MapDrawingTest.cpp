#include <gtest/gtest.h>

#include <memory>

#include "core/map/SyntheticMap.h"
#include "map/MapDrawing.h"

using namespace kavelo;
using namespace kavelo::ui;

namespace {

struct DrawFixture : ::testing::Test {
    MapProjection proj;
    CoastLines coasts;
    MapColors colors;
    BaseMapOptions opt;
    Canvas canvas{kMapImageWidth, kMapImageHeight};
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();

    DrawFixture() {
        proj.grid = mapfixture::conicGrid();
        coasts[0].points = mapfixture::island(35.0, 137.0, 150);  // one square island
    }

    void baseMap() {
        fillBackground(canvas, colors.seaColor);
        drawCoast(canvas, proj, coasts, colors, opt);
        drawGraticule(canvas, proj, colors, opt);
    }
    void finish() {
        drawFrame(canvas, proj.frame);
        if (opt.gridDivision != kGridDivisionNone) drawGraticuleLabels(canvas, proj);
    }
    TColor at(int x, int y) { return canvas.pixel(x, y); }
    TColor at(ScreenPoint p) { return canvas.pixel(p.x, p.y); }

    void addRecord(int lon, int lat, int mag, int depth, int date = 20000101) {
        EarthquakeRecord& r = (*cat)[cat->recordCount];
        r.lon = static_cast<int16_t>(lon);
        r.lat = static_cast<int16_t>(lat);
        r.mag = static_cast<int16_t>(mag);
        r.depth = static_cast<int16_t>(depth);
        r.date = date;
        (*sel)[sel->selectionCount++] = cat->recordCount++;
    }
};

}  // namespace

TEST_F(DrawFixture, BaseMapSeaLandFrameAndMargins) {
    opt.gridDivision = kGridDivisionNone;
    baseMap();
    finish();
    EXPECT_EQ(at(100, 500), colors.seaColor);
    EXPECT_EQ(at(*proj.geoToScreen(13700, 3500)), colors.landColor);
    // White margins outside the frame, a black frame on its edges.
    for (auto [x, y] : {std::pair{5, 5}, {30, 300}, {700, 300}, {360, 590}, {715, 595}}) EXPECT_EQ(at(x, y), clWhite) << x << "," << y;
    EXPECT_EQ(at(60, 300), clBlack);
    EXPECT_EQ(at(360, 550), clBlack);
    EXPECT_EQ(at(360, 50), clBlack);
    EXPECT_EQ(at(660, 300) == clBlack || at(659, 300) == clBlack, true);
}

TEST_F(DrawFixture, NothingLeaksPastTheFrame) {
    // Graticule and a coast crossing every edge: outside the frame only white and the
    // black frame remain, also on the row and column just outside it.
    opt.gridDivision = 5;
    coasts[1].points = {{-3000, 1500}, {6000, 1500}, {6000, 1600}, {-3000, 1600}};
    coasts[2].points = {{1800, -3000}, {1900, -3000}, {1900, 6000}, {1800, 6000}};
    baseMap();
    finish();
    auto outsideOk = [&](int x, int y) { return at(x, y) == clWhite || at(x, y) == clBlack; };
    for (int x = 0; x < kMapImageWidth; ++x) {
        EXPECT_TRUE(outsideOk(x, 49)) << x;
        EXPECT_TRUE(outsideOk(x, 551)) << x;
    }
    for (int y = 0; y < kMapImageHeight; ++y) {
        EXPECT_TRUE(outsideOk(59, y)) << y;
        EXPECT_TRUE(outsideOk(661, y)) << y;
    }
}

TEST_F(DrawFixture, CoastChoicesAndLandNone) {
    ScreenPoint centre = *proj.geoToScreen(13700, 3500);
    opt.gridDivision = kGridDivisionNone;
    opt.coastWidthChoice = 3;  // "0": no coast, no land
    baseMap();
    EXPECT_EQ(at(centre), colors.seaColor);
    opt.coastWidthChoice = 0;
    opt.fillLand = false;  // outline only, open: the closing edge is missing
    baseMap();
    EXPECT_EQ(at(centre), colors.seaColor);
    auto corners = mapfixture::island(35.0, 137.0, 150);
    ScreenPoint a = proj.mapToScreen(corners[0]), b = proj.mapToScreen(corners[1]);
    ScreenPoint d = proj.mapToScreen(corners[3]);
    EXPECT_EQ(at((a.x + b.x) / 2, a.y), colors.coastColor);  // first edge drawn
    EXPECT_EQ(at(a.x, (a.y + d.y) / 2), colors.seaColor);    // closing edge not drawn
    opt.colorOn = false;
    baseMap();
    EXPECT_EQ(at((a.x + b.x) / 2, a.y), clBlack);
}

TEST_F(DrawFixture, GraticuleMajorAndSubLines) {
    opt.gridDivision = 5;  // 10 minutes
    coasts[0].points.clear();
    baseMap();
    // The 36N parallel at 137E is a main line; 35 10N a sub line.
    ScreenPoint major = *proj.geoToScreen(13700, 3600);
    EXPECT_TRUE(at(major) == colors.gridColor || at(major.x, major.y + 1) == colors.gridColor ||
                at(major.x, major.y - 1) == colors.gridColor);
    ScreenPoint minor = *proj.geoToScreen(13705, 3510);  // between two meridian lines
    bool sub = false;
    for (int dy = -1; dy <= 1; ++dy) sub = sub || at(minor.x, minor.y + dy) == colors.subGridColor;
    EXPECT_TRUE(sub);
}

TEST_F(DrawFixture, MarksColouredByDepthAndBlackBefore1885) {
    opt.gridDivision = kGridDivisionNone;
    coasts[0].points.clear();
    addRecord(13000, 3000, 50, 30);               // filled, Blue class
    addRecord(14000, 4000, 50, 650);              // Lime with six classes
    addRecord(13500, 3200, 50, 10, 18841231);     // before 1885: black
    addRecord(13300, 3300, 50, 10, 18850101);     // from 1885: Aqua
    PlotStyle style;
    style.marks.markStyle = kMarkFilled;
    style.depth.classCount = 6;
    baseMap();
    int last = -1;
    plotSelection(canvas, proj, *cat, *sel, style, proj.visibleBounds(200), [&](int i) { last = i; });
    finish();
    EXPECT_EQ(last, 0);
    EXPECT_EQ(at(*proj.geoToScreen(13000, 3000)), clBlue);
    EXPECT_EQ(at(*proj.geoToScreen(14000, 4000)), clLime);
    EXPECT_EQ(at(*proj.geoToScreen(13500, 3200)), clBlack);
    EXPECT_EQ(at(*proj.geoToScreen(13300, 3300)), clAqua);
    // A large filled mark has a black outline.
    ScreenPoint s = *proj.geoToScreen(13000, 3000);
    int r = markRadius(50, style.marks);
    bool blackRing = false;
    for (int dx = r - 1; dx <= r + 1; ++dx) blackRing = blackRing || at(s.x + dx, s.y) == clBlack;
    EXPECT_TRUE(blackRing);
    // Hollow marks leave the centre as it was.
    style.marks.markStyle = kMarkHollow;
    baseMap();
    plotSelection(canvas, proj, *cat, *sel, style, proj.visibleBounds(200));
    EXPECT_EQ(at(s), colors.seaColor);
}

TEST_F(DrawFixture, VisibleBoxDropsRecordsOnItsUpperEdges) {
    opt.gridDivision = kGridDivisionNone;
    coasts[0].points.clear();
    addRecord(13400, 3400, 40, 10);  // on latMin / lonMin: drawn
    addRecord(13600, 3500, 40, 10);  // on lonMax: not drawn
    addRecord(13500, 3600, 40, 10);  // on latMax: not drawn
    PlotStyle style;
    style.marks.markStyle = kMarkFilled;
    baseMap();
    plotSelection(canvas, proj, *cat, *sel, style, GeoBounds{3400, 3600, 13400, 13600});
    EXPECT_EQ(at(*proj.geoToScreen(13400, 3400)), clAqua);
    EXPECT_EQ(at(*proj.geoToScreen(13600, 3500)), colors.seaColor);
    EXPECT_EQ(at(*proj.geoToScreen(13500, 3600)), colors.seaColor);
}

TEST_F(DrawFixture, XorLineDrawnTwiceRestoresThePicture) {
    opt.gridDivision = 3;
    baseMap();
    finish();
    QImage before = canvas.image().copy();
    canvas.setPenMode(PenMode::Xor);
    canvas.setPenWidth(2);
    canvas.setPenColor(rgb(0, 255, 255));
    drawGeoLine(canvas, proj, 13000, 3000, 14200, 4100);
    EXPECT_NE(canvas.image(), before);
    drawGeoLine(canvas, proj, 13000, 3000, 14200, 4100);
    canvas.setPenMode(PenMode::Copy);
    EXPECT_EQ(canvas.image(), before);
}

TEST_F(DrawFixture, RangeCircleIsDottedBlueWithACross) {
    opt.gridDivision = kGridDivisionNone;
    coasts[0].points.clear();
    baseMap();
    drawRangeCircle(canvas, proj, 13700, 3500, 200.0);
    ScreenPoint c = *proj.geoToScreen(13700, 3500);
    EXPECT_EQ(at(c), clBlue);
    EXPECT_EQ(at(c.x - 4, c.y), clBlue);
    EXPECT_EQ(at(c.x + 5, c.y), colors.seaColor);  // line end excluded
    int blue = 0;
    for (int y = 0; y < kMapImageHeight; ++y)
        for (int x = 0; x < kMapImageWidth; ++x) blue += at(x, y) == clBlue ? 1 : 0;
    EXPECT_GT(blue, 60);
    // Off the grid nothing is drawn.
    baseMap();
    QImage before = canvas.image().copy();
    drawRangeCircle(canvas, proj, 12000, 3500, 200.0);
    EXPECT_EQ(canvas.image(), before);
}

TEST(PixelEllipse, BoxConventionOutlineAndXor) {
    Canvas c(40, 40);
    c.clear(clWhite);
    c.setPenColor(clBlack);
    c.setBrushColor(clRed);
    c.setBrushStyle(BrushStyle::Solid);
    c.ellipsePixels(10, 10, 20, 20);  // right and bottom edges excluded
    EXPECT_EQ(c.pixel(15, 15), clRed);
    EXPECT_EQ(c.pixel(10, 15), clBlack);
    EXPECT_EQ(c.pixel(19, 15), clBlack);
    EXPECT_EQ(c.pixel(20, 15), clWhite);
    EXPECT_EQ(c.pixel(15, 20), clWhite);
    EXPECT_EQ(c.pixel(10, 10), clWhite);  // corners of the box stay outside
    c.ellipsePixels(29, 29, 31, 31);      // radius 1: a 2 x 2 dot
    EXPECT_EQ(c.pixel(29, 29), clBlack);
    EXPECT_EQ(c.pixel(30, 30), clBlack);
    QImage before = c.image().copy();
    c.setPenMode(PenMode::Xor);
    c.setPenWidth(2);
    c.ellipsePixels(5, 5, 35, 30);
    EXPECT_NE(c.image(), before);
    c.ellipsePixels(5, 5, 35, 30);
    EXPECT_EQ(c.image(), before);
    c.setPenMode(PenMode::Copy);
    c.ellipsePixels(-50, -50, 100, 100);  // far beyond the picture: clipped, no crash
    c.ellipsePixels(30, 30, 30, 40);      // empty box
}
