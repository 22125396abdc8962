#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QWindow>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/Application.h"
#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "map/TMagScale.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"
#include "search/TDist.h"
#include "search/TForm1.h"
#include "search/TProcess.h"
#include "search/TStop.h"
#include "ui/MapWindowSet.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::test;
using namespace kavelo::ui;

namespace {

// The main window, the map and the small windows it talks to, over a scratch DATA folder
// with a synthetic catalogue, coastlines and node grid.
struct MapWindows : ::testing::Test {
    UiFixture fx;

    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18000101, 0, 3315, 13315, 10, 60)}));
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(19500101, 0, 3015, 13015, 30, 50),
                                                quake(19600101, 0, 4015, 14015, 650, 50),
                                                quake(19700101, 0, 3415, 14415, 5, 70)}));
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        windows = std::make_unique<MapWindowSet>();
        ASSERT_TRUE(windows->ok());
    }
    void TearDown() override { windows.reset(); }
    std::unique_ptr<MapWindowSet> windows;
    TColor mapPixel(ScreenPoint p) { return Map->canvas().pixel(p.x, p.y); }
    int countColor(Canvas& c, TColor color, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += c.pixel(x, y) == color ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(MapWindows, WindowControlsAndStartUpSettings) {
    EXPECT_EQ(Map->objectName(), "TMap");
    EXPECT_EQ(Map->windowTitle(), "震央分布");
    EXPECT_EQ(Map->Image1->geometry(), QRect(16, 16, 720, 600));
    EXPECT_EQ(Map->canvas().width(), 720);
    EXPECT_EQ(Map->BtnMapDraw->text(), "地　図");
    EXPECT_EQ(Map->BtnScale->text(), "凡例表示");
    EXPECT_EQ(Map->Button3->text(), "PNGﾌｧｲﾙ");
    EXPECT_EQ(Map->PenGroup->title(), "海岸線太さ");
    EXPECT_EQ(Map->GridGroup->items().value(0), "なし");
    EXPECT_EQ(Map->GridGroup->itemIndex(), 1);
    EXPECT_EQ(Map->CircleGroup->itemIndex(), 2);
    EXPECT_EQ(Map->SelectGroup->items().value(5), "全域");
    EXPECT_TRUE(Map->ColorChk->isChecked());
    EXPECT_TRUE(Map->OriginChk->isChecked());
    EXPECT_FALSE(Map->AreaChk->isEnabled());
    EXPECT_EQ(Map->CBMinMag->text(), "最小ｻｲｽﾞM4.0");
    // The format window's creation leaves six depth classes in force: 650 km is Lime.
    EXPECT_EQ(Map->depthClassCount, 6);
    EXPECT_EQ(Map->depthColor(650), clLime);
    EXPECT_EQ(Map->findChild<QWidget*>("D3Chk"), Map->D3Chk);
    EXPECT_EQ(Map->proj.grid.rows, 14);
    EXPECT_TRUE(Map->proj.resetViewPending);
}

TEST_F(MapWindows, DegenerateCellsReportScrMap) {
    ASSERT_TRUE(parseProjectionGrid("2 2  0 0  60000 0  0 100  60000 100", Map->proj.grid).ok);
    Map->proj.view.x0 = 0;
    Map->proj.view.y0 = 0;
    Map->proj.view.setYRange(100);
    EXPECT_FALSE(Map->screenToGeo(100, 500).ok());
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "Longitude calculation failed");
    EXPECT_EQ(fx.messages[0].caption, "scr_map");
    EXPECT_FALSE(Map->screenToGeo(0, 0).ok());  // plainly off the grid: silent
    EXPECT_EQ(fx.messages.size(), 1u);
}

