#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/map/SyntheticMap.h"
#include "sections/ThreeDimDrawing.h"

using namespace kavelo;
using namespace kavelo::ui;

namespace {

struct ThreeDimDraw : ::testing::Test {
    MapProjection proj;
    CoastLines coasts;
    std::vector<PlanePoint> outline;
    Canvas canvas{kThreeDimImageWidth, kThreeDimImageHeight};
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    HypocentreStyle style;
    ViewControls controls;
    ThreeDimScene scene;

    ThreeDimDraw() {
        proj.grid = mapfixture::conicGrid();
        coasts[0].points = mapfixture::island(35.0, 137.0, 150);
        outline = frameOutline(proj.grid);
        style.depth.classCount = 6;
    }
    void setView() {
        scene.view = ViewProjection{buildViewMatrix(controls), kDefaultCentreX, kDefaultCentreY};
        scene.fromAbove = viewedFromAbove(controls.alp, controls.bet);
        scene.outline = &outline;
        scene.coasts = &coasts;
        scene.proj = &proj;
    }
    void draw() {
        setView();
        drawBackgroundScene(canvas, scene);
        drawHypocentres(canvas, scene, *cat, *sel, style);
    }
    void add(int lon, int lat, int depth, int mag) {
        EarthquakeRecord& r = (*cat)[cat->recordCount];
        r.date = 20000101;
        r.lon = static_cast<int16_t>(lon);
        r.lat = static_cast<int16_t>(lat);
        r.depth = static_cast<int16_t>(depth);
        r.mag = static_cast<int16_t>(mag);
        (*sel)[sel->selectionCount++] = cat->recordCount++;
    }
    // Where the orthographic view puts plane point (x, y) at depth d for a tilt of
    // rotation X alone, written out in double precision.
    ScreenPoint tilted(PlanePoint p, int depth) const {
        const double pi = 3.141592653589793;
        const double alpha = -controls.alp * 0.01 * pi - pi;
        const double sx = controls.sclX * 0.01, sy = controls.sclY * 0.01, sz = controls.sclZ * 0.01;
        const double a = p.x - kDefaultCentreX, b = p.y - kDefaultCentreY, c = -depth;
        return ScreenPoint{static_cast<int>(a * sx + controls.posX),
                           static_cast<int>(b * sy * std::cos(alpha) - c * sz * std::sin(alpha) + controls.posY)};
    }
    TColor at(int x, int y) { return canvas.pixel(x, y); }
    int count(TColor c) {
        int n = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) n += canvas.pixel(x, y) == c ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(ThreeDimDraw, HypocentreAtItsDepthInItsDepthColour) {
    controls.alp = 30;  // tilted 54 degrees: depth runs down the picture
    add(14000, 3800, 100, 50);  // 140E 38N, 100 km, M5.0: radius 12, halved 6
    draw();
    const PlanePoint p = *proj.geoToMap(14000, 3800);
    const ScreenPoint h = tilted(p, 100);
    const ScreenPoint s = tilted(p, 0);
    ASSERT_GT(h.y - s.y, 15);  // 100 km x 0.2 x sin 54 = 16 pixels lower
    EXPECT_EQ(at(h.x, h.y), clGreen);  // 80-199 km
    EXPECT_EQ(at(h.x - 3, h.y + 2), clGreen);
    EXPECT_EQ(at(h.x, h.y - 6), clBlack);  // outline
    EXPECT_NE(at(h.x, h.y - 8), clGreen);
    EXPECT_NE(at(s.x, s.y), clGreen);
    EXPECT_NE(at(s.x, s.y), clGray);  // no drop line unless asked for

    style.dropLines = true;
    draw();
    EXPECT_EQ(at(s.x, s.y), clGray);
    EXPECT_NE(at(s.x, s.y + 1), clGray);  // dotted
    EXPECT_EQ(at(s.x, s.y + 2), clGray);
    EXPECT_EQ(at(h.x, h.y), clGreen);  // disc over its line

    style.depthColors = false;
    draw();
    EXPECT_EQ(at(h.x, h.y), clRed);
}

TEST_F(ThreeDimDraw, PlanViewSmallMarksAndSkippedRecords) {
    add(13000, 3000, 30, 10);  // M1.0: radius 1, halved to 0, kept at 1
    add(14400, 4400, 0, 70);   // depth 0: not drawn
    add(12100, 3000, 50, 70);  // west of the grid: not drawn
    draw();
    const ScreenPoint h = scene.view(proj.geoToMap(13000, 3000)->x, proj.geoToMap(13000, 3000)->y, -30);
    const ScreenPoint s = scene.view(proj.geoToMap(13000, 3000)->x, proj.geoToMap(13000, 3000)->y, 0);
    EXPECT_LE(std::abs(h.x - s.x) + std::abs(h.y - s.y), 1);  // plan view: on its surface point
    for (int dy : {-1, 0})
        for (int dx : {-1, 0}) EXPECT_EQ(at(h.x + dx, h.y + dy), clBlue) << dx << "," << dy;  // outlined in its colour
    EXPECT_EQ(count(clBlue), 4);
    // Nothing else but scene colours: no Red (40-59 km) disc from the record west of the grid,
    // no disc for the depth-0 record (Aqua).
    EXPECT_EQ(count(clRed), 0);
    EXPECT_EQ(count(clAqua), 0);
    const ScreenPoint zero = scene.view(proj.geoToMap(14400, 4400)->x, proj.geoToMap(14400, 4400)->y, 0);
    EXPECT_EQ(at(zero.x, zero.y), rgb(204, 255, 255));
}

TEST_F(ThreeDimDraw, LandOverHypocentresOnlyWhenSeenFromAbove) {
    add(13700, 3500, 10, 50);  // under the island's middle
    draw();
    const PlanePoint p = *proj.geoToMap(13700, 3500);
    ScreenPoint h = scene.view(p.x, p.y, -10);
    EXPECT_EQ(at(h.x, h.y), clYellow);  // painted land covers it

    style.paintLand = false;
    draw();
    EXPECT_EQ(at(h.x, h.y), clAqua);  // land outlined only: the disc shows

    // Rotation X beyond 50: seen from below, the pale land drawn before the discs is
    // not drawn again over them.
    style.paintLand = true;
    controls.alp = 100;
    draw();
    ASSERT_FALSE(scene.fromAbove);
    h = scene.view(p.x, p.y, -10);
    EXPECT_EQ(at(h.x, h.y), clAqua);
}

TEST_F(ThreeDimDraw, PlaneOrderFromAboveAndFromBelow) {
    const PlanePoint sea = *proj.geoToMap(14400, 4400);  // inside the outline, off the island
    const PlanePoint land = *proj.geoToMap(13700, 3500);
    draw();
    ScreenPoint s = scene.view(sea.x, sea.y, 0), l = scene.view(land.x, land.y, 0);
    EXPECT_EQ(at(s.x, s.y), rgb(204, 255, 255));  // the surface over the deeper planes
    EXPECT_EQ(at(l.x, l.y), clYellow);
    EXPECT_EQ(at(700, 680), clWhite);  // outside every plane

    controls.alp = 100;  // from below, straight up: the deep planes cover surface and land
    setView();
    drawBackgroundScene(canvas, scene);
    s = scene.view(sea.x, sea.y, 0);
    l = scene.view(land.x, land.y, 0);
    EXPECT_EQ(at(s.x, s.y), rgb(250, 253, 251)) << s.x << "," << s.y;
    EXPECT_EQ(at(l.x, l.y), rgb(250, 253, 251));
    EXPECT_EQ(count(rgb(204, 255, 255)), 0);
    EXPECT_EQ(count(clYellow), 0);
}

TEST_F(ThreeDimDraw, DepthScaleCentreCrossAndTicks) {
    controls.alp = 30;
    setView();
    drawBackgroundScene(canvas, scene);
    EXPECT_EQ(at(10, 30), clBlack);  // bar of 97 pixels from y = 25
    EXPECT_EQ(at(10, 120), clBlack);
    EXPECT_NE(at(10, 125), clBlack);
    EXPECT_EQ(at(15, 25 + 97 / 3), clBlack);  // 200 km tick
    EXPECT_EQ(at(15, 25 + 2 * 97 / 3), clBlack);

    drawCentreCross(canvas, scene.view);
    EXPECT_EQ(at(468 + 25, 200), clRed);
    EXPECT_EQ(at(468, 200 - 25), clRed);
    EXPECT_EQ(at(468 - 30, 200), clRed);
    EXPECT_NE(at(468 + 30, 200), clRed);  // the end pixel is left out

    // A tick at 36N on the west edge: black, from 122E 00' towards 122E 20'.
    const PlanePoint a = *proj.geoToMap(12200, 3600);
    const ScreenPoint t = scene.view(a.x, a.y, 0);
    EXPECT_EQ(at(t.x, t.y), clBlack);

    controls.alp = 0;  // plan view: the bar is at most a pixel long
    setView();
    drawBackgroundScene(canvas, scene);
    EXPECT_NE(at(10, 40), clBlack);
}

TEST_F(ThreeDimDraw, LandStopsAtTheEdgeOfTheMapRegion) {
    // An island across the west edge (122E): only its part over the surface plane shows.
    const PlanePoint c = mapfixture::conicPoint(35.0, 122.0);
    coasts[1].points = mapfixture::island(35.0, 122.0, 150);
    controls.alp = 20;
    draw();
    const ScreenPoint out = scene.view(c.x - 100, c.y, 0), in = scene.view(c.x + 100, c.y, 0);
    EXPECT_EQ(at(out.x, out.y), clWhite) << out.x << "," << out.y;
    EXPECT_EQ(at(in.x, in.y), clYellow);
}
