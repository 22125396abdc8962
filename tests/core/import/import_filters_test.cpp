#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "catalogue/CatalogueLoader.h"
#include "common/TempDir.h"
#include "import/ImportCommand.h"

using namespace kavelo;
using namespace kavelo::import;

namespace {
// Six events: A inside every bound, B-E each outside exactly one (magnitude, depth,
// latitude, longitude, in the order the filters are checked), F on the bounds themselves.
struct Quake {
    const char* name;
    double lat, lon, depth, mag;
};
const Quake kQuakes[] = {{"A", 35.5, 140.0, 10, 3.0}, {"B", 36.0, 141.0, 20, 7.0},
                         {"C", 37.0, 141.5, 80, 4.0}, {"D", 41.0, 140.5, 30, 3.5},
                         {"E", 39.0, 146.0, 40, 4.5}, {"F", 40.0, 145.0, 50, 6.0}};
const std::vector<std::string> kFilters = {"--mag", "2.5", "6",  "--depth", "0",   "50",
                                           "--lat", "34",  "40", "--lon",   "135", "145"};

std::string jmaFile() {
    std::string s;
    int day = 1;
    for (const auto& q : kQuakes) {
        char buf[200];
        const int latD = static_cast<int>(q.lat), lonD = static_cast<int>(q.lon);
        std::snprintf(buf, sizeof buf, "J202001%02d1200%-8s%3d%4d    %4d%4d    %5d   %2d", day++,
                      "0000", latD, static_cast<int>((q.lat - latD) * 6000 + 0.5), lonD,
                      static_cast<int>((q.lon - lonD) * 6000 + 0.5),
                      static_cast<int>(q.depth * 100), static_cast<int>(q.mag * 10 + 0.5));
        std::string line = buf;
        line.resize(96, ' ');
        s += line + "\r\n";
    }
    return s;
}

std::string csvFile() {
    std::string s = "time,latitude,longitude,depth,mag,magType,place,type\n";
    int day = 1;
    for (const auto& q : kQuakes) {
        char buf[200];
        std::snprintf(buf, sizeof buf, "2020-01-%02dT03:00:00Z,%.4f,%.4f,%.1f,%.2f,mb,\"%s\",earthquake\n",
                      day++, q.lat, q.lon, q.depth, q.mag, q.name);
        s += buf;
    }
    return s;
}

std::string quakeMlFile() {
    std::string s = R"(<?xml version="1.0"?><q:quakeml xmlns:q="http://quakeml.org/xmlns/quakeml/1.2" xmlns="http://quakeml.org/xmlns/bed/1.2"><eventParameters publicID="x">)";
    int day = 1;
    for (const auto& q : kQuakes) {
        char buf[600];
        std::snprintf(buf, sizeof buf,
                      "<event publicID=\"e%s\"><type>earthquake</type><origin publicID=\"o\">"
                      "<time><value>2020-01-%02dT03:00:00Z</value></time>"
                      "<latitude><value>%.4f</value></latitude><longitude><value>%.4f</value>"
                      "</longitude><depth><value>%.0f</value></depth></origin><magnitude "
                      "publicID=\"m\"><mag><value>%.2f</value></mag></magnitude></event>",
                      q.name, day++, q.lat, q.lon, q.depth * 1000, q.mag);
        s += buf;
    }
    return s + "</eventParameters></q:quakeml>\n";
}

struct Outcome {
    int status = 0;
    std::string out, err;
    std::vector<EarthquakeRecord> records;
};
Outcome run(const test::TempDir& d, const std::string& input, std::vector<std::string> extra) {
    std::vector<std::string> args = std::move(extra);
    args.insert(args.end(), {"-o", d.file("OUT.BIN"), d.file(input)});
    std::ostringstream out, err;
    Outcome o;
    o.status = runImportCommand(args, out, err);
    o.out = out.str();
    o.err = err.str();
    const std::string bytes = d.read("OUT.BIN");
    for (std::size_t i = 0; i + kRecordSize <= bytes.size(); i += kRecordSize)
        o.records.push_back(
            decodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i));
    return o;
}
}  // namespace

