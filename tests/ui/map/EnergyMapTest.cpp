#include <gtest/gtest.h>

#include <memory>

#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "map/EnergyDrawing.h"
#include "map/TEngScale.h"
#include "map/TMap.h"
#include "search/TForm1.h"
#include "search/TOrigin.h"
#include "ui/MapWindowSet.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::test;
using namespace kavelo::ui;

namespace {

// One M7.0 earthquake at 34°15'N 144°15'E (open sea in the synthetic map) and one M4.0
// at 38°45'N 141°45'E.
struct EnergyMap : ::testing::Test {
    UiFixture fx;
    std::unique_ptr<MapWindowSet> windows;

    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18000101, 0, 3315, 13315, 10, 60)}));
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(19700101, 0, 3415, 14415, 30, 70),
                                                quake(19800101, 0, 3845, 14145, 30, 40)}));
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        windows = std::make_unique<MapWindowSet>();
        ASSERT_TRUE(windows->ok());
        Origin = new TOrigin;
        EngScale = new TEngScale;
    }
    void TearDown() override {
        delete EngScale;
        EngScale = nullptr;
        delete Origin;
        Origin = nullptr;
        windows.reset();
    }
    // Checks ｴﾈﾙｷﾞｰ as the user does; the epicentres go off and the map is redrawn.
    void energyOn(int division) {
        Map->GridGroup->setItemIndexSilently(division);
        Map->EnergyChk->setChecked(true);
        Map->EnergyChkClick();
    }
    TColor at(int lon, int lat) {
        auto p = Map->geoToScreen(lon, lat);
        EXPECT_TRUE(p);
        return p ? Map->canvas().pixel(p->x, p->y) : clBlack;
    }
    QString readoutRow() { return Origin->StringGrid1->cellText(0, 0); }
};

}  // namespace

TEST_F(EnergyMap, AnEarthquakesCellTakesItsLevelColourAndEmptyCellsKeepTheSea) {
    energyOn(3);  // 30'
    EXPECT_FALSE(Map->OriginChk->isChecked());
    EXPECT_TRUE(Map->AreaChk->isEnabled());
    EXPECT_EQ(Map->energyGrid.cellSize, 30);
    const EnergyColors defaults;
    // Inside the M7.0 cell (144°00'-144°30', 34°00'-34°30'), away from its graticule edges.
    EXPECT_EQ(at(14415, 3415), defaults.levels[4]);
    EXPECT_EQ(at(14405, 3425), defaults.levels[4]);
    EXPECT_EQ(at(14440, 3415), Map->seaColor);  // the next cell east
    EXPECT_EQ(at(14415, 3440), Map->seaColor);  // the next cell north
    EXPECT_EQ(at(14145, 3845), defaults.levels[0]);  // M4.0: 6.3e10 J, level 0
    // No epicentre marks are plotted in energy mode: the cell's middle is the cell colour.
    EXPECT_EQ(Map->windowTitle(), "領域内全放出エネルギ");
    EXPECT_EQ(Origin->windowTitle(), "領域内全放出エネルギ");
    EXPECT_EQ(Origin->Label3->text(), "領域内全放出エネルギ");
}

TEST_F(EnergyMap, DensityDividesByTheCellAreaAndRetitles) {
    energyOn(1);  // 2°: the M7.0 cell holds 2.0e15 J, 1.4e13 per (10')²
    const EnergyColors defaults;
    EXPECT_EQ(at(14415, 3415), defaults.levels[4]);
    Map->AreaChk->setChecked(true);
    Map->AreaChkClick();
    EXPECT_EQ(at(14415, 3415), defaults.levels[2]);
    EXPECT_EQ(Map->windowTitle(), "単位領域当たり平均放出エネルギ");
    EXPECT_EQ(Origin->Label3->text(), "単位領域当たり平均放出エネルギ");
    Map->showCellReadout(14415, 3415);
    EXPECT_EQ(readoutRow(), QString::asprintf("領域(%d,%d) 放出エネルギー  1.39e+13 J",
                                              Map->energyGrid.read(14415, 3415, true)->row,
                                              Map->energyGrid.read(14415, 3415, true)->col));
}

TEST_F(EnergyMap, EnergyAndEpicentreBoxesExcludeEachOther) {
    energyOn(3);
    EXPECT_FALSE(Map->OriginChk->isChecked());
    Map->OriginChk->setChecked(true);
    Map->OriginChkClick();
    EXPECT_FALSE(Map->EnergyChk->isChecked());
    EXPECT_FALSE(Map->AreaChk->isEnabled());
    EXPECT_EQ(Map->windowTitle(), "震央分布");
    // Checking energy while the epicentres are already off redraws nothing by itself.
    Map->OriginChk->setChecked(false);
    Map->canvas().clear(clWhite);
    Map->EnergyChk->setChecked(true);
    Map->EnergyChkClick();
    EXPECT_EQ(Map->canvas().pixel(360, 300), clWhite);
    Map->EnergyChk->setChecked(false);
    Map->EnergyChkClick();
    EXPECT_FALSE(Map->AreaChk->isEnabled());
}

