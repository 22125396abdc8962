#include <gtest/gtest.h>

#include "chronology/Chronology.h"
#include "common/TempDir.h"

using namespace kavelo;
using kavelo::test::TempDir;

namespace {
// 地震 and 津波 in Shift-JIS; 表 (95 5C) and ポ (83 7C) carry ASCII-looking trail bytes.
const std::string kJishin = "\x92\x6e\x90\x6b";
const std::string kTsunami = "\x92\xc3\x94\x67";
const std::string kPo = "\x83\x7c";
}  // namespace

TEST(ChronologyReader, FieldsNullTextsPercentInArticleAndLineEnds) {
    ChronologyTable t;
    const std::string file = "19950117%3436%13503%73%兵庫県南部%死者6434 50%が全壊\r\n"
                             "  7150605% 3530%13930%65%(null)%(null)\r\n"
                             "18960615%3930%14420%82%三陸沖%" + kTsunami + "\n"
                             "20110311%3806%14251%90%東北%last";  // no line end: kept whole
    EXPECT_TRUE(t.parse(file).empty());
    ASSERT_EQ(t.count(), 4);
    EXPECT_EQ(t[0].date, 19950117);
    EXPECT_EQ(t[0].lat, 3436);
    EXPECT_EQ(t[0].lon, 13503);
    EXPECT_EQ(t[0].mag, 73);
    EXPECT_EQ(t[0].name, "兵庫県南部");
    EXPECT_EQ(t[0].article, "死者6434 50%が全壊");
    EXPECT_EQ(t[1].date, 7150605);
    EXPECT_EQ(t[1].lat, 3530);
    EXPECT_TRUE(t[1].name.empty());
    EXPECT_TRUE(t[1].article.empty());
    EXPECT_EQ(t[2].article, kTsunami);
    EXPECT_EQ(t[3].article, "last");
}

TEST(ChronologyReader, DamagedLinesAreSkippedOrCutAndReported) {
    std::string file;
    file += "19230901%3519%13906%79%関東%ok\r\n";
    file += "19230901%3519%13906%79%too few\r\n";          // four "%"
    file += "\r\n   \r\n";                                 // blank lines: silent
    // Line bytes 796-797 hold one double-byte character, across the 797-byte limit.
    std::string longArticle(900, 'a');
    longArticle.replace(765, 2, kJishin.substr(0, 2));
    file += "19330303%3914%14431%81%" + longArticle + "\r\n";  // too long and too few fields
    file += "19330303%3914%14431%81%sanriku%" + longArticle + "\r\n";
    file += "1944\xff\xfe%\x81%%%%\x82\r\n";                // broken Shift-JIS
    file += "99999999999%99999%-99999%7%x%y\r\n";          // out of range numbers clamp
    ChronologyTable t;
    const auto problems = t.parse(file);
    ASSERT_EQ(t.count(), 4);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].kind, ChronologyProblem::TooFewFields);
    EXPECT_EQ(problems[0].line, 2);
    EXPECT_EQ(problems[1].kind, ChronologyProblem::TooLong);
    EXPECT_EQ(problems[2].kind, ChronologyProblem::TooFewFields);
    EXPECT_EQ(problems[2].line, 5);
    EXPECT_EQ(problems[3].kind, ChronologyProblem::TooLong);
    EXPECT_EQ(problems[3].line, 6);
    // The line is cut at 797 bytes, before the split double-byte character.
    const std::string& cut = t[1].article;
    EXPECT_EQ(cut.size(), 765u);
    EXPECT_EQ(cut.find_first_not_of('a'), std::string::npos);
    EXPECT_EQ(t[2].date, 1944);
    EXPECT_EQ(t[2].name, "");
    EXPECT_EQ(t[2].article, "\x82");
    EXPECT_EQ(t[3].lat, 32767);
    EXPECT_EQ(t[3].lon, -32768);
}

TEST(ChronologyReader, KeepsTheFirst800EntriesAndReportsTheRest) {
    std::string file;
    for (int i = 0; i < 803; ++i) file += std::to_string(19000101 + i) + "%3500%13500%60%n%a\r\n";
    ChronologyTable t;
    const auto problems = t.parse(file);
    EXPECT_EQ(t.count(), kChronologyCapacity);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].kind, ChronologyProblem::TooManyLines);
    EXPECT_EQ(problems[0].line, 801);
}

