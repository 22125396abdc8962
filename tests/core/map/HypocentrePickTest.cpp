#include <gtest/gtest.h>

#include "common/CatalogueFixture.h"
#include "map/HypocentrePick.h"

using namespace kavelo;
using kavelo::test::quake;

TEST(HypocentrePick, ToleranceBoxSelectionOrderAndBadIndices) {
    Catalogue cat;
    const EarthquakeRecord recs[] = {
        quake(19950117, 546, 3436, 13503, 16, 73, "A"),  // 0: on the point
        quake(19950117, 600, 3437, 13504, 10, 40, "B"),  // 1: 1' off in both
        quake(19950117, 700, 3439, 13503, 10, 40, "C"),  // 2: 3' off in latitude
        quake(19950117, 800, 3436, 13500, 10, 40, "D"),  // 3: 3' off in longitude
    };
    for (const auto& r : recs) cat.records[cat.recordCount++] = r;
    SelectionList sel;
    sel[0] = 3;
    sel[1] = 1;
    sel[2] = 0;
    sel[3] = 2;
    sel[4] = 99999;  // stale index: skipped, never read
    sel.selectionCount = 5;
    EXPECT_EQ(pickHypocentres(cat, sel, 3436, 13503, 2), (std::vector<int>{1, 0}));
    EXPECT_EQ(pickHypocentres(cat, sel, 3436, 13503, 10), (std::vector<int>{3, 1, 0, 2}));
    EXPECT_EQ(pickHypocentres(cat, sel, 3440, 13503, 2), (std::vector<int>{2}));
    EXPECT_TRUE(pickHypocentres(cat, sel, 3000, 13000, 10).empty());
    sel.selectionCount = 1;
    EXPECT_TRUE(pickHypocentres(cat, sel, 3436, 13503, 2).empty());
}

TEST(HypocentrePick, TolerancesZoomBoxesAndText) {
    const int tol[] = {1, 2, 2, 2, 3, 10};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(pickTolerance(i), tol[i]);
    const ZoomBox b = zoomBoxFor(1, 600, 500);
    EXPECT_EQ(b.width, 100);
    EXPECT_EQ(b.halfWidth, 50);
    EXPECT_EQ(b.halfHeight, 41);
    EXPECT_EQ(zoomBoxFor(4, 600, 500).halfHeight, 125);
    EXPECT_EQ(zoomBoxFor(0, 600, 500).halfHeight, 20);

    EXPECT_EQ(pickText(quake(19950117, 546, 3436, 13503, 16, 73, "\x95\xba\x8c\xc9")),
              "1995/01/17 05:46 3436 13503  16 7.3 // \x95\xba\x8c\xc9");
    EXPECT_EQ(pickText(quake(7150605, 0, 3530, 13930, 0, -5)), "715/06/05 00:00 3530 13930   0 -0.5 // ");
}
