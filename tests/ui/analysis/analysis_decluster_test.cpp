#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>
#include <memory>

#include "analysis/DeclusterDrawing.h"
#include "analysis/TAnalysis.h"
#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "import/CivilTime.h"
#include "map/MapDrawing.h"
#include "search/ResultListModel.h"
#include "search/TForm1.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::ui;
using namespace kavelo::test;

namespace {

// A M6.0 off Miyagi on 2005-08-16 11:46, a M4.5 foreshock the day before, 300
// aftershocks of M3.0 whose times follow K / (t + 0.05)^1.1 over 100 days, and a
// M4.0 in Kyushu.
std::vector<EarthquakeRecord> sequence() {
    std::vector<EarthquakeRecord> r;
    const int64_t mainDay = import::daysFromCivil(2005, 8, 16);
    const int64_t mainMinute = mainDay * 1440 + 11 * 60 + 46;
    auto at = [](int64_t minute, int lat, int lon, int mag) {
        int y, m, d;
        import::civilFromDays(minute / 1440, y, m, d);
        const int hm = static_cast<int>(minute % 1440);
        return quake(y * 10000 + m * 100 + d, static_cast<int16_t>(hm / 60 * 100 + hm % 60),
                     static_cast<int16_t>(lat), static_cast<int16_t>(lon), 40, static_cast<int16_t>(mag));
    };
    r.push_back(at(mainMinute - 1440, 3810, 14218, 45));
    r.push_back(at(mainMinute, 3809, 14217, 60));
    const double c = 0.05, q = 1.0 - 1.1, s = 0.01, e = 100.0;
    const double a = std::pow(s + c, q), b = std::pow(e + c, q);
    for (int i = 0; i < 300; ++i) {
        const double t = std::pow(a + (b - a) * (i + 0.5) / 300.0, 1.0 / q) - c;
        r.push_back(at(mainMinute + std::llround(t * 1440.0), 3805 + i % 10, 14210 + i % 15, 30));
    }
    r.push_back(at(mainMinute + 5 * 1440, 3200, 13100, 40));
    return r;
}

struct Selection {
    Catalogue cat;
    SelectionList sel;
    explicit Selection(const std::vector<EarthquakeRecord>& recs) {
        for (const EarthquakeRecord& r : recs) cat[cat.recordCount++] = r;
        sel.setIdentity(cat.recordCount);
    }
};

int countColour(Canvas& c, TColor colour) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == colour) ++n;
    return n;
}

// Draws display `which` of the window over the selection with Mc fixed at 2.0.
void draw(TAnalysis& w, const Selection& s, int which) {
    w.RadioGroup2->setItemIndexSilently(4);
    w.EditMc->setText("2.0");
    w.RadioGroup1->setItemIndexSilently(which);
    w.takeSelection(s.cat, s.sel);
    ASSERT_TRUE(w.readControls());
    w.drawSelected();
}

}  // namespace

TEST(AnalysisDecluster, ControlsOfTheNewDisplays) {
    UiFixture fx;
    TAnalysis w;
    EXPECT_EQ(w.RadioGroup1->items().mid(5), QStringList({"余震減衰", "デクラスタ"}));
    EXPECT_EQ(w.RadioGroup4->objectName(), "RadioGroup4");
    EXPECT_EQ(w.RadioGroup4->items(), QStringList({"GK", "Gruenthal", "Uhrhammer", "Reasenberg"}));
    EXPECT_EQ(w.RadioGroup4->itemIndex(), 0);
    EXPECT_EQ(w.EditFs->objectName(), "EditFs");
    EXPECT_EQ(w.EditFs->text(), "1.0");
    EXPECT_EQ(w.EditCap->objectName(), "EditCap");
    EXPECT_TRUE(w.EditCap->text().isEmpty());
    EXPECT_EQ(w.BtnMainOnly->objectName(), "BtnMainOnly");
    EXPECT_EQ(w.BtnMainOnly->text(), "本震のみ");
    // Reasenberg has no window: fs and the cap are off for it.
    w.RadioGroup4->setItemIndex(3);
    EXPECT_FALSE(w.EditFs->isEnabled());
    EXPECT_FALSE(w.EditCap->isEnabled());
    w.RadioGroup4->setItemIndex(1);
    EXPECT_TRUE(w.EditFs->isEnabled());
}

