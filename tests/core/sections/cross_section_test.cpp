#include <gtest/gtest.h>

#include <vector>

#include "search/GreatCircle.h"
#include "sections/CrossSection.h"

using namespace kavelo;

namespace {
std::vector<int> labels(const std::vector<SectionGeometry::Tick>& ticks) {
    std::vector<int> v;
    for (const auto& t : ticks) v.push_back(t.label);
    return v;
}

SectionGeometry section(DdmmPoint s, DdmmPoint e, int h = 1, bool reversed = false) {
    return SectionGeometry(sectionLineKind(s, e), s, e, h, 1, reversed);
}
}  // namespace

TEST(CrossSection, LineKindFromTheEndPoints) {
    EXPECT_EQ(sectionLineKind({3500, 14000}, {3700, 14000}), SectionLineKind::NorthSouth);
    EXPECT_EQ(sectionLineKind({3500, 14000}, {3500, 14200}), SectionLineKind::EastWest);
    EXPECT_EQ(sectionLineKind({3500, 14000}, {3500, 14000}), SectionLineKind::NorthSouth);
    EXPECT_EQ(sectionLineKind({3500, 14000}, {3600, 14200}), SectionLineKind::Oblique);
    EXPECT_EQ(sectionMagnification(0), 1);
    EXPECT_EQ(sectionMagnification(1), 2);
    EXPECT_EQ(sectionMagnification(2), 5);
}

TEST(CrossSection, DistanceAlongEachKindOfLine) {
    // North-south: the meridian distance to the hypocentre's latitude, wherever it lies across.
    const SectionGeometry ns = section({3500, 14000}, {3700, 14000});
    EXPECT_FLOAT_EQ(ns.distanceOf(36.0f, 141.5f), greatCircleKm(36, 140, 35, 140));
    // East-west: along the start's parallel.
    const SectionGeometry ew = section({3800, 13900}, {3800, 14200});
    EXPECT_FLOAT_EQ(ew.distanceOf(37.0f, 140.0f), greatCircleKm(38, 140, 38, 139));
    // Oblique at 45 degrees (in degrees): a point one degree east of the start projects
    // halfway to the line's (0.5, 0.5) point.
    const SectionGeometry ob = section({3500, 14000}, {3700, 14200});
    EXPECT_FLOAT_EQ(ob.slope(), 1.0f);
    EXPECT_NEAR(ob.distanceOf(35.0f, 141.0f), greatCircleKm(35.5f, 140.5f, 35, 140), 0.01);
    EXPECT_NEAR(ob.distanceOf(37.0f, 142.0f), ob.length(), 0.01);
}

TEST(CrossSection, PixelScaleWithMagnificationAndReversal) {
    const SectionGeometry g = section({3500, 14000}, {3700, 14000}, 2);
    const float L = greatCircleKm(37, 140, 35, 140);  // about 222 km
    EXPECT_EQ(g.span(), static_cast<int>(0.01 * L * 100));
    EXPECT_EQ(g.xOf(0), 60);
    EXPECT_EQ(g.xOf(100), 160);
    const SectionGeometry r = section({3500, 14000}, {3700, 14000}, 2, true);
    EXPECT_EQ(r.origin(), 60 + r.span());
    EXPECT_EQ(r.xOf(0), 60 + r.span());
    EXPECT_EQ(r.xOf(100), 60 + r.span() - 100);
    const SectionGeometry v5(SectionLineKind::NorthSouth, {3500, 14000}, {3700, 14000}, 1, 5, false);
    EXPECT_EQ(v5.yOf(600), 130 + 6 * 250);  // beyond the picture at x5
    EXPECT_EQ(v5.yOf(0), 130);
}

TEST(CrossSection, DistanceTicksOfALongSection) {
    // 20 degrees along 35N, about 1819 km.
    const DdmmPoint s{3500, 13000}, e{3500, 15000};
    const SectionGeometry fwd = section(s, e);
    auto ticks = fwd.distanceTicks();
    ASSERT_EQ(ticks.size(), 17u);  // 0 ... 1600 km; 1700 and 1800 lie right of the picture
    EXPECT_EQ(ticks.back(), (SectionGeometry::Tick{860, 1600}));
    EXPECT_EQ(fwd.distanceCaptionX(ticks), 60 + 15 * 50);  // never beyond 1500 km

    // Reversed at x2: the start lies off the picture; the first visible tick is labelled
    // with its own distance, and the walk stops left of the axis.
    const SectionGeometry rev = section(s, e, 2, true);
    ticks = rev.distanceTicks();
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks.front().label, 1000);
    EXPECT_EQ(ticks.front().x, rev.origin() - 1000);
    EXPECT_EQ(ticks.back().label, 1800);
    EXPECT_GE(ticks.back().x, 60);
    EXPECT_EQ(rev.distanceCaptionX(ticks), rev.origin() - 1500);
}

TEST(CrossSection, LatitudeTicksOfANorthSouthLine) {
    EXPECT_EQ(labels(section({3515, 14000}, {3700, 14000}).latitudeTicks()), (std::vector<int>{36, 37}));
    const auto fromWhole = section({3500, 14000}, {3630, 14000}).latitudeTicks();
    EXPECT_EQ(labels(fromWhole), (std::vector<int>{35, 36}));
    EXPECT_EQ(fromWhole.front().x, 60);
    EXPECT_EQ(fromWhole.back().x, static_cast<int>(0.01 * greatCircleKm(36, 140, 35, 140) * 50 + 60));
}

TEST(CrossSection, LongitudeTicksOfAnEastWestLineFollowTheAxis) {
    const DdmmPoint s{3800, 13930}, e{3800, 14110};
    const SectionGeometry g = section(s, e);
    // The zone axis along 38N from 139.5E.
    const AxisDistanceFn along = [](float lon) {
        if (lon < 139.5f || lon > 141.16667f) return -1.0f;
        return greatCircleKm(38, lon, 38, 139.5f);
    };
    const auto ticks = g.longitudeTicks(along);
    EXPECT_EQ(labels(ticks), (std::vector<int>{140, 141}));
    EXPECT_EQ(ticks[0].x, g.xOf(greatCircleKm(38, 140, 38, 139.5f)));
    EXPECT_TRUE(g.latitudeTicks().empty());
    EXPECT_TRUE(g.longitudeTicks({}).empty());
}

TEST(CrossSection, ObliqueTicksReversedSouthEastward) {
    // From 38N 140E south-east to 36.5N 141.5E, axis reversed: latitude ticks from the
    // start's whole degree southward until the crossing passes the far end.
    const SectionGeometry g = section({3800, 14000}, {3630, 14130}, 1, true);
    EXPECT_FLOAT_EQ(g.slope(), -1.0f);
    const auto lat = g.latitudeTicks();
    EXPECT_EQ(labels(lat), (std::vector<int>{38, 37}));
    EXPECT_EQ(lat[0].x, 60 + g.span());
    EXPECT_EQ(lat[1].x, g.xOf(greatCircleKm(37, 141, 38, 140)));
    // Longitude ticks: 140 (at the start) and 141 lie on the axis, 142 beyond it.
    EXPECT_EQ(labels(g.longitudeTicks({})), (std::vector<int>{140, 141}));
}
