// Star marks of single positions and the checked number formats of the matrix grid.
#include <gtest/gtest.h>

#include <cmath>

#include "external/StarMark.h"
#include "platform/NumberFormat.h"

using namespace kavelo;

TEST(StarMark, InnerRadiiAndPointsStraightUp) {
    EXPECT_EQ(starInnerRadius(5, 10), 4);
    EXPECT_EQ(starInnerRadius(5, 15), 6);
    EXPECT_EQ(starInnerRadius(5, 20), 8);
    EXPECT_EQ(starInnerRadius(14, 10), 6);  // 10 x 0.7 is just under 7 in binary
    EXPECT_EQ(starInnerRadius(14, 15), 10);
    EXPECT_EQ(starInnerRadius(14, 20), 13);  // 20 x 0.7 likewise under 14
    auto v = starVertices(100, 100, 5, 20);
    ASSERT_EQ(v.size(), 10u);
    EXPECT_EQ(v[0], std::make_pair(100, 80));  // first point straight above
    auto w = starVertices(100, 100, 14, 20);
    ASSERT_EQ(w.size(), 28u);
    // Outer points on radius 20, inner on 13 (each within a pixel of truncation).
    for (std::size_t k = 0; k < w.size(); ++k) {
        const int dx = w[k].first - 100, dy = w[k].second - 100;
        const double d = std::sqrt(dx * dx + dy * dy);
        EXPECT_NEAR(d, k % 2 ? 13 : 20, 1.5) << k;
    }
}

TEST(NumberFormat, OnlyOneFloatingConversionIsAccepted) {
    EXPECT_TRUE(isSingleNumberFormat("%8.3f"));
    EXPECT_TRUE(isSingleNumberFormat("%-10.2e%%"));
    EXPECT_TRUE(isSingleNumberFormat("x=%g"));
    for (const char* bad : {"%s", "%d", "%f %f", "%n", "%*f", "text", "%", "%1000f", "%.f%s"})
        EXPECT_FALSE(isSingleNumberFormat(bad)) << bad;
    EXPECT_EQ(formatNumber("%6.2f", 3.14159), "  3.14");
    EXPECT_EQ(formatNumber("%s%s%s", 1.5), "1.5");  // unsafe format: "%g"
}
