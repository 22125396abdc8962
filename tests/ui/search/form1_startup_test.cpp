#include <gtest/gtest.h>

#include <memory>

#include "ui/UiFixture.h"
#include "common/CatalogueFixture.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::test;

namespace {
const char kKanto[] = "\x8a\xd6\x93\x8c";      // 関東 (stored name)
const char kKantoShown[] = "\x8a\xd6\x93\x8c\x93\xec\x95\x94";  // 関東南部
}  // namespace

TEST(Form1Startup, LoadsListsAndLabelsTheCatalogue) {
    UiFixture fx;
    fx.dir.write("DATA/RIKA.BIN", fileOf({quake(16110902, 0, 3800, 14300, 0, 81),
                                          quake(18850101, 0, 3500, 13500, 10, 50)}));
    fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(19230901, 1158, 3519, 13920, 23, 79, kKanto),
                                            quake(19950117, 546, 3436, 13503, 16, 73, "X"),
                                            quake(20201231, 905, 3429, 13318, 0, 65, "Y")}));
    fx.dir.write("DATA/JAP-ORIGIN.CSV", std::string(kKanto) + "," + kKantoShown + "\r\n");
    auto f = std::make_unique<TForm1>();
    ASSERT_TRUE(f->createdOk());
    EXPECT_TRUE(fx.messages.empty());
    EXPECT_EQ(f->objectName(), "TForm1");
    EXPECT_EQ(f->windowTitle(), "地震検索システム KAVELO Ver4.4");
    EXPECT_EQ(f->catalogue.recordCount, 4);
    EXPECT_EQ(f->selection.selectionCount, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f->selection[i], i);
    EXPECT_EQ(f->Label31->text(), "月報データ　 　3");
    EXPECT_EQ(f->Label1->text(), "KAVELOデータ　4");
    EXPECT_EQ(f->Label30->text(), "最終日付 2020/12/31");
    EXPECT_EQ(f->Label24->text(), "GEPPO1.BIN");
    EXPECT_EQ(f->Label25->text(), "RIKA.BIN");
    EXPECT_EQ(f->Label32->text(), "すべての地震");
    EXPECT_EQ(f->Label18->text(), "");
    EXPECT_EQ(f->date1->text(), "1885/01/01");
    EXPECT_EQ(f->lat2->text(), "5000");
    EXPECT_EQ(f->RadioGroup1->property("itemIndex").toInt(), 0);
    EXPECT_EQ(f->UpDown5->property("position").toInt(), 40);
    EXPECT_FALSE(f->date1->isEnabled());
    // The pattern example is a hint, never text standing in the empty edit.
    EXPECT_EQ(f->Origin->toolTip(), "ABC DEF｜XYZ");
    EXPECT_TRUE(f->Origin->placeholderText().isEmpty());

    auto* grid = f->StringGrid1;
    ASSERT_EQ(grid->rowCount(), 4);
    ASSERT_EQ(grid->colCount(), 9);
    EXPECT_EQ(grid->cellText(0, 0), "    1");
    EXPECT_EQ(grid->cellText(2, 0), "1611/09/02");
    EXPECT_EQ(grid->cellText(8, 1), "関東南部");
    EXPECT_EQ(grid->cellText(1, 3), "    4");
    EXPECT_EQ(grid->cellText(3, 3), " 09:05");
    EXPECT_EQ(grid->cellText(4, 3), " 34゜29´");
    EXPECT_EQ(grid->cellText(5, 3), "133゜18´");
    EXPECT_EQ(grid->cellText(6, 3), "   0");
    EXPECT_EQ(grid->cellText(7, 3), "  6.5");
}

TEST(Form1Startup, MissingCatalogueFilesEndStartWithTheirMessage) {
    {
        UiFixture fx;
        TForm1 f;
        EXPECT_FALSE(f.createdOk());
        ASSERT_EQ(fx.messages.size(), 1u);
        EXPECT_EQ(fx.messages[0].text, "理科年表ファイルをオープンできません\n");
        EXPECT_EQ(fx.messages[0].caption, "READ ERROR");
    }
    {
        UiFixture fx;
        fx.dir.write("DATA/RIKA.BIN", "");
        TForm1 f;
        EXPECT_FALSE(f.createdOk());
        ASSERT_EQ(fx.messages.size(), 1u);
        EXPECT_EQ(fx.messages[0].text, "地震月報ファイルをオープンできません\n");
    }
}

TEST(Form1Startup, EmptyCatalogueAndBadNameTable) {
    UiFixture fx;
    fx.dir.write("DATA/RIKA.BIN", "");
    fx.dir.write("DATA/GEPPO1.BIN", "");
    fx.dir.write("DATA/JAP-ORIGIN.CSV", "A,B,C\n" + std::string(32, 'x') + ",y\n");
    TForm1 f;
    ASSERT_TRUE(f.createdOk());
    EXPECT_EQ(f.Label30->text(), "最終日付 なし");
    EXPECT_EQ(f.StringGrid1->rowCount(), 0);
    ASSERT_EQ(fx.messages.size(), 3u);
    EXPECT_EQ(fx.messages[0].text, "Too many letters");
    EXPECT_EQ(fx.messages[1].text, "Too long letters");
    EXPECT_EQ(fx.messages[2].caption, "String Error");
}

TEST(Form1Startup, ADamagedNameTableCannotFloodTheScreenWithMessages) {
    UiFixture fx;
    fx.dir.write("DATA/RIKA.BIN", "");
    fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(20000101, 0, 3500, 13500, 10, 50, "A")}));
    std::string table;
    for (int i = 0; i < 50; ++i) table += std::string(90, 'z') + ",,,\n";
    table += "A,IDO\n";
    fx.dir.write("DATA/JAP-ORIGIN.CSV", table);
    TForm1 f;
    ASSERT_TRUE(f.createdOk());
    ASSERT_EQ(fx.messages.size(), 21u);
    EXPECT_EQ(fx.messages[0].text, "Too long letters");
    EXPECT_EQ(fx.messages[20].caption, "String Error");
    EXPECT_TRUE(fx.messages[20].text.startsWith("JAP-ORIGIN.CSV"));
    EXPECT_EQ(f.catalogue[0].originName(), "IDO");  // the table is still applied
}
