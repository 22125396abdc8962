#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "map/EnergyGrid.h"

using namespace kavelo;

namespace {

GeoBounds box(int lonMin, int lonMax, int latMin, int latMax) {
    GeoBounds b;
    b.lonMin = lonMin;
    b.lonMax = lonMax;
    b.latMin = latMin;
    b.latMax = latMax;
    return b;
}

}  // namespace

TEST(EnergyCells, DegreeMinuteSumsAndSpansCarryAndBorrowSixtyMinutes) {
    EXPECT_EQ(addDdmm(13045, 30), 13115);
    EXPECT_EQ(addDdmm(3450, 110), 3600);
    EXPECT_EQ(addDdmm(12200, 200), 12400);
    EXPECT_EQ(addDdmm(4059, 1), 4100);
    EXPECT_EQ(ddmmSpan(14515, 13045), 1430);  // 14°30', not 1470
    EXPECT_EQ(ddmmSpan(3600, 3400), 200);
    EXPECT_EQ(ddmmSpan(3410, 3350), 20);
}

TEST(EnergyCells, CellCountsFollowTheDivision) {
    EXPECT_EQ(cellCount(ddmmSpan(14515, 13045), 15), 58);
    EXPECT_EQ(cellCount(3000, 10), 180);
    EXPECT_EQ(cellCount(3000, 30), 60);
    EXPECT_EQ(cellCount(3000, 100), 30);
    EXPECT_EQ(cellCount(2900, 200), 14);
    EXPECT_EQ(cellCount(0, 10), 0);
    EXPECT_EQ(cellCount(-200, 30), 0);
    EXPECT_EQ(cellCount(200, 0), 0);
}

TEST(EnergyCells, CellsBetweenBorrowsWhenTheMinutesAreSmaller) {
    EXPECT_EQ(cellsBetween(13115, 13045, 15), 2);  // 30' from 130°45'
    EXPECT_EQ(cellsBetween(13114, 13045, 15), 1);
    EXPECT_EQ(cellsBetween(13045, 13045, 15), 0);
    EXPECT_EQ(cellsBetween(13544, 13045, 10), 29);  // 4°59'
    EXPECT_EQ(cellsBetween(13530, 13000, 200), 2);
    EXPECT_EQ(cellsBetween(13159, 13000, 100), 1);
}

TEST(EnergyCells, IndexAndCornerAgreeOverTheWholeGrid) {
    EnergyGrid g;
    g.build(15, box(13045, 14515, 3350, 3620));
    ASSERT_EQ(g.gridCols, 58);
    ASSERT_EQ(g.gridRows, 10);  // 33°50' to 36°20': 2°30'
    ASSERT_EQ(g.cellEnergy.size(), 58u * 10u);
    for (int idx = 0; idx < g.gridCols * g.gridRows; ++idx) {
        const CellCorner c = g.cellCorner(idx);
        ASSERT_EQ(g.cellIndex(c.lon, c.lat), idx) << c.lon << " " << c.lat;
        // The last minute inside the cell still belongs to it.
        ASSERT_EQ(g.cellIndex(addDdmm(c.lon, 14), addDdmm(c.lat, 14)), idx);
    }
    EXPECT_EQ(g.cellCorner(1), (CellCorner{13100, 3350}));
    EXPECT_EQ(g.cellCorner(58 + 3), (CellCorner{13130, 3405}));
}

TEST(EnergyCells, PointsOutsideTheGridHaveNoCell) {
    EnergyGrid g;
    EXPECT_EQ(g.cellIndex(13000, 3400), -1);  // no grid drawn yet
    g.build(100, box(13000, 13500, 3400, 3800));
    EXPECT_EQ(g.cellIndex(13500, 3500), -1);
    EXPECT_EQ(g.cellIndex(13200, 3800), -1);
    // Less than a cell west or south of the minima: the truncating division alone would
    // put these in the first column or row.
    EXPECT_EQ(g.cellIndex(12930, 3500), -1);
    EXPECT_EQ(g.cellIndex(13200, 3359), -1);
    g.build(200, box(13000, 13500, 3400, 3800));
    EXPECT_EQ(g.cellIndex(12901, 3500), -1);
    g.clear();
    EXPECT_EQ(g.cellIndex(13200, 3500), -1);
}

TEST(EnergyLevels, LevelsAreDecadesFromTenToTheElevenTruncatedTowardZero) {
    const EnergyColors colors;
    EXPECT_NEAR(quakeEnergy(40), 6.31e10, 0.01e10);
    // M4.0: 10^10.8 J, trunc(-0.2) = 0.
    EXPECT_EQ(energyLevelColor(static_cast<float>(quakeEnergy(40)), 200, false, colors), colors.levels[0]);
    // M3.0: 10^9.3 J, trunc(-1.7) = -1.
    EXPECT_EQ(energyLevelColor(static_cast<float>(quakeEnergy(30)), 200, false, colors), colors.base);
    // M7.0: 10^15.3 J.
    EXPECT_EQ(energyLevelColor(static_cast<float>(quakeEnergy(70)), 200, false, colors), colors.levels[4]);
    // Level 6 and everything above it share the last colour.
    EXPECT_EQ(energyLevelColor(2e17f, 10, false, colors), colors.levels[6]);
    EXPECT_EQ(energyLevelColor(5e16f, 10, false, colors), colors.levels[5]);
    EXPECT_EQ(energyLevelColor(1e30f, 10, false, colors), colors.levels[6]);
    EXPECT_EQ(energyLevel(std::numeric_limits<float>::infinity()), 6);
    EXPECT_EQ(energyLevel(0.0f), -1);
    EXPECT_EQ(energyLevel(-5.0f), -1);
    EXPECT_EQ(energyLevel(std::numeric_limits<float>::quiet_NaN()), -1);
}