TEST_F(MapWindows, DegenerateCellsReportScrMapOncePerDrawing) {
    ASSERT_TRUE(parseProjectionGrid("2 2  0 0  60000 0  0 100  60000 100", Map->proj.grid).ok);
    Map->proj.resetViewPending = false;
    Map->proj.view.x0 = 0;
    Map->proj.view.y0 = 0;
    Map->proj.view.setYRange(100);
    // The bounds of the plot and the label search convert dozens of frame points, all failing.
    Map->BtnMapDrawClick();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "Longitude calculation failed");
    EXPECT_EQ(fx.messages[0].caption, "scr_map");
    EXPECT_GT(Map->drawFailures.count, 10);
    EXPECT_TRUE(Map->isVisible());  // the drawing went on
    Map->BtnMapDrawClick();
    EXPECT_EQ(fx.messages.size(), 2u);
    // A sound grid draws without a message.
    mapfixture::writeMapData(fx.dir.str() + "/DATA");
    ASSERT_TRUE(loadProjectionGrid(fx.dir.str() + "/DATA/POINTXY.DAT", Map->proj.grid).ok);
    Map->proj.restoreFullView();
    Map->BtnMapDrawClick();
    EXPECT_EQ(fx.messages.size(), 2u);
    EXPECT_EQ(Map->drawFailures.count, 0);
}

TEST_F(MapWindows, BadMapFilesEndTheStartWithAMessage) {
    std::filesystem::remove(fx.dir.file("DATA/NCOAST03.BIN"));
    {
        TMap m;
        EXPECT_FALSE(m.createdOk());
        ASSERT_EQ(fx.messages.size(), 1u);
        EXPECT_EQ(fx.messages[0].text, "Can't open Coast data file");
        EXPECT_EQ(fx.messages[0].caption, "FILE ERROR");
    }
    mapfixture::writeMapData(fx.dir.str() + "/DATA");
    fx.dir.write("DATA/POINTXY.DAT", "15 16\r\n");
    {
        TMap m;
        EXPECT_FALSE(m.createdOk());
        ASSERT_EQ(fx.messages.size(), 2u);
        EXPECT_TRUE(fx.messages[1].text.contains("POINTXY.DAT"));
    }
    fx.dir.write("DATA/NCOAST20.BIN", std::string("\xd0\x07", 2));  // 2000 points
    mapfixture::writeBytes(fx.dir.file("DATA/POINTXY.DAT"), {});
    // The whole start-up stops at the map.
    TForm1* keepForm = Form1;
    TMap* keepMap = Map;
    EXPECT_FALSE(createAllWindows());
    EXPECT_TRUE(fx.messages.back().text.contains("NCOAST20.BIN"));
    delete Map;
    delete Form1;
    Form1 = keepForm;
    Map = keepMap;
}

TEST_F(MapWindows, MapDrawPlotsTheSelectionAndShowsTheWindow) {
    Map->BtnMapDrawClick();
    EXPECT_TRUE(Map->isVisible());
    EXPECT_EQ(Map->ProgressBar1->value(), 0);
    EXPECT_EQ(mapPixel(*Map->geoToScreen(13015, 3015)), clBlue);   // 30 km
    EXPECT_EQ(mapPixel(*Map->geoToScreen(14015, 4015)), clLime);   // 650 km, six classes
    EXPECT_EQ(mapPixel(*Map->geoToScreen(13315, 3315)), clBlack);  // before 1885
    EXPECT_EQ(Map->canvas().pixel(5, 5), clWhite);
    EXPECT_EQ(Map->canvas().pixel(60, 300), clBlack);
    // Unchecking the plot leaves the base map only.
    Map->OriginChk->setChecked(false);
    Map->OriginChkClick();
    EXPECT_EQ(mapPixel(*Map->geoToScreen(13015, 3015)), Map->seaColor);
    // Land "None" turns the coast into outlines.
    Form1->None3Click();
    EXPECT_EQ(Map->landColor, clBlack);
    Map->BtnMapDrawClick();
    EXPECT_EQ(countColor(Map->canvas(), clBlack, 61, 52, 659, 549), 0);
}

