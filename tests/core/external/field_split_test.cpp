// Field splitting of external-list lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "external/FieldSplit.h"

using namespace kavelo;

namespace {
std::vector<std::string> fields(std::string_view s) {
    std::vector<std::string> f;
    const int n = splitFields(s, f);
    EXPECT_EQ(n, static_cast<int>(f.size()));
    return f;
}
std::vector<std::string> commaFields(std::string_view s) {
    std::vector<std::string> f;
    const int n = splitCommaFields(s, f);
    EXPECT_EQ(n, static_cast<int>(f.size()));
    return f;
}
using V = std::vector<std::string>;
}  // namespace

TEST(SplitFields, BlanksCommasAndLineEndsSeparate) {
    EXPECT_EQ(fields("12 34,56"), (V{"12", "34", "56"}));
    EXPECT_EQ(fields("a ,b"), (V{"a", "", "b"}));
    EXPECT_EQ(fields("a,,b"), (V{"a", "", "b"}));
    EXPECT_EQ(fields(",a"), (V{"", "a"}));
    EXPECT_EQ(fields("  x\ty  \r\n"), (V{"x", "y"}));  // no extra field after the last
    EXPECT_EQ(fields("a,"), (V{"a"}));
    EXPECT_TRUE(fields("").empty());
    EXPECT_TRUE(fields(" \t\r\n").empty());
}

TEST(SplitFields, IdeographicSpaceSeparatesOnlyAsAWholeCharacter) {
    // 2957　　13920 (81 40 twice), and ァ (83 40) whose second byte equals the space's.
    EXPECT_EQ(fields("14:11\x81\x40 2957\x81\x40\x81\x40"
                     "13920"),
              (V{"14:11", "2957", "13920"}));
    EXPECT_EQ(fields("\x83\x40\x81\x40x"), (V{"\x83\x40", "x"}));
    // A lone lead byte at the end stays in its field.
    EXPECT_EQ(fields("ab\x81"), (V{"ab\x81"}));
}

TEST(SplitFields, LongFieldsAreCutAtTheLimit) {
    const std::string big(3000, 'x');
    auto f = fields(big + " y");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].size(), kMaxFieldLength);
    EXPECT_EQ(f[1], "y");
}

TEST(SplitCommaFields, BlanksInsideAFieldStay) {
    EXPECT_EQ(commaFields(" 2001/01/02, 12:30 ,X"), (V{"2001/01/02", "12:30 ", "X"}));
    EXPECT_EQ(commaFields("a b,,c\r\n"), (V{"a b", "", "c"}));
    EXPECT_EQ(commaFields("  ,x"), (V{"", "x"}));
    // The ideographic space is ordinary text here.
    EXPECT_EQ(commaFields("\x93\x8c\x81\x40\x8b\x9e,1"), (V{"\x93\x8c\x81\x40\x8b\x9e", "1"}));
    EXPECT_TRUE(commaFields("").empty());
}
