#include <gtest/gtest.h>

#include <cmath>

#include "statistics/GraphScale.h"

using namespace kavelo;

TEST(RoundNumber, AxisLabelTexts) {
    EXPECT_EQ(roundNumber(0.0f), "0");
    EXPECT_EQ(roundNumber(1e-9f), "0");
    EXPECT_EQ(roundNumber(0.00004f), "0");
    EXPECT_EQ(roundNumber(0.125f), "0.125");
    EXPECT_EQ(roundNumber(3.0f), "3");
    EXPECT_EQ(roundNumber(-0.25f), "-0.25");
    EXPECT_EQ(roundNumber(0.99991f), "1");
    EXPECT_EQ(roundNumber(250000.0f), "2.5e+05");
    EXPECT_EQ(roundNumber(-250000.0f), "-2.5e+05");
    EXPECT_EQ(roundNumber(100000.0f), "100000");
    EXPECT_EQ(roundNumber(1e-5f), "1.0e-05");
    EXPECT_EQ(roundNumber(20.0f), "20");
}

TEST(ScaleUnit, LinearLogarithmicAndSigned) {
    const float a[] = {1, 7, 3};
    AxisScale s = scaleUnit(a, 3, 4, true);
    EXPECT_FLOAT_EQ(s.step, 2.0f);
    EXPECT_EQ(s.start, 0.0f);
    const float b[] = {8};
    EXPECT_FLOAT_EQ(scaleUnit(b, 1, 4, true).step, 2.0f);
    const float c[] = {350};
    AxisScale l = scaleUnit(c, 1, 4, false);
    EXPECT_FLOAT_EQ(l.start, 0.1f);
    EXPECT_FLOAT_EQ(l.step, 10.0f);
    const float z[] = {0, 0};
    EXPECT_FLOAT_EQ(scaleUnit(z, 2, 4, true).step, 1e-10f);
    const float bad[] = {INFINITY, NAN};
    EXPECT_GT(scaleUnit(bad, 2, 4, true).step, 0.0f);  // returns instead of looping

    const float d[] = {-3, 0, 7};
    AxisScale g = scaleUnitSigned(d, 3, 5, true);
    EXPECT_FLOAT_EQ(g.step, 2.5f);
    EXPECT_EQ(g.grids, 6);
    EXPECT_FLOAT_EQ(g.start, -7.5f);
    EXPECT_FALSE(g.negativeOnLog);
    AxisScale gl = scaleUnitSigned(d, 3, 4, false);
    EXPECT_TRUE(gl.negativeOnLog);
    EXPECT_FLOAT_EQ(gl.step, 10.0f);
    AxisScale pos = scaleUnitSigned(a, 3, 4, true);
    EXPECT_EQ(pos.grids, 4);
    EXPECT_EQ(pos.start, 0.0f);
}

TEST(MapAxis, LinearAndLogarithmicPixels) {
    int px = 0;
    ASSERT_TRUE(mapAxis(7.5, true, 0, 5, 62, 35, false, &px));
    EXPECT_EQ(px, 128);  // 7.5 / 5 * 62 + 35 = 128
    ASSERT_TRUE(mapAxis(5, true, 0, 10, 62, 270, true, &px));
    EXPECT_EQ(px, 239);
    ASSERT_TRUE(mapAxis(100, false, 1, 10, 50, 35, false, &px));
    EXPECT_EQ(px, 135);
    EXPECT_FALSE(mapAxis(0, false, 1, 10, 50, 35, false, &px));
    EXPECT_FALSE(mapAxis(5, false, 0, 10, 50, 35, false, &px));
}
