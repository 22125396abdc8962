#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "search/CatalogueSearch.h"
#include "search/GreatCircle.h"

using namespace kavelo;

namespace {
EarthquakeRecord rec(int32_t date, int lat, int lon, int mag, int depth, const char* name = "",
                     uint8_t rika = 0) {
    EarthquakeRecord r;
    r.date = date;
    r.lat = static_cast<int16_t>(lat);
    r.lon = static_cast<int16_t>(lon);
    r.mag = static_cast<int16_t>(mag);
    r.depth = static_cast<int16_t>(depth);
    r.setOrigin(name);
    r.rika = rika;
    return r;
}

struct Fixture {
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    void add(const EarthquakeRecord& r) { (*cat)[cat->recordCount++] = r; }
    std::vector<int> selected() const {
        return std::vector<int>(sel->index.begin(), sel->index.begin() + sel->selectionCount);
    }
};

// The main window's defaults.
SearchConditions defaults() {
    SearchConditions c;
    c.dateFrom = 18850101;
    c.dateTo = 20201231;
    c.lat1 = 2400;
    c.lat2 = 5000;
    c.lon1 = 12200;
    c.lon2 = 15200;
    c.mag1 = 40;
    c.mag2 = 90;
    c.depth1 = 0;
    c.depth2 = 600;
    return c;
}
}  // namespace

TEST(CatalogueSearch, BoundsHalfOpenForBoxAndDepthClosedForDateAndMagnitude) {
    Fixture f;
    f.add(rec(19950117, 3000, 13000, 50, 10));  // 0 inside
    f.add(rec(19950117, 3100, 13000, 50, 10));  // 1 lat == lat2
    f.add(rec(19950117, 3000, 13100, 50, 10));  // 2 lon == lon2
    f.add(rec(19950117, 3000, 13000, 60, 10));  // 3 mag == mag2
    f.add(rec(19950117, 3000, 13000, 50, 20));  // 4 depth == depth2
    f.add(rec(19950116, 3000, 13000, 50, 10));  // 5 a day early
    f.add(rec(19950118, 3000, 13000, 50, 10));  // 6 a day late
    f.add(rec(19950117, 2999, 13000, 50, 10));  // 7 below lat1
    f.add(rec(19950117, 3000, 12999, 50, 10));  // 8 west of lon1
    f.add(rec(19950117, 3000, 13000, 49, 10));  // 9 below mag1
    f.add(rec(19950117, 3000, 13000, 50, 9));   // 10 above depth1
    SearchConditions c = defaults();
    c.dateFrom = c.dateTo = 19950117;
    c.lat1 = 3000, c.lat2 = 3100, c.lon1 = 13000, c.lon2 = 13100;
    c.mag1 = 50, c.mag2 = 60, c.depth1 = 10, c.depth2 = 20;
    EXPECT_EQ(runCatalogueSearch(*f.cat, c, {}, *f.sel), 2);
    EXPECT_EQ(f.selected(), (std::vector<int>{0, 3}));
}

TEST(CatalogueSearch, PreRikaRecordsAndEndOfMonth) {
    Fixture f;
    f.add(rec(18840101, 3500, 13500, 70, 10, "", 1));  // historical, before the default period
    f.add(rec(18850000, 3500, 13500, 70, 10, "", 1));  // historical boundary
    f.add(rec(18900101, 3500, 13500, 70, 10, "", 1));  // rika record after 1885: never
    f.add(rec(18900101, 3500, 13500, 70, 10, "", 0));
    f.add(rec(19950131, 3500, 13500, 70, 10));
    f.add(rec(19950201, 3500, 13500, 70, 10));
    SearchConditions c = defaults();
    EXPECT_EQ(runCatalogueSearch(*f.cat, c, {}, *f.sel), 3);
    EXPECT_EQ(f.selected(), (std::vector<int>{3, 4, 5}));
    c.dateFrom = 0;
    c.dateTo = parseSearchDate("1995/01", DateRole::End);
    EXPECT_EQ(runCatalogueSearch(*f.cat, c, {}, *f.sel), 4);
    EXPECT_EQ(f.selected(), (std::vector<int>{0, 1, 3, 4}));
}

