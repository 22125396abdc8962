#include <gtest/gtest.h>

#include <cmath>

#include "sections/DepthChart.h"

using namespace kavelo;

namespace {
// Corners in the builder's order for an axis-parallel box (A south-east of the west end).
ZoneCorners boxCorners(int latS, int latN, int lonW, int lonE) {
    ZoneCorners z;
    z.p[0] = {latS, lonW};  // A
    z.p[1] = {latS, lonE};  // B
    z.p[2] = {latN, lonE};  // C
    z.p[3] = {latN, lonW};  // D
    return z;
}
}  // namespace

TEST(DepthChartBox, TakesTheExtremeCornersWhicheverWayTheZoneLeans) {
    // Rising to the north-east: A is the southernmost corner, D the westernmost.
    ZoneCorners ne;
    ne.p = {{{3400, 13530}, {3600, 14030}, {3700, 13930}, {3500, 13430}}};
    DepthChartBox b = depthChartBox(ne);
    EXPECT_EQ(b.latMin, 3400);
    EXPECT_EQ(b.latMax, 3700);
    EXPECT_EQ(b.lonMin, 13430);
    EXPECT_EQ(b.lonMax, 14030);
    // Falling to the south-east: B is the southernmost, A the westernmost.
    ZoneCorners se;
    se.p = {{{3630, 13500}, {3430, 14000}, {3530, 14100}, {3730, 13600}}};
    b = depthChartBox(se);
    EXPECT_EQ(b.latMin, 3430);
    EXPECT_EQ(b.latMax, 3730);
    EXPECT_EQ(b.lonMin, 13500);
    EXPECT_EQ(b.lonMax, 14100);
    EXPECT_FLOAT_EQ(b.latS, 34.5f);
    EXPECT_FLOAT_EQ(b.lonE, 141.0f);
}

TEST(DepthChartBox, NorthSouthZoneFromItsNorthernEndKeepsItsTicks) {
    // Built from the north: the offset side is east, so A lies east and C west.
    ZoneCorners z;
    z.p = {{{3800, 14100}, {3500, 14100}, {3500, 13900}, {3800, 13900}}};
    const DepthChartBox b = depthChartBox(z);
    EXPECT_EQ(b.lonMin, 13900);
    EXPECT_EQ(b.lonMax, 14100);
    EXPECT_LT(b.lonW, b.lonE);
    const DepthChartScale s = depthChartScale(b, {});
    const auto ticks = longitudeTicks(s, b);
    ASSERT_EQ(ticks.size(), 1u);  // 140 (2-degree steps below 5 degrees)
    EXPECT_EQ(ticks[0].label, 140);
}

TEST(DepthChartScale, DegreeScaleFitsTheLargerRangeInto300Pixels) {
    // Equal ranges: the latitude range decides.
    DepthChartBox b = depthChartBox(boxCorners(3500, 3700, 13900, 14100));
    DepthChartScale s = depthChartScale(b, {});
    EXPECT_DOUBLE_EQ(s.sLat, 150.0);
    EXPECT_DOUBLE_EQ(s.sLon, 150.0);
    EXPECT_EQ(s.extLat, 300);
    EXPECT_EQ(s.extLon, 300);
    // Wider in longitude: 4 degrees span 300 pixels, latitude gets the same scale.
    b = depthChartBox(boxCorners(3500, 3700, 13800, 14200));
    s = depthChartScale(b, {});
    EXPECT_DOUBLE_EQ(s.sLon, 75.0);
    EXPECT_EQ(s.extLat, 150);
    EXPECT_EQ(lonAxisEnd(s, b), 360);
}

TEST(DepthChartScale, EqualDistanceScaleAt35North) {
    const DepthChartBox b = depthChartBox(boxCorners(3430, 3530, 13900, 14000));  // centred on 35N
    const DepthChartScale s = depthChartScale(b, {true, false, false});
    EXPECT_NEAR(s.kmLat, 1.112, 0.001);
    EXPECT_NEAR(s.kmLon, 0.911, 0.001);
    EXPECT_EQ(s.extLat, 55);  // 50 px per 100 km, 111.2 km
    EXPECT_NEAR(static_cast<double>(s.extLon) / s.extLat, 0.82, 0.02);
}

