#include <gtest/gtest.h>

#include "search/SearchConditions.h"

using namespace kavelo;

TEST(SearchDate, StartAndEndFillMissingPartsDifferently) {
    EXPECT_EQ(parseSearchDate("1885/01/01", DateRole::Start), 18850101);
    EXPECT_EQ(parseSearchDate("2020", DateRole::End), 20201231);
    EXPECT_EQ(parseSearchDate("2020", DateRole::Start), 20200101);
    EXPECT_EQ(parseSearchDate("1995/01", DateRole::End), 19950131);
    EXPECT_EQ(parseSearchDate("2000/02", DateRole::End), 20000231);
    EXPECT_EQ(parseSearchDate("1995/1/17", DateRole::Start), 19950117);
    // Further parts ignored; unparsable parts read as 0.
    EXPECT_EQ(parseSearchDate("1995/01/17/99", DateRole::End), 19950117);
    EXPECT_EQ(parseSearchDate("abc", DateRole::Start), 101);
    EXPECT_EQ(parseSearchDate("", DateRole::End), 1231);
    EXPECT_EQ(parseSearchDate("1995x/3y", DateRole::Start), 19950301);
}

TEST(SearchDate, HugeYearDoesNotOverflow) {
    EXPECT_EQ(parseSearchDate("99999999999999", DateRole::End), INT32_MAX);
    EXPECT_EQ(parseSearchDate("-99999999999999", DateRole::Start), INT32_MIN);
}

TEST(OriginPattern, EmptyNullAndAlternatives) {
    EXPECT_EQ(parseOriginPattern("").condition.mode, OriginMode::None);
    for (const char* t : {"NULL", "null", "NuLl"}) {
        auto p = parseOriginPattern(t);
        EXPECT_EQ(p.condition.mode, OriginMode::EmptyName) << t;
        EXPECT_TRUE(p.condition.matches(""));
        EXPECT_FALSE(p.condition.matches("NULL"));
    }
    auto two = parseOriginPattern("ABC|XY Z").condition;
    ASSERT_EQ(two.alternatives.size(), 2u);
    EXPECT_TRUE(two.matches("xxABCxx"));
    EXPECT_TRUE(two.matches("XY Z"));
    EXPECT_FALSE(two.matches("abc"));  // case-sensitive
    EXPECT_FALSE(two.matches("XYZ"));  // the space is part of the alternative
    EXPECT_FALSE(two.matches(""));
}

TEST(OriginPattern, BarsAloneOrAtTheEnds) {
    auto bar = parseOriginPattern("|").condition;
    EXPECT_EQ(bar.alternatives, std::vector<std::string>{""});
    EXPECT_TRUE(bar.matches(""));
    EXPECT_TRUE(bar.matches("anything"));
    EXPECT_EQ(parseOriginPattern("A|").condition.alternatives, std::vector<std::string>{"A"});
    EXPECT_FALSE(parseOriginPattern("A|").condition.matches("B"));
    EXPECT_TRUE(parseOriginPattern("|A").condition.matches("B"));
    EXPECT_TRUE(parseOriginPattern("A||B").condition.matches("C"));
}

TEST(OriginPattern, ShiftJisBytes) {
    // Full-width bar (0x81 0x62) is searched literally, not split.
    const std::string fullBar = "AB\x81\x62XY";
    auto p = parseOriginPattern(fullBar).condition;
    ASSERT_EQ(p.alternatives.size(), 1u);
    EXPECT_TRUE(p.matches("--AB\x81\x62XY--"));
    EXPECT_FALSE(p.matches("AB"));
    // A double-byte character whose trail byte is 0x7C is not a separator:
    // 安芸 (Aki) is 88 C0 8C 7C.
    const std::string aki = "\x88\xc0\x8c\x7c";
    auto a = parseOriginPattern(aki).condition;
    ASSERT_EQ(a.alternatives.size(), 1u);
    EXPECT_TRUE(a.matches("\x88\xc0\x8c\x7c\x93\xe5"));
    EXPECT_FALSE(a.matches("\x93\xfa\x8c\xfc\x93\xe5"));
    const std::string po = "\x83\x7C\x83\x69";
    auto q = parseOriginPattern(po).condition;
    ASSERT_EQ(q.alternatives.size(), 1u);
    EXPECT_EQ(q.alternatives[0], po);
    EXPECT_FALSE(q.matches("\x93\x8c\x8b\x9e"));
    // Mixed: "\x93\x8c" | "\x83\x7C".
    auto r = parseOriginPattern("\x93\x8c|\x83\x7C").condition;
    ASSERT_EQ(r.alternatives.size(), 2u);
    EXPECT_TRUE(r.matches("\x93\x8c\x8b\x9e"));
}

TEST(OriginPattern, LimitsRefuseInsteadOfCutting) {
    EXPECT_EQ(parseOriginPattern(std::string(51, 'a')).error, OriginPatternError::None);
    auto longer = parseOriginPattern(std::string(52, 'a'));
    EXPECT_EQ(longer.error, OriginPatternError::TooLong);
    EXPECT_FALSE(originPatternErrorMessage(longer.error).empty());
    EXPECT_EQ(parseOriginPattern("a|b|c|d|e|f|g|h|i|j").error, OriginPatternError::None);
    EXPECT_EQ(parseOriginPattern("a|b|c|d|e|f|g|h|i|j|").error, OriginPatternError::None);
    EXPECT_EQ(parseOriginPattern("a|b|c|d|e|f|g|h|i|j|k").error,
              OriginPatternError::TooManyAlternatives);
    EXPECT_EQ(parseOriginPattern("||||||||||").error, OriginPatternError::None);
    EXPECT_EQ(parseOriginPattern("|||||||||||").error, OriginPatternError::TooManyAlternatives);
    // "NULL" needs no alternatives, so it is recognised even though short.
    EXPECT_EQ(parseOriginPattern("null|").condition.mode, OriginMode::Alternatives);
}

TEST(Validation, FirstFailureInFixedOrderEqualBoundsAccepted) {
    SearchConditions c;
    c.dateFrom = c.dateTo = 19950117;
    c.lat1 = c.lat2 = 3000;
    c.lon1 = c.lon2 = 13000;
    c.mag1 = c.mag2 = 50;
    c.depth1 = c.depth2 = 10;
    EXPECT_FALSE(validateConditions(c, ValidationScope::Full));
    c.depth1 = 11;
    EXPECT_EQ(*validateConditions(c, ValidationScope::Full), "illegal depth data!");
    c.mag1 = 51;
    EXPECT_EQ(*validateConditions(c, ValidationScope::Full), "illegal magnitude data!");
    c.lon1 = 13001;
    EXPECT_EQ(*validateConditions(c, ValidationScope::Full), "illegal longitude data!");
    EXPECT_EQ(*validateConditions(c, ValidationScope::DateMagDepth), "illegal magnitude data!");
    c.lat1 = 3001;
    EXPECT_EQ(*validateConditions(c, ValidationScope::Full), "illegal latitude data!");
    c.dateFrom = 19950118;
    EXPECT_EQ(*validateConditions(c, ValidationScope::Full), "illegal date data!");
}