TEST_F(EnergyMap, TheClickReadoutShowsTheCellsEnergyInTOrigin) {
    energyOn(3);
    Map->showCellReadout(14415, 3415);
    const auto r = Map->energyGrid.read(14415, 3415, false);
    ASSERT_TRUE(r);
    EXPECT_EQ(readoutRow(), QString::asprintf("領域(%d,%d) 放出エネルギー  2.00e+15 J", r->row, r->col));
    EXPECT_EQ(Origin->StringGrid1->rowCount(), 1);
    EXPECT_TRUE(Origin->Label1->text().isEmpty());
    EXPECT_TRUE(Origin->Label6->isHidden());
    EXPECT_TRUE(Origin->Label12->isHidden());
    EXPECT_TRUE(Origin->isVisible());
    // A cell without energy reads zero; beyond the grid "Out of Range".
    Map->showCellReadout(14445, 3415);
    EXPECT_TRUE(readoutRow().endsWith("0.00e+00 J"));
    Map->showCellReadout(12000, 3415);
    EXPECT_EQ(readoutRow(), "Out of Range");
    // By pixel: the cell under the earthquake, and the white margin off the node grid.
    const auto p = Map->geoToScreen(14415, 3415);
    ASSERT_TRUE(p);
    Map->showCellReadoutAt(p->x, p->y);
    EXPECT_TRUE(readoutRow().endsWith("2.00e+15 J"));
    Map->showCellReadoutAt(2, 2);
    EXPECT_EQ(readoutRow(), "Out of Range");
}

TEST_F(EnergyMap, AClickOnTheMapReadsTheCellUnderThePointer) {
    energyOn(3);
    const auto p = Map->geoToScreen(14415, 3415);
    ASSERT_TRUE(p);
    Map->Image1MouseMove(Qt::NoModifier, p->x, p->y);
    Map->Image1Click();
    EXPECT_TRUE(readoutRow().endsWith("放出エネルギー  2.00e+15 J")) << readoutRow().toStdString();
    EXPECT_EQ(Origin->StringGrid1->rowCount(), 1);
    EXPECT_TRUE(Origin->Label7->isHidden());
    EXPECT_TRUE(Origin->isVisible());
}

TEST_F(EnergyMap, NoGridDivisionDrawsNoCellsAndForgetsTheLastGrid) {
    energyOn(3);
    ASSERT_FALSE(Map->energyGrid.empty());
    Map->GridGroup->setItemIndex(0);  // "なし" redraws
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "Grid Division not defined!!");
    EXPECT_EQ(fx.messages[0].caption, "KAVELO4.4");
    EXPECT_EQ(at(14415, 3415), Map->seaColor);
    EXPECT_EQ(Map->cellReadoutText(14415, 3415), "Out of Range");
}

TEST_F(EnergyMap, TheLegendExplainsTheLevelsAndFollowsTheColoursInUse) {
    EXPECT_EQ(EngScale->windowTitle(), "放出エネルギレベル");
    EXPECT_EQ(EngScale->levelLabels[0]->text(), "Under 1.00e+11 J");
    EXPECT_EQ(EngScale->levelLabels[1]->text(), "Over  1.00e+11 J");
    EXPECT_EQ(EngScale->levelLabels[7]->text(), "Over  1.00e+17 J");
    EXPECT_EQ(EngScale->findChild<QLabel*>("Label18"), EngScale->levelLabels[7]);
    EXPECT_EQ(EngScale->swatches[0]->canvas().pixel(15, 15), rgb(236, 251, 255));
    EXPECT_EQ(EngScale->swatches[1]->canvas().pixel(15, 15), rgb(154, 201, 243));

    Map->energyLevelColors[4] = rgb(1, 2, 3);
    energyOn(3);
    EXPECT_EQ(at(14415, 3415), rgb(1, 2, 3));
    EXPECT_EQ(EngScale->swatches[0]->canvas().pixel(15, 15), Map->energyBaseColor);
    EXPECT_EQ(EngScale->swatches[5]->canvas().pixel(15, 15), rgb(1, 2, 3));

    // The legend button shows the energy legend in energy mode; its close button resets it.
    Map->BtnScaleClick();
    EXPECT_TRUE(EngScale->isVisible());
    EXPECT_EQ(Map->BtnScale->text(), "凡例消去");
    EngScale->Button2Click();
    EXPECT_FALSE(EngScale->isVisible());
    EXPECT_EQ(Map->BtnScale->text(), "凡例表示");
    EXPECT_EQ(Map->legendShown, 0);
}

TEST(EnergyCellsDrawing, CellsAreQuadrilateralsThroughTheProjectedCorners) {
    MapProjection proj;
    proj.grid = mapfixture::conicGrid();
    EnergyGrid g;
    GeoBounds b;
    b.lonMin = 13000;
    b.lonMax = 13200;
    b.latMin = 3400;
    b.latMax = 3600;
    g.build(100, b);
    g.cellEnergy[3] = 1.0f;  // column 1, row 1: 131°-132°E, 35°-36°N
    Canvas c(kMapImageWidth, kMapImageHeight);
    c.clear(clWhite);
    drawEnergyCells(c, proj, g, [](float) { return clRed; });
    auto inside = proj.geoToScreen(13130, 3530);
    auto west = proj.geoToScreen(13030, 3530);
    auto south = proj.geoToScreen(13130, 3430);
    ASSERT_TRUE(inside && west && south);
    EXPECT_EQ(c.pixel(inside->x, inside->y), clRed);
    EXPECT_EQ(c.pixel(west->x, west->y), clWhite);
    EXPECT_EQ(c.pixel(south->x, south->y), clWhite);
    // Its corners are on the cell's outline.
    auto ne = proj.geoToScreen(13200, 3600);
    ASSERT_TRUE(ne);
    EXPECT_EQ(c.pixel(ne->x, ne->y), clRed);
}