TEST(DepthChartScale, ReversedAxisPutsTheMinimumAtTheRightEnd) {
    const DepthChartBox b = depthChartBox(boxCorners(3500, 3700, 13900, 14100));
    const DepthChartScale s = depthChartScale(b, {false, true, false});
    EXPECT_EQ(s.xLat0, 360);
    EXPECT_EQ(s.xLon0, 60);
    EXPECT_EQ(latAxisEnd(s, b), 360);  // the axis still spans 60 ... 360
    EXPECT_EQ(latChartX(s, b, 35.0f), 360);
    EXPECT_EQ(latChartX(s, b, 36.0f), 210);
    EXPECT_EQ(latChartX(s, b, 37.0f), 60);
    EXPECT_EQ(lonChartX(s, b, 140.0f), 210);
    const auto ticks = latitudeTicks(s, b);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0], (ChartTick{210, 36}));
}

TEST(DepthChartScale, DepthRowsAndDegenerateBox) {
    EXPECT_EQ(depthChartY(0), 50);
    EXPECT_EQ(depthChartY(600), 350);
    EXPECT_EQ(depthChartY(700), 400);
    EXPECT_EQ(depthChartY(35), 67);  // 67.5 truncated
    // No zone yet: no scale, no division by zero.
    const DepthChartBox none = depthChartBox(ZoneCorners{});
    EXPECT_TRUE(none.degenerate());
    const DepthChartScale s = depthChartScale(none, {});
    EXPECT_EQ(s.sLat, 0.0);
    EXPECT_EQ(s.extLon, 0);
}

TEST(DegreeTicks, StepBands) {
    EXPECT_EQ(degreeTickStep(4.99), 200);
    EXPECT_EQ(degreeTickStep(5.0), 100);
    EXPECT_EQ(degreeTickStep(8.99), 100);
    EXPECT_EQ(degreeTickStep(9.0), 200);
    EXPECT_EQ(degreeTickStep(18.99), 200);
    EXPECT_EQ(degreeTickStep(19.0), 400);
}

TEST(DegreeTicks, OnlyWholeDegreesInsideTheBox) {
    // 35N-38.5N, 139.33E-142.67E: 2-degree steps from 24N and 122E.
    const DepthChartBox b = depthChartBox(boxCorners(3500, 3830, 13920, 14240));
    const DepthChartScale s = depthChartScale(b, {});
    EXPECT_EQ(latitudeTicks(s, b), (std::vector<ChartTick>{{145, 36}, {317, 38}}));
    EXPECT_EQ(longitudeTicks(s, b), (std::vector<ChartTick>{{117, 140}, {288, 142}}));
    // 6 degrees of latitude: every degree.
    const DepthChartBox wide = depthChartBox(boxCorners(3400, 4000, 13930, 14000));
    const auto lat = latitudeTicks(depthChartScale(wide, {}), wide);
    ASSERT_EQ(lat.size(), 7u);
    EXPECT_EQ(lat.front().label, 34);
    EXPECT_EQ(lat.back().label, 40);
}

TEST(KilometreGrid, FromTheFirstTickAwayFromIt) {
    const std::vector<ChartTick> ticks{{97, 36}, {152, 37}};
    // Forward: 97, 147, ... while below both the chart limit and the axis end.
    auto g = kilometreGrid(ticks, 60, false, 250, 370);
    ASSERT_EQ(g.size(), 5u);
    EXPECT_EQ(g.front(), (ChartTick{97, 0}));
    EXPECT_EQ(g.back(), (ChartTick{297, 400}));
    g = kilometreGrid(ticks, 60, false, 400, 370);
    EXPECT_EQ(g.back().x, 347);  // 397 would pass 370
    // Reversed: leftwards down to x = 60.
    g = kilometreGrid({{300, 36}}, 360, true, 300, 380);
    ASSERT_EQ(g.size(), 5u);
    EXPECT_EQ(g.back(), (ChartTick{100, 400}));
    // No tick inside the box: anchored at the box minimum.
    g = kilometreGrid({}, 60, false, 120, 370);
    EXPECT_EQ(g, (std::vector<ChartTick>{{60, 0}, {110, 100}, {160, 200}}));
}
