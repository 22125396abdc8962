#include <gtest/gtest.h>

#include "import/JmaReader.h"

using namespace kavelo::import;

namespace {
// Hypocentre records as the agency's yearly files hold them (Shift-JIS region names).
const std::string kTohoku =
    "J2011031114461812 010 38 621 011 1425166 022 2374 4590W76V15 7  2288\x8EO\x97\xA4\x89\xAB"
    "                  999K";
const std::string kKumamotoNegative =
    "J2016041403050512 008 331512 017 1304709 024 1027 58A3v   15    9786\x8C"
    "F\x96{\x8C\xA7\x8C"
    "F\x96{\x92n\x95\xFB            4K";
const std::string kOldBlankMagDepth =
    "J19260702115832       35 4       13930                    18    3350\x93\x8C\x8B\x9E\x98p"
    "                     S";
const std::string kYearEndFixedDepth =
    "J2018123123595973 012 360301 013 1400620 021 10     -5v   15    3301\x88\xEF\x8F\xE9\x8C\xA7"
    "\x93\xEC\x95\x94                7K";
const std::string kTokachi =
    "J2003092604500638 007 414681 006 1440472 014 4500 8080W80V15 6  1190\x8F\\\x8F\x9F\x89\xAB"
    "                  999K";
const std::string kForeign =
    "U2004122609585300      31900      954800     3000   91W         9999                          "
    " K";
}  // namespace

TEST(JmaReader, ReadsEveryFieldOfHypocentreRecords) {
    ASSERT_EQ(kTohoku.size(), 96u);
    ASSERT_EQ(kForeign.size(), 96u);
    auto r = readJmaRecords(kTohoku + "\r\n" + kTokachi + "\r\n" + kForeign + "\r\n");
    ASSERT_TRUE(r.problems.empty()) << r.problems[0].reason;
    ASSERT_EQ(r.events.size(), 3u);
    const SourceEvent& e = r.events[0];
    EXPECT_FALSE(e.utc);
    EXPECT_EQ(e.time.year, 2011);
    EXPECT_EQ(e.time.month, 3);
    EXPECT_EQ(e.time.day, 11);
    EXPECT_EQ(e.time.hour, 14);
    EXPECT_EQ(e.time.minute, 46);
    EXPECT_DOUBLE_EQ(e.time.second, 18.12);
    EXPECT_EQ(e.latDdmm, 3806);
    EXPECT_EQ(e.lonDdmm, 14251);
    EXPECT_NEAR(e.latDeg, 38 + 6.21 / 60, 1e-12);
    EXPECT_NEAR(e.lonDeg, 142 + 51.66 / 60, 1e-12);
    EXPECT_DOUBLE_EQ(*e.depthKm, 23.74);
    EXPECT_DOUBLE_EQ(*e.mag, 9.0);
    EXPECT_EQ(e.origin, "\x8EO\x97\xA4\x89\xAB");  // 三陸沖, padding removed
    EXPECT_EQ(e.line, 1u);
    // A trail byte that is a backslash stays part of its character (十勝沖).
    EXPECT_EQ(r.events[1].origin, "\x8F\\\x8F\x9F\x89\xAB");
    EXPECT_DOUBLE_EQ(*r.events[1].depthKm, 45.0);
    // A foreign hypocentre without a region name.
    EXPECT_EQ(r.events[2].latDdmm, 319);
    EXPECT_EQ(r.events[2].lonDdmm, 9548);
    EXPECT_TRUE(r.events[2].origin.empty());
}

TEST(JmaReader, ALeadByteWithoutItsSecondByteEndsTheName) {
    // Region field (columns 69-92) starting with the lead byte 0x84 and a NUL, or holding
    // one whole character before them: no half character is kept.
    auto withRegion = [](const std::string& region) {
        std::string line = kTohoku;
        line.replace(68, region.size(), region);
        return line;
    };
    const std::string halfFirst = withRegion(std::string("\x84\0", 2));
    const std::string halfAfterOne = withRegion(std::string("\x93\x8c\x84\0\x93\x8c", 6));
    ASSERT_EQ(halfFirst.size(), 96u);
    auto r = readJmaRecords(halfFirst + "\n" + halfAfterOne + "\n");
    ASSERT_EQ(r.events.size(), 2u);
    EXPECT_EQ(r.events[0].origin, "");
    EXPECT_EQ(r.events[1].origin, "\x93\x8c");
}

