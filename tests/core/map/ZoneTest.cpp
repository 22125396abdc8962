#include <gtest/gtest.h>

#include "map/Zone.h"
#include "search/GreatCircle.h"

using namespace kavelo;

namespace {
void expectCorners(const ZoneCorners& z, std::array<DdmmPoint, 4> want) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(z.p[i].lat, want[i].lat) << "corner " << i;
        EXPECT_EQ(z.p[i].lon, want[i].lon) << "corner " << i;
    }
}
}  // namespace

TEST(SnapDegree, NearestStepWithTheSixtyMinuteCarry) {
    EXPECT_EQ(snapDegree(3507, 15), 3500);
    EXPECT_EQ(snapDegree(3508, 15), 3515);
    EXPECT_EQ(snapDegree(3553, 15), 3600);
    EXPECT_EQ(snapDegree(3530, 60), 3600);
    EXPECT_EQ(snapDegree(3529, 60), 3500);
    EXPECT_EQ(snapDegree(13559, 10), 13600);
    EXPECT_EQ(snapDegree(13544, 30), 13530);
    EXPECT_EQ(snapDegree(13545, 30), 13600);
    EXPECT_EQ(snapDegree(3500, 15), 3500);
}

TEST(ZoneWidth, ItemsSnapStepsAndTheSquareZone) {
    const DdmmPoint p1{3400, 13500}, p2{3500, 13700};
    const int widths[] = {10, 15, 30, 100, 200};
    for (int item = kZone10; item <= kZone2Deg; ++item) EXPECT_EQ(zoneWidthFor(item, p1, p2), widths[item]);
    const int steps[] = {10, 15, 30, 60, 60, 15};
    for (int item = kZone10; item <= kZoneSquare; ++item) EXPECT_EQ(zoneSnapStep(item), steps[item]);
    // Half the larger span: longitude 2 degrees -> 1 degree.
    EXPECT_EQ(zoneWidthFor(kZoneSquare, p1, p2), 100);
    // Latitude span 1.5 degrees beats 1 degree of longitude -> 0.75 degree = 45'.
    EXPECT_EQ(squareZoneWidth({3400, 13500}, {3530, 13600}), 45);
    EXPECT_EQ(squareZoneWidth({3500, 13600}, {3400, 13500}), 30);
}

TEST(ZoneEnds, WesternFirstAndTheSouthernStartOfANorthSouthZone) {
    const DdmmPoint east{3600, 14000}, west{3400, 13500};
    EXPECT_EQ(westFirst(east, west).first.lon, 13500);
    EXPECT_EQ(zoneStartEnd(east, west).first.lon, 13500);
    EXPECT_EQ(zoneStartEnd(east, west).second.lon, 14000);
    // Equal longitudes: buildZone keeps P1 first, but the zone starts at the southern point.
    const DdmmPoint north{3600, 14000}, south{3400, 14000};
    EXPECT_EQ(westFirst(north, south).first.lat, 3600);
    EXPECT_EQ(zoneStartEnd(north, south).first.lat, 3400);
    EXPECT_EQ(zoneStartEnd(north, south).second.lat, 3600);
}

TEST(BuildZone, CornersOfEastWestSlantedAndDueNorthSegments) {
    // East-west, half-width 1 degree: corners A..D run counter-clockwise from south-west.
    ZoneBuild z = buildZoneCorners({3500, 13500}, {3500, 14000}, 100);
    EXPECT_TRUE(z.inRange);
    expectCorners(z.corners, {{{3400, 13500}, {3400, 14000}, {3600, 14000}, {3600, 13500}}});

    // 45 degrees: offsets of 0.7071 degree = 42.4' truncated.
    z = buildZoneCorners({3400, 13500}, {3600, 13700}, 100);
    EXPECT_TRUE(z.inRange);
    expectCorners(z.corners, {{{3317, 13542}, {3517, 13742}, {3642, 13617}, {3442, 13417}}});

    // Due north with P1 the northern point (theta = pi/2): corners at lon +- w, the
    // latitudes unchanged, and no axis along longitude.
    const DdmmPoint north{3600, 14000}, south{3400, 14000};
    const ZoneEnds ends = westFirst(north, south);
    z = buildZoneCorners(ends.first, ends.second, 30);
    EXPECT_TRUE(z.inRange);
    expectCorners(z.corners, {{{3600, 14030}, {3400, 14030}, {3400, 13930}, {3600, 13930}}});
    const ZoneAxis axis = makeZoneAxis(ends.first, ends.second);
    EXPECT_FALSE(axis.filled);
    EXPECT_EQ(axisDistance(axis, 140.0f), -1.0f);
}

