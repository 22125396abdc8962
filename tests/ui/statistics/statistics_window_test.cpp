#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <memory>

#include "common/CatalogueFixture.h"
#include "search/TForm1.h"
#include "statistics/StatisticsDrawing.h"
#include "statistics/TStatistics.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::ui;
using namespace kavelo::test;

namespace {

struct Selection {
    Catalogue cat;
    SelectionList sel;
    void add(int date, int mag, int times = 1) {
        for (int k = 0; k < times; ++k) {
            EarthquakeRecord& r = cat[cat.recordCount];
            r.date = date;
            r.mag = static_cast<int16_t>(mag);
            sel[sel.selectionCount++] = cat.recordCount++;
        }
    }
};

// Counts of a b = 1 law from 4.0 to 6.9 with a roll-off near the top.
Selection grSelection() {
    Selection s;
    for (int m = 40; m < 70; ++m) {
        const int n = static_cast<int>(std::lround(2000 * std::pow(10.0, -(m - 40) * 0.1) *
                                                   (1 - std::pow((m - 40) / 30.0, 4))));
        s.add(19500101 + (m % 12) * 100, m, std::max(n, 1));
    }
    return s;
}

int countColour(Canvas& c, TColor colour, int x1 = 0, int y1 = 0, int x2 = -1, int y2 = -1) {
    if (x2 < 0) x2 = c.width();
    if (y2 < 0) y2 = c.height();
    int n = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (c.pixel(x, y) == colour) ++n;
    return n;
}

}  // namespace

TEST(StatisticsWindow, ControlsAndInitialState) {
    UiFixture fx;
    TStatistics w;
    EXPECT_EQ(w.objectName(), "TStatistics");
    EXPECT_EQ(w.windowTitle(), "統計値");
    EXPECT_EQ(w.width(), 952);
    EXPECT_EQ(w.height(), 662);
    EXPECT_EQ(w.Image1->geometry(), QRect(8, 136, 913, 449));
    EXPECT_EQ(w.Image1->canvas().width(), 913);
    EXPECT_EQ(w.RadioGroup1->title(), "期間種別");
    EXPECT_EQ(w.RadioGroup1->items(), QStringList({"年次別", "月別"}));
    EXPECT_EQ(w.RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(w.RadioGroup2->items(), QStringList({"直線近似", "２次近似", "修正近似"}));
    EXPECT_EQ(w.RadioGroup2->itemIndex(), 0);
    EXPECT_EQ(w.RadioGroup3->title(), "加算ﾏｸﾞﾆﾁｭｰﾄﾞ");
    EXPECT_EQ(w.RadioGroup3->itemIndex(), 2);
    EXPECT_EQ(w.CBAfter->text(), "1926年以降");
    EXPECT_FALSE(w.CBAfter->isChecked());
    EXPECT_FALSE(w.Button2->isEnabled());
    EXPECT_EQ(w.Button2->toolTip(), "無効です");
    EXPECT_FALSE(w.Button5->isEnabled());
    EXPECT_FALSE(w.Button7->isEnabled());
    EXPECT_EQ(w.Button4->text(), "表示");
    EXPECT_EQ(w.Button6->text(), "コピー");
    EXPECT_FALSE(w.fitM1);
    EXPECT_NE(w.findChild<QPushButton*>("Button8"), nullptr);
}

TEST(StatisticsWindow, YearlyGraphReachesTheCurrentYear) {
    UiFixture fx;
    TStatistics w;
    Selection s;
    s.add(18900101, 50);         // before 1926: left out of this graph
    s.add(19500301, 45);
    s.add(20261207, 61);         // class 2, yellow
    w.CBAfter->setChecked(true);
    ASSERT_TRUE(w.frequencyDisplay(s.cat, s.sel));
    Canvas& c = w.Image1->canvas();
    // Largest yearly total 1: step 0.5, so one quake is 200 pixels high.
    const int x2026 = 80 + (2026 - 1926) * 8;
    EXPECT_EQ(c.pixel(x2026 + 4, 300), rgb(255, 255, 0));
    EXPECT_EQ(c.pixel(x2026 + 4, 160), rgb(255, 255, 0));
    EXPECT_EQ(c.pixel(x2026 + 4, 140), clWhite);
    EXPECT_EQ(c.pixel(80 + 24 * 8 + 4, 300), rgb(0, 255, 255));  // 1950, class 0
    EXPECT_TRUE(fx.messages.empty());

    // From 1885 with 5-pixel bars.
    w.CBAfter->setChecked(false);
    ASSERT_TRUE(w.frequencyDisplay(s.cat, s.sel));
    EXPECT_EQ(c.pixel(80 + 5 * 5 + 2, 300), rgb(0, 0, 255));  // 1890, class 1
    EXPECT_EQ(c.pixel(80 + (2026 - 1885) * 5 + 2, 300), rgb(255, 255, 0));
}

TEST(StatisticsWindow, MonthlyGraphForcesFrom1926AndNotesLaterRecords) {
    UiFixture fx;
    TStatistics w;
    Selection s;
    s.add(19000101, 50);
    s.add(20240301, 50);
    s.add(20261207, 50);
    w.RadioGroup1->setItemIndexSilently(1);
    ASSERT_TRUE(w.frequencyDisplay(s.cat, s.sel));
    EXPECT_TRUE(w.CBAfter->isChecked());
    Canvas& c = w.Image1->canvas();
    // March 2024: second row (baseline 380), column 48 * 12 + 2.
    EXPECT_EQ(c.pixel(50 + 48 * 12 + 2, 370), clBlue);
    // The December 2026 record cannot be drawn: a note says so.
    EXPECT_GT(countColour(c, clBlack, 500, 420, 913, 449), 20);
}

TEST(StatisticsWindow, NoQuakeAfterStartShowsMessage) {
    UiFixture fx;
    TStatistics w;
    Selection s;
    s.add(18000101, 50);
    EXPECT_FALSE(w.frequencyDisplay(s.cat, s.sel));
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "No Earthquake after 1885");
    EXPECT_EQ(fx.messages[0].caption, "Error");
}

