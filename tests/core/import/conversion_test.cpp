#include <gtest/gtest.h>

#include <random>

#include "catalogue/NearestName.h"
#include "common/CatalogueFixture.h"
#include "import/CivilTime.h"
#include "import/ImportConversion.h"

using namespace kavelo;
using namespace kavelo::import;

namespace {
SourceEvent utcEvent(int y, int mo, int d, int h, int mi, double s, double mag = 5.0) {
    SourceEvent e;
    e.time = {y, mo, d, h, mi, s};
    e.utc = true;
    e.setPosition(35.0, 139.0);
    e.mag = mag;
    return e;
}
EarthquakeRecord converted(const SourceEvent& e, ConvertOptions o = {}) {
    EarthquakeRecord r;
    EXPECT_EQ(convertEvent(e, o, r), Dropped::No);
    return r;
}
}  // namespace

TEST(ImportConversion, JapanTimeRollsDaysMonthsAndYearsAndDropsSeconds) {
    struct Case {
        SourceEvent ev;
        int32_t date;
        int16_t time;
    };
    const Case cases[] = {
        {utcEvent(2018, 12, 31, 15, 0, 0.0), 20190101, 0},       // year end
        {utcEvent(2018, 12, 31, 14, 59, 59.9), 20181231, 2359},  // seconds dropped, not rounded
        {utcEvent(2016, 2, 28, 20, 30, 0.0), 20160229, 530},     // leap day
        {utcEvent(2015, 2, 28, 20, 30, 0.0), 20150301, 530},
        {utcEvent(2011, 4, 30, 23, 59, 59.5), 20110501, 859},  // month end, seconds >= 59.5
        {utcEvent(2016, 12, 31, 14, 59, 60.2), 20170101, 0},   // leap second carried
        {utcEvent(1999, 12, 31, 15, 59, 30.0), 20000101, 59},
    };
    for (const auto& c : cases) {
        EarthquakeRecord r = converted(c.ev);
        EXPECT_EQ(r.date, c.date) << c.ev.time.year << "-" << c.ev.time.month << "-"
                                  << c.ev.time.day;
        EXPECT_EQ(r.time, c.time) << c.date;
    }
    ConvertOptions utc;
    utc.keepUtc = true;
    EarthquakeRecord r = converted(utcEvent(2018, 12, 31, 15, 0, 0.0), utc);
    EXPECT_EQ(r.date, 20181231);
    EXPECT_EQ(r.time, 1500);
    // A source in Japan time is never moved.
    SourceEvent jst = utcEvent(2018, 12, 31, 23, 59, 59.73);
    jst.utc = false;
    r = converted(jst);
    EXPECT_EQ(r.date, 20181231);
    EXPECT_EQ(r.time, 2359);
}