TEST(AnalysisDecluster, OmoriDisplayFitsTheLargestOrTheChosenMainShock) {
    UiFixture fx;
    TAnalysis w;
    const Selection s(sequence());
    draw(w, s, 5);
    ASSERT_TRUE(w.omoriFit.fitted);
    EXPECT_NEAR(w.omoriFit.p, 1.1, 0.15);
    EXPECT_NEAR(w.omoriFit.c, 0.05, 0.04);
    EXPECT_EQ(w.events[static_cast<std::size_t>(w.omoriMain)].mag, 60);
    const QString memo = w.Memo1->toPlainText();
    EXPECT_TRUE(memo.contains("本震: 2005/08/16 11:46 M6.0 (最大の地震)")) << memo.toStdString();
    EXPECT_TRUE(memo.contains(QString("N = %1").arg(w.omoriFit.n)));
    EXPECT_TRUE(memo.contains(QString("K = %1 ± ").arg(QString::number(w.omoriFit.k, 'f', 3))));
    EXPECT_TRUE(memo.contains(QRegularExpression("\\nc = [0-9.]+ ± [0-9.e-]+ 日\\n")));
    EXPECT_TRUE(memo.contains(QRegularExpression("\\np = [0-9.]+ ± [0-9.]+\\n")));
    EXPECT_TRUE(memo.contains("AIC = "));
    EXPECT_FALSE(memo.contains("b = "));  // this display writes its own lines only
    EXPECT_GT(countColour(w.Image1->canvas(), clRed), 300);  // the fitted curve
    EXPECT_TRUE(w.csvText.startsWith("days,observed,fitted\n"));

    // The foreshock chosen as main shock: the M6.0 becomes one of its aftershocks.
    w.chooseMainShock(0);
    draw(w, s, 5);
    EXPECT_EQ(w.events[static_cast<std::size_t>(w.omoriMain)].mag, 45);
    EXPECT_TRUE(w.Memo1->toPlainText().contains("M4.5 (選んだ地震)"));
    // A choice outside the analysed events falls back to the largest.
    w.chooseMainShock(9999);
    draw(w, s, 5);
    EXPECT_EQ(w.events[static_cast<std::size_t>(w.omoriMain)].mag, 60);

    // One event only: a notice instead of a fit, no crash.
    const Selection one({sequence()[1]});
    draw(w, one, 5);
    EXPECT_FALSE(w.omoriFit.fitted);
    EXPECT_TRUE(w.Memo1->toPlainText().contains("当てはめられません"));
}

TEST(AnalysisDecluster, DeclusterDisplayCountsRolesAndRefusesBadSettings) {
    UiFixture fx;
    TAnalysis w;
    const Selection s(sequence());
    draw(w, s, 6);
    const QString memo = w.Memo1->toPlainText();
    for (const char* line : {"本震 = 2", "前震 = 1", "余震 = 300", "クラスタ = 1"})
        EXPECT_TRUE(memo.contains(line)) << line << "\n" << memo.toStdString();
    EXPECT_GT(countColour(w.Image1->canvas(), rgb(160, 160, 160)), 50);  // grey fore- and aftershocks
    EXPECT_TRUE(w.csvText.startsWith("date,time,lat,lon,depth,mag,cluster,role\n2005/08/15,11:46,3810,14218,40,4.5,1,foreshock\n"));

    // fs = 0 and a cap of 10 days: the foreshock and the aftershocks after day 10 are main shocks.
    w.EditFs->setText("0");
    w.EditCap->setText("10");
    draw(w, s, 6);
    EXPECT_EQ(w.declustered.foreshocks, 0);
    EXPECT_GT(w.declustered.mainshocks, 3);
    EXPECT_TRUE(w.Memo1->toPlainText().contains("GK, fs = 0, 上限 10 日"));

    w.RadioGroup4->setItemIndexSilently(3);
    draw(w, s, 6);
    EXPECT_EQ(w.declusterMethod, analysis::DeclusterMethod::Reasenberg);
    // The late, sparse aftershocks fall outside the look-ahead and form clusters of their
    // own; the M6.0 leads the first one.
    EXPECT_GE(w.declustered.clusters, 1);
    EXPECT_EQ(w.declustered.cluster[1], 1);
    EXPECT_EQ(w.declustered.role[1], analysis::EventRole::Mainshock);
    // The foreshock lies exactly one day before: the look-ahead of tau_min is shorter.
    EXPECT_EQ(w.declustered.cluster[0], 0);

    w.RadioGroup4->setItemIndexSilently(0);
    for (const char* bad : {"abc", "-1", "11"}) {
        fx.messages.clear();
        w.EditFs->setText(bad);
        draw(w, s, 6);
        ASSERT_EQ(fx.messages.size(), 1u) << bad;
        EXPECT_EQ(fx.messages[0].text, "fs は 0 ～ 10 の数値で入力してください");
    }
    w.EditFs->setText("1");
    w.EditCap->setText("-3");
    fx.messages.clear();
    draw(w, s, 6);
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_TRUE(fx.messages[0].text.startsWith("上限(日) は"));
}

