#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "analysis/AnalysisDrawing.h"
#include "analysis/TAnalysis.h"
#include "statistics/TStatistics.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::ui;
using namespace kavelo::test;

namespace {

struct Selection {
    Catalogue cat;
    SelectionList sel;
    void add(int date, int hhmm, int mag, int depth = 10) {
        EarthquakeRecord& r = cat[cat.recordCount];
        r.date = date;
        r.time = static_cast<int16_t>(hhmm);
        r.mag = static_cast<int16_t>(mag);
        r.depth = static_cast<int16_t>(depth);
        sel[sel.selectionCount++] = cat.recordCount++;
    }
};

// 1200 events of a b = 1 law from 2.0 (maximum curvature 2.0), one a day from 2001 on.
Selection grSelection(int n = 1200) {
    Selection s;
    for (int i = 0; i < n; ++i) {
        const unsigned k = (static_cast<unsigned>(i) * 7919u + 13u) % static_cast<unsigned>(n);
        const double m = 1.95 - std::log10((k + 0.5) / n);
        const int day = i % 365;
        s.add((2001 + i / 365) * 10000 + (day / 28 % 12 + 1) * 100 + day % 28 + 1, (i * 7) % 2400 / 100 * 100,
              static_cast<int>(std::floor(m * 10.0 + 0.5)), i % 80);
    }
    return s;
}

int countColour(Canvas& c, TColor colour) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == colour) ++n;
    return n;
}

int nonWhite(Canvas& c, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (c.pixel(x, y) != clWhite) ++n;
    return n;
}

}  // namespace

