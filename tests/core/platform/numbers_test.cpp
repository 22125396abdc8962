#include <gtest/gtest.h>

#include "platform/Numbers.h"

using namespace kavelo;

TEST(Numbers, StrictAcceptsOnlyASignedDecimalWithBlanksAround) {
    EXPECT_EQ(strictToInt("2400"), 2400);
    EXPECT_EQ(strictToInt("  -15 "), -15);
    EXPECT_EQ(strictToInt("+7"), 7);
    EXPECT_EQ(strictToInt("2147483647"), 2147483647);
    EXPECT_EQ(strictToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "  ", "-", "12a", "1 2", "0x10", "1.5", "2147483648", "９"})
        EXPECT_FALSE(strictToInt(bad).has_value()) << bad;
}

TEST(Numbers, LenientReadsLeadingDigitsAndGivesZeroForNone) {
    EXPECT_EQ(lenientToInt("  2000\r"), 2000);
    EXPECT_EQ(lenientToInt("95abc"), 95);
    EXPECT_EQ(lenientToInt("abc"), 0);
    EXPECT_EQ(lenientToInt(""), 0);
    EXPECT_EQ(lenientToInt("-12"), -12);
    EXPECT_EQ(lenientToInt("99999999999999"), 2147483647);
}
