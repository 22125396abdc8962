// The builder's geometry, calendar, text and model pieces, and the byte-identical
// regeneration of the committed DATA folder.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "Coast.h"
#include "DataSet.h"
#include "Projection.h"
#include "Regions.h"
#include "Seismicity.h"
#include "Sjis.h"

using namespace kavelo::data;

namespace {
std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

TEST(DataBuilder, ClipKeepsTheInsidePartOfARing) {
    // A square straddling the right edge of the box keeps its left half.
    std::vector<IPoint> sq{{-10, -10}, {10, -10}, {10, 10}, {-10, 10}};
    std::vector<IPoint> c = clipToBox(sq, -100, -100, 0, 100);
    std::vector<PlanePoint> pts;
    for (const IPoint& p : c) pts.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
    EXPECT_DOUBLE_EQ(ringArea(pts), 200.0);
    EXPECT_TRUE(clipToBox(sq, 20, 20, 30, 30).empty());
}

TEST(DataBuilder, CoastSourceRoundTripsAndRejectsDamage) {
    CoastSource src;
    src.scaleX = 0.5;
    src.scaleY = 0.25;
    src.translateX = 100;
    src.translateY = 20;
    for (int k = 0; k < kCoastFiles; ++k) src.rings.push_back({{k, k + 5, k + 5}, {0, 0, -7}});
    CoastSource back = parseCoastSource(formatCoastSource(src));
    ASSERT_EQ(back.rings.size(), src.rings.size());
    EXPECT_EQ(back.rings[3].x, src.rings[3].x);
    EXPECT_EQ(back.rings[3].y, src.rings[3].y);
    EXPECT_DOUBLE_EQ(back.lat(back.rings[3].y[2]), 18.25);
    EXPECT_THROW(parseCoastSource("ring 3\n0 0 1 1 2 2\n"), std::runtime_error);      // no transform
    EXPECT_THROW(parseCoastSource("transform 1 1 0 0\nring 3\n0 0 1\n"), std::runtime_error);  // cut short
    EXPECT_THROW(parseCoastSource("transform 1 1 0 0\n"), std::runtime_error);         // too few rings
    EXPECT_THROW(decodeTopoJsonLand("/nonexistent/land-10m.json", MapProjection()), std::runtime_error);
}

TEST(DataBuilder, SimplifyCapsPointsAndKeepsCorners) {
    // A square with 4000 points along its edges and a little noise.
    std::vector<PlanePoint> ring;
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < 1000; ++i) {
            double t = i / 1000.0 * 1000, n = (i % 2) * 0.2;
            switch (side) {
                case 0: ring.push_back({t, n}); break;
                case 1: ring.push_back({1000 - n, t}); break;
                case 2: ring.push_back({1000 - t, 1000 - n}); break;
                default: ring.push_back({n, 1000 - t}); break;
            }
        }
    std::vector<PlanePoint> s = simplifyRing(ring, 1999, 0.5);
    EXPECT_LE(s.size(), 10u);
    EXPECT_NEAR(ringArea(s), 1e6, 1e3);
    std::vector<PlanePoint> tight = simplifyRing(ring, 1999, 0.01);
    EXPECT_LE(tight.size(), 1999u);
    EXPECT_GT(tight.size(), 1000u);
}

TEST(DataBuilder, ProjectionIsConformalConicWithNorthUp) {
    MapProjection p;
    PlanePoint tokyo = p.project(35.7, 139.7), sapporo = p.project(43.06, 141.35), naha = p.project(26.2, 127.7);
    EXPECT_GT(sapporo.y, tokyo.y);
    EXPECT_GT(tokyo.y, naha.y);
    EXPECT_GT(tokyo.x, naha.x);
    // Meridians converge northward: 122E leans right going north, 152E leans left.
    EXPECT_LT(p.project(24, 122).x, p.project(50, 122).x);
    EXPECT_GT(p.project(24, 152).x, p.project(50, 152).x);
    PlanePoint back = p.inverse(tokyo.x, tokyo.y);
    EXPECT_NEAR(back.x, 35.7, 1e-9);
    EXPECT_NEAR(back.y, 139.7, 1e-9);
    // The clip box covers the full view, so no cut edge shows on the map.
    for (double x : {-400.0, 1850.0, 4100.0})
        for (double y : {-200.0, 1675.0, 3550.0}) {
            PlanePoint g = p.inverse(x, y);
            EXPECT_TRUE(g.x > kClipLatMin && g.x < kClipLatMax && g.y > kClipLonMin && g.y < kClipLonMax) << x << "," << y;
        }
}