TEST(BuildZone, EveryCornerMustLieInTheMapRange) {
    // Corners exactly on 50N pass; beyond fails (4901 + 1 degree truncates back to 5000).
    EXPECT_TRUE(buildZoneCorners({4900, 14000}, {4900, 14500}, 100).inRange);
    EXPECT_FALSE(buildZoneCorners({4902, 14000}, {4902, 14500}, 100).inRange);
    EXPECT_FALSE(buildZoneCorners({3500, 12200}, {3600, 12300}, 30).inRange);  // slanted past 122E
    EXPECT_FALSE(buildZoneCorners({2430, 13000}, {2430, 13500}, 100).inRange);
}

TEST(ZoneAxis, SamplesAndDistanceAtTheEndsInsideAndOutside) {
    const ZoneAxis axis = makeZoneAxis({3500, 13500}, {3500, 14500});
    ASSERT_TRUE(axis.filled);
    EXPECT_FLOAT_EQ(axis.samples[0].lon, 135.0f);
    EXPECT_FLOAT_EQ(axis.samples[100].lon, 145.0f);
    EXPECT_FLOAT_EQ(axis.samples[50].lon, 140.0f);
    EXPECT_EQ(axis.samples[100].km, greatCircleKm(35.0f, 135.0f, 35.0f, 145.0f));

    EXPECT_EQ(axisDistance(axis, 135.0f), 0.0f);
    EXPECT_EQ(axisDistance(axis, 145.0f), axis.samples[100].km);
    EXPECT_FLOAT_EQ(axisDistance(axis, 140.0f), axis.samples[50].km);
    const float mid = axisDistance(axis, 140.05f);
    EXPECT_NEAR(mid, (axis.samples[50].km + axis.samples[51].km) / 2, 0.05f);
    EXPECT_GT(mid, axis.samples[50].km);
    EXPECT_EQ(axisDistance(axis, 134.99f), -1.0f);
    EXPECT_EQ(axisDistance(axis, 145.01f), -1.0f);

    // An axis given east to west measures from its own first sample.
    const ZoneAxis reversed = makeZoneAxis({3500, 14500}, {3500, 13500});
    EXPECT_EQ(axisDistance(reversed, 145.0f), 0.0f);
    EXPECT_NEAR(axisDistance(reversed, 135.0f), axis.samples[100].km, 0.5f);
}

TEST(ZoneCross, CentreAndArmsClippedToTheMapRange) {
    ZoneCross c = zoneCentreCross({3300, 13000}, {4300, 14500});
    EXPECT_EQ(c.centre.lat, 3800);
    EXPECT_EQ(c.centre.lon, 13730);
    EXPECT_EQ(c.westEnd.lon, 13300);
    EXPECT_EQ(c.eastEnd.lon, 14100);
    EXPECT_EQ(c.westEnd.lat, 3800);
    EXPECT_EQ(c.southEnd.lat, 3400);
    EXPECT_EQ(c.northEnd.lat, 4200);
    EXPECT_EQ(c.northEnd.lon, 13730);
    c = zoneCentreCross({4900, 15100}, {4900, 15100});
    EXPECT_EQ(c.eastEnd.lon, 15200);
    EXPECT_EQ(c.northEnd.lat, 5000);
    EXPECT_EQ(c.westEnd.lon, 14700);
}
