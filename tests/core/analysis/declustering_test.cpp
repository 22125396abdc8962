#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/Declustering.h"
#include "analysis/SpaceTimeIndex.h"
#include "core/analysis/SharedData.h"
#include "import/CivilTime.h"

using namespace kavelo;
using namespace kavelo::analysis;

namespace {

DeclusterEvent ev(double days, double lat, double lon, double mag, double depth = 10.0) {
    DeclusterEvent e;
    e.days = days;
    e.lat = lat;
    e.lon = lon;
    e.mag = mag;
    e.depth = depth;
    return e;
}

std::vector<EventRole> roles(const DeclusterResult& r) { return r.role; }

constexpr EventRole M = EventRole::Mainshock, F = EventRole::Foreshock, A = EventRole::Aftershock;

}  // namespace

TEST(DeclusterWindow, ThreeLawsMatchPublishedValues) {
    struct Row {
        DeclusterMethod law;
        double m, km, days;
    } rows[] = {
        {DeclusterMethod::GardnerKnopoff, 5.0, 39.994475, 143.714305},
        {DeclusterMethod::GardnerKnopoff, 6.6, 63.107358, 891.456180},
        {DeclusterMethod::Gruenthal, 5.0, 56.627520, 219.020393},
        {DeclusterMethod::Gruenthal, 6.6, 79.180511, 908.657049},
        {DeclusterMethod::Uhrhammer, 5.0, 20.005355, 27.248542},
        {DeclusterMethod::Uhrhammer, 6.6, 72.414025, 196.566343},
    };
    for (const Row& r : rows) {
        const SpaceTimeWindow w = declusterWindow(r.law, r.m);
        EXPECT_NEAR(w.km, r.km, 1e-6) << methodName(r.law) << " M" << r.m;
        EXPECT_NEAR(w.days, r.days, 1e-6) << methodName(r.law) << " M" << r.m;
    }
    // The Gruenthal law stays finite below magnitude 0.
    EXPECT_TRUE(std::isfinite(declusterWindow(DeclusterMethod::Gruenthal, -1.0).km));
    DeclusterMethod m;
    EXPECT_TRUE(parseMethod("uhrhammer", m));
    EXPECT_EQ(m, DeclusterMethod::Uhrhammer);
    EXPECT_FALSE(parseMethod("GK", m));
}

TEST(DeclusterWindows, SeismoStatsTestCatalogueFlags) {
    const std::string path = testdata::sharedDataFile("reference/seismostats/gardner_knopoff_test_catalogue.csv");
    if (path.empty()) GTEST_SKIP() << "shared reference data not present";
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    std::vector<DeclusterEvent> events;
    std::vector<bool> expected;
    while (std::getline(in, line)) {
        std::stringstream ss(line);
        std::string date, lon, lat, mag, flag;
        std::getline(ss, date, ',');
        std::getline(ss, lon, ',');
        std::getline(ss, lat, ',');
        std::getline(ss, mag, ',');
        std::getline(ss, flag, ',');
        const double days = static_cast<double>(import::daysFromCivil(
            std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)), std::stoi(date.substr(8, 2))));
        events.push_back(ev(days, std::stod(lat), std::stod(lon), std::stod(mag)));
        expected.push_back(flag == "True");
    }
    ASSERT_EQ(events.size(), 11u);
    const DeclusterResult r = decluster(events, DeclusterMethod::GardnerKnopoff);
    for (std::size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(r.role[i] == EventRole::Mainshock, expected[i]) << "event " << i;
}