TEST_F(MapWindows, DepthSliceCaptionMarkRecordAndRangeCircle) {
    Form1->depthAnimating = 1;
    Form1->depthTop = 40;
    Form1->depthStep = 20;
    Map->rangeCircleOverride = std::optional<TMap::RangeCircleState>(TMap::RangeCircleState{3500, 13700, 150.0});
    Map->BtnMapDrawClick();
    EXPECT_GT(countColor(Map->canvas(), clBlack, 80, 70, 300, 90), 20);  // the caption text
    ScreenPoint c = *Map->geoToScreen(13700, 3500);
    EXPECT_EQ(mapPixel(c), clBlue);  // the cross at the centre

    Form1->depthAnimating = 0;
    Map->BtnMapDrawClick();
    EXPECT_EQ(countColor(Map->canvas(), clBlack, 80, 70, 300, 90), 0);
    Map->markRecord(3);  // 1970, M7.0: red outline, 2 pixels wide
    ScreenPoint s = *Map->geoToScreen(14415, 3415);
    EXPECT_GT(countColor(Map->canvas(), clRed, s.x - 30, s.y - 30, s.x + 30, s.y + 30), 20);
    Map->markRecord(0);  // before 1885: blue
    ScreenPoint r = *Map->geoToScreen(13315, 3315);
    EXPECT_GT(countColor(Map->canvas(), clBlue, r.x - 30, r.y - 30, r.x + 30, r.y + 30), 10);
    Map->markRecord(99);  // not a record: nothing, no crash
}

TEST_F(MapWindows, ExternalMarks) {
    Map->GridGroup->setItemIndexSilently(0);
    Map->BtnMapDrawClick();
    EarthquakeRecord rec = quake(20000101, 0, 3515, 13715, 100, 50);
    ScreenPoint c = *Map->geoToScreen(13715, 3515);
    Map->drawExternalMark(rec, 0, 20);  // filled five-point star: red inside
    EXPECT_EQ(mapPixel(c), clRed);
    EXPECT_EQ(mapPixel(ScreenPoint{c.x, c.y - 12}), clRed);  // inside the upper point
    rec.lon = 14215;
    c = *Map->geoToScreen(14215, 3515);
    Map->drawExternalMark(rec, 3, 20);  // hollow: red outline, centre untouched
    EXPECT_EQ(mapPixel(c), Map->seaColor);
    EXPECT_GT(countColor(Map->canvas(), clRed, c.x - 21, c.y - 21, c.x + 21, c.y + 21), 40);
    rec.lon = 13215;
    c = *Map->geoToScreen(13215, 3515);
    Map->drawExternalMark(rec, 6, 10);  // magnitude mark: depth colour
    EXPECT_EQ(mapPixel(c), clGreen);
    rec.lon = 12100;  // off the grid: nothing, no crash
    Map->drawExternalMark(rec, 4, 15);
    // Record k through the external list's source.
    Map->externalMarkSource = [](int k, EarthquakeRecord& r, int& kind, int& size) {
        r = quake(20000101, 0, 3815, 14015, 10, 40);
        kind = 4;
        size = 10;
        return k == 7;
    };
    Map->drawExternalMark(7);
    EXPECT_EQ(mapPixel(*Map->geoToScreen(14015, 3815)), clRed);
}

TEST_F(MapWindows, RangeCircleFollowsTheDistanceWindow) {
    Dist = new TDist;
    Dist->centreLat = 3515;
    Dist->centreLon = 13715;
    Dist->radiusKm = 150;
    Dist->distanceOn = 1;
    Dist->CBCircle->setChecked(true);
    Map->GridGroup->setItemIndexSilently(0);
    Map->BtnMapDrawClick();
    ScreenPoint c = *Map->geoToScreen(13715, 3515);
    EXPECT_EQ(mapPixel(c), clBlue);
    Dist->CBCircle->setChecked(false);
    Map->BtnMapDrawClick();
    EXPECT_NE(mapPixel(c), clBlue);
    Dist->CBCircle->setChecked(true);
    Dist->distanceOn = 0;
    Map->BtnMapDrawClick();
    EXPECT_NE(mapPixel(c), clBlue);
    delete Dist;
    Dist = nullptr;
}

