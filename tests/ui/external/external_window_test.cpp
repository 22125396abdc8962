// The external-list window: reading, and replace, add and append to GEPPO1.BIN.
#include <gtest/gtest.h>

#include <QHeaderView>

#include "catalogue/CatalogueRewrite.h"
#include "ui/external/ExternalWindows.h"

using namespace kavelo;
using namespace kavelo::test;

namespace {

const std::vector<EarthquakeRecord> kGeppo = {quake(19500101, 0, 3015, 13015, 30, 50, "SOUTH"),
                                              quake(19600101, 0, 4015, 14015, 650, 50, "NORTH"),
                                              quake(19700101, 0, 3530, 13945, 5, 70, "KANTO")};

std::string textLines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines) s += std::string(l) + "\r\n";
    return s;
}

// Every write to the scratch file fails with an I/O error.
struct FailingWrites : RewriteFileOps {
    long write(int fd, const void* buf, std::size_t n) override {
        (void)fd;
        (void)buf;
        (void)n;
        errno = EIO;
        return -1;
    }
};

struct ExtWindow : ::testing::Test {
    std::unique_ptr<ExternalWindows> w;
    void SetUp() override {
        w = std::make_unique<ExternalWindows>(kGeppo);
        ASSERT_TRUE(w->ok());
    }
    void TearDown() override { w.reset(); }
    TExtFile* x() { return ExtFile; }
    Catalogue& cat() { return Form1->catalogue; }
};

}  // namespace

TEST_F(ExtWindow, ControlsBeforeAndAfterAFormatIsChosen) {
    EXPECT_EQ(x()->objectName(), "TExtFile");
    EXPECT_EQ(x()->windowTitle(), "外部地震ﾘｽﾄの読込み");
    EXPECT_EQ(x()->Label18->text(), "データ形式を指定してください");
    EXPECT_FALSE(x()->BtnExtFile->isEnabled());
    EXPECT_FALSE(x()->BtnExMap->isEnabled());
    EXPECT_FALSE(x()->Button4->isEnabled());
    EXPECT_TRUE(x()->CheckBox1->isChecked());
    EXPECT_FALSE(x()->CheckBox1->isEnabled());
    EXPECT_EQ(x()->RadioGroup2->itemIndex(), 6);
    EXPECT_EQ(x()->RadioGroup3->itemIndex(), 1);
    x()->RadioGroup1->setItemIndex(3);
    EXPECT_TRUE(x()->CheckBox1->isEnabled());
    EXPECT_TRUE(x()->BtnExtFile->isEnabled());
    EXPECT_EQ(x()->Label18->text(), "「読み込み」ボタンをクリックしてください");
    EXPECT_TRUE(x()->startFolder().endsWith("Hi-net"));
    QString filterSeen;
    x()->openFileHook = [&](const QString&, const QString&, const QString& selected) {
        filterSeen = selected;
        return QString();  // cancelled: nothing happens
    };
    x()->BtnExtFileClick();
    EXPECT_EQ(filterSeen, "ﾃｷｽﾄﾌｧｲﾙ(*.txt)");
    EXPECT_FALSE(x()->BtnExMap->isEnabled());
    x()->RadioGroup1->setItemIndex(2);
    EXPECT_FALSE(x()->CheckBox1->isEnabled());
    EXPECT_TRUE(x()->startFolder().endsWith("Extra"));
    x()->BtnExtFileClick();
    EXPECT_EQ(filterSeen, "CSVﾌｧｲﾙ(*.csv)");
}

