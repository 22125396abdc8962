#include <gtest/gtest.h>

#include "search/GreatCircle.h"
#include "sections/RotatingSection.h"

using namespace kavelo;

TEST(RotatingSection, CentreMustLeaveTheRadiusInsideTheMapRange) {
    const int m = rotationMargin(1);  // 3 degrees
    EXPECT_EQ(m, 300);
    EXPECT_TRUE(rotationCentreAccepted(2700, 14000, m));
    EXPECT_FALSE(rotationCentreAccepted(2645, 14000, m));
    EXPECT_TRUE(rotationCentreAccepted(4700, 14900, m));
    EXPECT_FALSE(rotationCentreAccepted(4701, 14000, m));
    EXPECT_FALSE(rotationCentreAccepted(3500, 12459, m));
    EXPECT_FALSE(rotationCentreAccepted(3500, 14901, m));
    EXPECT_TRUE(rotationCentreAccepted(2600, 12400, rotationMargin(0)));
}

TEST(RotatingSection, ChoicesOfTheGroups) {
    EXPECT_EQ(rotationStripWidth(0), 10);
    EXPECT_EQ(rotationStripWidth(2), 30);
    EXPECT_EQ(rotationStripWidth(4), 200);
    EXPECT_EQ(rotationIntervalMs(0), 1000);
    EXPECT_EQ(rotationIntervalMs(3), 100);
    EXPECT_FLOAT_EQ(rotationRadius(0), 2.0f);
    EXPECT_FLOAT_EQ(rotationRadius(2), 4.0f);
    EXPECT_EQ(rotationMargin(2), 400);
}

TEST(RotatingSection, LineEndsTurnCounterClockwiseFromEast) {
    EXPECT_EQ(stripEnds(35.5f, 139.75f, 3.0f, 0), (StripEnds{{3530, 14245}, {3530, 13645}}));
    EXPECT_EQ(stripEnds(35.5f, 139.75f, 3.0f, 90), (StripEnds{{3830, 13945}, {3230, 13945}}));
    const StripEnds d45 = stripEnds(35.0f, 140.0f, 2.0f, 45);  // 1.41421 degrees each way
    EXPECT_EQ(d45, (StripEnds{{3624, 14124}, {3335, 13835}}));
}

TEST(RotatingSection, SignedDistanceAlongTheLine) {
    const float latC = 35.0f, lonC = 140.0f;
    // 0 degrees: east positive, measured along the centre's parallel.
    EXPECT_FLOAT_EQ(signedAxisDistance(36.0f, 141.0f, latC, lonC, 0), greatCircleKm(35, 141, 35, 140));
    EXPECT_LT(signedAxisDistance(34.0f, 139.0f, latC, lonC, 0), 0);
    // 90 degrees: north positive, along the centre's meridian.
    EXPECT_FLOAT_EQ(signedAxisDistance(36.0f, 139.0f, latC, lonC, 90), greatCircleKm(36, 140, 35, 140));
    EXPECT_LT(signedAxisDistance(34.0f, 141.0f, latC, lonC, 90), 0);
    // 91 degrees: the southern end is the one east of the centre, so it is positive.
    EXPECT_GT(signedAxisDistance(34.0f, 140.0f, latC, lonC, 91), 0);
    EXPECT_LT(signedAxisDistance(36.0f, 140.0f, latC, lonC, 91), 0);
    // 45 degrees: a point one degree east projects onto (35.5, 140.5).
    EXPECT_NEAR(signedAxisDistance(35.0f, 141.0f, latC, lonC, 45), greatCircleKm(35.5f, 140.5f, 35, 140), 0.05);
    EXPECT_NEAR(signedAxisDistance(34.0f, 139.0f, latC, lonC, 45), -greatCircleKm(34, 139, 35, 140), 0.05);
}

TEST(RotatingSection, MarkPixelsAndAngleWrap) {
    EXPECT_EQ(rotateMarkX(0), 192);
    EXPECT_EQ(rotateMarkX(100.0f), 242);
    EXPECT_EQ(rotateMarkX(-300.0f), 42);
    EXPECT_EQ(rotateMarkY(600), 350);
    EXPECT_EQ(nextRotationAngle(178, false), 179);
    EXPECT_EQ(nextRotationAngle(179, false), 0);
    EXPECT_EQ(nextRotationAngle(0, true), 179);
    EXPECT_EQ(nextRotationAngle(1, true), 0);
    const DialLine east = dialLine(60, 52, 0);
    EXPECT_EQ((std::array<int, 4>{east.x1, east.y1, east.x2, east.y2}), (std::array<int, 4>{30, 52, 90, 52}));
    const DialLine north = dialLine(60, 52, 90);
    EXPECT_EQ((std::array<int, 4>{north.x1, north.y1, north.x2, north.y2}), (std::array<int, 4>{60, 82, 60, 22}));
}