TEST_F(MapWindows, LegendDrawingAndToggle) {
    Canvas& c = MagScale->Image1->canvas();
    EXPECT_EQ(MagScale->windowTitle(), "ﾏｸﾞﾆﾁｭｰﾄﾞｻｲｽﾞ/深さ色分け");
    EXPECT_EQ(c.width(), 249);
    EXPECT_EQ(c.pixel(120, 60), clAqua);
    EXPECT_EQ(c.pixel(120, 210), clLime);
    EXPECT_EQ(c.pixel(120, 240), clOlive);
    EXPECT_EQ(c.pixel(100, 300), clBlack);
    EXPECT_EQ(c.pixel(245, 325), clWhite);

    Map->BtnScaleClick();
    EXPECT_TRUE(MagScale->isVisible());
    EXPECT_EQ(Map->BtnScale->text(), "凡例消去");
    EXPECT_EQ(Map->legendShown, 1);
    Map->BtnScaleClick();
    EXPECT_FALSE(MagScale->isVisible());
    EXPECT_EQ(Map->BtnScale->text(), "凡例表示");
    Map->BtnScaleClick();
    MagScale->Button1Click();
    EXPECT_FALSE(MagScale->isVisible());
    EXPECT_EQ(Map->legendShown, 0);
    EXPECT_EQ(Map->BtnScale->text(), "凡例表示");

    // Half size redraws the map and shows the legend with smaller marks.
    Map->CBHalfSize->setChecked(true);
    Map->CBHalfSizeClick();
    EXPECT_EQ(Map->halfSize, 1);
    EXPECT_TRUE(MagScale->isVisible());
}