TEST_F(ExtWindow, UnifiedListBorrowsNamesAndLeavesTheMapToTheList) {
    std::string line(80, ' ');
    line.replace(0, 22, "2020-05-06 08:07:01.50");
    line.replace(31, 7, "35.5100");
    line.replace(45, 8, "139.7600");
    line.replace(60, 5, " 12.0");
    line.replace(73, 4, " 5.1");
    ASSERT_TRUE(w->readList(4, "Hi-net/u.txt", "header\r\n" + line + "\r\n"));
    EXPECT_EQ(x()->ExternalList.count, 1);
    EXPECT_EQ(x()->ExternalList.records[0].originName(), "KANTO");
    EXPECT_EQ(x()->Label18->text(), "1個の地震データを読み込みました");
    EXPECT_EQ(x()->Label2->text(), "u.txt");
    EXPECT_EQ(Form1->extListShown, 1);
    EXPECT_TRUE(x()->BtnExMap->isEnabled());
    EXPECT_FALSE(x()->Button2->isEnabled());
    EXPECT_TRUE(x()->Button5->isEnabled());
    EXPECT_EQ(x()->listModel->cellText(8, 0), "KANTO");
    // Plotting draws the mark in the list's own colours: a filled red star at the place.
    x()->RadioGroup2->setItemIndex(0);
    x()->BtnExMapClick();
    auto s = Map->geoToScreen(13945, 3530);
    ASSERT_TRUE(s);
    EXPECT_EQ(Map->canvas().pixel(s->x, s->y - 4), kavelo::ui::clRed);
    EXPECT_EQ(x()->markSize, 15);
}

TEST_F(ExtWindow, ReplaceByWeakEventsWithTheFilterLeavesAnEmptyCatalogue) {
    ASSERT_TRUE(w->readList(
        2, "Extra/weak.txt",
        textLines({"2001/06/03 14:11 2957 13920 410 3.9", "2001/06/04 14:11 2957 13920 10 3.9"})));
    w->fx.answers = {QMessageBox::Cancel};
    x()->Button4Click();
    EXPECT_EQ(cat().recordCount, 4);  // cancelled: unchanged
    w->fx.answers = {QMessageBox::Ok};
    x()->Button4Click();
    EXPECT_EQ(w->fx.messages.back().caption, "地震リスト置換");
    EXPECT_EQ(cat().recordCount, 0);
    EXPECT_EQ(Form1->selection.selectionCount, 0);
    EXPECT_EQ(Form1->StringGrid1->rowCount(), 0);
    EXPECT_EQ(Form1->RadioGroup1->itemIndex(), 0);
    EXPECT_FALSE(x()->BtnExMap->isEnabled());
    // Without the filter the same list replaces the Catalogue whole.
    x()->CheckBox1->setChecked(false);
    x()->Button4Click();
    EXPECT_EQ(cat().recordCount, 2);
    EXPECT_EQ(cat()[1].date, 20010604);
    EXPECT_EQ(Form1->StringGrid1->rowCount(), 2);
}

TEST_F(ExtWindow, AddingTwiceDoublesTheAddedEvents) {
    ASSERT_TRUE(w->readList(1, "Extra/a.txt",
                            textLines({"2021 01 02 03 04 05.0 35.5 139.5 10 5.0",
                                       "2021 01 03 03 04 05.0 36.5 140.5 20 3.5",
                                       "2021 01 04 03 04 05.0 37.5 141.5 30 6.2"})));
    x()->Button5Click();
    x()->Button5Click();
    ASSERT_EQ(cat().recordCount, 4 + 4);
    for (int k : {4, 6}) {
        EXPECT_EQ(cat()[k].date, 20210102);
        EXPECT_EQ(cat()[k + 1].date, 20210104);  // M3.5 left out by the filter
    }
    EXPECT_EQ(Form1->selection.selectionCount, 8);
    EXPECT_EQ(Form1->selection[7], 7);
    EXPECT_EQ(Form1->StringGrid1->rowCount(), 8);
    EXPECT_EQ(Form1->extListShown, 0);
    EXPECT_FALSE(x()->Button5->isEnabled());
}

