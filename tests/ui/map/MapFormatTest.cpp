#include <gtest/gtest.h>

#include <memory>

#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "map/ColourFile.h"
#include "map/TEngScale.h"
#include "map/TMagScale.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"
#include "search/TForm1.h"
#include "ui/MapWindowSet.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::test;
using namespace kavelo::ui;

namespace {

struct MapFormatWindow : ::testing::Test {
    UiFixture fx;
    std::unique_ptr<MapWindowSet> windows;

    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18000101, 0, 3315, 13315, 10, 60)}));
        // A 650 km deep M6.0 in open sea.
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(19600101, 0, 3415, 14415, 650, 60)}));
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        windows = std::make_unique<MapWindowSet>();
        ASSERT_TRUE(windows->ok());
    }
    void TearDown() override { windows.reset(); }
    TColor deepMark() {
        auto p = Map->geoToScreen(14415, 3415);
        EXPECT_TRUE(p);
        return p ? Map->canvas().pixel(p->x, p->y) : clBlack;
    }
    TColor swatch(int k) { return MapFormat->image(k)->canvas().pixel(10, 10); }
    void answerColours(std::optional<TColor> c) {
        MapFormat->colorDialogHook = [c](TColor) { return c; };
    }
};

}  // namespace

TEST_F(MapFormatWindow, ControlsAndCaptions) {
    TMapFormat* f = MapFormat;
    EXPECT_EQ(f->windowTitle(), "凡例書式設定");
    EXPECT_EQ(f->PageControl1->tabText(0), "深さ区分・色設定");
    EXPECT_EQ(f->PageControl1->tabText(1), "ｴﾈﾙｷﾞﾚﾍﾞﾙ色設定");
    EXPECT_EQ(f->findChild<QLabel*>("Label7")->text(), "深さ 7");
    EXPECT_EQ(f->findChild<QLabel*>("Label8")->text(), "深さ (km)");
    EXPECT_EQ(f->findChild<QLabel*>("Label9")->text(), "凡例書式設定");
    EXPECT_EQ(f->findChild<QLabel*>("Label16")->text(), "レベル 6");
    EXPECT_EQ(f->findChild<QLabel*>("Label17")->text(), "Over 1.00e+11 J");
    EXPECT_EQ(f->findChild<QLabel*>("Label23")->text(), "Over 1.00e+17 J");
    EXPECT_EQ(f->findChild<QPushButton*>("Button9")->text(), "設　定");
    EXPECT_EQ(f->findChild<QPushButton*>("Button12")->text(), "保　存");
    EXPECT_EQ(f->findChild<QPushButton*>("Button21")->text(), "地　図");
    EXPECT_EQ(f->findChild<QPushButton*>("Button19"), f->energyColorButtons[6]);
    EXPECT_EQ(f->RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(f->edit(1)->text(), "20");
    EXPECT_EQ(f->edit(6)->text(), "600");
    EXPECT_EQ(f->edit(7)->text(), "0");
    EXPECT_EQ(f->findChild<QLineEdit*>("Edit8")->text(), "FFFF00");  // Aqua as a colour value
    EXPECT_TRUE(f->findChild<QLineEdit*>("Edit14")->isHidden());
    EXPECT_EQ(swatch(5), clGreen);
    auto* ud = f->findChild<TUpDown*>("UpDown3");
    ASSERT_TRUE(ud);
    EXPECT_EQ(ud->max(), 1000);
    ud->click(TUpDown::Next);
    EXPECT_EQ(f->edit(3)->text(), "70");
    EXPECT_EQ(f->energySwatches[6]->canvas().pixel(5, 5), rgb(255, 0, 0));
}

TEST_F(MapFormatWindow, SixClassesAtStartSevenAfterDefault) {
    Map->BtnMapDrawClick();
    EXPECT_EQ(deepMark(), clLime);
    MapFormat->Button10Click();
    EXPECT_EQ(Map->depthClassCount, 7);
    EXPECT_EQ(deepMark(), clOlive);
}

TEST_F(MapFormatWindow, SetCountsTheLeadingNonZeroLimits) {
    MapFormat->edit(5)->clear();
    MapFormat->Button9Click();
    EXPECT_EQ(Map->depthClassCount, 5);
    EXPECT_EQ(Map->depthBounds[5], 0);
    EXPECT_EQ(MapFormat->edit(5)->text(), "");
    EXPECT_EQ(MapFormat->edit(6)->text(), "0");
    EXPECT_EQ(MapFormat->edit(7)->text(), "0");
    EXPECT_EQ(swatch(5), clGreen);
    EXPECT_EQ(swatch(6), clWhite);
    EXPECT_EQ(swatch(7), clWhite);
    EXPECT_EQ(deepMark(), clGreen);  // 80 km and deeper is one class now

    // A seventh limit makes eight classes; the deepest is black.
    MapFormat->Button10Click();
    MapFormat->edit(7)->setText("700");
    MapFormat->Button9Click();
    EXPECT_EQ(Map->depthClassCount, 8);
    EXPECT_EQ(Map->depthColor(650), clOlive);
    EXPECT_EQ(Map->depthColor(700), clBlack);
    EXPECT_EQ(Map->depthColor(5000), clBlack);
}

TEST_F(MapFormatWindow, ABadLimitStopsSetBeforeAnythingChanges) {
    const auto before = Map->depthBounds;
    MapFormat->edit(2)->setText("55");
    MapFormat->edit(4)->setText("8O");
    MapFormat->Button9Click();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "'8O' is not a valid integer value");
    EXPECT_EQ(Map->depthBounds, before);
    EXPECT_EQ(Map->depthClassCount, 6);
}

