#include <gtest/gtest.h>

#include "import/FdsnReader.h"

using namespace kavelo::import;

namespace {
const char* kComcatHeader =
    "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type,"
    "horizontalError,depthError,magError,magNst,status,locationSource,magSource\n";
}  // namespace

TEST(FdsnReader, ReadsComcatCsvWithQuotedPlacesAndMissingValues) {
    const std::string csv =
        std::string(kComcatHeader) +
        "2018-09-05T18:07:59.060Z,42.6861,141.9294,35,6.6,mww,,26,1.584,0.96,us,us2000h8ty,"
        "2022-05-03T14:32:31.040Z,\"27 km ESE of Tomakomai, Japan\",earthquake,5.9,1.8,0.049,40,"
        "reviewed,us,us\r\n"
        "2016-04-15T16:25:06.220Z,32.7906,130.7543,10,7,mww,,30,0.345,1.06,us,us20005iis,"
        "2022-05-03T14:32:31.040Z,\"1 km E of Kumamoto-shi, "
        "Japan\",earthquake,4.7,1.7,,,reviewed,us,us\r\n"
        "2001-01-02T07:39:36.290Z,24.355,122.016,,4.6,mb,,,,0.79,us,usp000a1b2,2014-11-07T01:11:44."
        "510Z,"
        "\"Taiwan region\",earthquake,,,,,reviewed,us,us\r\n"
        "2002-03-04T05:06:07Z,33.1,131.2,40.5,,,,,,,us,usx,,\"Kyushu, "
        "Japan\",earthquake,,,,,reviewed,us,us\r\n";
    auto r = readFdsnText(csv);
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_TRUE(r.problems.empty()) << r.problems[0].reason;
    ASSERT_EQ(r.events.size(), 4u);
    const SourceEvent& e = r.events[0];
    EXPECT_TRUE(e.utc);
    EXPECT_EQ(e.time.year, 2018);
    EXPECT_EQ(e.time.hour, 18);
    EXPECT_EQ(e.time.minute, 7);
    EXPECT_NEAR(e.time.second, 59.06, 1e-9);
    EXPECT_EQ(e.latDdmm, 4241);   // 42.6861 = 42 deg 41.17 min
    EXPECT_EQ(e.lonDdmm, 14155);  // 141.9294 = 141 deg 55.76 min
    EXPECT_DOUBLE_EQ(*e.depthKm, 35);
    EXPECT_DOUBLE_EQ(*e.mag, 6.6);
    EXPECT_TRUE(e.origin.empty());  // English places are no region names
    EXPECT_EQ(e.line, 2u);
    EXPECT_FALSE(r.events[2].depthKm.has_value());
    EXPECT_EQ(r.events[2].latDdmm, 2421);
    EXPECT_FALSE(r.events[3].mag.has_value());
    EXPECT_EQ(r.ignored["header line"], 1u);
}

TEST(FdsnReader, ReadsFdsnTextFindsColumnsByNameAndKeepsJapaneseNames) {
    const std::string text =
        "#EventID|Time|Latitude|Longitude|Depth/"
        "km|Author|Catalog|Contributor|ContributorID|MagType|"
        "Magnitude|MagAuthor|EventLocationName|EventType\n"
        "11793|2011-03-11T05:46:23.000|38.1035|142.861|23.7|JMA|JMA|JMA|11793|Mw|9.0|JMA|"
        "\xE4\xB8\x89\xE9\x99\xB8\xE6\xB2\x96|earthquake\n"
        "# a comment between events\n"
        "11794|2011-03-11T06:15:34+09:00|36.1|141.3|40|JMA|JMA|JMA|11794|Mj|7.6|JMA|OFF "
        "IBARAKI|earthquake\n";
    auto r = readFdsnText(text);
    ASSERT_TRUE(r.problems.empty()) << r.problems[0].reason;
    ASSERT_EQ(r.events.size(), 2u);
    EXPECT_EQ(r.events[0].origin, "\x8EO\x97\xA4\x89\xAB");  // UTF-8 三陸沖 kept in Shift-JIS
    EXPECT_DOUBLE_EQ(*r.events[0].mag, 9.0);
    // An explicit zone is turned into UTC: 06:15 at +09:00 is 21:15 of the day before.
    EXPECT_EQ(r.events[1].time.day, 10);
    EXPECT_EQ(r.events[1].time.hour, 21);
    EXPECT_EQ(r.events[1].time.minute, 15);
    EXPECT_TRUE(r.events[1].origin.empty());
    EXPECT_EQ(r.ignored["comment line"], 1u);

    // Columns in another order, found through the header, after a remark.
    auto o = readFdsnText(
        "# exported "
        "2020-06-02\nmag,depth,longitude,latitude,time\n5.1,12,139.5,35.25,2020-06-01T00:00:00Z\n");
    ASSERT_EQ(o.events.size(), 1u);
    EXPECT_EQ(o.events[0].latDdmm, 3515);
    EXPECT_EQ(o.events[0].lonDdmm, 13930);
    EXPECT_DOUBLE_EQ(*o.events[0].mag, 5.1);
}

TEST(FdsnReader, ReportsBadLinesAndRefusesWhatIsNoEventList) {
    const std::string csv = std::string(kComcatHeader) +
                            "2018-13-05T18:07:59Z,42.6,141.9,35,6.6\n"
                            "2018-09-05T18:07:59Z,north,141.9,35,6.6\n"
                            "2018-09-05T18:07:59Z,42.6,141.9,deep,6.6\n"
                            "2018-09-05T18:07:59Z,42.6,141.9,35,nan\n"
                            "2018-09-05T18:07:59Z,42.6,141.9,35,6.6,\"unclosed\n"
                            "2018-09-05T25:07:59Z,42.6,141.9,35,6.6\n"
                            "2018-09-05T18:07:59Z,42.6\n"
                            "2018-09-05T18:07:59Z,42.6,141.9,35,6.6\n";
    auto r = readFdsnText(csv);
    ASSERT_EQ(r.events.size(), 1u);
    ASSERT_EQ(r.problems.size(), 7u);
    for (std::size_t i = 0; i < r.problems.size(); ++i) EXPECT_EQ(r.problems[i].line, i + 2);
    EXPECT_NE(r.problems[0].reason.find("date"), std::string::npos);
    EXPECT_NE(r.problems[1].reason.find("latitude"), std::string::npos);
    EXPECT_NE(r.problems[2].reason.find("depth"), std::string::npos);
    EXPECT_NE(r.problems[3].reason.find("magnitude"), std::string::npos);
    EXPECT_NE(r.problems[4].reason.find("quoted"), std::string::npos);

    auto junk = readFdsnText("name,age\nalice,30\n");
    EXPECT_FALSE(junk.error.empty());
    EXPECT_TRUE(junk.events.empty());
    FdsnReader fdsn;
    EXPECT_EQ(fdsn.recognise("name,age\nalice,30\n"), 0);
    EXPECT_GT(fdsn.recognise(kComcatHeader), 0);
    EXPECT_GT(fdsn.recognise("2020-06-01T00:00:00Z,35.2,139.5,12,5.1\n"), 0);  // no header
}