TEST(AnalysisWindow, ControlsAndInitialState) {
    UiFixture fx;
    TAnalysis w;
    EXPECT_EQ(w.objectName(), "TAnalysis");
    EXPECT_EQ(w.windowTitle(), "地震活動解析");
    EXPECT_EQ(w.RadioGroup1->items(),
              QStringList({"頻度分布", "積算地震数", "M-T図", "深さ-時間", "b値・Mcの時間変化", "余震減衰", "デクラスタ"}));
    EXPECT_EQ(w.RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(w.RadioGroup2->items(), QStringList({"最大曲率", "GFT90", "GFT95", "MBS", "指定"}));
    EXPECT_EQ(w.RadioGroup2->itemIndex(), 0);
    EXPECT_EQ(w.RadioGroup3->items(), QStringList({"classic", "utsu"}));
    EXPECT_EQ(w.RadioGroup3->itemIndex(), 0);
    EXPECT_EQ(w.EditCorrection->text(), "0.2");
    EXPECT_EQ(w.EditWindow->text(), "500");
    EXPECT_EQ(w.EditStep->text(), "20");
    EXPECT_EQ(w.EditBoot->text(), "0");
    EXPECT_EQ(w.BtnDraw->text(), "描画");
    EXPECT_EQ(w.BtnDraw->objectName(), "BtnDraw");
    EXPECT_EQ(w.Memo1->objectName(), "Memo1");
    // The typed Mc is used only with 指定, the correction only with maximum curvature.
    EXPECT_FALSE(w.EditMc->isEnabled());
    w.RadioGroup2->setItemIndex(4);
    EXPECT_TRUE(w.EditMc->isEnabled());
    EXPECT_FALSE(w.EditCorrection->isEnabled());
}

TEST(AnalysisWindow, FrequencyDisplayShowsMcBAndTheLine) {
    UiFixture fx;
    TAnalysis w;
    const Selection s = grSelection();
    w.takeSelection(s.cat, s.sel);
    ASSERT_TRUE(w.readControls());
    w.drawSelected();
    const QString memo = w.Memo1->toPlainText();
    EXPECT_TRUE(memo.contains("地震数 = 1200")) << memo.toStdString();
    EXPECT_TRUE(memo.contains("Mc = 2.2 (最大曲率 +0.2)")) << memo.toStdString();
    EXPECT_TRUE(memo.contains(QRegularExpression("b = 0\\.9\\d\\d ± 0\\.0\\d\\d \\(classic\\)|b = 1\\.0\\d\\d ± 0\\.0\\d\\d \\(classic\\)")))
        << memo.toStdString();
    EXPECT_TRUE(memo.contains(QRegularExpression("\\bN = \\d+")));
    EXPECT_TRUE(memo.contains("a = "));
    EXPECT_TRUE(memo.contains(QRegularExpression("b\\+ = \\d\\.\\d{3} ± \\d\\.\\d{3} \\(n = \\d+\\)")));
    Canvas& c = w.Image1->canvas();
    EXPECT_GT(countColour(c, clRed), 200);   // line and Mc mark
    EXPECT_GT(countColour(c, clBlue), 100);  // cumulative points
    EXPECT_TRUE(w.csvText.startsWith("magnitude,count,cumulative\n2.0,"));
    // The estimator choice reaches the text.
    w.RadioGroup3->setItemIndexSilently(1);
    ASSERT_TRUE(w.readControls());
    w.drawSelected();
    EXPECT_TRUE(w.Memo1->toPlainText().contains("(utsu)"));
}

TEST(AnalysisWindow, SmallSelectionsGiveTextNotStaleNumbers) {
    UiFixture fx;
    TAnalysis w;
    const Selection good = grSelection();
    w.takeSelection(good.cat, good.sel);
    ASSERT_TRUE(w.readControls());
    w.drawSelected();
    ASSERT_TRUE(w.Memo1->toPlainText().contains("b = "));

    Selection few;
    for (int i = 0; i < 10; ++i) few.add(20010101 + i, 0, 20 + i % 3);
    w.RadioGroup2->setItemIndexSilently(1);  // GFT90 needs 25 events
    w.takeSelection(few.cat, few.sel);
    ASSERT_TRUE(w.readControls());
    w.drawSelected();
    const QString memo = w.Memo1->toPlainText();
    EXPECT_TRUE(memo.contains("GFT90")) << memo.toStdString();
    EXPECT_FALSE(memo.contains("b = ")) << memo.toStdString();
    EXPECT_FALSE(w.bResult.mc10.has_value());
    const QRect middle(100, 240, 560, 40);
    EXPECT_GT(nonWhite(w.Image1->canvas(), middle), 50);

    // Nothing selected: a text, never a crash.
    Selection none;
    w.takeSelection(none.cat, none.sel);
    w.drawSelected();
    EXPECT_EQ(w.Memo1->toPlainText(), "地震が選択されていません");
    EXPECT_TRUE(w.csvText.isEmpty());
    // Every display copes with a single event.
    Selection one;
    one.add(20110311, 1446, 90, 24);
    w.takeSelection(one.cat, one.sel);
    for (int d = 0; d < w.RadioGroup1->count(); ++d) {
        w.RadioGroup1->setItemIndexSilently(d);
        w.drawSelected();
        EXPECT_TRUE(w.Memo1->toPlainText().contains("地震数 = 1"));
    }
}

TEST(AnalysisWindow, EveryDisplayDrawsAndKeepsItsNumbers) {
    UiFixture fx;
    TAnalysis w;
    const Selection s = grSelection();
    w.takeSelection(s.cat, s.sel);
    w.EditWindow->setText("300");
    w.EditStep->setText("50");
    ASSERT_TRUE(w.readControls());
    const QStringList headers = {"magnitude,count,cumulative", "date,time,year,magnitude,cumulative",
                                 "date,time,year,magnitude", "date,time,year,depth",
                                 "time,mc,b,b_sigma,n"};
    std::vector<QImage> pictures;
    for (int d = 0; d < 5; ++d) {
        w.RadioGroup1->setItemIndexSilently(d);
        w.drawSelected();
        EXPECT_EQ(w.csvText.section('\n', 0, 0), headers[d]) << d;
        pictures.push_back(w.Image1->picture());
    }
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j) EXPECT_NE(pictures[i], pictures[j]) << i << " " << j;
    // b over time: one CSV row per window kept, the count of windows in Memo1.
    EXPECT_EQ(w.csvText.count('\n'), 1 + (1200 - 300) / 50 + 1);
    EXPECT_TRUE(w.Memo1->toPlainText().contains("窓の数 = 19, 除外 = 0"));
    // The events come in time order whatever the selection's order.
    EXPECT_TRUE(std::is_sorted(w.times.begin(), w.times.end()));

    // A window larger than the selection says so.
    w.EditWindow->setText("5000");
    ASSERT_TRUE(w.readControls());
    w.drawSelected();
    EXPECT_TRUE(w.Memo1->toPlainText().contains("窓の大きさ 5000 より少ない"));
}

