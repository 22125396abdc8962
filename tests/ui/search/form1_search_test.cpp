#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <memory>

#include "app/FormUtil.h"
#include "common/CatalogueFixture.h"
#include "search/TDist.h"
#include "search/TForm1.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::test;

namespace {
const char kHyuga[] = "\x93\xfa\x8c\xfc\x93\xe5";             // 日向灘
const char kMiyagi[] = "\x8b\x7b\x8f\xe9\x8c\xa7\x89\xab";    // 宮城県沖
const char kKushiro[] = "\x8b\xfa\x98\x48\x89\xab";           // 釧路沖

// A main window over a small catalogue, registered as the program's main window.
struct SearchWindow {
    UiFixture fx;
    std::unique_ptr<TForm1> f;
    std::unique_ptr<TDist> dist;

    SearchWindow() {
        EarthquakeRecord old = quake(17070000 + 1028, 1400, 3320, 13580, 0, 86, kHyuga);
        old.rika = 1;
        fx.dir.write("DATA/RIKA.BIN", fileOf({old}));
        fx.dir.write("DATA/GEPPO1.BIN",
                     fileOf({quake(19230901, 1158, 3519, 13920, 23, 79, kMiyagi),   // 1
                             quake(19680516, 948, 4041, 14341, 0, 79, kKushiro),    // 2
                             quake(19950117, 546, 3436, 13503, 16, 73, ""),          // 3
                             quake(19950117, 700, 3429, 13318, 10, 40, kHyuga),      // 4
                             quake(19960301, 100, 3150, 13220, 30, 65, kHyuga),      // 5
                             quake(20110311, 1446, 3806, 14251, 24, 90, kMiyagi)})); // 6
        f = std::make_unique<TForm1>();
        Form1 = f.get();
        dist = std::make_unique<TDist>();
        Dist = dist.get();
    }
    ~SearchWindow() {
        Dist = nullptr;
        Form1 = nullptr;
    }
    // Key presses into the edit, as the user types them.
    void type(QLineEdit* e, const QString& text) {
        e->clear();
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(e, &press);
        }
    }
    void selectMode() { f->RadioGroup1->button(1)->click(); }
    void search() { f->TkBtn1->click(); }
    std::vector<int> selected() const {
        return std::vector<int>(f->selection.index.begin(),
                                f->selection.index.begin() + f->selection.selectionCount);
    }
};
}  // namespace

TEST(Form1Search, TypedConditionsListTheMatchingRows) {
    SearchWindow w;
    auto* f = w.f.get();
    EXPECT_TRUE(f->TkBtn1->isHidden());
    w.selectMode();
    EXPECT_EQ(f->RadioGroup1->itemIndex(), 1);
    EXPECT_FALSE(f->TkBtn1->isHidden());
    EXPECT_TRUE(f->date1->isEnabled());
    EXPECT_TRUE(f->Button3->isEnabled());
    EXPECT_FALSE(f->BtnMap->isEnabled());
    EXPECT_EQ(f->allMode, 0);

    w.type(f->date1, "1995/01/17");
    w.type(f->date2, "1996");
    w.type(f->lat1, "3100");
    w.type(f->lat2, "3500");
    w.type(f->lon1, "13000");
    w.type(f->lon2, "14000");
    w.type(f->mag1, "40");
    w.type(f->mag2, "73");
    w.type(f->depth1, "10");
    w.type(f->depth2, "30");
    w.search();
    EXPECT_TRUE(w.fx.messages.empty());
    // Record 3 (depth 16, M7.3 = mag2) and 4 (depth 10 = depth1); 5 has depth 30 = depth2.
    EXPECT_EQ(w.selected(), (std::vector<int>{3, 4}));
    EXPECT_EQ(f->Label18->text(), "2 個みつかりました");
    EXPECT_EQ(f->Label32->text(), "検索された地震");
    auto* grid = f->StringGrid1;
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cellText(0, 0), "     1");
    EXPECT_EQ(grid->cellText(0, 1), "     2");
    EXPECT_EQ(grid->cellText(1, 0), "    4");
    EXPECT_EQ(grid->cellText(2, 1), "1995/01/17");
    EXPECT_EQ(grid->cellText(8, 1), "日向灘");
    EXPECT_TRUE(f->BtnMap->isEnabled());
    EXPECT_TRUE(f->Button1->isEnabled());
    EXPECT_EQ(f->UpDown7->max(), 2);
    EXPECT_EQ(f->UpDown7->position(), 1);

    // A region word narrows it; a bar joins alternatives.
    w.type(f->Origin, "日向");
    w.search();
    EXPECT_EQ(w.selected(), (std::vector<int>{4}));
    w.type(f->depth1, "0");
    w.type(f->depth2, "600");
    w.type(f->date1, "1885");
    w.type(f->date2, "2020");
    w.type(f->lat2, "5000");
    w.type(f->lon2, "15200");
    w.type(f->mag2, "90");
    w.type(f->Origin, "日向|釧路");
    w.search();
    EXPECT_EQ(w.selected(), (std::vector<int>{2, 4, 5}));
}

