#include <gtest/gtest.h>

#include <cmath>

#include "core/map/SyntheticMap.h"
#include "sections/ThreeDimView.h"

using namespace kavelo;

namespace {

// Scales 1, no shift; rotation X at -100 turns the built-in half turn back to zero.
ViewControls unitView() {
    ViewControls v;
    v.alp = -100;
    v.posX = v.posY = 0;
    v.sclX = v.sclY = v.sclZ = 100;
    return v;
}

// Scales 0.5, 0.25, 0.2 and a shift (10, 20): any change of the product order shows.
ViewControls skewedView() {
    ViewControls v = unitView();
    v.sclX = 50;
    v.sclY = 25;
    v.sclZ = 20;
    v.posX = 10;
    v.posY = 20;
    return v;
}

// Expected matrix, rows top to bottom; entries written 0 must be within 1e-7 of it.
void expectMatrix(const ViewMatrix& m, const float (&e)[4][4]) {
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j) {
            if (e[i][j] == 0.0f)
                EXPECT_NEAR(m[i][j], 0.0f, 1e-7f) << i << "," << j;
            else
                EXPECT_FLOAT_EQ(m[i][j], e[i][j]) << i << "," << j;
        }
}

ProjectionGrid smallGrid() {
    // 3 rows x 4 columns, x = 1010 + 1000 c, y = 1510 + 1000 r.
    ProjectionGrid g;
    g.rows = 3;
    g.cols = 4;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) g.at(r, c) = PlanePoint{1010 + 1000 * c, 1510 + 1000 * r};
    return g;
}

}  // namespace

TEST(ViewMatrix, IdentityAndTheDefaultHalfTurn) {
    ViewMatrix m = buildViewMatrix(unitView());
    EXPECT_EQ(m, identityMatrix());  // exactly: the angle comes out as 0
    EXPECT_EQ(projectPoint(m, 2500, 2750, 2600, 2700, -50), (ScreenPoint{100, -50}));

    // Rotation X at 0 is a half turn about the x axis: north up on the picture, depth
    // along the line of sight (sin of the single-precision pi is 8.74e-8, not 0).
    ViewControls v = unitView();
    v.alp = 0;
    m = buildViewMatrix(v);
    expectMatrix(m, {{1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, -1, 0}, {0, 0, 0, 1}});
    EXPECT_NEAR(m[1][2], 8.742278e-8f, 1e-12f);
    EXPECT_FLOAT_EQ(m[2][1], -m[1][2]);
}

TEST(ViewMatrix, OneRotationAboutEachAxis) {
    // Z at 50: gamma = 90 degrees. S x Rz gives rows sx (cos, sin), sy (-sin, cos).
    ViewControls v = skewedView();
    v.gam = 50;
    expectMatrix(buildViewMatrix(v), {{0, 0.5f, 0, 0}, {-0.25f, 0, 0, 0}, {0, 0, 0.2f, 0}, {10, 20, 0, 1}});

    // X at -50: alpha = -90 degrees. Rows sy (0, cos, sin), sz (0, -sin, cos).
    v = skewedView();
    v.alp = -50;
    expectMatrix(buildViewMatrix(v), {{0.5f, 0, 0, 0}, {0, 0, -0.25f, 0}, {0, 0.2f, 0, 0}, {10, 20, 0, 1}});

    // Y at -50: beta = 90 degrees. Rows sx (cos, 0, -sin), sz (sin, 0, cos).
    v = skewedView();
    v.bet = -50;
    expectMatrix(buildViewMatrix(v), {{0, 0, -0.5f, 0}, {0, 0.25f, 0, 0}, {0.2f, 0, 0, 0}, {10, 20, 0, 1}});
}

TEST(ViewMatrix, ScaleComesFirstAndTheCentreLandsOnThePosition) {
    // M = S x R x T: row i of the rotation part has length s_i and the rows stay
    // perpendicular (with R x S the columns would carry the scales instead).
    ViewControls v;
    v.alp = 37;
    v.bet = -23;
    v.gam = 71;
    v.sclX = 30;
    v.sclY = 60;
    v.sclZ = 45;
    v.posX = 321;
    v.posY = 123;
    ViewMatrix m = buildViewMatrix(v);
    const double s[3] = {0.3, 0.6, 0.45};
    for (int i = 0; i < 3; ++i) {
        double len = 0, dot = 0;
        for (int k = 0; k < 3; ++k) {
            len += double(m[i][k]) * m[i][k];
            dot += double(m[i][k]) * m[(i + 1) % 3][k];
        }
        EXPECT_NEAR(std::sqrt(len), s[i], 1e-6) << i;
        EXPECT_NEAR(dot, 0.0, 1e-6) << i;
    }
    EXPECT_EQ(m[3][0], 321.0f);
    EXPECT_EQ(m[3][1], 123.0f);
    EXPECT_EQ(projectPoint(m, 1234, 2345, 1234, 2345, 0), (ScreenPoint{321, 123}));
}