TEST(StatisticsWindow, CumulativeDisplayFitsEachLaw) {
    UiFixture fx;
    TStatistics w;
    const Selection s = grSelection();
    Canvas& c = w.Image1->canvas();

    w.cumulativeDisplay(s.cat, s.sel, 40);
    EXPECT_TRUE(w.Button5->isEnabled());
    EXPECT_TRUE(w.Button7->isEnabled());
    EXPECT_TRUE(w.fitOk);
    EXPECT_EQ(w.cumCount[0], s.sel.selectionCount);
    EXPECT_EQ(w.magMax, 69);
    EXPECT_GT(w.beta, 2.3);  // ln 10 per magnitude unit, steeper with the roll-off
    EXPECT_LT(w.beta, 3.5);
    ASSERT_EQ(w.resultTexts.size(), 6);
    EXPECT_EQ(w.resultTexts[0], "log N(ｍ) = α-βｍ");
    EXPECT_EQ(w.resultTexts[1], QString::asprintf("α  = %7.3f", w.alpha));
    EXPECT_EQ(w.resultTexts[4], QString("N(4.0) = %1").arg(w.cumCount[0]));
    EXPECT_EQ(w.resultTexts[5], "mag max = 6.9");
    EXPECT_GT(countColour(c, clBlue), 50);  // the Richter line
    EXPECT_GT(countColour(c, clRed), 30);   // the points

    w.RadioGroup2->setItemIndexSilently(1);
    w.cumulativeDisplay(s.cat, s.sel, 40);
    EXPECT_EQ(w.resultTexts.size(), 7);
    EXPECT_GT(countColour(c, clGreen), 50);

    w.RadioGroup2->setItemIndexSilently(2);
    w.RadioGroup3->setItemIndexSilently(1);
    w.cumulativeDisplay(s.cat, s.sel, 40);
    EXPECT_TRUE(w.fitOk) << w.resultTexts.join("|").toStdString();
    EXPECT_DOUBLE_EQ(w.addMag, 0.2);
    ASSERT_EQ(w.resultTexts.size(), 8);
    EXPECT_EQ(w.resultTexts[4], "ｍ1 =   7.100");
    EXPECT_TRUE(fx.messages.empty());

    // The probability display keeps the cumulative graph and adds the Gumbel plot.
    const int blueBefore = countColour(c, clBlue, 0, 0, 360, 449);
    EXPECT_EQ(w.probabilityDisplay(), 0);
    EXPECT_EQ(countColour(c, clBlue, 0, 0, 360, 449), blueBefore);
    EXPECT_GT(countColour(c, clRed, 450, 0, 913, 449), 30);

    ASSERT_TRUE(w.writeEqricht(QString::fromStdString(fx.dir.file("EQRICHT.CSV"))));
    QFile f(QString::fromStdString(fx.dir.file("EQRICHT.CSV")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    EXPECT_TRUE(all.contains("\r\nmagnitude,cum freq\r\n"));
    EXPECT_TRUE(all.contains(QString::asprintf("\r\n4.0,%6d\r\n", w.cumCount[0]).toLatin1()));
    EXPECT_TRUE(all.endsWith(QString::asprintf("6.9,%6d\r\n", w.cumCount[29]).toLatin1()));
}

TEST(StatisticsWindow, DegenerateSelectionsShowTextNotCrash) {
    UiFixture fx;
    TStatistics w;
    Canvas& c = w.Image1->canvas();
    Selection empty;
    w.cumulativeDisplay(empty.cat, empty.sel, 40);
    EXPECT_FALSE(w.fitOk);
    EXPECT_GT(countColour(c, clBlack), 50);  // the notice
    EXPECT_EQ(w.probabilityDisplay(), 0);

    Selection high;
    high.add(20000101, 95, 10);
    w.cumulativeDisplay(high.cat, high.sel, 90);
    EXPECT_FALSE(w.fitOk);
    EXPECT_GT(countColour(c, clBlack, 0, 0, 360, 449), 50);  // the notice starts left of 360
    EXPECT_EQ(w.probabilityDisplay(), 0);
    // No half-erased remnant of the cumulative notice stays beside the new one.
    EXPECT_EQ(countColour(c, clBlack, 0, 0, 360, 449), 0);
    EXPECT_GT(countColour(c, clBlack, 360, 0, 913, 449), 50);

    // Everything at m0: no line, no stale coefficients.
    Selection flat;
    flat.add(20000101, 40, 7);
    w.cumulativeDisplay(grSelection().cat, grSelection().sel, 40);
    ASSERT_TRUE(w.fitOk);
    w.RadioGroup2->setItemIndexSilently(0);
    w.cumulativeDisplay(flat.cat, flat.sel, 40);
    EXPECT_FALSE(w.fitOk);
    EXPECT_EQ(w.alpha, 0.0);
    EXPECT_EQ(w.magMax, 0);
    EXPECT_EQ(w.resultTexts[1], "係数を決められません（ｍの区間が1つだけ）");
    EXPECT_EQ(w.resultTexts.last(), "mag max = 0.0");
    w.RadioGroup2->setItemIndexSilently(2);
    w.cumulativeDisplay(flat.cat, flat.sel, 40);
    EXPECT_EQ(w.resultTexts[0], "Non Linear LSQ failed");
    ASSERT_FALSE(fx.messages.empty());
    EXPECT_EQ(fx.messages.back().text, "Non linear LSQ failed");
    EXPECT_EQ(fx.messages.back().caption, "Nleast Error");
}

TEST(StatisticsWindow, ProbabilityOutsideUnitIntervalIsSkipped) {
    UiFixture fx;
    TStatistics w;
    // Nothing at exactly 4.0: F = 0 for bin 1.
    Selection s;
    s.add(19600101, 41, 20);
    s.add(19600101, 45, 6);
    s.add(19600101, 52, 2);
    w.cumulativeDisplay(s.cat, s.sel, 40);
    const int skipped = w.probabilityDisplay();
    EXPECT_GE(skipped, 1);
    EXPECT_TRUE(fx.messages.empty());
    Canvas& c = w.Image1->canvas();
    // Tick of 0.5 at y = 330 on the probability scale.
    EXPECT_EQ(c.pixel(450 - 28, 330), clBlack);
    // The notice at the top right.
    EXPECT_GT(countColour(c, clBlack, 560, 10, 913, 30), 20);
}

TEST(StatisticsWindow, ButtonsWorkOnTheMainWindowSelection) {
    UiFixture fx;
    fx.dir.write("DATA/RIKA.BIN", fileOf({quake(16110902, 0, 3800, 14300, 0, 81)}));
    std::vector<EarthquakeRecord> recs;
    for (int m = 40; m < 60; ++m)
        for (int k = 0; k < 60 - m; ++k) recs.push_back(quake(19800101, 0, 3500, 13500, 10, m, "X"));
    fx.dir.write("DATA/GEPPO1.BIN", fileOf(recs));
    fx.dir.write("DATA/JAP-ORIGIN.CSV", "X,X\r\n");
    auto f = std::make_unique<TForm1>();
    ASSERT_TRUE(f->createdOk());
    TStatistics w;
    TForm1* oldForm = Form1;
    Form1 = f.get();

    w.Button3Click();
    EXPECT_EQ(w.Label1->text(), "期　　間 : 1885/01/01～2020");
    EXPECT_EQ(w.Label4->text(), "ﾏｸﾞﾆﾁｭｰﾄﾞ: 40～90");
    f->mag1->setText("4x");
    w.Button4Click();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "'4x' is not a valid integer value");
    EXPECT_FALSE(w.Button5->isEnabled());
    f->mag1->setText("45");
    w.Button4Click();
    EXPECT_EQ(w.magLow, 45);
    EXPECT_EQ(w.cumCount[0], 15 * 16 / 2);
    EXPECT_TRUE(w.Button7->isEnabled());
    w.Button7Click();
    EXPECT_TRUE(QFile::exists("EQRICHT.CSV"));
    w.Button6Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(913, 449));
    Form1 = oldForm;
}