TEST(JmaReader, DecodesNegativeBlankMagnitudesAndDepthForms) {
    auto r =
        readJmaRecords(kKumamotoNegative + "\n" + kOldBlankMagDepth + "\n" + kYearEndFixedDepth);
    ASSERT_TRUE(r.problems.empty()) << r.problems[0].reason;
    ASSERT_EQ(r.events.size(), 3u);
    EXPECT_DOUBLE_EQ(*r.events[0].mag, -1.3);  // "A3"
    EXPECT_DOUBLE_EQ(*r.events[0].depthKm, 10.27);
    // An early record: whole seconds and minutes with blank hundredths, no depth, no magnitude.
    const SourceEvent& old = r.events[1];
    EXPECT_FALSE(old.mag.has_value());
    EXPECT_FALSE(old.depthKm.has_value());
    EXPECT_DOUBLE_EQ(old.time.second, 32.0);
    EXPECT_EQ(old.latDdmm, 3504);
    EXPECT_EQ(old.lonDdmm, 13930);
    // A fixed depth in whole km (F3.0) and "-5" for -0.5; seconds 59.73 stay in their minute.
    const SourceEvent& ye = r.events[2];
    EXPECT_DOUBLE_EQ(*ye.depthKm, 10.0);
    EXPECT_DOUBLE_EQ(*ye.mag, -0.5);
    EXPECT_DOUBLE_EQ(ye.time.second, 59.73);
    EXPECT_EQ(ye.latDdmm, 3603);

    struct Case {
        const char* field;
        bool ok;
        std::optional<int> tenths;
    };
    const Case cases[] = {{"53", true, 53},
                          {" 7", true, 7},
                          {"-9", true, -9},
                          {"A0", true, -10},
                          {"B5", true, -25},
                          {"C9", true, -39},
                          {"  ", true, std::nullopt},
                          {"D1", false, std::nullopt},
                          {"5 ", false, std::nullopt},
                          {"-A", false, std::nullopt}};
    for (const auto& c : cases) {
        std::optional<int> t;
        EXPECT_EQ(decodeJmaMagnitude(c.field, t), c.ok) << c.field;
        EXPECT_EQ(t, c.tenths) << c.field;
    }
}

TEST(JmaReader, SkipsOtherRecordsAndReportsBadLinesWithTheirNumbers) {
    std::string bad = kTohoku;
    bad[5] = '1';  // month 13
    bad[6] = '3';
    std::string badLat = kTohoku;
    badLat.replace(24, 4, "6x00");
    const std::string text = "C comment record of the agency's file\n" + kTohoku + "\n" + bad +
                             "\n\n" + "E\n" + badLat + "\n" + kTohoku.substr(0, 40) + "\n" +
                             kTokachi + "\n";
    auto r = readJmaRecords(text);
    ASSERT_EQ(r.events.size(), 2u);
    EXPECT_EQ(r.events[1].line, 8u);
    ASSERT_EQ(r.problems.size(), 3u);
    EXPECT_EQ(r.problems[0].line, 3u);
    EXPECT_NE(r.problems[0].reason.find("date"), std::string::npos);
    EXPECT_EQ(r.problems[1].line, 6u);
    EXPECT_NE(r.problems[1].reason.find("latitude"), std::string::npos);
    EXPECT_EQ(r.problems[2].line, 7u);
    EXPECT_NE(r.problems[2].reason.find("too short"), std::string::npos);
    EXPECT_EQ(r.ignored["blank line"], 1u);
    EXPECT_EQ(r.ignored["record type 'C' (not a hypocentre)"], 1u);
    EXPECT_EQ(r.ignored["record type 'E' (not a hypocentre)"], 1u);

    ReadOptions strict;
    strict.stopAtFirstProblem = true;
    auto s = readJmaRecords(text, strict);
    EXPECT_TRUE(s.stopped);
    EXPECT_EQ(s.problems.size(), 1u);
    EXPECT_EQ(s.events.size(), 1u);
}