TEST(CatalogueSearch, OriginConditions) {
    Fixture f;
    f.add(rec(19950117, 3500, 13500, 70, 10, ""));
    f.add(rec(19950117, 3500, 13500, 70, 10, "\x93\xfa\x8c\xfc\x93\xe5"));  // 日向灘
    f.add(rec(19950117, 3500, 13500, 70, 10, "\x8b\x7b\x8f\xe9\x8c\xa7\x89\xab"));  // 宮城県沖
    f.add(rec(19950117, 3500, 13500, 70, 10, "OTHER"));
    SearchConditions c = defaults();
    c.origin = parseOriginPattern("null").condition;
    runCatalogueSearch(*f.cat, c, {}, *f.sel);
    EXPECT_EQ(f.selected(), (std::vector<int>{0}));
    c.origin = parseOriginPattern("\x93\xfa\x8c\xfc|\x8b\x7b\x8f\xe9").condition;
    runCatalogueSearch(*f.cat, c, {}, *f.sel);
    EXPECT_EQ(f.selected(), (std::vector<int>{1, 2}));
    c.origin = parseOriginPattern("|").condition;
    EXPECT_EQ(runCatalogueSearch(*f.cat, c, {}, *f.sel), 4);
}

TEST(GreatCircle, KnownDistancesAndSymmetry) {
    EXPECT_EQ(greatCircleKm(34.5f, 133.3f, 34.5f, 133.3f), 0.0f);
    // One degree of latitude on a 6371 km sphere.
    EXPECT_NEAR(greatCircleKm(1, 0, 0, 0), 111.19f, 0.01f);
    EXPECT_NEAR(greatCircleKm(35.68f, 139.77f, 34.69f, 135.50f), 403.0f, 2.0f);
    EXPECT_EQ(greatCircleKm(30, 130, 40, 140), greatCircleKm(40, 140, 30, 130));
    // Antipodes stay finite.
    EXPECT_NEAR(greatCircleKm(0, 0, 0, 180), 20015.1f, 1.0f);
}

TEST(CatalogueSearch, DistanceTruncatesThenComparesInclusive) {
    // Walk north from the centre along the meridian, minute by minute, and check that
    // the circle keeps exactly the records whose truncated distance is <= radius.
    Fixture f;
    const int centreLat = 3429, centreLon = 13318;
    for (int lat = 3429; lat < 3700; ++lat) {
        if (lat % 100 >= 60) continue;
        f.add(rec(19950117, lat, centreLon, 70, 10));
    }
    DistanceCondition d{true, centreLat, centreLon, 100};
    runCatalogueSearch(*f.cat, defaults(), d, *f.sel);
    int expected = 0;
    float lastIn = 0, firstOut = 0;
    for (int i = 0; i < f.cat->recordCount; ++i) {
        const auto& r = (*f.cat)[i];
        float km = greatCircleKm(ddmmToDegrees(centreLat), ddmmToDegrees(centreLon),
                                 ddmmToDegrees(r.lat), ddmmToDegrees(r.lon));
        if (km < 101.0f) {
            ++expected;
            lastIn = km;
        } else if (firstOut == 0) {
            firstOut = km;
        }
    }
    EXPECT_EQ(f.sel->selectionCount, expected);
    EXPECT_GT(lastIn, 100.0f);  // the last minute inside is past 100 km
    EXPECT_GE(firstOut, 101.0f);
    EXPECT_EQ((*f.cat)[0].lat, centreLat);
    EXPECT_EQ((*f.sel)[0], 0);  // the centre itself, distance 0
}