TEST(AnalysisDecluster, MainShocksOnlyBecomeTheMainWindowSelection) {
    UiFixture fx;
    fx.dir.write("DATA/RIKA.BIN", fileOf({quake(16110902, 0, 3800, 14300, 0, 81)}));
    fx.dir.write("DATA/GEPPO1.BIN", fileOf(sequence()));
    auto f = std::make_unique<TForm1>();
    ASSERT_TRUE(f->createdOk());
    TForm1* oldForm = Form1;
    TAnalysis* oldAnalysis = Analysis;
    Form1 = f.get();
    TAnalysis w;
    Analysis = &w;
    const int all = f->catalogue.recordCount;
    ASSERT_EQ(all, 304);
    f->selection.setIdentity(all);

    // A row picked in the main list becomes the main shock of the decay display.
    f->listAll(all);
    f->StringGrid1SelectCell(0, 1);
    EXPECT_EQ(w.chosenMain, f->resultModel->catalogueIndex(1));

    w.BtnMainOnlyClick();
    // The 1611 event, the M6.0 and the Kyushu event.
    ASSERT_EQ(f->selection.selectionCount, 3);
    EXPECT_EQ(f->catalogue[f->selection[1]].mag, 60);
    EXPECT_EQ(f->Label32->text(), "本震のみ(GK)");
    EXPECT_EQ(f->Label18->text(), "本震 3 個 (全 304 個)");
    EXPECT_EQ(f->resultModel->rowCount(), 3);
    // The window now analyses the declustered set.
    EXPECT_EQ(w.events.size(), 3u);

    // すべて brings every record back.
    f->RadioGroup1->setItemIndexSilently(0);
    f->RadioGroup1Click();
    EXPECT_EQ(f->selection.selectionCount, all);
    EXPECT_EQ(f->Label32->text(), "すべての地震");

    // Nothing selected: a message, the selection stays as it is.
    f->selection.selectionCount = 0;
    fx.messages.clear();
    w.BtnMainOnlyClick();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "地震が選択されていません");
    Analysis = oldAnalysis;
    Form1 = oldForm;
}

TEST(AnalysisDecluster, MapStandsOnTheBaseMapWhenEveryEventLiesOnItsGrid) {
    UiFixture fx;
    const std::vector<EarthquakeRecord> events = sequence();
    analysis::DeclusterResult result;
    result.role.assign(events.size(), analysis::EventRole::Aftershock);
    result.cluster.assign(events.size(), 1);
    result.role[1] = analysis::EventRole::Mainshock;
    result.mainshocks = 1;
    result.aftershocks = static_cast<int>(events.size()) - 1;
    MarkSettings marks;
    DepthClasses depth;

    MapProjection proj;
    proj.grid = mapfixture::conicGrid();
    CoastLines coasts;
    // An island under the Miyagi sequence, another under the Kyushu event.
    coasts[0].points = mapfixture::island(38.1, 142.3, 30);
    coasts[1].points = mapfixture::island(32.0, 131.0, 30);
    const MapColors colors;

    Canvas onMap(760, 520);
    onMap.clear(clWhite);
    drawDeclusterMap(onMap, events, result, marks, depth, {&proj, &coasts});
    EXPECT_GT(countColour(onMap, colors.coastColor), 50);
    EXPECT_GT(countColour(onMap, colors.gridColor), 1000);
    // The M6.0 main shock's mark in its depth colour, nothing of the map outside the frame.
    EXPECT_GT(countColour(onMap, depthColor(40, depth)), 10);
    for (int x = 0; x < onMap.width(); ++x) {
        EXPECT_NE(onMap.pixel(x, 10), colors.gridColor);
        EXPECT_NE(onMap.pixel(x, onMap.height() - 5), colors.coastColor);
    }

    // Off the grid (an event in the southern hemisphere) or without a base map: the
    // longitude-latitude frame, no coast or graticule.
    std::vector<EarthquakeRecord> far = events;
    far.back().lat = -1000;
    for (const DeclusterBaseMap base : {DeclusterBaseMap{&proj, &coasts}, DeclusterBaseMap{}}) {
        Canvas plain(760, 520);
        plain.clear(clWhite);
        drawDeclusterMap(plain, far, result, marks, depth, base);
        EXPECT_EQ(countColour(plain, colors.coastColor), 0);
        EXPECT_EQ(countColour(plain, colors.gridColor), 0);
        EXPECT_GT(countColour(plain, rgb(160, 160, 160)), 10);
    }
}
