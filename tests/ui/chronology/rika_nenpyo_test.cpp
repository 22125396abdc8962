#include <gtest/gtest.h>

#include <memory>

#include "chronology/TRikaNenpyo.h"
#include "search/TForm1.h"
#include "common/CatalogueFixture.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::test;

namespace {

struct Chronology : ::testing::Test {
    UiFixture fx;
    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18000101, 0, 3300, 13500, 10, 60)}));
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(19500101, 0, 3300, 13500, 30, 50)}));
        Form1 = new TForm1;
        ASSERT_TRUE(Form1->createdOk());
    }
    void TearDown() override {
        delete RikaNenpyo;
        RikaNenpyo = nullptr;
        delete Form1;
        Form1 = nullptr;
    }
    void start(const std::string& nenpyo) {
        fx.dir.write("DATA/NENPYO.TXT", nenpyo);
        RikaNenpyo = new TRikaNenpyo;
    }
};

const std::string kTable = "7150605%3530%13930%65%Totomi%(null)\r\n"
                           "18910928%3536%13636%80%Nobi%fault scarp\r\n"
                           "19230901%3519%13906%79%Kanto%fire and tsunami\r\n";

}  // namespace

TEST_F(Chronology, StartUpCaptionsAndTheMainWindowLabels) {
    start(kTable);
    ASSERT_TRUE(RikaNenpyo->createdOk());
    EXPECT_TRUE(fx.messages.empty());
    EXPECT_EQ(RikaNenpyo->windowTitle(), "理科年表");
    EXPECT_EQ(Form1->Label26->text(), "NENPYO.TXT");
    EXPECT_EQ(Form1->Label27->text(), "理科年表データ 　3");
    EXPECT_EQ(Form1->findChild<QLabel*>("Label35")->text(), "～");
    EXPECT_EQ(RikaNenpyo->Label5->text(), "ﾏｸﾞﾆﾁｭｰﾄﾞ");
    EXPECT_EQ(RikaNenpyo->Label22->text(), "：地震名");
    EXPECT_EQ(RikaNenpyo->List->text(), "文字検索");
    EXPECT_EQ(RikaNenpyo->Edit2->toolTip(), "記事の検索文字を指定");
    EXPECT_EQ(RikaNenpyo->StringGrid1->colCount(), 7);
}

TEST_F(Chronology, ListSearchWordsAndTheDetailPanel) {
    start(kTable);
    Form1->Button2->click();  // 理科年表: lists everything and shows the window
    EXPECT_TRUE(RikaNenpyo->isVisible());
    ASSERT_EQ(RikaNenpyo->StringGrid1->rowCount(), 3);
    EXPECT_EQ(RikaNenpyo->StringGrid1->cellText(0, 2), "   3");
    EXPECT_EQ(RikaNenpyo->StringGrid1->cellText(1, 0), "  715/06/05");
    EXPECT_EQ(RikaNenpyo->StringGrid1->cellText(2, 0), " 35°30′");
    EXPECT_EQ(RikaNenpyo->StringGrid1->cellText(3, 0), " 139°30′");
    EXPECT_EQ(RikaNenpyo->StringGrid1->cellText(4, 2), " 7.9");
    EXPECT_EQ(RikaNenpyo->Label21->text(), "3 個みつかりました");
    EXPECT_EQ(RikaNenpyo->Label13->text(), "Totomi");

    RikaNenpyo->Edit1->setText("Kanto|Nobi");
    RikaNenpyo->Edit2->setText("fire");
    RikaNenpyo->ListClick();
    ASSERT_EQ(RikaNenpyo->StringGrid1->rowCount(), 1);
    EXPECT_EQ(RikaNenpyo->StringGrid1->cellText(0, 0), "   1");
    EXPECT_EQ(RikaNenpyo->Label8->text(), "   3");  // the entry's place in the file
    EXPECT_EQ(RikaNenpyo->Memo1->toPlainText(), "fire and tsunami");

    RikaNenpyo->Edit1->setText("Tokachi");
    RikaNenpyo->ListClick();
    EXPECT_EQ(RikaNenpyo->StringGrid1->rowCount(), 0);
    EXPECT_EQ(RikaNenpyo->Label21->text(), "地震はみつかりませんでした");
    EXPECT_EQ(RikaNenpyo->Label8->text(), "   3");  // row 0's entry before stays

    RikaNenpyo->Button2Click();
    EXPECT_TRUE(RikaNenpyo->Edit1->text().isEmpty());
    RikaNenpyo->ListClick();
    RikaNenpyo->StringGrid1Click(0, 1);
    EXPECT_EQ(RikaNenpyo->Label13->text(), "Nobi");
    EXPECT_EQ(RikaNenpyo->Label12->text(), " 8.0");

    // Search texts beyond the limits are refused; the list stays.
    RikaNenpyo->Edit1->setText(QString(100, 'x'));
    RikaNenpyo->ListClick();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].caption, "Data Error");
    EXPECT_EQ(RikaNenpyo->StringGrid1->rowCount(), 3);
}

TEST_F(Chronology, MissingAndDamagedFiles) {
    RikaNenpyo = new TRikaNenpyo;  // no NENPYO.TXT
    EXPECT_FALSE(RikaNenpyo->createdOk());
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "NENPYO.TXT not exists");
    EXPECT_EQ(fx.messages[0].caption, "File Error");
    delete RikaNenpyo;
    RikaNenpyo = nullptr;

    start(kTable + "broken line\r\n\x81\xff%%%%%\r\n" + std::string(2000, '%') + "\r\n");
    ASSERT_TRUE(RikaNenpyo->createdOk());
    ASSERT_EQ(fx.messages.size(), 2u);  // one summary for every damaged line
    EXPECT_TRUE(fx.messages[1].text.contains("(行 4,6)")) << fx.messages[1].text.toStdString();
    EXPECT_EQ(RikaNenpyo->table.count(), 5);
    RikaNenpyo->ListClick();
    EXPECT_EQ(RikaNenpyo->StringGrid1->rowCount(), 5);
}