TEST(AnalysisWindow, BadTypedValuesAreRefused) {
    UiFixture fx;
    TAnalysis w;
    for (auto [edit, text] : {std::pair{w.EditCorrection, "abc"}, std::pair{w.EditWindow, "1"},
                              std::pair{w.EditStep, "0"}, std::pair{w.EditBoot, "-1"}}) {
        const QString old = edit->text();
        edit->setText(text);
        fx.messages.clear();
        EXPECT_FALSE(w.readControls());
        ASSERT_EQ(fx.messages.size(), 1u);
        EXPECT_EQ(fx.messages[0].caption, "入力エラー");
        edit->setText(old);
    }
    w.RadioGroup2->setItemIndexSilently(4);
    w.EditMc->setText("");
    EXPECT_FALSE(w.readControls());
    w.EditMc->setText("2.5");
    EXPECT_TRUE(w.readControls());
    EXPECT_EQ(w.mcChoice.fixed10, 25);
}

TEST(AnalysisWindow, SavesCsvAndPicture) {
    UiFixture fx;
    TAnalysis w;
    EXPECT_FALSE(w.saveCsvAs(fx.dir.file("none.csv").c_str()));
    ASSERT_EQ(fx.messages.size(), 1u);
    const Selection s = grSelection();
    w.takeSelection(s.cat, s.sel);
    ASSERT_TRUE(w.readControls());
    w.drawSelected();
    const QString csv = QString::fromStdString(fx.dir.file("fmd.csv"));
    w.csvFileNameHook = [&] { return csv; };
    w.BtnCsvClick();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("magnitude,count,cumulative\r\n2.0,"));
    EXPECT_FALSE(bytes.contains("\r\r"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // A folder in the way: a message, and the failure reported.
    EXPECT_FALSE(w.saveCsvAs(QString::fromStdString(fx.dir.str())));
    EXPECT_EQ(fx.messages.back().caption, "File Error");

    const QString png = QString::fromStdString(fx.dir.file("fmd"));
    w.saveFileNameHook = [&] { return png; };
    w.BtnSaveClick();
    QImage saved(png + ".png");
    EXPECT_EQ(saved.size(), QSize(760, 520));
    w.BtnCopyClick();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(760, 520));
}

TEST(AnalysisDrawing, AxesHaveNiceTicks) {
    EXPECT_DOUBLE_EQ(niceStep(10.0, 5), 2.0);
    EXPECT_DOUBLE_EQ(niceStep(0.7, 6), 0.2);
    EXPECT_DOUBLE_EQ(niceStep(120.0, 6), 20.0);
    EXPECT_DOUBLE_EQ(niceStep(0.0, 6), 1.0);
    const PlotArea p(QRect(100, 50, 500, 400), {0.0, 10.0, false, false, ""},
                     {1.0, 1000.0, true, false, ""});
    EXPECT_EQ(p.px(0.0), 100);
    EXPECT_EQ(p.px(10.0), 600);
    EXPECT_EQ(p.py(1.0), 449);
    EXPECT_EQ(p.py(1000.0), 449 - 400);
    const PlotArea depth(QRect(0, 0, 100, 100), {0.0, 1.0, false, false, ""},
                         {0.0, 100.0, false, true, ""});
    EXPECT_LT(depth.py(0.0), depth.py(50.0));  // depth grows downward
}

TEST(AnalysisWindow, OpensFromTheStatisticsWindow) {
    UiFixture fx;
    TStatistics stats;
    EXPECT_EQ(stats.BtnAnalysis->text(), "解析");
    // Below the picture, clear of the statistics window's own controls.
    EXPECT_GE(stats.BtnAnalysis->geometry().top(), stats.Image1->geometry().bottom());
    EXPECT_LE(stats.BtnAnalysis->geometry().bottom(), stats.height());
    Analysis = new TAnalysis;
    stats.BtnAnalysisClick();
    EXPECT_TRUE(Analysis->isVisible());
    // Without a main window there is no selection: the window says so.
    EXPECT_EQ(Analysis->Memo1->toPlainText(), "地震が選択されていません");
    stats.BtnAnalysisClick();  // a second click redraws the open window
    EXPECT_TRUE(Analysis->isVisible());
    delete Analysis;
    Analysis = nullptr;
}