TEST(Form1Search, DefaultsSkipHistoricalRecordsAndNullFindsEmptyNames) {
    SearchWindow w;
    auto* f = w.f.get();
    EXPECT_EQ(f->StringGrid1->rowCount(), 7);  // the start listing shows the 1707 event
    w.selectMode();
    w.search();
    EXPECT_EQ(w.selected(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(f->Label18->text(), "6 個みつかりました");
    w.type(f->Origin, "null");
    w.search();
    EXPECT_EQ(w.selected(), (std::vector<int>{3}));
    w.type(f->Origin, "|");
    w.search();
    EXPECT_EQ(f->selection.selectionCount, 6);
}

TEST(Form1Search, BadEntriesShowTheirMessageAndKeepTheSelection) {
    SearchWindow w;
    auto* f = w.f.get();
    w.selectMode();
    w.type(f->Origin, "日向");
    w.search();
    const auto before = w.selected();
    ASSERT_EQ(before.size(), 2u);

    w.type(f->lat1, "5000");
    w.type(f->lat2, "4000");
    w.search();
    ASSERT_EQ(w.fx.messages.size(), 1u);
    EXPECT_EQ(w.fx.messages[0].text, "illegal latitude data!");
    EXPECT_EQ(w.fx.messages[0].caption, "Data Error");
    EXPECT_EQ(w.selected(), before);
    EXPECT_FALSE(f->BtnMap->isEnabled());
    EXPECT_EQ(f->StringGrid1->rowCount(), 0);

    // The date comes first; then a non-number stops with the conversion message.
    w.type(f->date1, "2000");
    w.type(f->date2, "1999");
    w.search();
    EXPECT_EQ(w.fx.messages.back().text, "illegal date data!");
    w.type(f->date2, "2020");
    w.type(f->lat1, "3x");
    w.search();
    EXPECT_EQ(w.fx.messages.back().text, "'3x' is not a valid integer value");
    EXPECT_EQ(w.fx.messages.back().caption, "KAVELO4.4");

    // An over-long region text is refused, not cut.
    w.type(f->lat1, "2400");
    w.type(f->lat2, "5000");
    f->Origin->setMaxLength(200);
    f->Origin->setText(QString(30, QChar(0x65E5)));  // 60 bytes in Shift-JIS
    w.search();
    EXPECT_EQ(w.fx.messages.back().caption, "Data Error");
    EXPECT_TRUE(w.fx.messages.back().text.startsWith("illegal origin data!"));
    EXPECT_EQ(w.selected(), before);
    EXPECT_EQ(w.fx.messages.size(), 4u);
}

TEST(Form1Search, EmptyResultAndUncheckedListUpGiveOneBlankRow) {
    SearchWindow w;
    auto* f = w.f.get();
    w.selectMode();
    w.type(f->Origin, "XYZ");
    w.search();
    EXPECT_EQ(f->Label18->text(), "0 個みつかりました");
    ASSERT_EQ(f->StringGrid1->rowCount(), 1);
    for (int c = 0; c < 9; ++c) EXPECT_EQ(f->StringGrid1->cellText(c, 0), "");
    f->StringGrid1SelectCell(8, 0);  // the blank row names no record
    EXPECT_EQ(f->Origin->text(), "XYZ");

    w.type(f->Origin, "");
    f->ListChk->setChecked(false);
    w.search();
    EXPECT_EQ(f->selection.selectionCount, 6);
    EXPECT_EQ(f->StringGrid1->rowCount(), 1);
    f->StringGrid1SelectCell(0, 0);
    EXPECT_EQ(w.fx.messages.back().text, "List unchecked!");
    EXPECT_EQ(w.fx.messages.back().caption, "LIST ERROR");
}

TEST(Form1Search, CellSelectionAndSetNumber) {
    SearchWindow w;
    auto* f = w.f.get();
    // The start listing: choosing a row keeps it chosen and shows its number.
    f->StringGrid1->setCurrentRow(4);
    f->StringGrid1SelectCell(2, 4);
    EXPECT_EQ(f->Edit2->text(), "5");
    EXPECT_EQ(f->StringGrid1->currentRow(), 4);
    w.selectMode();
    w.search();
    f->StringGrid1SelectCell(3, 1);
    EXPECT_EQ(f->UpDown7->position(), 2);
    EXPECT_EQ(f->Edit2->text(), "2");
    EXPECT_EQ(f->StringGrid1->currentRow(), 1);
    EXPECT_EQ(f->Origin->text(), "");
    f->StringGrid1SelectCell(8, 1);
    EXPECT_EQ(f->Origin->text(), "釧路沖");

    w.type(f->Edit2, "3");
    EXPECT_EQ(f->StringGrid1->currentRow(), 2);
    w.type(f->Edit2, "0");
    EXPECT_EQ(f->StringGrid1->currentRow(), 2);
    w.type(f->Edit2, "99");
    EXPECT_EQ(f->StringGrid1->currentRow(), 2);
    f->Button6->click();
    EXPECT_EQ(f->Edit2->text(), "");
    EXPECT_TRUE(w.fx.messages.empty());
}

TEST(Form1Search, ArrowKeysInTheGridSelectLikeAClick) {
    SearchWindow w;
    auto* f = w.f.get();
    w.selectMode();
    w.search();
    f->show();
    f->activateWindow();
    QApplication::setActiveWindow(f);
    f->StringGrid1->setFocus();
    QApplication::processEvents();
    if (!f->StringGrid1->hasFocus()) GTEST_SKIP() << "no keyboard focus on this platform";
    // Moving on from the cell the grid picked on focus selects, as the keys do.
    f->StringGrid1->setCurrentIndex(f->StringGrid1->model()->index(0, 8));
    EXPECT_EQ(f->Origin->text(), "宮城県沖");
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(f->StringGrid1, &down);
    EXPECT_EQ(f->StringGrid1->currentRow(), 1);
    EXPECT_EQ(f->Origin->text(), "釧路沖");
    EXPECT_EQ(f->Edit2->text(), "2");
    // Typing a set number moves the row without taking its name.
    f->Edit2->setFocus();
    QApplication::processEvents();
    w.type(f->Edit2, "4");
    EXPECT_EQ(f->StringGrid1->currentRow(), 3);
    EXPECT_EQ(f->Origin->text(), "釧路沖");
    EXPECT_TRUE(w.fx.messages.empty());
}

TEST(Form1Search, ModeSwitchUpDownsAndDefault) {
    SearchWindow w;
    auto* f = w.f.get();
    w.selectMode();
    w.type(f->Origin, "日向");
    w.search();
    f->UpDown5->click(kavelo::ui::TUpDown::Next);
    EXPECT_EQ(f->mag1->text(), "41");
    EXPECT_FALSE(f->BtnMap->isEnabled());
    EXPECT_FALSE(f->BtnReset->isEnabled());
    f->UpDown3->click(kavelo::ui::TUpDown::Prev);  // already at the lower end
    EXPECT_EQ(f->lat1->text(), "2400");
    f->UpDown2->click(kavelo::ui::TUpDown::Prev);
    EXPECT_EQ(f->lon2->text(), "15100");

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->mag1, &press);
    EXPECT_FALSE(f->Button1->isEnabled());

    f->RadioGroup1->button(0)->click();
    EXPECT_EQ(f->allMode, 1);
    EXPECT_EQ(f->selection.selectionCount, 7);
    EXPECT_EQ(f->StringGrid1->rowCount(), 7);
    EXPECT_EQ(f->StringGrid1->cellText(0, 0), "    1");
    EXPECT_EQ(f->Label32->text(), "すべての地震");
    EXPECT_EQ(f->Origin->text(), "");
    EXPECT_EQ(f->mag1->text(), "40");
    EXPECT_EQ(f->lon2->text(), "15200");
    EXPECT_FALSE(f->date1->isEnabled());
    EXPECT_FALSE(f->RadioGroup2->isEnabled());
    EXPECT_TRUE(f->BtnMap->isEnabled());
}

TEST(Form1Search, DistanceSearchKeepsTheCircleUntilCancelled) {
    SearchWindow w;
    auto* f = w.f.get();
    auto* d = w.dist.get();
    w.selectMode();
    f->CBDistance->click();
    EXPECT_EQ(f->distanceMode, 1);
    EXPECT_FALSE(f->TkBtn2->isHidden());

    w.type(d->Edit3, "301");
    d->Button2->click();
    EXPECT_EQ(w.fx.messages.back().text, "検索距離範囲は300km以内です");
    EXPECT_EQ(w.fx.messages.back().caption, "距離エラー");
    EXPECT_EQ(d->distanceOn, 0);
    EXPECT_FALSE(d->Button4->isEnabled());

    // 300 km around 34°29'N 133°18'E: Kobe (3436/13503) is about 160 km away,
    // the Hyuga-nada event (3150/13220) about 340 km.
    w.type(d->Edit3, "300");
    f->TkBtn2->click();
    EXPECT_EQ(d->distanceOn, 1);
    EXPECT_TRUE(d->Button4->isEnabled());
    EXPECT_EQ(w.selected(), (std::vector<int>{3, 4}));

    // A rejected radius leaves the working circle alone.
    w.type(d->Edit3, "999");
    d->Button2->click();
    EXPECT_EQ(d->radiusKm, 300);

    f->CBDistance->click();  // unchecked: the circle stays in force
    EXPECT_EQ(f->distanceMode, 0);
    EXPECT_TRUE(f->TkBtn2->isHidden());
    w.search();
    EXPECT_EQ(w.selected(), (std::vector<int>{3, 4}));

    d->Button3->click();
    EXPECT_EQ(d->distanceOn, 0);
    EXPECT_FALSE(f->CBDistance->isChecked());
    EXPECT_FALSE(d->Button5->isEnabled());
    EXPECT_EQ(f->selection.selectionCount, 6);
}

TEST(Form1Search, ZoneSearchStopsAtTheEndDate) {
    SearchWindow w;
    auto* f = w.f.get();
    ZoneCorners z;
    z.p[0] = {3000, 13000};
    z.p[1] = {3000, 13600};
    z.p[2] = {3500, 13600};
    z.p[3] = {3500, 13000};
    f->zoneSearch(z);  // ALL mode: defaults, the box of the edits is not read
    EXPECT_EQ(w.selected(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(f->Label18->text(), "3 個みつかりました");
    EXPECT_EQ(f->StringGrid1->cellText(0, 2), "     3");
    w.selectMode();
    w.type(f->date2, "1995");
    f->zoneSearch(z);
    EXPECT_EQ(w.selected(), (std::vector<int>{3, 4}));
    w.type(f->mag1, "80");
    w.type(f->mag2, "70");
    f->zoneSearch(z);
    EXPECT_EQ(w.fx.messages.back().text, "illegal magnitude data!");
    EXPECT_EQ(w.selected(), (std::vector<int>{3, 4}));
}

TEST(Form1Search, ConditionMemoryRoundTripClampsAndRefusesShortFiles) {
    SearchWindow w;
    auto* f = w.f.get();
    w.selectMode();
    w.type(f->date1, "1995/01");
    w.type(f->Origin, "日向|釧路");
    f->RadioGroup2->setItemIndex(2);
    f->Button3->click();
    EXPECT_TRUE(w.fx.messages.empty());
    EXPECT_EQ(w.fx.dir.read("Region2.txt"),
              std::string("1995/01\r\n2020\r\n2400\r\n5000\r\n12200\r\n15200\r\n40\r\n90\r\n0\r\n"
                          "600\r\n\x93\xfa\x8c\xfc|\x8b\xfa\x98\x48\r\n"));

    f->BtnResetClick();
    f->Button4->click();
    EXPECT_EQ(f->date1->text(), "1995/01");
    EXPECT_EQ(f->Origin->text(), "日向|釧路");

    // Remembered values outside the up-down ranges come back at the nearest end.
    w.fx.dir.write("Region0.txt", "1900\r\n1990\r\n2000\r\n4000\r\n13000\r\n16000\r\n30\r\n95\r\n5\r\n"
                                  "50\r\n\r\n");
    f->RadioGroup2->setItemIndex(0);
    f->Button4->click();
    EXPECT_EQ(f->lat1->text(), "2400");
    EXPECT_EQ(f->lat2->text(), "4000");
    EXPECT_EQ(f->lon2->text(), "15200");
    EXPECT_EQ(f->mag1->text(), "40");
    EXPECT_EQ(f->mag2->text(), "90");
    EXPECT_EQ(f->depth2->text(), "50");
    EXPECT_EQ(f->Origin->text(), "");
    EXPECT_TRUE(w.fx.messages.empty());

    // A slot never saved: silence. A short slot: a message and nothing changed.
    f->RadioGroup2->setItemIndex(1);
    f->Button4->click();
    EXPECT_TRUE(w.fx.messages.empty());
    w.fx.dir.write("Region1.txt", "2001\r\n2002\r\n");
    f->Button4->click();
    ASSERT_EQ(w.fx.messages.size(), 1u);
    EXPECT_EQ(w.fx.messages[0].caption, "File Error");
    EXPECT_EQ(f->date1->text(), "1900");
}

TEST(Form1Search, EnterInAConditionFieldRunsTheSearch) {
    SearchWindow w;
    auto* f = w.f.get();
    auto enter = [](QLineEdit* e) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(e, &press);
    };
    // In すべて mode the fields are off and Enter runs nothing.
    enter(f->mag1);
    EXPECT_EQ(f->Label18->text(), "");
    w.selectMode();
    w.type(f->mag1, "79");
    enter(f->mag1);
    EXPECT_EQ(w.selected(), (std::vector<int>{1, 2, 6}));
    EXPECT_EQ(f->Label18->text(), "3 個みつかりました");
    w.type(f->depth2, "20");
    enter(f->Origin);
    EXPECT_EQ(w.selected(), (std::vector<int>{2}));
    // The units are in the fields' tooltips.
    EXPECT_EQ(f->lat1->toolTip(), "度分: 3540 = 35°40′");
    EXPECT_EQ(f->mag2->toolTip(), "マグニチュード × 10");
    EXPECT_EQ(f->depth1->toolTip(), "km");
    EXPECT_EQ(f->date2->toolTip(), "YYYY/MM/DD");
    EXPECT_EQ(f->Origin->toolTip(), "ABC DEF｜XYZ");
}

TEST(Form1Search, TheWindowGrowsWithItsListAndTheHeadingsFitTheirColumns) {
    SearchWindow w;
    auto* f = w.f.get();
    QLabel* heads[] = {f->Label33, f->Label6, f->Label7, f->Label12, f->Label13,
                       f->Label14, f->Label15, f->Label16, f->Label17};
    auto checkHeadings = [&] {
        int x = f->StringGrid1->x() + 2;
        for (int i = 0; i < 9; ++i) {
            const int col = f->StringGrid1->columnWidth(i);
            EXPECT_GE(col, heads[i]->fontMetrics().horizontalAdvance(heads[i]->text())) << i;
            EXPECT_EQ(heads[i]->x(), x) << i;
            EXPECT_EQ(heads[i]->width(), col) << i;
            x += col;
        }
        EXPECT_EQ(x - f->StringGrid1->x() - 2, kavelo::ui::gridRowWidth(f->StringGrid1));
    };
    EXPECT_EQ(f->Label16->text(), "ﾏｸﾞﾆﾁｭｰﾄﾞ");
    checkHeadings();
    EXPECT_EQ(f->minimumSize(), QSize(700, 752));
    const QSize grid = f->StringGrid1->size();
    f->show();
    f->resize(1000, 900);
    EXPECT_EQ(f->StringGrid1->size(), grid + QSize(300, 148));
    EXPECT_EQ(f->ProgressBar1->width(), 676 + 300);
    checkHeadings();
    EXPECT_TRUE(f->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(FitColumnWidths, HeadingsWidenColumnsAndTheLastFillsTheRow) {
    QFont font;
    font.setPixelSize(12);
    const QFontMetrics fm(font);
    const int wide = fm.horizontalAdvance("ﾏｸﾞﾆﾁｭｰﾄﾞ") + 8;
    const auto w = kavelo::ui::fitColumnWidths({50, 10, 100}, {"a", "ﾏｸﾞﾆﾁｭｰﾄﾞ", "c"}, font, 300);
    EXPECT_EQ(w, (std::vector<int>{50, wide, 300 - 50 - wide}));
    // Too narrow a row: the last column keeps room for its heading.
    const auto n = kavelo::ui::fitColumnWidths({50, 40, 100}, {"a", "b", "震源地"}, font, 60);
    EXPECT_EQ(n.back(), fm.horizontalAdvance("震源地") + 8);
}
