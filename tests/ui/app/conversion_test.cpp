#include <gtest/gtest.h>

#include "app/Convert.h"
#include "app/Sjis.h"
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