TEST(ImportConversion, RoundsMagnitudeAndDepthHalfUpAndAppliesFilters) {
    const std::pair<double, int> mags[] = {{4.45, 45},  {4.449, 44}, {6.25, 63}, {-0.15, -1},
                                           {-1.3, -13}, {9.0, 90},   {0.05, 1}};
    for (auto [m, want] : mags)
        EXPECT_EQ(converted(utcEvent(2001, 1, 1, 0, 0, 0, m)).mag, want) << m;
    SourceEvent e = utcEvent(2001, 1, 1, 0, 0, 0);
    for (auto [d, want] : {std::pair{10.5, 11}, {10.49, 10}, {-0.6, -1}, {699.5, 700}}) {
        e.depthKm = d;
        EXPECT_EQ(converted(e).depth, want) << d;
    }
    e.depthKm.reset();
    EXPECT_EQ(converted(e).depth, 0);
    EarthquakeRecord r;
    e.mag.reset();
    EXPECT_EQ(convertEvent(e, {}, r), Dropped::NoMagnitude);
    e.mag = 5.0;
    e.depthKm = 1e6;
    EXPECT_EQ(convertEvent(e, {}, r), Dropped::OutOfRange);
    e.depthKm = 10;

    ConvertOptions box;
    box.japanBox = true;
    for (auto [lat, lon, inside] : {std::tuple{24.0, 122.0, true},
                                    {50.0, 152.0, true},
                                    {23.99, 130.0, false},
                                    {35.0, 152.02, false},
                                    {50.02, 140.0, false},
                                    {3.3, 95.8, false}}) {
        e.setPosition(lat, lon);
        EXPECT_EQ(convertEvent(e, box, r), inside ? Dropped::No : Dropped::OutsideBox)
            << lat << " " << lon;
        EXPECT_EQ(convertEvent(e, {}, r), Dropped::No);
    }
    // The period applies to the date in Japan time.
    ConvertOptions period;
    period.fromDate = 20190101;
    period.toDate = 20191231;
    EXPECT_EQ(convertEvent(utcEvent(2018, 12, 31, 15, 0, 0), period, r), Dropped::No);
    EXPECT_EQ(convertEvent(utcEvent(2018, 12, 31, 14, 59, 0), period, r), Dropped::OutsidePeriod);
    EXPECT_EQ(convertEvent(utcEvent(2019, 12, 31, 15, 0, 0), period, r), Dropped::OutsidePeriod);

    EXPECT_EQ(parseDateArgument("2001-02-03"), 20010203);
    EXPECT_EQ(parseDateArgument("2001/02/03"), 20010203);
    EXPECT_EQ(parseDateArgument("20010203"), 20010203);
    EXPECT_EQ(parseDateArgument("2001-02-30"), 0);
    EXPECT_EQ(parseDateArgument("2001-2-3"), 0);
}

TEST(ImportConversion, PositionsKeepWholeMinutesDespiteBinaryFractions) {
    EXPECT_EQ(degreesToDdmmExact(35.5), 3530);
    EXPECT_EQ(degreesToDdmmExact(35 + 7.0 / 60), 3507);  // 35.11666... is 35 deg 7 min, not 6
    EXPECT_EQ(degreesToDdmmExact(139.999999), 13959);
    EXPECT_EQ(degreesToDdmmExact(-12.5), -1230);
    EXPECT_EQ(degreesToDdmmExact(1e300), 0);
    CivilTime t;
    EXPECT_TRUE(parseIsoTime("2011-03-11T05:46:24.12Z", t).empty());
    EXPECT_TRUE(parseIsoTime("2011-03-11 05:46", t).empty());
    EXPECT_FALSE(parseIsoTime("2011-03-11", t).empty());
    EXPECT_FALSE(parseIsoTime("2011-03-11T05:46:24Q", t).empty());
    EXPECT_TRUE(parseIsoTime("2011-03-11T05:46:24-0130", t).empty());
    EXPECT_EQ(t.hour, 7);
    EXPECT_EQ(t.minute, 16);
}