TEST(CatalogueSearch, DistanceBoundaryAtAFractionalKilometre) {
    // Pick the radius just below a record's distance: 100.9 km keeps radius 100.
    const float km = greatCircleKm(ddmmToDegrees(3429), ddmmToDegrees(13318),
                                   ddmmToDegrees(3523), ddmmToDegrees(13318));
    ASSERT_GT(km, 100.0f);
    ASSERT_LT(km, 101.0f);
    DistanceCondition d{true, 3429, 13318, 100};
    EXPECT_TRUE(withinDistance(d, 3523, 13318));
    d.radiusKm = 99;
    EXPECT_FALSE(withinDistance(d, 3523, 13318));
}

TEST(CatalogueSearch, ProgressIsSparseAndSelectionCountMatches) {
    Fixture f;
    for (int i = 0; i < 10000; ++i) f.add(rec(19950117, 3500, 13500, 70, 10));
    std::vector<int> seen;
    SearchProgress p{4096, [&](int i) { seen.push_back(i); }};
    EXPECT_EQ(runCatalogueSearch(*f.cat, defaults(), {}, *f.sel, &p), 10000);
    EXPECT_EQ(seen, (std::vector<int>{0, 4096, 8192}));
}

TEST(CatalogueSearch, RecordCountBeyondCapacityIsClamped) {
    Fixture f;
    f.cat->recordCount = kCatalogueCapacity + 10;
    EXPECT_EQ(runCatalogueSearch(*f.cat, defaults(), {}, *f.sel), 0);
}

namespace {
// A zone tilted up to the north-east: A and B on the south edge, C and D to the north
// (A west, B east, C east-top, D west-top) with P0.lat < P1.lat.
ZoneCorners tilted() {
    ZoneCorners z;
    z.p[0] = {3000, 13000};
    z.p[1] = {3200, 13400};
    z.p[2] = {3300, 13340};
    z.p[3] = {3100, 12940};
    return z;
}
}  // namespace

TEST(ZoneSearch, BoundingBoxAndQuadrilateral) {
    const ZoneCorners z = tilted();
    ZoneBox b = zoneBoundingBox(z);
    EXPECT_EQ(b.minLat, 3000);
    EXPECT_EQ(b.maxLat, 3300);
    EXPECT_EQ(b.minLon, 12940);
    EXPECT_EQ(b.maxLon, 13400);
    EXPECT_TRUE(insideZone(z, 3130, 13200));   // middle of the strip
    EXPECT_FALSE(insideZone(z, 3010, 13300));  // in the box, south-east of the strip
    EXPECT_FALSE(insideZone(z, 3240, 13000));  // in the box, north-west of the strip
    // A strip running south-east (P0.lat > P1.lat), corners offset to its south side.
    ZoneCorners se;
    se.p[0] = {3349, 13155};
    se.p[1] = {3249, 13355};
    se.p[2] = {3311, 13405};
    se.p[3] = {3411, 13205};
    EXPECT_TRUE(insideZone(se, 3330, 13300));   // on the axis
    EXPECT_FALSE(insideZone(se, 3400, 13330));  // north-east of the strip
    EXPECT_FALSE(insideZone(se, 3300, 13200));  // south-west of the strip
    EXPECT_FALSE(insideZone(se, 3250, 13400));  // past its eastern end
    // Equal latitudes of P0 and P1: the box alone decides.
    ZoneCorners flat;
    flat.p[0] = {3000, 13000};
    flat.p[1] = {3000, 13400};
    flat.p[2] = {3100, 13400};
    flat.p[3] = {3100, 13000};
    EXPECT_TRUE(insideZone(flat, 3050, 13200));
}

