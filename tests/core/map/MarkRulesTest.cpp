#include <gtest/gtest.h>

#include "map/MarkRules.h"

using namespace kavelo;

TEST(MarkRadius, CircleSizesByMagnitude) {
    MarkSettings s;
    s.markStyle = kMarkHollow;
    EXPECT_EQ(markRadius(0, s), 1);
    EXPECT_EQ(markRadius(10, s), 1);
    EXPECT_EQ(markRadius(30, s), 4);
    EXPECT_EQ(markRadius(50, s), 12);
    EXPECT_EQ(markRadius(70, s), 23);
    s.minMagScale = true;
    EXPECT_EQ(markRadius(29, s), 1);
    EXPECT_EQ(markRadius(30, s), 1);
    EXPECT_EQ(markRadius(50, s), 2);
    EXPECT_EQ(markRadius(70, s), 8);
    s.minMagScale = false;
    s.halfSize = 1;
    EXPECT_EQ(markRadius(70, s), 11);
    EXPECT_EQ(markRadius(10, s), 1);
    s.markStyle = kMarkDot;
    EXPECT_EQ(markRadius(80, s), 2);
    EXPECT_EQ(markRadius(0, s), 2);
    s.markStyle = kMarkFilled;
    s.halfSize = 0;
    EXPECT_EQ(markRadius(-10, s), 1);
}

TEST(DepthColor, ClassesAndTheStartUpClassCount) {
    DepthClasses d;
    EXPECT_EQ(depthColor(0, d), colors::Aqua);
    EXPECT_EQ(depthColor(19, d), colors::Aqua);
    EXPECT_EQ(depthColor(20, d), colors::Blue);
    EXPECT_EQ(depthColor(45, d), colors::Red);
    EXPECT_EQ(depthColor(79, d), colors::Fuchsia);
    EXPECT_EQ(depthColor(80, d), colors::Green);
    EXPECT_EQ(depthColor(599, d), colors::Lime);
    EXPECT_EQ(depthColor(650, d), colors::Olive);
    d.classCount = 6;
    EXPECT_EQ(depthColor(650, d), colors::Lime);
    EXPECT_EQ(depthColor(-5, d), colors::Aqua);
    // Eight classes (a seventh limit set) and nonsense counts stay inside the tables.
    d.bounds[7] = 700;
    d.classCount = 8;
    EXPECT_EQ(depthColor(800, d), colors::Black);
    d.classCount = 100;
    EXPECT_EQ(depthColor(800, d), colors::Black);
    d.classCount = 0;
    EXPECT_EQ(depthColor(800, d), colors::Aqua);
    EXPECT_EQ(rgb(1, 2, 3), 0x030201u);
}

TEST(ExternalMark, InnerRadiiTruncateTheExtendedProduct) {
    const int sizes[] = {10, 15, 20};
    const int five[] = {4, 6, 8};
    const int fourteen[] = {6, 10, 13};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(externalMarkInnerRadius(0, sizes[i]), five[i]);
        EXPECT_EQ(externalMarkInnerRadius(1, sizes[i]), five[i]);
        EXPECT_EQ(externalMarkInnerRadius(2, sizes[i]), fourteen[i]);
        EXPECT_EQ(externalMarkInnerRadius(5, sizes[i]), fourteen[i]);
    }
}
