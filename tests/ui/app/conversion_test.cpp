#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/Convert.h"
#include "app/Sjis.h"
#include "search/ResultListModel.h"
#include "ui/UiFixture.h"

using namespace kavelo::ui;

TEST(Conversion, BadTypedNumberShowsTheStandardMessageAndStops) {
    kavelo::test::UiFixture fx;
    bool after = false;
    EXPECT_FALSE(guarded([&] {
        strToInt(QString("12x"));
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "'12x' is not a valid integer value");
    EXPECT_EQ(fx.messages[0].caption, "KAVELO4.4");
    EXPECT_TRUE(guarded([&] { EXPECT_EQ(strToInt(QString(" -40 ")), -40); }));
}

TEST(Conversion, ShiftJisRoundTripsTheProgramsCharacters) {
    const QString s = "宮城県沖～ﾏｸﾞﾆﾁｭｰﾄﾞ゜´｜";
    const std::string b = toSjis(s);
    EXPECT_EQ(b.substr(0, 4), "\x8b\x7b\x8f\xe9");
    EXPECT_EQ(fromSjis(b), s);
}

TEST(Conversion, BrokenShiftJisShowsReplacementCharacters) {
    const QChar bad(0xFFFD);
    EXPECT_EQ(fromSjis("AB\x82"), QString("AB") + bad);              // cut at the end
    EXPECT_EQ(fromSjis("\x82\x20Z"), QString(bad) + " Z");           // trail byte out of range
    EXPECT_EQ(fromSjis("\x81\x0a\x93\x8c"), QString(bad) + "\n東");  // good text after it survives
    EXPECT_EQ(fromSjis("\xff\xa0"), QString(2, bad));                 // bytes no table holds
    EXPECT_EQ(fromSjis(std::string_view("A\0B", 3)).size(), 3);
    EXPECT_TRUE(fromSjis({}).isEmpty());
    // Any bytes: at most one character each, and no control character the bytes did not hold.
    std::mt19937 rng(932);
    for (int i = 0; i < 2000; ++i) {
        std::string b(rng() % 40, '\0');
        for (char& c : b) c = static_cast<char>(0x20 + rng() % 0xE0);
        const QString q = fromSjis(b);
        ASSERT_LE(q.size(), static_cast<qsizetype>(b.size()));
        if (b.find('\x7f') != std::string::npos) continue;
        for (QChar ch : q) ASSERT_GE(ch.unicode(), 0x20) << i;
    }

    // A record whose stored name is 32 damaged bytes with no NUL shows in the grid.
    kavelo::Catalogue cat;
    cat.recordCount = 1;
    for (std::size_t i = 0; i < kavelo::kOriginSize; ++i) cat[0].origin[i] = i % 3 == 0 ? '\x81' : '\xff';
    ResultListModel model(&cat);
    model.listAll(1);
    const QString cell = model.cellText(8, 0);
    EXPECT_EQ(cell, QString(32, bad));
    EXPECT_EQ(model.cellText(8, 1), QString());  // past the listing
}
