// The sections over zones as the map builds them: distance along a slanted zone line
// against the zone axis, and the rotating section's strip selection.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "map/Zone.h"
#include "search/CatalogueSearch.h"
#include "sections/CrossSection.h"
#include "sections/RotatingSection.h"

using namespace kavelo;

TEST(ZoneSections, DistanceAlongASlantedLineMatchesTheZoneAxis) {
    // From 37N 138E north-east to 41N 143E, the kind of zone drawn across northern Honshu.
    const DdmmPoint w{3700, 13800}, e{4100, 14300};
    const ZoneAxis axis = makeZoneAxis(w, e);
    const SectionGeometry g(SectionLineKind::Oblique, w, e, 1, 1, false);
    EXPECT_NEAR(g.length(), axis.samples.back().km, 0.01);
    // Points on the line (at axis samples) and beside it: their foot lies on the axis at
    // the same distance the axis gives for the foot's longitude.
    for (int i : {0, 13, 50, 77, 100}) {
        const AxisSample& s = axis.samples[static_cast<std::size_t>(i)];
        EXPECT_NEAR(g.distanceOf(s.lat, s.lon), axisDistance(axis, s.lon), 0.05) << i;
        // Half a degree off the line, perpendicular in degrees (slope 0.8).
        const float dLat = 0.5f * 5.0f / 6.403124f, dLon = -0.5f * 4.0f / 6.403124f;
        EXPECT_NEAR(g.distanceOf(s.lat + dLat, s.lon + dLon), axisDistance(axis, s.lon), 0.5) << i;
    }
    // Whole-degree longitude ticks of the line sit where the axis puts them.
    const auto ticks = g.longitudeTicks({});
    ASSERT_EQ(ticks.size(), 6u);  // 138 ... 143
    for (const auto& t : ticks)
        EXPECT_NEAR(t.x, g.xOf(axisDistance(axis, static_cast<float>(t.label))), 1) << t.label;
}

namespace {
struct Strip {
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    void add(int lat, int lon, int mag = 50, int depth = 30) {
        EarthquakeRecord& r = (*cat)[cat->recordCount++];
        r.date = 19900101 + cat->recordCount;
        r.lat = static_cast<int16_t>(lat);
        r.lon = static_cast<int16_t>(lon);
        r.mag = static_cast<int16_t>(mag);
        r.depth = static_cast<int16_t>(depth);
    }
    std::vector<int> select(int angle, int mag1 = 0, int mag2 = 90, int d1 = 0, int d2 = 700) {
        const StripEnds ends = stripEnds(35.0f, 140.0f, 3.0f, angle);
        const ZoneBuild z = buildZoneCorners(ends.a, ends.b, 30);
        EXPECT_TRUE(z.inRange);
        EXPECT_EQ(selectStripQuakes(*cat, z.corners, mag1, mag2, d1, d2, *sel), StripStatus::Ok);
        return {sel->index.begin(), sel->index.begin() + sel->selectionCount};
    }
};
}  // namespace

TEST(ZoneSections, RotatingStripSelectsWhatLiesAlongTheLine) {
    // A cross of hypocentres through 35N 140E and a diagonal, 30' strips, 3-degree radius.
    Strip s;
    s.add(3500, 14000);  // 0: the centre
    s.add(3510, 14200);  // 1: east, 10' north of the parallel
    s.add(3500, 13730);  // 2: west
    s.add(3540, 14200);  // 3: north-east, 40' off the parallel
    s.add(3700, 14000);  // 4: north
    s.add(3300, 14010);  // 5: south, 10' east of the meridian
    s.add(3600, 14100);  // 6: on the diagonal
    s.add(3330, 13830);  // 7: on the diagonal, south-west
    s.add(3500, 14400);  // 8: east beyond the radius
    s.add(3800, 14200);  // 9: near nothing
    EXPECT_EQ(s.select(0), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(s.select(45), (std::vector<int>{0, 6, 7}));
    EXPECT_EQ(s.select(90), (std::vector<int>{0, 4, 5}));
    // The main window's bounds: magnitude closed, depth half-open.
    s.add(3500, 14100, 60, 100);  // 10: east, M6.0 at 100 km
    EXPECT_EQ(s.select(0, 55, 60, 0, 101), (std::vector<int>{10}));
    EXPECT_TRUE(s.select(0, 55, 60, 0, 100).empty());
}

TEST(ZoneSections, RotatingStripKeepsTheFirst3000AndRefusesReversedBounds) {
    Strip s;
    for (int i = 0; i < 3100; ++i) s.add(3500, 13900 + i % 50);
    EXPECT_EQ(s.select(0).size(), 3000u);
    EXPECT_EQ(s.sel->index[2999], 2999);
    const ZoneBuild z = buildZoneCorners({3500, 14300}, {3500, 13700}, 30);
    s.sel->selectionCount = 7;
    EXPECT_EQ(selectStripQuakes(*s.cat, z.corners, 60, 50, 0, 700, *s.sel), StripStatus::MagnitudeReversed);
    EXPECT_EQ(selectStripQuakes(*s.cat, z.corners, 0, 90, 300, 200, *s.sel), StripStatus::DepthReversed);
    EXPECT_EQ(s.sel->selectionCount, 7);
}

TEST(ZoneSections, NearlyNorthSouthZonesKeepWhatLiesOnTheirAxis) {
    // 300 hypocentres a minute apart on the meridian 140E from 35N, the axis of zones from
    // 35N 140E to 40N at 140E + 0, 1 or 2 minutes, both ways round. Truncating the corners
    // to whole minutes gives the one-minute zones a vertical side.
    Strip s;
    for (int k = 0; k < 300; ++k) s.add(3500 + k / 60 * 100 + k % 60, 14000);
    for (const int dLon : {0, 1, 2}) {
        for (const bool northward : {true, false}) {
            const DdmmPoint south{3500, 14000}, north{4000, 14000 + dLon};
            const ZoneEnds ends = westFirst(northward ? south : north, northward ? north : south);
            const ZoneBuild z = buildZoneCorners(ends.first, ends.second, 15);
            ASSERT_TRUE(z.inRange);
            SearchConditions c;
            c.dateFrom = 18850101;
            c.dateTo = 20201231;
            c.mag2 = 90;
            c.depth2 = 600;
            EXPECT_EQ(runZoneSearch(*s.cat, c, false, z.corners, *s.sel), 300) << dLon << northward;
            EXPECT_EQ(selectStripQuakes(*s.cat, z.corners, 0, 90, 0, 700, *s.sel), StripStatus::Ok);
            EXPECT_EQ(s.sel->selectionCount, 300) << dLon << northward;
            // Near both long sides, inside.
            EXPECT_TRUE(insideZone(z.corners, 3700, 14014)) << dLon << northward;
            EXPECT_TRUE(insideZone(z.corners, 3700, 13947)) << dLon << northward;
        }
    }
}