TEST(ZoneSearch, AVerticalSideKeepsThePointsOnItsInnerSide) {
    // The corners of a nearly north-south strip truncated to whole minutes: A-B is due
    // north on its eastern side, and in its mirror image on its western side.
    ZoneCorners east;
    east.p = {DdmmPoint{3459, 14015}, DdmmPoint{3959, 14015}, DdmmPoint{4000, 13946}, DdmmPoint{3500, 13945}};
    EXPECT_TRUE(insideZone(east, 3700, 14000));
    EXPECT_TRUE(insideZone(east, 3700, 14014));
    EXPECT_FALSE(insideZone(east, 3700, 14015));  // the eastern edge, as the box counts it
    EXPECT_FALSE(insideZone(east, 3700, 14020));
    ZoneCorners west;
    west.p = {DdmmPoint{3459, 13945}, DdmmPoint{3959, 13945}, DdmmPoint{4000, 14014}, DdmmPoint{3500, 14015}};
    EXPECT_TRUE(insideZone(west, 3700, 14000));
    EXPECT_TRUE(insideZone(west, 3700, 13945));  // the western edge belongs to the zone
    EXPECT_FALSE(insideZone(west, 3700, 13944));
}

TEST(ZoneSearch, StopsAtFirstRecordAfterEndDateAndIgnoresRikaAndDistance) {
    Fixture f;
    const ZoneCorners z = tilted();
    f.add(rec(18800101, 3130, 13200, 70, 10, "", 1));  // 0 rika, before dateFrom
    f.add(rec(19900101, 3130, 13200, 70, 10, "", 1));  // 1 rika after 1885: kept here
    f.add(rec(19950101, 3010, 13300, 70, 10));         // 2 outside the strip
    f.add(rec(19950101, 3130, 13200, 70, 10));         // 3
    f.add(rec(20100101, 3130, 13200, 70, 10));         // 4 after dateTo: scan ends
    f.add(rec(19960101, 3130, 13200, 70, 10));         // 5 never reached
    SearchConditions c = defaults();
    c.dateTo = 20001231;
    std::vector<int> seen;
    SearchProgress p{1, [&](int i) { seen.push_back(i); }};
    EXPECT_EQ(runZoneSearch(*f.cat, c, false, z, *f.sel, &p), 2);
    EXPECT_EQ(f.selected(), (std::vector<int>{1, 3}));
    EXPECT_EQ(seen.back(), 4);
    // SELECT mode also applies the typed box.
    c.lat2 = 3130;
    EXPECT_EQ(runZoneSearch(*f.cat, c, true, z, *f.sel), 0);
    EXPECT_EQ(runZoneSearch(*f.cat, c, false, z, *f.sel), 2);
}

TEST(CatalogueSearch, CircleShortcutAgreesWithTheFullDistanceEverywhere) {
    // A lattice of records around the centre, out to well beyond a 300 km circle.
    Fixture f;
    for (int dLat = -400; dLat <= 400; dLat += 7)
        for (int dLon = -500; dLon <= 500; dLon += 11) {
            const int latMin = 3429 / 100 * 60 + 29 + dLat / 2;
            const int lonMin = 13318 / 100 * 60 + 18 + dLon / 2;
            f.add(rec(19950117, latMin / 60 * 100 + latMin % 60, lonMin / 60 * 100 + lonMin % 60,
                      70, 10));
        }
    for (int radius : {0, 100, 300}) {
        DistanceCondition d{true, 3429, 13318, radius};
        runCatalogueSearch(*f.cat, defaults(), d, *f.sel);
        std::vector<int> brute;
        for (int i = 0; i < f.cat->recordCount; ++i) {
            const auto& r = (*f.cat)[i];
            const float km = greatCircleKm(ddmmToDegrees(3429), ddmmToDegrees(13318),
                                           ddmmToDegrees(r.lat), ddmmToDegrees(r.lon));
            if (static_cast<int>(km) <= radius) brute.push_back(i);
        }
        EXPECT_EQ(f.selected(), brute) << radius;
        if (radius > 0) {
            EXPECT_FALSE(brute.empty());
        }
    }
}