TEST(ProjectPoint, CornersOfTheBoxPlanAndTilted) {
    std::vector<PlanePoint> outline = frameOutline(smallGrid());
    ViewControls v;  // defaults: plan view
    ViewMatrix m = buildViewMatrix(v);
    // Straight down: every plane's corners within a pixel of the surface corners.
    for (const PlanePoint& p : outline) {
        ScreenPoint top = projectPoint(m, kDefaultCentreX, kDefaultCentreY, p.x, p.y, 0);
        ScreenPoint deep = projectPoint(m, kDefaultCentreX, kDefaultCentreY, p.x, p.y, -600);
        EXPECT_LE(std::abs(top.x - deep.x), 1);
        EXPECT_LE(std::abs(top.y - deep.y), 1);
    }
    EXPECT_EQ(projectPoint(m, 2500, 2750, 1010, 1510, 0), (ScreenPoint{259, 373}));  // 468 - 208.6, 200 + 173.6
    EXPECT_EQ(projectPoint(m, 2500, 2750, 4010, 3510, 0), (ScreenPoint{679, 93}));   // 468 + 211.4, 200 - 106.4

    // Rotation X at 30 (54 degrees): y = -0.14 cos 54 (y - 2750) + 0.2 sin 54 depth + 200.
    v.alp = 30;
    m = buildViewMatrix(v);
    struct Corner {
        int x, y, z;
        ScreenPoint s;
    };
    for (const Corner& c : {Corner{1010, 1510, 0, {259, 302}}, Corner{1010, 1510, -600, {259, 399}},
                            Corner{4010, 1510, 0, {679, 302}}, Corner{4010, 1510, -600, {679, 399}},
                            Corner{1010, 3510, 0, {259, 137}}, Corner{1010, 3510, -600, {259, 234}},
                            Corner{4010, 3510, 0, {679, 137}}, Corner{4010, 3510, -600, {679, 234}}})
        EXPECT_EQ(projectPoint(m, 2500, 2750, c.x, c.y, c.z), c.s) << c.x << "," << c.y << "," << c.z;
}

TEST(ProjectPoint, TruncatesTowardZeroAndHoldsHugeValues) {
    ViewMatrix m = buildViewMatrix(unitView());
    EXPECT_EQ(projectPoint(m, 0, 0, -3, 0, 0), (ScreenPoint{-3, 0}));
    ViewControls v = unitView();
    v.sclX = 50;
    m = buildViewMatrix(v);
    EXPECT_EQ(projectPoint(m, 0, 0, -3, 0, 0).x, -1);  // -1.5 toward zero
    EXPECT_EQ(projectPoint(m, 0, 0, 3, 0, 0).x, 1);
    v.sclX = v.sclY = 100;
    m = buildViewMatrix(v);
    m[0][0] = 1e30f;
    EXPECT_EQ(projectPoint(m, 0, 0, 2000000000, 0, 0).x, std::numeric_limits<int>::max());
}

TEST(FrameOutline, RingAroundTheNodeGrid) {
    std::vector<PlanePoint> o = frameOutline(smallGrid());
    auto node = [](int r, int c) { return PlanePoint{1010 + 1000 * c, 1510 + 1000 * r}; };
    const std::vector<PlanePoint> expected{node(0, 0), node(0, 1), node(0, 2), node(0, 3),  // south, west to east
                                           node(0, 3), node(1, 3), node(2, 3),              // east, corner repeated
                                           node(2, 3), node(2, 2), node(2, 1),              // north, east to west
                                           node(2, 0), node(1, 0)};                         // west, north to south
    EXPECT_EQ(o, expected);
    EXPECT_EQ(frameOutline(mapfixture::conicGrid(14, 16)).size(), 58u);
    ProjectionGrid none;
    EXPECT_TRUE(frameOutline(none).empty());
}

TEST(ThreeDimView, ViewingSideDepthScaleAndTicks) {
    EXPECT_TRUE(viewedFromAbove(0, 0));
    EXPECT_TRUE(viewedFromAbove(50, -50));
    EXPECT_FALSE(viewedFromAbove(51, 0));
    EXPECT_FALSE(viewedFromAbove(0, -51));
    EXPECT_TRUE(viewedFromAbove(-51, 80));  // both beyond: from above again

    ViewControls v;
    ViewProjection p{buildViewMatrix(v), kDefaultCentreX, kDefaultCentreY};
    EXPECT_LE(depthScaleLength(p), 1);  // plan view
    v.alp = 30;
    p.m = buildViewMatrix(v);
    EXPECT_EQ(depthScaleLength(p), 97);  // 600 x 0.2 x sin 54 = 97.08
    v.alp = 0;
    v.gam = 40;  // a turn about the vertical leaves depth out of sight
    p.m = buildViewMatrix(v);
    EXPECT_LE(depthScaleLength(p), 1);

    // Ticks: 2 x 12 latitudes on the west and east edges, 2 x 14 longitudes on the
    // south and north edges, all on the usual 14 x 16 grid.
    const auto& ticks = edgeTicks();
    ASSERT_EQ(ticks.size(), 52u);
    EXPECT_EQ(ticks[0].lon1, 12200);
    EXPECT_EQ(ticks[0].lon2, 12220);
    EXPECT_EQ(ticks[12].lon1, 15140);
    EXPECT_EQ(ticks[12].lon2, 15200);
    EXPECT_EQ(ticks[24].lat1, 2400);
    EXPECT_EQ(ticks[38].lat2, 5000);
    MapProjection proj;
    proj.grid = mapfixture::conicGrid();
    for (const EdgeTick& t : ticks) {
        EXPECT_TRUE(proj.geoToMap(t.lon1, t.lat1).has_value()) << t.lon1 << " " << t.lat1;
        EXPECT_TRUE(proj.geoToMap(t.lon2, t.lat2).has_value()) << t.lon2 << " " << t.lat2;
    }
}