TEST_F(MapFormatWindow, SetRedrawsTheLegendWithTheClassesInForce) {
    answerColours(rgb(10, 200, 30));
    MapFormat->Button2Click();  // class 0
    MapFormat->edit(4)->clear();
    MapFormat->Button9Click();
    Canvas& legend = MagScale->Image1->canvas();
    EXPECT_EQ(legend.pixel(120, 60), rgb(10, 200, 30));
    EXPECT_EQ(legend.pixel(120, 150), clFuchsia);  // the last class, 60 km and deeper
    EXPECT_EQ(legend.pixel(120, 180), clWhite);    // no fifth row
    EXPECT_EQ(legend.pixel(50, 300), clBlack);     // the pre-1885 mark
}

TEST_F(MapFormatWindow, ColourButtonsChangeTheLiveColoursOnlyWhenConfirmed) {
    answerColours(std::nullopt);
    MapFormat->Button4Click();
    EXPECT_EQ(Map->depthColors[2], clRed);
    answerColours(rgb(0x12, 0x34, 0x56));
    MapFormat->Button4Click();
    EXPECT_EQ(Map->depthColors[2], rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(MapFormat->findChild<QLineEdit*>("Edit10")->text(), "563412");
    EXPECT_EQ(swatch(3), rgb(0x12, 0x34, 0x56));

    MapFormat->Button16Click();  // level 3
    EXPECT_EQ(Map->energyLevelColors[3], rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(MapFormat->energySwatches[3]->canvas().pixel(5, 5), rgb(0x12, 0x34, 0x56));
    MapFormat->Button20Click();
    EXPECT_EQ(Map->energyLevelColors[3], rgb(249, 172, 218));
    EXPECT_EQ(MapFormat->energySwatches[3]->canvas().pixel(5, 5), rgb(249, 172, 218));
}

TEST_F(MapFormatWindow, SaveThenReadRestoresTheClasses) {
    MapFormat->RadioGroup1->setItemIndexSilently(2);
    answerColours(rgb(7, 7, 7));
    MapFormat->Button3Click();
    MapFormat->edit(3)->setText("75");
    MapFormat->edit(6)->clear();
    MapFormat->Button9Click();
    MapFormat->Button12Click();
    EXPECT_TRUE(fx.messages.empty());
    EXPECT_EQ(fx.dir.read("Mycolor2.txt").substr(0, 23), "        20,  16776960\r\n");

    MapFormat->Button10Click();
    EXPECT_EQ(Map->depthClassCount, 7);
    MapFormat->Button11Click();
    EXPECT_EQ(Map->depthClassCount, 6);
    EXPECT_EQ(Map->depthBounds[3], 75);
    EXPECT_EQ(Map->depthBounds[6], 0);
    EXPECT_EQ(Map->depthColors[1], rgb(7, 7, 7));
    EXPECT_EQ(MapFormat->edit(3)->text(), "75");
    EXPECT_EQ(swatch(2), rgb(7, 7, 7));
    EXPECT_EQ(deepMark(), Map->depthColors[5]);  // 200 km and deeper: Lime
}

TEST_F(MapFormatWindow, ReadingAMissingFileLeavesOneWhiteClass) {
    MapFormat->RadioGroup1->setItemIndexSilently(1);
    MapFormat->Button11Click();
    EXPECT_TRUE(fx.messages.empty());
    EXPECT_EQ(Map->depthClassCount, 1);
    EXPECT_EQ(Map->depthColor(0), clWhite);
    EXPECT_EQ(Map->depthColor(650), clWhite);
    EXPECT_EQ(MapFormat->edit(1)->text(), "0");
    EXPECT_EQ(swatch(1), clWhite);
}

TEST_F(MapFormatWindow, ADamagedFileIsReportedAndChangesNothing) {
    const auto bounds = Map->depthBounds;
    const auto colours = Map->depthColors;
    const char* damaged[] = {"        20,  16776960\r\n        40\r\n", "abc\r\n", "", "        20,99999999999\r\n"};
    for (const char* bytes : damaged) {
        fx.messages.clear();
        fx.dir.write("Mycolor0.txt", bytes);
        MapFormat->Button11Click();
        ASSERT_EQ(fx.messages.size(), 1u) << bytes;
        EXPECT_EQ(fx.messages[0].caption, "File Error");
        EXPECT_TRUE(fx.messages[0].text.contains("Mycolor0.txt"));
        EXPECT_EQ(Map->depthBounds, bounds);
        EXPECT_EQ(Map->depthColors, colours);
        EXPECT_EQ(Map->depthClassCount, 6);
    }
    EXPECT_TRUE(fx.messages[0].text.contains("1 行目"));
}

TEST_F(MapFormatWindow, AFailedSaveIsReported) {
    std::filesystem::create_directory(fx.dir.file("Mycolor0.txt.tmp"));
    MapFormat->Button12Click();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].caption, "File Error");
}

TEST_F(MapFormatWindow, TheMenuAndBothLegendsOpenIt) {
    Form1->MapFormat1->trigger();
    EXPECT_TRUE(MapFormat->isVisible());
    MapFormat->Button1Click();
    EXPECT_FALSE(MapFormat->isVisible());
    MagScale->Button2->click();
    EXPECT_TRUE(MapFormat->isVisible());
    MapFormat->close();
    TEngScale legend;
    legend.Button1->click();
    EXPECT_TRUE(MapFormat->isVisible());
}
