// The main window and the map over damaged or wrong-kind data files.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "map/TMagScale.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"
#include "search/TForm1.h"
#include "search/TProcess.h"
#include "search/TStop.h"
#include "ui/MapWindowSet.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::test;

TEST(BadDataStartup, FoldersInsteadOfFiles) {
    {
        UiFixture fx;
        std::filesystem::create_directories(fx.dir.file("DATA/RIKA.BIN"));
        TForm1 f;
        EXPECT_FALSE(f.createdOk());
        ASSERT_EQ(fx.messages.size(), 1u);
        EXPECT_EQ(fx.messages[0].text, "理科年表ファイルをオープンできません\n");
    }
    {
        UiFixture fx;
        fx.dir.write("DATA/RIKA.BIN", "");
        std::filesystem::create_directories(fx.dir.file("DATA/GEPPO1.BIN"));
        TForm1 f;
        EXPECT_FALSE(f.createdOk());
        ASSERT_EQ(fx.messages.size(), 1u);
        EXPECT_EQ(fx.messages[0].text, "地震月報ファイルをオープンできません\n");
    }
    {
        // An unusable name table leaves the stored names, as a missing one does.
        UiFixture fx;
        fx.dir.write("DATA/RIKA.BIN", "");
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(19500101, 0, 3500, 13500, 10, 50, "A")}));
        std::filesystem::create_directories(fx.dir.file("DATA/JAP-ORIGIN.CSV"));
        TForm1 f;
        EXPECT_TRUE(f.createdOk());
        EXPECT_TRUE(fx.messages.empty());
        EXPECT_EQ(f.catalogue[0].originName(), "A");
    }
}

TEST(BadDataStartup, GarbageRecordsListSearchAndPlot) {
    UiFixture fx;
    std::mt19937 rng(48);
    std::string junk(48 * 3000, '\0');
    for (char& c : junk) c = static_cast<char>(rng() % 256);
    fx.dir.write("DATA/RIKA.BIN", junk.substr(0, 48 * 500 + 7));
    fx.dir.write("DATA/GEPPO1.BIN", junk.substr(48 * 500));
    mapfixture::writeMapData(fx.dir.str() + "/DATA");
    // Eleven lines of junk in the remembered conditions.
    std::string slot;
    for (int i = 0; i < 11; ++i) slot += junk.substr(static_cast<std::size_t>(i) * 30, 30 - i) + "\n";
    fx.dir.write("Region0.txt", slot);

    MapWindowSet windows;
    ASSERT_TRUE(windows.ok());

    EXPECT_EQ(Form1->catalogue.recordCount, Form1->StringGrid1->rowCount());
    for (int row = 0; row < Form1->StringGrid1->rowCount(); ++row)
        for (int col = 0; col < 9; ++col) EXPECT_LE(Form1->StringGrid1->cellText(col, row).size(), 32);
    Form1->StringGrid1SelectCell(8, 0);
    Form1->Button4Click();
    Form1->BtnResetClick();
    Form1->BtnSearchClick();
    Map->BtnMapDrawClick();
}