TEST(DataBuilder, CalendarAndDegreeMinutes) {
    EXPECT_EQ(minuteOf(18850101, 0), 0);
    int date, hhmm;
    dateTimeOf(minuteOf(20000229, 2359) + 1, date, hhmm);
    EXPECT_EQ(date, 20000301);
    EXPECT_EQ(hhmm, 0);
    dateTimeOf(minuteOf(19230901, 1158), date, hhmm);
    EXPECT_EQ(date, 19230901);
    EXPECT_EQ(hhmm, 1158);
    EXPECT_EQ(degreesToDdmm(35.5), 3530);
    EXPECT_EQ(degreesToDdmm(139.9999), 13959);
    EXPECT_EQ(degreesToDdmm(24.0), 2400);
    EXPECT_EQ(completenessMag10(minuteOf(19221231, 2359)), 50);
    EXPECT_EQ(completenessMag10(minuteOf(19230101, 0)), 40);
}

TEST(DataBuilder, TextConversionFailsLoudly) {
    EXPECT_EQ(toSjis("地震"), std::string("\x92\x6e\x90\x6b"));
    EXPECT_THROW(toSjis("\xe2\x98\x83"), std::runtime_error);  // a snowman has no CP932 form
    EXPECT_THROW(fromSjis("\x81"), std::runtime_error);
    EXPECT_THROW(makeRecord(20000101, 0, 35, 135, 10, 50, "あいうえおかきくけこさしすせそた"), std::runtime_error);
    for (int i = 0; i < regionCount(); ++i) EXPECT_LE(toSjis(regionNameAt(i)).size(), 31u) << regionNameAt(i);
}

TEST(DataBuilder, BackgroundIsReproducibleAndStaysInTheDomain) {
    SeismicityOptions opt;
    opt.targetCount = 3000;
    std::vector<SynthEvent> a = generateBackground({}, opt), b = generateBackground({}, opt);
    ASSERT_EQ(a.size(), 3000u);
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].minute, b[i].minute);
        EXPECT_EQ(a[i].lat, b[i].lat);
        EXPECT_TRUE(insideDomain(a[i].lat, a[i].lon));
        EXPECT_GE(a[i].mag10, completenessMag10(a[i].minute));
        EXPECT_LT(a[i].mag10, 70);
    }
    // A great mainshock brings an Omori sequence: most aftershocks in its first month.
    SynthEvent main;
    main.minute = minuteOf(20000101, 0);
    main.lat = 38.1;
    main.lon = 142.9;
    main.depth = 24;
    main.mag10 = 80;
    opt.targetCount = 400;
    std::vector<SynthEvent> seq = generateBackground({main}, opt);
    int firstMonth = 0, after = 0;
    for (const SynthEvent& e : seq)
        if (e.minute > main.minute && std::fabs(e.lat - main.lat) < 3 && std::fabs(e.lon - main.lon) < 3) {
            ++after;
            if (e.minute - main.minute < 30 * 1440) ++firstMonth;
        }
    EXPECT_GT(after, 200);
    EXPECT_GT(firstMonth, after / 2);
}

TEST(DataBuilder, RegenerationIsByteIdenticalToTheCommittedFolder) {
    namespace fs = std::filesystem;
    fs::path tmp = fs::temp_directory_path() / ("kavelo-data-" + std::to_string(::getpid()));
    fs::remove_all(tmp);
    for (const char* run : {"a", "b"}) {
        std::string cmd = std::string("\"") + KAVELO_DATABUILDER + "\" \"" + (tmp / run).string() + "\" --samples \"" +
                          (tmp / (std::string(run) + "-samples")).string() + "\" > /dev/null";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(KAVELO_DATA_DIR)) {
        std::string name = entry.path().filename().string();
        std::string committed = readAll(entry.path());
        EXPECT_EQ(readAll(tmp / "a" / name), committed) << name << " differs from a fresh build (run make data)";
        EXPECT_EQ(readAll(tmp / "b" / name), committed) << name << " differs between two builds";
        ++files;
    }
    EXPECT_EQ(files, 25);
    // The sample external lists beside DATA.
    int samples = 0;
    const fs::path bundled = fs::path(KAVELO_DATA_DIR).parent_path();
    for (const char* folder : {"Extra", "Hi-net"})
        for (const auto& entry : fs::directory_iterator(bundled / folder)) {
            const fs::path rel = fs::path(folder) / entry.path().filename();
            const std::string committed = readAll(entry.path());
            EXPECT_EQ(readAll(tmp / "a-samples" / rel), committed) << rel << " differs from a fresh build (run make data)";
            EXPECT_EQ(readAll(tmp / "b-samples" / rel), committed) << rel << " differs between two builds";
            ++samples;
        }
    EXPECT_EQ(samples, 4);
    fs::remove_all(tmp);
}