TEST(ImportFilters, EveryFormatKeepsWhatLiesWithinTheBoundsInclusive) {
    test::TempDir d;
    d.write("cat.jma", jmaFile());
    d.write("cat.csv", csvFile());
    d.write("cat.xml", quakeMlFile());
    for (const char* input : {"cat.jma", "cat.csv", "cat.xml"}) {
        SCOPED_TRACE(input);
        Outcome all = run(d, input, {});
        ASSERT_EQ(all.status, 0) << all.err;
        EXPECT_EQ(all.records.size(), 6u);
        Outcome o = run(d, input, kFilters);
        ASSERT_EQ(o.status, 0) << o.err;
        ASSERT_EQ(o.records.size(), 2u);
        EXPECT_EQ(o.records[0].lat, 3530);  // A
        EXPECT_EQ(o.records[1].lat, 4000);  // F, on every bound
        EXPECT_EQ(o.records[1].mag, 60);
        EXPECT_EQ(o.records[1].depth, 50);
        EXPECT_NE(o.out.find("skipped:    0 bad lines, 1 outside --mag, 1 outside --depth, "
                             "1 outside --lat, 1 outside --lon\n"),
                  std::string::npos)
            << o.out;
    }
    // Magnitude bounds compare the stored tenths: 5.95 rounds to 6.0 and is within 6.
    d.write("edge.csv", "time,latitude,longitude,depth,mag\n2020-01-01T00:00:00Z,35,140,10,5.95\n"
                        "2020-01-02T00:00:00Z,35,140,10,6.05\n");
    Outcome edge = run(d, "edge.csv", {"--mag", "2.5", "6"});
    ASSERT_EQ(edge.records.size(), 1u);
    EXPECT_EQ(edge.records[0].mag, 60);
    // Southern and western bounds read ddmm back as signed degrees.
    d.write("south.csv", "time,latitude,longitude,depth,mag\n2020-01-01T00:00:00Z,-9.02,-70.5,"
                         "10,5\n2020-01-02T00:00:00Z,-8.99,-70.5,10,5\n");
    Outcome south = run(d, "south.csv", {"--lat", "-9", "0", "--lon", "-71", "-70"});
    ASSERT_EQ(south.records.size(), 1u);
    EXPECT_EQ(south.records[0].lat, -859);
}

TEST(ImportFilters, NonEarthquakesAndZeroMagnitudesWithoutTypeAreSkippedAndCounted) {
    test::TempDir d;
    d.write("types.csv",
            "time,latitude,longitude,depth,mag,magType,place,type\n"
            "2020-01-01T00:00:00Z,35,140,10,3.1,ml,a,earthquake\n"
            "2020-01-02T00:00:00Z,35,140,0,2.0,ml,b,quarry blast\n"
            "2020-01-03T00:00:00Z,35,140,0,2.2,md,c,Explosion\n"
            "2020-01-04T00:00:00Z,35,140,0,1.9,ml,d,mine collapse\n"
            "2020-01-05T00:00:00Z,35,140,10,0,,e,earthquake\n"
            "2020-01-06T00:00:00Z,35,140,10,0.0,ml,f,earthquake\n"
            "2020-01-07T00:00:00Z,35,140,10,,,g,earthquake\n"
            "2020-01-08T00:00:00Z,35,140,10,4.0,mb,h,\n");
    Outcome o = run(d, "types.csv", {});
    ASSERT_EQ(o.status, 0) << o.err;
    ASSERT_EQ(o.records.size(), 3u);  // a, f (magnitude 0 of a stated type) and h (no type)
    EXPECT_EQ(o.records[1].mag, 0);
    EXPECT_NE(o.out.find("2 without magnitude"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("3 not earthquakes (--all-types keeps them)"), std::string::npos)
        << o.out;
    Outcome kept = run(d, "types.csv", {"--all-types"});
    EXPECT_EQ(kept.records.size(), 6u);
    EXPECT_EQ(kept.out.find("not earthquakes"), std::string::npos);

    // FDSN text names its type column EventType; QuakeML has the event's type element.
    d.write("types.txt",
            "#EventID|Time|Latitude|Longitude|Depth/km|Author|Catalog|Contributor|ContributorID|"
            "MagType|Magnitude|MagAuthor|EventLocationName|EventType\n"
            "1|2020-01-01T00:00:00|35|140|10|a|b|c|d|ML|3.0|x|Y|earthquake\n"
            "2|2020-01-02T00:00:00|35|140|1|a|b|c|d|ML|2.0|x|Y|quarry blast\n");
    EXPECT_EQ(run(d, "types.txt", {}).records.size(), 1u);
    d.write("types.xml",
            R"(<?xml version="1.0"?><q:quakeml xmlns:q="http://quakeml.org/xmlns/quakeml/1.2" xmlns="http://quakeml.org/xmlns/bed/1.2"><eventParameters publicID="x">
<event publicID="a"><type>explosion</type><origin publicID="o"><time><value>2020-01-01T00:00:00Z</value></time><latitude><value>35</value></latitude><longitude><value>140</value></longitude></origin><magnitude publicID="m"><mag><value>2</value></mag></magnitude></event>
<event publicID="b"><type>earthquake</type><origin publicID="o"><time><value>2020-01-02T00:00:00Z</value></time><latitude><value>35</value></latitude><longitude><value>140</value></longitude></origin><magnitude publicID="m"><mag><value>3</value></mag></magnitude></event>
</eventParameters></q:quakeml>)");
    Outcome xml = run(d, "types.xml", {});
    EXPECT_EQ(xml.records.size(), 1u);
    EXPECT_NE(xml.out.find("1 not earthquakes"), std::string::npos) << xml.out;
}

TEST(ImportFilters, BadBoundsAreUsageErrors) {
    test::TempDir d;
    d.write("cat.csv", csvFile());
    for (auto args : std::vector<std::vector<std::string>>{{"--mag", "6", "2"},
                                                           {"--lat", "-91", "0"},
                                                           {"--lon", "0", "181"},
                                                           {"--depth", "x", "10"},
                                                           {"--depth=5"}}) {
        Outcome o = run(d, "cat.csv", args);
        EXPECT_EQ(o.status, 2) << args[0];
        EXPECT_TRUE(o.records.empty());
    }
}