TEST(StatisticsDrawing, FrameLabelsNameTheirGridLines) {
    EXPECT_EQ(gridLabel(4.0), "4");
    EXPECT_EQ(gridLabel(-1.0), "-1");
    EXPECT_EQ(gridLabel(1000.0), "1000");
    // The probability frame of m0 = 4.5 has its lines at 4.5, 5.5, ...: never "4", "6", "6".
    EXPECT_EQ(gridLabel(45 * 0.1), "4.5");
    EXPECT_EQ(gridLabel(45 * 0.1 + 1.0), "5.5");
    EXPECT_EQ(gridLabel(45 * 0.1 + 2.0), "6.5");
    EXPECT_EQ(gridLabel(43 * 0.1), "4.3");
    EXPECT_EQ(gridLabel(40 * 0.1 + 3.0), "7");
}

TEST(StatisticsWindow, PlottedPointsAndCurvesStayInsideTheirFrames) {
    UiFixture fx;
    TStatistics w;
    Selection s = grSelection();
    w.cumulativeDisplay(s.cat, s.sel, 40);
    w.probabilityDisplay();
    Canvas& c = w.Image1->canvas();
    const QRect area = probabilityPlotArea(probabilityFrame(40));
    // The top points (F near 1) lie above the variate 6 line: cut at the frame.
    int inside = 0, outside = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 360; x < c.width(); ++x) {
            if (c.pixel(x, y) != clRed) continue;
            (area.contains(x, y) ? inside : outside)++;
        }
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
    // Without the clip they would show: the top bin (F = 1 - 1/N, N in the thousands)
    // has a variate above 8, which lies above the frame.
    EXPECT_LT(probabilityFrame(40).yOfVariate(8.0), area.top());
    // The frame's title above it is untouched by the plot.
    EXPECT_EQ(countColour(c, clRed, area.left(), 0, area.right() + 1, area.top()), 0);
}