TEST(DeclusterWindows, ForeshockShareAndCapDecide) {
    // A M6.0 at day 1000 (GK window 49.6 km, 510 d) with a foreshock 20 d before,
    // aftershocks 1 d and 300 d after, an event 600 d after and one 500 km away.
    const std::vector<DeclusterEvent> events = {
        ev(980, 35.05, 140.0, 4.0), ev(1000, 35.0, 140.0, 6.0), ev(1001, 35.1, 140.1, 3.5),
        ev(1300, 35.0, 140.2, 3.0), ev(1600, 35.0, 140.0, 3.0), ev(1002, 39.5, 140.0, 5.5),
    };
    DeclusterResult all = decluster(events, DeclusterMethod::GardnerKnopoff);
    EXPECT_EQ(roles(all), (std::vector<EventRole>{F, M, A, A, M, M}));
    EXPECT_EQ(all.cluster, (std::vector<int32_t>{1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(all.clusters, 1);
    EXPECT_EQ(all.mainshocks, 3);
    EXPECT_EQ(all.foreshocks, 1);
    EXPECT_EQ(all.aftershocks, 2);

    // fs = 0: the window does not look back, the foreshock stays a main shock.
    DeclusterResult noFore = decluster(events, DeclusterMethod::GardnerKnopoff, 0.0);
    EXPECT_EQ(roles(noFore), (std::vector<EventRole>{M, M, A, A, M, M}));
    // A cap of 100 days cuts off the aftershock of day 1300 (and the foreshock is
    // within fs * 100 days).
    DeclusterResult capped = decluster(events, DeclusterMethod::GardnerKnopoff, 1.0, 100.0);
    EXPECT_EQ(roles(capped), (std::vector<EventRole>{F, M, A, M, M, M}));
    DeclusterResult shortBack = decluster(events, DeclusterMethod::GardnerKnopoff, 0.1, 100.0);
    EXPECT_EQ(roles(shortBack), (std::vector<EventRole>{M, M, A, M, M, M}));
}

TEST(DeclusterWindows, FreeEventMayBeTakenBySmallerLaterCandidate) {
    // The M5.0 takes nothing (its window looks back only 0.1 * 143.7 d), so it stays
    // free; the M4.5 30 d earlier then takes it as an aftershock.
    const std::vector<DeclusterEvent> events = {ev(100, 35.0, 140.0, 4.5), ev(130, 35.0, 140.05, 5.0)};
    const DeclusterResult r = decluster(events, DeclusterMethod::GardnerKnopoff, 0.1);
    EXPECT_EQ(roles(r), (std::vector<EventRole>{M, A}));
    EXPECT_EQ(r.clusters, 1);
    // Equal magnitudes: the earlier is visited first and leads.
    const std::vector<DeclusterEvent> tie = {ev(110, 35.0, 140.0, 5.0), ev(100, 35.0, 140.0, 5.0)};
    EXPECT_EQ(roles(decluster(tie, DeclusterMethod::Uhrhammer)), (std::vector<EventRole>{A, M}));
    EXPECT_EQ(decluster({}, DeclusterMethod::Gruenthal).clusters, 0);
}

TEST(DeclusterReasenberg, MainShockWithAftershocksAndUnrelatedEvents) {
    const std::vector<DeclusterEvent> events = {
        ev(-0.5, 35.01, 140.0, 4.0),  // foreshock 1.1 km away, within r1(4) = 4.4 km
        ev(0.0, 35.0, 140.0, 6.0),    // main shock
        ev(0.1, 35.0, 140.01, 3.0),  ev(0.5, 35.005, 140.0, 3.0), ev(1.2, 35.0, 140.005, 3.0),
        ev(2.6, 35.01, 140.01, 3.0),  // reached only through the look-ahead grown since the main shock
        ev(0.2, 44.0, 140.0, 5.0),    // 1000 km away
        ev(100.0, 35.0, 140.0, 3.0),  // long after
    };
    const DeclusterResult r = declusterReasenberg(events);
    EXPECT_EQ(r.cluster, (std::vector<int32_t>{1, 1, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(roles(r), (std::vector<EventRole>{F, M, A, A, A, A, M, M}));
    EXPECT_EQ(r.clusters, 1);
    EXPECT_EQ(r.mainshocks, 3);
    EXPECT_EQ(r.foreshocks, 1);
    EXPECT_EQ(r.aftershocks, 4);

    ReasenbergOptions o;
    EXPECT_DOUBLE_EQ(reasenbergLookAhead(o, 6.0, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(reasenbergLookAhead(o, 6.0, 1000.0), 10.0);
    EXPECT_NEAR(reasenbergLookAhead(o, 6.0, 3.0), -std::log(0.05) * 3.0 / std::pow(10.0, 1.0 / 3.0), 1e-12);
    EXPECT_NEAR(reasenbergRadius(5.0), 1.1, 1e-12);
}

TEST(DeclusterReasenberg, ClustersThatMeetMerge) {
    // Two pairs 30 km apart form two clusters; a M5.5 between them reaches a later
    // member of each, and the three become one cluster led by the M5.5.
    const std::vector<DeclusterEvent> events = {
        ev(0.0, 35.0, 140.0, 4.0),  ev(0.3, 35.0, 140.0, 3.0),   // X1, X2
        ev(0.1, 35.27, 140.0, 4.0), ev(0.4, 35.27, 140.0, 3.0),  // Y1, Y2
        ev(0.2, 35.135, 140.0, 5.5),                              // Z
    };
    const DeclusterResult r = declusterReasenberg(events);
    EXPECT_EQ(r.cluster, (std::vector<int32_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(roles(r), (std::vector<EventRole>{F, A, F, A, M}));
    EXPECT_EQ(r.clusters, 1);
    // Without the bridge there are two clusters, numbered in time order.
    const DeclusterResult two = declusterReasenberg({events.begin(), events.begin() + 4});
    EXPECT_EQ(two.cluster, (std::vector<int32_t>{1, 1, 2, 2}));
    EXPECT_EQ(two.mainshocks, 2);
}

TEST(SpaceTimeIndex, FindsEveryNearbyEventInTheSpanAcrossCells) {
    // A grid of events over 4 x 4 degrees and 10 days; the index must return a superset of
    // the brute-force answer and nothing outside the time span.
    std::vector<double> lat, lon, days;
    for (int i = 0; i < 2000; ++i) {
        lat.push_back(34.0 + (i * 37 % 400) / 100.0);
        lon.push_back(179.0 + (i * 53 % 400) / 100.0 - (i % 2 ? 0.0 : 360.0));  // across 180
        days.push_back((i * 17 % 1000) / 100.0);
    }
    const SpaceTimeIndex index(lat, lon, days);
    for (int q = 0; q < 20; ++q) {
        const double qlat = 34.5 + q * 0.15, qlon = 179.5 + q * 0.1, radius = 20.0 + q * 10;
        std::vector<char> seen(lat.size(), 0);
        index.query(qlat, qlon, radius, 2.0, 5.0, [&](int32_t j) {
            EXPECT_GE(days[j], 2.0);
            EXPECT_LE(days[j], 5.0);
            seen[j] = 1;
        });
        for (std::size_t j = 0; j < lat.size(); ++j)
            if (days[j] >= 2.0 && days[j] <= 5.0 && haversineKm(qlat, qlon, lat[j], lon[j]) <= radius) {
                EXPECT_TRUE(seen[j]) << "query " << q << " missed " << j;
            }
    }
}

TEST(DeclusterEvents, SelectionRecordsAsEvents) {
    Catalogue cat;
    cat[3].date = 20110311;
    cat[3].time = 1446;
    cat[3].lat = 3806;   // 38 deg 6 min
    cat[3].lon = 14251;  // 142 deg 51 min
    cat[3].depth = 24;
    cat[3].mag = 90;
    cat[4] = cat[3];
    cat[4].date = 20110312;
    cat.recordCount = 5;
    SelectionList sel;
    sel[0] = 4;
    sel[1] = 3;
    sel.selectionCount = 2;
    const std::vector<DeclusterEvent> e = eventsOfSelection(cat, sel);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_NEAR(e[1].lat, 38.1, 1e-5);
    EXPECT_NEAR(e[1].lon, 142.85, 1e-4);
    EXPECT_EQ(e[1].depth, 24.0);
    EXPECT_DOUBLE_EQ(e[1].mag, 9.0);
    EXPECT_DOUBLE_EQ(e[0].days - e[1].days, 1.0);
}