TEST(ImportConversion, NamesComeFromTheSourceOrTheLatestRecordWithinATenthOfADegree) {
    const std::vector<EarthquakeRecord> cat = {
        test::quake(20000101, 0, 3530, 14000, 10, 40, "OLD"),
        test::quake(20010101, 0, 3533, 14003, 10, 40, "NEWER"),  // 35.55, 140.05
        test::quake(20020101, 0, 3700, 14000, 10, 40, "FAR"),
    };
    NearestNameIndex index(cat);
    EXPECT_EQ(index.find(35.5, 140.0), "NEWER");
    EXPECT_EQ(index.find(35.46, 139.95), "OLD");  // NEWER lies 0.1 away in longitude
    EXPECT_EQ(index.find(35.4, 140.0), "");       // 0.1 exactly is not within
    EXPECT_EQ(index.find(20.0, 120.0), "");
    // The grid gives the answers of the plain backward scan, also near cell edges.
    for (double lat = 35.35; lat < 35.7; lat += 0.0137)
        for (double lon = 139.85; lon < 140.2; lon += 0.0119)
            EXPECT_EQ(index.find(lat, lon), nearestOriginName(cat.data(), cat.size(), lat, lon))
                << lat << " " << lon;

    // A dense cluster on whole minutes (cell edges everywhere) asked at random points.
    std::mt19937 rng(4);
    std::vector<EarthquakeRecord> dense;
    for (int i = 0; i < 3000; ++i)
        dense.push_back(test::quake(20000101, 0, static_cast<int16_t>(3800 + rng() % 60),
                                    static_cast<int16_t>(14200 + rng() % 60), 10, 40,
                                    std::to_string(i)));
    NearestNameIndex denseIndex(dense);
    std::uniform_real_distribution<double> lat(37.9, 39.1), lon(141.9, 143.1);
    for (int q = 0; q < 3000; ++q) {
        const double a = q % 3 ? lat(rng) : 38 + (rng() % 60) / 60.0 + 0.1 * (q % 2 ? 1 : -1);
        const double o = lon(rng);
        ASSERT_EQ(denseIndex.find(a, o), nearestOriginName(dense.data(), dense.size(), a, o))
            << a << " " << o;
    }

    SourceEvent own = utcEvent(2001, 1, 1, 0, 0, 0);
    own.setPosition(35.5, 140.0);
    EarthquakeRecord r = converted(own);
    nameRecord(own, &index, r);
    EXPECT_EQ(r.originName(), "NEWER");
    // A long name is cut to 31 bytes on a character boundary: 16 two-byte characters.
    own.origin.clear();
    for (int i = 0; i < 16; ++i) own.origin += "\x93\x8C";
    nameRecord(own, &index, r);
    EXPECT_EQ(r.originName().size(), 30u);
}

TEST(ImportMerge, UnionInDateTimeOrderDroppingImportedDuplicates) {
    const std::vector<EarthquakeRecord> stored = {
        test::quake(20010105, 1200, 3500, 13900, 10, 50, "A"),
        test::quake(20010101, 900, 3600, 14000, 10, 45, "B"),  // stored out of order
        test::quake(20010110, 0, 3500, 13900, 10, 60, "C"),
    };
    const std::vector<EarthquakeRecord> imported = {
        test::quake(20010105, 1200, 3506, 13854, 12, 52),  // 6' and 0.2 away: duplicate of A
        test::quake(20010105, 1200, 3507, 13900, 12, 50),  // 7' away: a second event
        test::quake(20010105, 1200, 3500, 13900, 12, 53),  // 0.3 in magnitude: another event
        test::quake(20010105, 1201, 3500, 13900, 12, 50),  // next minute
        test::quake(20010101, 900, 3600, 14000, 10, 45),   // same as B
        test::quake(20001231, 2359, 3000, 13000, 10, 40),
        test::quake(20010110, 0, 3500, 13900, 10, 60),  // same as C
    };
    MergeResult m = mergeRecords(stored, imported);
    EXPECT_EQ(m.duplicates, 3u);
    ASSERT_EQ(m.records.size(), 7u);
    const std::pair<int32_t, int16_t> order[] = {
        {20001231, 2359}, {20010101, 900},  {20010105, 1200}, {20010105, 1200},
        {20010105, 1200}, {20010105, 1201}, {20010110, 0}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(m.records[i].date, order[i].first) << i;
        EXPECT_EQ(m.records[i].time, order[i].second) << i;
    }
    // The stored record stays as stored, ahead of imported events of the same minute.
    EXPECT_EQ(m.records[1].originName(), "B");
    EXPECT_EQ(m.records[2].originName(), "A");
    EXPECT_EQ(m.records[3].lat, 3507);
    EXPECT_EQ(m.records[4].mag, 53);
    EXPECT_EQ(m.records[6].originName(), "C");
    // Two imported events of one minute are both kept: only stored records count as duplicates.
    EXPECT_EQ(mergeRecords({}, {imported[0], imported[0]}).records.size(), 2u);
}