TEST(JmaReader, RecognisesItsFilesOnly) {
    JmaReader jma;
    EXPECT_GT(jma.recognise(kTohoku + "\r\n" + kTokachi + "\r\n"), 0);
    EXPECT_EQ(
        jma.recognise(
            "time,latitude,longitude,depth,mag\n2011-03-11T05:46:24.120Z,38.297,142.373,29,9.1\n"),
        0);
    EXPECT_EQ(jma.recognise("<?xml version=\"1.0\"?><q:quakeml/>"), 0);
    EXPECT_EQ(jma.recognise(""), 0);
}

TEST(JmaReader, ReadsSouthernLatitudesWithABlankAfterTheSignAndBlankMinutes) {
    // Real records: a USGS hypocentre at 9°00.54'S written "- 9", and a 1924 record whose
    // minutes of latitude are blank (35°00') and of longitude whole ("30  ").
    std::string south = "U199811012323016     - 90054     1502884     33     44B";
    std::string old1924 = "J192408012201         35         13930        0     65J";
    south.resize(96, ' ');
    old1924.resize(96, ' ');
    auto r = readJmaRecords(south + "\r\n" + old1924 + "\r\n");
    ASSERT_EQ(r.problemCount, 0u) << r.problems[0].reason;
    ASSERT_EQ(r.events.size(), 2u);
    const SourceEvent& s = r.events[0];
    EXPECT_EQ(s.latDdmm, -900);
    EXPECT_NEAR(s.latDeg, -(9 + 0.54 / 60), 1e-12);
    EXPECT_EQ(s.lonDdmm, 15028);
    EXPECT_NEAR(s.lonDeg, 150 + 28.84 / 60, 1e-12);
    EXPECT_DOUBLE_EQ(*s.depthKm, 33);
    EXPECT_DOUBLE_EQ(*s.mag, 4.4);
    EXPECT_EQ(s.time.hour, 23);
    EXPECT_EQ(s.time.minute, 23);
    const SourceEvent& o = r.events[1];
    EXPECT_EQ(o.latDdmm, 3500);
    EXPECT_DOUBLE_EQ(o.latDeg, 35);
    EXPECT_EQ(o.lonDdmm, 13930);
    EXPECT_DOUBLE_EQ(*o.depthKm, 0);
    EXPECT_DOUBLE_EQ(*o.mag, 6.5);
    EXPECT_DOUBLE_EQ(o.time.second, 0);

    // A sign alone, or blank degrees with minutes, is still no latitude.
    std::string noDegrees = south;
    noDegrees.replace(21, 3, "-  ");
    std::string onlyMinutes = old1924;
    onlyMinutes.replace(21, 7, "   3000");
    auto bad = readJmaRecords(noDegrees + "\n" + onlyMinutes + "\n");
    ASSERT_EQ(bad.problemCount, 2u);
    EXPECT_NE(bad.problems[0].reason.find("latitude"), std::string::npos);
    EXPECT_NE(bad.problems[1].reason.find("latitude"), std::string::npos);
}

TEST(JmaReader, NamesLinesThatAreNoRecordAtAll) {
    using namespace std::string_literals;
    const std::string tohoku = kTohoku;
    const std::string text = "C comment\n"s + "\x01\x89PNG\x1a\x00garbage\n"s +
                             tohoku + "\n" + "M" + std::string(120, '1') + "\n" +
                             "\xEF\xBB\xBFJ text in UTF-8\n" + "E\tend\n" + "9 phase line\n";
    auto r = readJmaRecords(std::string_view(text.data(), text.size()));
    ASSERT_EQ(r.events.size(), 1u);
    ASSERT_EQ(r.problemCount, 4u);
    EXPECT_EQ(r.problems[0].line, 2u);
    EXPECT_EQ(r.problems[0].reason, "not a record: control byte 1 in column 1");
    EXPECT_EQ(r.problems[1].line, 4u);
    EXPECT_EQ(r.problems[1].reason, "not a record: 121 bytes, longer than 96 columns");
    EXPECT_EQ(r.problems[2].line, 5u);
    EXPECT_NE(r.problems[2].reason.find("not a record: column 1 holds"), std::string::npos);
    EXPECT_EQ(r.problems[3].line, 6u);
    EXPECT_EQ(r.problems[3].reason, "not a record: control byte 9 in column 2");
    // Records of other types are still counted by type.
    EXPECT_EQ(r.ignored["record type 'C' (not a hypocentre)"], 1u);
    EXPECT_EQ(r.ignored["record type '9' (not a hypocentre)"], 1u);
}
