#include <gtest/gtest.h>

#include "catalogue/OriginNameTable.h"

using namespace kavelo;

namespace {
struct Counts {
    int tooLong = 0, tooMany = 0;
    std::function<void(NameTableMessage)> fn() {
        return [this](NameTableMessage m) {
            (m == NameTableMessage::TooLongLetters ? tooLong : tooMany)++;
        };
    }
};
Catalogue catalogueOf(std::initializer_list<const char*> names) {
    Catalogue c;
    for (const char* n : names) c[c.recordCount++].setOrigin(n);
    return c;
}
}  // namespace

TEST(OriginNameTable, FirstMatchWinsAndReplacedNameIsNotLookedUpAgain) {
    Counts n;
    auto t = parseOriginNameTable("A,B\r\nX,Y\r\nC,D\nB,Z\nC,E\n", n.fn());
    ASSERT_EQ(t.entries.size(), 5u);
    auto cat = catalogueOf({"A", "C", "Q", ""});
    EXPECT_EQ(applyOriginNames(t, cat, nullptr), 2);
    EXPECT_EQ(cat[0].originName(), "B");  // not chained on to Z
    EXPECT_EQ(cat[1].originName(), "D");  // entry 3, not entry 5
    EXPECT_EQ(cat[2].originName(), "Q");
    EXPECT_EQ(cat[3].originName(), "");
    EXPECT_EQ(n.tooLong + n.tooMany, 0);
}

TEST(OriginNameTable, ThreeColumnsWarnOnceAndMapFirstToSecond) {
    Counts n;
    auto t = parseOriginNameTable("OLD,NEW,extra\n", n.fn());
    EXPECT_EQ(n.tooMany, 1);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].first, "OLD");
    EXPECT_EQ(t.entries[0].second, "NEW");
}

TEST(OriginNameTable, ColumnBeyondThirtyBytesWarnsPerByteAndIsCut) {
    Counts n;
    auto t = parseOriginNameTable(std::string(32, 'a') + ",b\n", n.fn());
    EXPECT_EQ(n.tooLong, 2);
    EXPECT_EQ(t.entries[0].first, std::string(30, 'a'));
    // A cut never leaves half of a double-byte character: 29 ASCII bytes, then one kanji.
    Counts m;
    auto u = parseOriginNameTable(std::string(29, 'a') + "\x93\xfa,b\n", m.fn());
    EXPECT_EQ(m.tooLong, 1);
    EXPECT_EQ(u.entries[0].first, std::string(29, 'a'));
}

TEST(OriginNameTable, OverlongLineNeverSpillsIntoAnotherEntry) {
    Counts n;
    std::string line = "K," + std::string(300, 'v') + "\nL,M\n";
    auto t = parseOriginNameTable(line, n.fn());
    ASSERT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(t.entries[0].second, std::string(30, 'v'));
    EXPECT_EQ(n.tooLong, 97 - 30);  // only the first 99 bytes of the line are read
    EXPECT_EQ(t.entries[1].first, "L");
}

TEST(OriginNameTable, IdoReplacementIsReported) {
    auto t = parseOriginNameTable("SOMEWHERE,IDO\n", nullptr);
    auto cat = catalogueOf({"SOMEWHERE", "ELSE", "SOMEWHERE"});
    std::vector<int> illegal;
    applyOriginNames(t, cat, [&](int i) { illegal.push_back(i); });
    EXPECT_EQ(illegal, (std::vector<int>{0, 2}));
    EXPECT_EQ(cat[0].originName(), "IDO");
}

TEST(OriginNameTable, AtMostTwoThousandEntries) {
    std::string s;
    for (int i = 0; i < 2100; ++i) s += "n" + std::to_string(i) + ",x\n";
    EXPECT_EQ(parseOriginNameTable(s, nullptr).entries.size(), 2000u);
}