TEST_F(MapWindows, SaveByTheImageTypeMenuAndCopy) {
    Map->BtnMapDrawClick();
    // PNG chosen: a name typed with .bmp still gets PNG data.
    ASSERT_TRUE(Map->saveImageAs(QString::fromStdString(fx.dir.file("map.bmp"))));
    EXPECT_EQ(fx.dir.read("map.bmp").substr(1, 3), "PNG");
    Map->saveFileNameHook = [&] { return QString::fromStdString(fx.dir.file("plain")); };
    Map->Button3Click();
    EXPECT_EQ(fx.dir.read("plain.png").substr(1, 3), "PNG");

    Form1->BMP1Click();
    EXPECT_TRUE(Form1->BMP1->isChecked());
    EXPECT_FALSE(Form1->GIF1->isChecked());
    EXPECT_EQ(Map->Button3->text(), "BMPﾌｧｲﾙ");
    EXPECT_EQ(Stop->Button5->text(), "BMPﾌｧｲﾙ");
    EXPECT_EQ(Map->saveFilter, "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|すべて(*.*)|*.*");
    Map->Button3Click();
    std::string bmp = fx.dir.read("plain.bmp");
    ASSERT_EQ(bmp.size(), 54u + 720u * 3u * 600u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // Last stored row is the top image row: white margin.
    EXPECT_EQ(static_cast<unsigned char>(bmp[bmp.size() - 1]), 0xff);

    Map->saveFileNameHook = [] { return QString(); };  // cancelled
    Map->Button3Click();
    EXPECT_TRUE(fx.messages.empty());
    EXPECT_FALSE(Map->saveImageAs(QString::fromStdString(fx.dir.file("no/such/dir/x"))));
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].caption, "File Error");
    EXPECT_TRUE(fx.messages[0].text.contains("x.bmp"));

    Form1->GIF1Click();
    EXPECT_EQ(Map->Button3->text(), "PNGﾌｧｲﾙ");
    EXPECT_EQ(Map->saveFilter, "PNGﾌｧｲﾙ(*.png)|*.png|すべて(*.*)|*.*");

    Map->CopyBtnClick();
    QImage clip = QApplication::clipboard()->image();
    if (!clip.isNull()) {
        EXPECT_EQ(clip.size(), QSize(720, 600));
        EXPECT_EQ(clip.convertToFormat(QImage::Format_RGB32), Map->Image1->picture().convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(MapWindows, ColourMenusSetTheMapColours) {
    Form1->Aqua1Click();
    EXPECT_TRUE(Form1->Aqua1->isChecked());
    EXPECT_FALSE(Form1->Blue1->isChecked());
    EXPECT_EQ(Map->coastColor, rgb(0, 255, 255));
    Form1->Brown1Click();
    EXPECT_EQ(Map->landColor, rgb(227, 158, 138));
    Form1->Blue2Click();
    EXPECT_EQ(Map->seaColor, rgb(167, 220, 245));
    Form1->Gray1Click();
    EXPECT_EQ(Map->gridColor, rgb(128, 128, 128));
    Form1->Aqua4Click();
    EXPECT_EQ(Map->subGridColor, rgb(0, 255, 255));
    // Land "None" is the item None3 (the coast drawing reads it); grid "None" is None2.
    EXPECT_TRUE(Form1->Land1->actions().contains(Form1->None3));
    EXPECT_EQ(Form1->None3->objectName(), "None3");
    EXPECT_TRUE(Form1->Grid1->actions().contains(Form1->None2));
    Form1->None1Click();
    EXPECT_EQ(Map->PenGroup->itemIndex(), 3);
    Form1->None2Click();
    EXPECT_EQ(Map->GridGroup->itemIndex(), 0);
    // Default restores the five colours but not the "None" choices of lines.
    Form1->Default1Click();
    EXPECT_EQ(Map->coastColor, rgb(0, 0, 255));
    EXPECT_EQ(Map->landColor, rgb(255, 255, 187));
    EXPECT_EQ(Map->seaColor, rgb(221, 255, 255));
    EXPECT_EQ(Map->gridColor, rgb(0, 255, 255));
    EXPECT_EQ(Map->subGridColor, rgb(255, 255, 0));
    EXPECT_TRUE(Form1->Blue1->isChecked());
    EXPECT_TRUE(Form1->Yellow1->isChecked());
    EXPECT_EQ(Map->PenGroup->itemIndex(), 3);
    EXPECT_EQ(Map->GridGroup->itemIndex(), 0);
}

TEST_F(MapWindows, RepaintListsEveryRecordInAllMode) {
    Form1->selection.selectionCount = 1;
    Form1->RadioGroup1->setItemIndexSilently(0);
    Map->Button2Click();
    EXPECT_EQ(Form1->selection.selectionCount, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Form1->selection[i], i);
    EXPECT_TRUE(Map->isVisible());
    EXPECT_FALSE(Process->isVisible());
    EXPECT_EQ(Process->Label1->text(), "震央分布図を描いています....");
    EXPECT_EQ(mapPixel(*Map->geoToScreen(14415, 3415)), clAqua);
}

TEST_F(MapWindows, MapButtonThroughTheProgressWindow) {
    Form1->CB3D->setChecked(false);
    Form1->BtnMapClick();
    EXPECT_TRUE(Map->isVisible());
    EXPECT_FALSE(Process->isVisible());
    EXPECT_EQ(Map->threeDMode, 0);
    Form1->CB3D->setChecked(true);
    Form1->BtnMapClick();
    EXPECT_TRUE(Map->D3Chk->isChecked());
    EXPECT_EQ(Map->threeDMode, 1);
    EXPECT_EQ(Process->Label1->text(), "３次元震源分布図を描いています...!");
}

namespace {

// Answers TStop with a scripted list of buttons and records the slice each time it is asked.
struct SliceScript {
    std::vector<int> answers;  // 0 continue, 1 next, 2 stop, 3 previous; "next" when used up
    std::vector<std::pair<int, int>> asked;  // depth1, depth2 shown when asked
    std::vector<bool> previousEnabled;
    bool wrongDepth = false;
    int selected = 0;
    void install() {
        Stop->modalHook = [this](TStop& s) {
            asked.emplace_back(Form1->depth1->text().toInt(), Form1->depth2->text().toInt());
            // The map shows this slice's earthquakes only.
            for (int i = 0; i < Form1->selection.selectionCount; ++i) {
                int d = Form1->catalogue[Form1->selection[i]].depth;
                if (d < asked.back().first || d >= asked.back().second) wrongDepth = true;
            }
            selected += Form1->selection.selectionCount;
            previousEnabled.push_back(s.Button4->isEnabled());
            int a = asked.size() <= answers.size() ? answers[asked.size() - 1] : 1;
            QPushButton* b[] = {s.Button1, s.Button2, s.Button3, s.Button4};
            b[a]->click();
        };
    }
};

}  // namespace

TEST_F(MapWindows, DepthSlicesStepThroughTwentyKilometres) {
    SliceScript script;
    script.install();
    Form1->BtnDepthClick();
    ASSERT_EQ(script.asked.size(), 30u);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(script.asked[static_cast<std::size_t>(i)], std::make_pair(20 * i, 20 * i + 20));
    EXPECT_FALSE(script.previousEnabled[0]);
    EXPECT_TRUE(script.previousEnabled[1]);
    EXPECT_FALSE(script.wrongDepth);
    EXPECT_EQ(script.selected, 2);  // 30 km in 20-40, 5 km in 0-20; 650 km is beyond the slices
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "震源深さ分布図を終了しました");
    EXPECT_EQ(fx.messages[0].caption, "震源深さ分布図終了");
    EXPECT_EQ(Form1->depthAnimating, 0);
    EXPECT_FALSE(Map->isVisible());
    EXPECT_EQ(Form1->RadioGroup1->itemIndex(), 0);
}

TEST_F(MapWindows, DepthSlicesPreviousContinueAndStop) {
    {
        SliceScript script;
        script.answers = {1, 3, 2};  // next, previous (back to 0-20), stop
        script.install();
        Form1->BtnDepthClick();
        ASSERT_EQ(script.asked.size(), 3u);
        EXPECT_EQ(script.asked[1], std::make_pair(20, 40));
        EXPECT_EQ(script.asked[2], std::make_pair(0, 20));
        EXPECT_TRUE(fx.messages.empty());  // stopped: no end message
        EXPECT_EQ(Form1->depthAnimating, 0);
    }
    {
        SliceScript script;
        script.answers = {0};  // run on to the end without further questions
        script.install();
        Form1->km50Click();
        EXPECT_EQ(Form1->depthStep, 50);
        EXPECT_TRUE(Form1->km50->isChecked());
        EXPECT_EQ(script.asked.size(), 1u);
        EXPECT_EQ(Form1->depthTop, 600);  // ran through 550-600
        // A start from the menu while a display runs is ignored.
        Stop->modalHook = [&](TStop& s) {
            Form1->km10Click();
            s.Button3->click();
        };
        Form1->BtnDepthClick();
        EXPECT_TRUE(Form1->km10->isChecked());
        EXPECT_EQ(Form1->depthAnimating, 0);
        ASSERT_EQ(fx.messages.size(), 1u);
        ASSERT_EQ(fx.messages.size(), 1u);
    }
    {
        SliceScript script;
        script.install();
        Stop->modalHook = [](TStop& s) {
            s.Edit2->setText("abc");
            s.Button2->click();
        };
        Form1->BtnDepthClick();
        ASSERT_EQ(fx.messages.size(), 2u);
        EXPECT_EQ(fx.messages[1].text, "'abc' is not a valid integer value");
        EXPECT_EQ(Form1->depthAnimating, 0);  // the display is wound up all the same
        EXPECT_TRUE(Form1->BtnDepth->isEnabled());
    }
}

TEST_F(MapWindows, LegendFollowsTheMarkStyleFromTheStart) {
    // The group starts on "●" and the legend drawn at creation shows filled marks.
    EXPECT_EQ(Map->CircleGroup->itemIndex(), kMarkFilled);
    EXPECT_EQ(Map->markStyle, kMarkFilled);
    Canvas& c = MagScale->Image1->canvas();
    EXPECT_EQ(c.pixel(30, 180), clRed);  // M5.0, filled red
    EXPECT_EQ(c.pixel(113, 60), clAqua);  // depth rows outlined 1 pixel wide

    // Hollow marks: M5.0 and up drawn 2 pixels wide; the depth rows keep that width,
    // the open class below them is outlined 1 pixel wide.
    Map->CircleGroup->setItemIndexSilently(kMarkHollow);
    Map->BtnMapDrawClick();
    EXPECT_EQ(Map->markStyle, kMarkHollow);
    MagScale->FormCreate();
    EXPECT_EQ(c.pixel(30, 180), clWhite);
    EXPECT_EQ(c.pixel(113, 60), clBlack);
    EXPECT_EQ(c.pixel(113, 240), clOlive);
}

TEST_F(MapWindows, DepthSlicesRejectAThicknessBelowOneKilometre) {
    Stop->modalHook = [](TStop& s) {
        s.Edit2->setText("0");
        s.Button3->click();  // stopping does not complain about the thickness
    };
    Form1->BtnDepthClick();
    EXPECT_TRUE(fx.messages.empty());
    Stop->modalHook = [](TStop& s) {
        s.Edit2->setText("0");
        s.Button2->click();
    };
    Form1->BtnDepthClick();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "深さの幅は1km以上を指定してください");
    EXPECT_EQ(Form1->depthAnimating, 0);
    EXPECT_EQ(Form1->RadioGroup1->itemIndex(), 0);
}