TEST(EnergyLevels, DensityDividesByTheCellAreaInTenMinuteSquares) {
    EXPECT_DOUBLE_EQ(densityDivisor(10), 1.0);
    EXPECT_DOUBLE_EQ(densityDivisor(15), 2.25);
    EXPECT_DOUBLE_EQ(densityDivisor(30), 9.0);
    EXPECT_DOUBLE_EQ(densityDivisor(100), 36.0);
    EXPECT_DOUBLE_EQ(densityDivisor(200), 144.0);
    const EnergyColors colors;
    // 5e13 J is level 2; over a 2° cell 3.5e11 per (10')², level 0; over 10' unchanged.
    EXPECT_EQ(energyLevelColor(5e13f, 200, false, colors), colors.levels[2]);
    EXPECT_EQ(energyLevelColor(5e13f, 200, true, colors), colors.levels[0]);
    EXPECT_EQ(energyLevelColor(5e13f, 10, true, colors), colors.levels[2]);
}

TEST(EnergyGridTotals, AHandMadeSelectionSumsPerCell) {
    auto cat = std::make_unique<Catalogue>();
    auto sel = std::make_unique<SelectionList>();
    struct Q {
        int lon, lat, mag;
    };
    const Q quakes[] = {
        {13010, 3405, 50},  // cell (0,0)
        {13029, 3429, 60},  // cell (0,0)
        {13030, 3400, 40},  // cell (1,0): on the cell's west and south edges
        {13159, 3559, 70},  // cell (3,3)
        {13200, 3500, 80},  // on lonMax: outside
        {13100, 3359, 80},  // below latMin: outside
        {13075, 3410, 90},  // 75 "minutes" (a damaged record) count as 1°15': column 2
    };
    int n = 0;
    for (const Q& q : quakes) {
        EarthquakeRecord& r = (*cat)[n];
        r.lon = static_cast<int16_t>(q.lon);
        r.lat = static_cast<int16_t>(q.lat);
        r.mag = static_cast<int16_t>(q.mag);
        (*sel)[n] = n;
        ++n;
    }
    cat->recordCount = n;
    sel->selectionCount = n;
    (*sel)[sel->selectionCount++] = 3;  // the same record twice counts twice
    (*sel)[sel->selectionCount++] = 64000;  // stale index: ignored

    EnergyGrid g;
    g.build(30, box(13000, 13200, 3400, 3600));
    ASSERT_EQ(g.gridCols, 4);
    ASSERT_EQ(g.gridRows, 4);
    g.accumulate(*cat, *sel);

    const double m5 = std::pow(10.0, 12.3), m6 = std::pow(10.0, 13.8), m4 = std::pow(10.0, 10.8);
    const double m7 = std::pow(10.0, 15.3), m9 = std::pow(10.0, 18.3);
    EXPECT_NEAR(g.cellEnergy[0], m5 + m6, (m5 + m6) * 1e-6);
    EXPECT_NEAR(g.cellEnergy[1], m4, m4 * 1e-6);
    EXPECT_NEAR(g.cellEnergy[2], m9, m9 * 1e-6);
    EXPECT_NEAR(g.cellEnergy[15], 2 * m7, 2 * m7 * 1e-6);
    double total = 0;
    for (float e : g.cellEnergy) total += e;
    EXPECT_NEAR(total, m5 + m6 + m4 + m9 + 2 * m7, total * 1e-6);

    auto reading = g.read(13159, 3559, false);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->row, 3);
    EXPECT_EQ(reading->col, 3);
    EXPECT_NEAR(reading->value, 2 * m7, 2 * m7 * 1e-6);
    auto dense = g.read(13159, 3559, true);
    ASSERT_TRUE(dense);
    EXPECT_NEAR(dense->value, 2 * m7 / 9.0, 2 * m7 / 9.0 * 1e-6);
    EXPECT_FALSE(g.read(13200, 3559, false));
}

TEST(EnergyGridTotals, AbsurdMagnitudesSaturateInsteadOfOverflowing) {
    auto cat = std::make_unique<Catalogue>();
    auto sel = std::make_unique<SelectionList>();
    (*cat)[0].lon = 13005;
    (*cat)[0].lat = 3405;
    (*cat)[0].mag = 32767;
    cat->recordCount = 1;
    sel->setIdentity(1);
    EnergyGrid g;
    g.build(10, box(13000, 13100, 3400, 3500));
    g.accumulate(*cat, *sel);
    EXPECT_TRUE(std::isinf(g.cellEnergy[0]));
    EXPECT_EQ(energyLevelColor(g.cellEnergy[0], 10, true, EnergyColors{}), EnergyColors{}.levels[6]);
}

TEST(EnergyGridTotals, AnEmptyOrInvertedBoxHasNoCells) {
    EnergyGrid g;
    g.build(10, box(14000, 13000, 3400, 3500));
    EXPECT_TRUE(g.empty());
    EXPECT_EQ(g.cellIndex(13500, 3450), -1);
}