TEST(ChronologyReader, LoadFailsForMissingFilesAndFolders) {
    TempDir dir;
    ChronologyTable t;
    EXPECT_FALSE(loadChronology(dir.file("NENPYO.TXT"), t).opened);
    EXPECT_FALSE(loadChronology(dir.str(), t).opened);
    dir.write("NENPYO.TXT", "19950117%3436%13503%73%a%b\r\n");
    EXPECT_TRUE(loadChronology(dir.file("NENPYO.TXT"), t).opened);
    EXPECT_EQ(t.count(), 1);
}

TEST(ChronologyLookup, SameDateWithinThreeMinutesFirstInFileOrder) {
    ChronologyTable t;
    t.parse("19950117%3436%13503%73%first%\n"
            "19950117%3436%13503%73%second%\n"
            "19950118%3436%13503%73%next day%\n"
            "20000101%3500%13500%50%other%\n");
    EXPECT_EQ(t.find(19950117, 13503, 3436), 0);
    EXPECT_EQ(t.find(19950117, 13505, 3438), 0);   // 2 minutes each
    EXPECT_EQ(t.find(19950117, 13507, 3436), -1);  // 4 minutes in longitude
    EXPECT_EQ(t.find(19950117, 13503, 3432), -1);  // 4 minutes in latitude
    EXPECT_EQ(t.find(19950118, 13503, 3436), 2);
    EXPECT_EQ(t.find(19950116, 13503, 3436), -1);
    EXPECT_EQ(t.find(20000101, 13459, 3459), 3);   // across the degree
    EXPECT_EQ(t.find(20200101, 13500, 3500), -1);
}

TEST(ChronologySearch, WordsAlternativesAndLimits) {
    SearchWords w = splitAlternatives("");
    EXPECT_TRUE(w.ok);
    EXPECT_TRUE(w.words.empty());
    w = splitAlternatives("a||b|");
    ASSERT_EQ(w.words.size(), 4u);
    EXPECT_EQ(w.words[1], "");
    EXPECT_EQ(w.words[3], "");
    // A trail byte 0x7C is part of its character, not a bar.
    w = splitAlternatives(kPo + "|" + kJishin);
    ASSERT_EQ(w.words.size(), 2u);
    EXPECT_EQ(w.words[0], kPo);
    EXPECT_FALSE(splitAlternatives(std::string(100, 'x')).ok);
    EXPECT_TRUE(splitAlternatives(std::string(99, 'x')).ok);
    EXPECT_FALSE(splitAlternatives("1|2|3|4|5|6|7|8|9|10|11").ok);
    EXPECT_TRUE(splitAlternatives("1|2|3|4|5|6|7|8|9|10").ok);

    ChronologyTable t;
    t.parse("1%0%0%0%関東%" + kTsunami + "あり\n2%0%0%0%三陸沖%" + kJishin + "\n3%0%0%0%濃尾%" + kTsunami + "\n");
    EXPECT_EQ(searchChronology(t, {}, {}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(searchChronology(t, splitAlternatives("関東|濃尾").words, {}), (std::vector<int>{0, 2}));
    EXPECT_EQ(searchChronology(t, splitAlternatives("関東|濃尾").words, {kTsunami + "あり"}), (std::vector<int>{0}));
    EXPECT_EQ(searchChronology(t, {""}, {}), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(searchChronology(t, {"十勝"}, {}).empty());
}

TEST(ChronologyCells, ListFormats) {
    EXPECT_EQ(chronologyNumber(7), "   7");
    EXPECT_EQ(chronologyDate(7150605), "  715/06/05");
    EXPECT_EQ(chronologyDate(19950117), " 1995/01/17");
    EXPECT_EQ(chronologyLat(3530), " 35\x81\x8b" "30\x81\x8c");
    EXPECT_EQ(chronologyLon(13930), " 139\x81\x8b" "30\x81\x8c");
    EXPECT_EQ(chronologyMag(79), " 7.9");
}