TEST_F(MapWindows, DepthSlicesEndWhenTheOtherConditionsAreRefused) {
    Form1->mag1->setText("70");
    Form1->mag2->setText("40");
    int asked = 0;
    Stop->modalHook = [&](TStop& s) {
        ++asked;
        s.Button1->click();
    };
    Form1->BtnDepthClick();
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(fx.messages.size(), 1u);  // the search's own message, once, and no end message
    EXPECT_EQ(fx.messages[0].text, "illegal magnitude data!");
    EXPECT_EQ(Form1->depthAnimating, 0);
    EXPECT_EQ(Form1->RadioGroup1->itemIndex(), 0);
    EXPECT_FALSE(Map->isVisible());
}

TEST_F(MapWindows, ClosingByTheFrameDoesWhatTheCloseButtonsDo) {
    Map->BtnMapDrawClick();
    Map->BtnScaleClick();
    ASSERT_TRUE(MagScale->isVisible());
    // The legend's title-bar ×: the map's button reads 凡例表示 again and a redraw
    // (a zoom) does not bring the legend back.
    closeByFrame(MagScale);
    EXPECT_FALSE(MagScale->isVisible());
    EXPECT_EQ(Map->legendShown, 0);
    EXPECT_EQ(Map->BtnScale->text(), "凡例表示");
    Map->BtnMapDrawClick();
    EXPECT_FALSE(MagScale->isVisible());

    // The map's ×: the legend goes with it, as with 閉じる.
    Map->BtnScaleClick();
    ASSERT_TRUE(MagScale->isVisible());
    closeByFrame(Map);
    EXPECT_FALSE(Map->isVisible());
    EXPECT_FALSE(MagScale->isVisible());

    // The program's own close of the legend keeps the map's state.
    Map->show();
    MagScale->show();
    MagScale->close();
    EXPECT_EQ(Map->legendShown, 1);
    EXPECT_EQ(Map->BtnScale->text(), "凡例消去");
}

TEST_F(MapWindows, ClosingTheDepthStepWindowByItsFrameStopsTheDisplay) {
    int shown = 0;
    Stop->modalHook = [&shown](TStop& s) {
        ++shown;
        s.reject();  // the frame's × (or Esc)
    };
    Form1->BtnDepthClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Form1->stopChoice, 2);
    EXPECT_EQ(Form1->depthAnimating, 0);
    EXPECT_TRUE(fx.messages.empty());  // stopped: no end-of-display message
}