TEST_F(ExtWindow, AppendToTheCatalogueFileIsAllOrNothing) {
    ASSERT_TRUE(w->readList(3, "Extra/l.csv",
                            textLines({"h", "h", "h", "h", "h", "h", "h", "h", "h", "h",
                                       "1, 1, 2021/02/03, 04:05, 3530, 13945, 10, 6.1, NEW"})));
    const std::string before = w->fx.dir.read("DATA/GEPPO1.BIN");
    x()->CheckBox2->setChecked(true);
    FailingWrites failing;
    x()->rewriteOps = &failing;
    x()->Button5Click();  // both questions answered OK
    ASSERT_GE(w->fx.messages.size(), 3u);
    EXPECT_EQ(w->fx.messages[1].caption, "地震リストファイルに追加");
    EXPECT_EQ(w->fx.messages.back().caption, "File Error");
    EXPECT_EQ(w->fx.dir.read("DATA/GEPPO1.BIN"), before);
    EXPECT_FALSE(std::filesystem::exists(w->fx.dir.file("DATA/TEMP.BIN")));
    EXPECT_EQ(cat().recordCount, 5);  // the Catalogue in memory has the event
    // The same add with working files appends exactly the added record.
    x()->rewriteOps = nullptr;
    w->fx.messages.clear();
    x()->Button5Click();
    EXPECT_EQ(w->fx.messages.size(), 2u);
    const std::string after = w->fx.dir.read("DATA/GEPPO1.BIN");
    ASSERT_EQ(after.size(), before.size() + kRecordSize);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(decodeRecord(reinterpret_cast<const unsigned char*>(after.data() + before.size()))
                  .originName(),
              "NEW");
    // Cancelling the file question leaves the file alone.
    w->fx.answers = {QMessageBox::Ok, QMessageBox::Cancel};
    x()->Button5Click();
    EXPECT_EQ(w->fx.dir.read("DATA/GEPPO1.BIN"), after);
}

TEST_F(ExtWindow, AnAddBeyondCapacityAddsWhatFitsAndSaysHowManyWereLeftOut) {
    ASSERT_TRUE(w->readList(1, "Extra/a.txt",
                            textLines({"2021 01 02 03 04 05.0 35.5 139.5 10 5.0",
                                       "2021 01 03 03 04 05.0 36.5 140.5 20 5.5",
                                       "2021 01 04 03 04 05.0 37.5 141.5 30 6.2"})));
    while (cat().recordCount < kCatalogueCapacity - 1) cat()[cat().recordCount++] = kGeppo[0];
    x()->Button5Click();
    EXPECT_EQ(cat().recordCount, kCatalogueCapacity);
    EXPECT_EQ(cat()[kCatalogueCapacity - 1].date, 20210102);
    ASSERT_EQ(w->fx.messages.size(), 2u);
    EXPECT_TRUE(w->fx.messages[1].text.contains("残りの 2 個"))
        << w->fx.messages[1].text.toStdString();
    EXPECT_EQ(Form1->selection.selectionCount, kCatalogueCapacity);
}

TEST_F(ExtWindow, TheListHasHeadingsThatFitAndGrowsWithTheWindow) {
    QHeaderView* header = ExtFile->StringGrid1->horizontalHeader();
    EXPECT_FALSE(header->isHidden());
    const QStringList heads = {"番号", "地震番号", "年月日", "時分", " 　緯度", " 　経度", " 深さ", "ﾏｸﾞﾆﾁｭｰﾄﾞ", "震源地"};
    const QFontMetrics fm(header->font());
    for (int i = 0; i < heads.size(); ++i) {
        EXPECT_EQ(ExtFile->listModel->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), heads[i]);
        EXPECT_GE(ExtFile->StringGrid1->columnWidth(i), fm.horizontalAdvance(heads[i])) << i;
    }
    ExtFile->show();
    const QRect grid = ExtFile->StringGrid1->geometry();
    const QPoint close = ExtFile->Button1->pos();
    ExtFile->resize(ExtFile->width() + 200, ExtFile->height() + 100);
    EXPECT_EQ(ExtFile->StringGrid1->size(), grid.size() + QSize(200, 100));
    EXPECT_EQ(ExtFile->Button1->pos(), close + QPoint(200, 100));
    EXPECT_EQ(ExtFile->Panel2->y(), 486 + 100);
    ExtFile->hide();
}
