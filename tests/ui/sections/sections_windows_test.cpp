#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "search/GreatCircle.h"
#include "sections/DepthChart.h"
#include "sections/SectionWindows.h"
#include "ui/UiFixture.h"
#include "ui/map/ZoneWindowSet.h"

using namespace kavelo;
using namespace kavelo::test;
using namespace kavelo::ui;

namespace {

// Hypocentres across northern Honshu: a slab dipping west under 38N, and a few others.
struct SectionWindows : ::testing::Test {
    UiFixture fx;
    std::unique_ptr<ZoneWindowSet> windows;

    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18500101, 0, 3800, 14000, 10, 60)}));
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({
                                            quake(19500101, 0, 3800, 14300, 20, 50),   // 1: trench side
                                            quake(19600101, 0, 3800, 14130, 60, 50),   // 2
                                            quake(19700101, 0, 3800, 14000, 110, 50),  // 3
                                            quake(19800101, 0, 3800, 13830, 190, 50),  // 4: deep, west
                                            quake(19900101, 0, 3500, 13900, 30, 40),   // 5: south of the strip
                                            quake(20000101, 0, 3545, 13945, 50, 45),   // 6: near Tokyo
                                        }));
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        fx.dir.write("DATA/NENPYO.TXT", "19230901%3519%13906%79%Kanto%tsunami\r\n");
        windows = std::make_unique<ZoneWindowSet>();
        ASSERT_TRUE(windows->ok());
        Map->BtnMapDrawClick();
    }
    void TearDown() override { windows.reset(); }

    QPoint at(int lat, int lon) {
        auto s = Map->geoToScreen(lon, lat);
        EXPECT_TRUE(s.has_value());
        return s ? QPoint(s->x, s->y) : QPoint();
    }
    // An east-west zone along 38N from 137E to 145E, 30' either side, drawn on the map.
    void dragZone() {
        Map->BtnZoneClick();
        Zone->RadioGroup1->setItemIndex(2);
        drag(Map->Image1, at(3800, 13700), at(3800, 14500));
        ASSERT_TRUE(Map->zoneSet);
    }
    static int markRadiusFor(int m10) { return Map->markRadius(m10); }
    static int count(Canvas& c, TColor color) {
        int n = 0;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) n += c.pixel(x, y) == color;
        return n;
    }
};

}  // namespace

TEST_F(SectionWindows, ControlsAndCaptions) {
    EXPECT_EQ(DepthChart->objectName(), "TDepthChart");
    EXPECT_EQ(DepthChart->windowTitle(), "深度分布");
    EXPECT_EQ(DepthChart->Image1->canvas().width(), 385);
    EXPECT_EQ(DepthChart->Image2->canvas().height(), 385);
    EXPECT_EQ(DepthChart->Label1->text(), "経緯度方向震源深さ");
    EXPECT_EQ(DepthChart->CBDistance->text(), "等距離表示");
    EXPECT_EQ(DepthChart->BtnSection->text(), "断面方向");
    EXPECT_EQ(DepthChart->Button5->text(), "リスト");
    EXPECT_EQ(Section->objectName(), "TSection");
    EXPECT_EQ(Section->Image1->canvas().width(), 905);
    EXPECT_EQ(Section->Label1->text(), "断面方向深度分布");
    EXPECT_EQ(Section->RadioGroup2->title(), "上下方向倍率");
    EXPECT_EQ(Section->RadioGroup1->items(), (QStringList{"×1", "×2", "×5"}));
    EXPECT_EQ(Section->RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(Section->Button1->text(), "経緯度方向");
    EXPECT_FALSE(Section->CBPoint->isVisibleTo(Section));
    EXPECT_EQ(Rotate->objectName(), "TRotate");
    EXPECT_TRUE(Rotate->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Rotate->Image2->canvas().width(), 121);
    EXPECT_EQ(Rotate->RadioGroup1->itemIndex(), 2);
    EXPECT_EQ(Rotate->RadioGroup2->itemIndex(), 1);
    EXPECT_EQ(Rotate->RadioGroup3->items().value(1), " 3°");
    EXPECT_EQ(Rotate->RadioGroup4->items(), (QStringList{"左回り", "右回り"}));
    EXPECT_EQ(Rotate->TrackBar1->maximum(), 179);
    EXPECT_EQ(Rotate->Button4->text(), "ﾘｾｯﾄ");
    EXPECT_EQ(Rotate->Label1->text(), "0°");
    EXPECT_FALSE(Rotate->Timer1->isActive());
    EXPECT_FALSE(Rotate->Button1->isVisibleTo(Rotate));
}

TEST_F(SectionWindows, ZoneOnTheMapDrawsChartsAndSection) {
    dragZone();
    EXPECT_TRUE(fx.messages.empty());
    ASSERT_EQ(Form1->selection.selectionCount, 4);  // the four slab events
    EXPECT_TRUE(DepthChart->isVisible());
    EXPECT_TRUE(Section->isVisible());
    // The deep event 4 (190 km, 138.5E) lands where the longitude chart's scale puts it.
    const DepthChartBox box = depthChartBox(Map->ZoneCorners);
    const DepthChartScale s = depthChartScale(box, {});
    const int x = lonChartX(s, box, 138.5f), y = depthChartY(190);
    const TColor c = Map->depthColor(190);
    EXPECT_EQ(DepthChart->Image2->canvas().pixel(x - markRadiusFor(50), y), c);
    // On the section (filled marks, as on the map) event 4 lies at its distance from 137E.
    Canvas& sec = Section->Image1->canvas();
    const double d4 = greatCircleKm(38, 138.5f, 38, 137);
    const int ys = static_cast<int>(190 * 0.01 * 50 + 130);
    EXPECT_EQ(sec.pixel(static_cast<int>(0.01 * d4 * 50 + 60), ys), c);
    // Equal-distance scale and reversals redraw from the same zone.
    const QImage before = DepthChart->Image1->picture();
    DepthChart->CBDistance->click();
    EXPECT_NE(DepthChart->Image1->picture(), before);
    Section->CBInverse->click();
    const int t = static_cast<int>(0.01 * greatCircleKm(38, 145, 38, 137) * 50);
    EXPECT_EQ(sec.pixel(static_cast<int>(60 + t - 0.01 * d4 * 50), ys), c);
}

TEST_F(SectionWindows, LinksAndCopies) {
    dragZone();
    DepthChart->hide();
    Section->hide();
    DepthChart->BtnSection->click();
    EXPECT_TRUE(Section->isVisible());
    Section->Button1->click();
    EXPECT_TRUE(DepthChart->isVisible());
    DepthChart->Button3->click();
    EXPECT_EQ(QApplication::clipboard()->image(), DepthChart->Image1->picture());
    DepthChart->Button4->click();
    EXPECT_EQ(QApplication::clipboard()->image(), DepthChart->Image2->picture());
    Section->Button2->click();
    EXPECT_EQ(QApplication::clipboard()->image(), Section->Image1->picture());
    Section->Button3->click();
    EXPECT_FALSE(Section->isVisible());
    DepthChart->Button1->click();
    EXPECT_FALSE(DepthChart->isVisible());
}

TEST_F(SectionWindows, RotationRefusesACentreTooNearTheEdge) {
    Zone->BtnRotateClick();
    ASSERT_TRUE(Rotate->waitsForCentre());
    Rotate->centreChosen(2645, 14000);  // 3-degree radius: 27N is the lowest centre
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "Illegal Center Point");
    EXPECT_FALSE(Rotate->running);
    EXPECT_FALSE(Rotate->Timer1->isActive());
    EXPECT_TRUE(Rotate->waitsForCentre());  // the next click may try again
    Rotate->centreChosen(2700, 14000);
    EXPECT_TRUE(Rotate->running);
    EXPECT_TRUE(Rotate->Timer1->isActive());
    EXPECT_EQ(Rotate->Timer1->interval(), 500);
    EXPECT_FALSE(Rotate->RadioGroup1->isEnabled());
}

TEST_F(SectionWindows, RotationStepsEraseExactlyAndCloseLeavesTheMapAsItWas) {
    const QImage mapBefore = Map->Image1->picture();
    Zone->BtnRotateClick();
    const QImage gridBefore = Rotate->Image1->picture();
    Rotate->centreChosen(3800, 14000);
    Rotate->Timer1->stop();  // the test drives the steps
    // 0 degrees: the strip 137E-143E along 38N (east end excluded) holds the pre-1885
    // record and events 2, 3 and 4, whatever their dates.
    Rotate->step();
    EXPECT_EQ(Rotate->Label1->text(), "0°");
    EXPECT_EQ(Form1->selection.selectionCount, 4);
    EXPECT_EQ(Form1->selection[0], 0);
    EXPECT_EQ(Rotate->Label7->text(), "地震個数　 4");
    EXPECT_EQ(Rotate->angle, 1);
    EXPECT_NE(Map->Image1->picture(), mapBefore);  // the strip outline
    EXPECT_NE(Rotate->Image1->picture(), gridBefore);
    // Event 4 (138.5E) lies west of the centre: left half, at its signed distance.
    const auto& marks = Rotate->shownMarks();
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_EQ(marks[3].x, static_cast<int>(-greatCircleKm(38, 138.5f, 38, 140) * 0.01 * 50 + 192));
    EXPECT_EQ(marks[3].y, static_cast<int>(190 * 0.01 * 50 + 50));
    for (int i = 0; i < 90; ++i) Rotate->step();
    EXPECT_EQ(Rotate->TrackBar1->position(), 90);
    // 90 degrees: along 140E, the pre-1885 record, event 3 and event 6 near Tokyo.
    EXPECT_EQ(Form1->selection.selectionCount, 3);
    // Pausing keeps the picture; the next step replaces exactly the last marks.
    Rotate->Button5Click();
    EXPECT_TRUE(Rotate->Timer1->isActive());
    Rotate->Button2Click();
    EXPECT_FALSE(Rotate->Timer1->isActive());
    // Speed and direction change while running; the angle follows the track bar.
    Rotate->RadioGroup2->setItemIndex(3);
    EXPECT_EQ(Rotate->Timer1->interval(), 100);
    Rotate->TrackBar1->setPosition(0);
    Rotate->RadioGroup4->setItemIndex(1);
    Rotate->step();
    EXPECT_EQ(Rotate->angle, 179);
    EXPECT_EQ(Form1->selection.selectionCount, 4);

    // Closing erases the strip from the map and the marks from the section.
    Rotate->Button3Click();
    EXPECT_FALSE(Rotate->isVisible());
    EXPECT_FALSE(Rotate->running);
    EXPECT_EQ(Map->Image1->picture(), mapBefore);
    EXPECT_EQ(Map->canvas().penMode(), PenMode::Copy);
    EXPECT_TRUE(Rotate->shownMarks().empty());
    Rotate->step();  // not running: nothing happens
    EXPECT_EQ(Map->Image1->picture(), mapBefore);
}

TEST_F(SectionWindows, ResetWaitsForANewCentre) {
    const QImage mapBefore = Map->Image1->picture();
    Zone->BtnRotateClick();
    const QImage gridBefore = Rotate->Image1->picture();
    const QImage dialBefore = Rotate->Image2->picture();
    Rotate->centreChosen(3800, 14000);
    Rotate->Timer1->stop();
    for (int i = 0; i < 5; ++i) Rotate->step();
    Rotate->Button4Click();
    EXPECT_FALSE(Rotate->Timer1->isActive());
    EXPECT_FALSE(Rotate->running);
    EXPECT_TRUE(Rotate->waitsForCentre());
    EXPECT_TRUE(Rotate->Label4->text().isEmpty());
    EXPECT_EQ(Rotate->Label2->text(), "回転中心の位置をクリックしてください");
    EXPECT_EQ(Rotate->Label1->text(), "0°");
    EXPECT_EQ(Rotate->Label7->text(), "地震個数");
    EXPECT_EQ(Rotate->TrackBar1->position(), 0);
    EXPECT_TRUE(Rotate->RadioGroup3->isEnabled());
    EXPECT_EQ(Map->Image1->picture(), mapBefore);
    EXPECT_EQ(Rotate->Image1->picture(), gridBefore);
    EXPECT_EQ(Rotate->Image2->picture(), dialBefore);
    // The next centre starts afresh at 0 degrees.
    Rotate->centreChosen(3545, 13945);
    Rotate->Timer1->stop();
    Rotate->step();
    EXPECT_EQ(Rotate->Label5->text(), "13945");
    EXPECT_EQ(Rotate->angle, 1);
    Rotate->Button3Click();
    EXPECT_EQ(Map->Image1->picture(), mapBefore);
}

TEST_F(SectionWindows, ReversedBoundsOrAFailedStripPauseWithOneMessage) {
    Zone->BtnRotateClick();
    Rotate->centreChosen(3800, 14000);
    Rotate->step();
    ASSERT_EQ(Form1->selection.selectionCount, 4);
    Form1->mag1->setText("70");
    Form1->mag2->setText("30");
    Rotate->step();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "illegal magnitude data!");
    EXPECT_EQ(fx.messages[0].caption, "Data Error");
    EXPECT_FALSE(Rotate->Timer1->isActive());  // no message per step
    EXPECT_TRUE(Rotate->running);
    EXPECT_EQ(Rotate->shownMarks().size(), 4u);  // the previous selection plotted again
    Form1->mag1->setText("x");
    Rotate->step();
    ASSERT_EQ(fx.messages.size(), 2u);
    EXPECT_EQ(fx.messages[1].text, "'x' is not a valid integer value");
    Form1->mag1->setText("30");
    Form1->mag2->setText("70");

    // A strip that leaves the map range: the builder's message, the timer stops, and the
    // old outline is not drawn back when the rotation resumes elsewhere.
    const QImage mapBefore = [] {
        Rotate->Button4Click();
        return Map->Image1->picture();
    }();
    Rotate->RadioGroup3->setItemIndex(2);  // 4 degrees
    Rotate->centreChosen(2800, 14000);     // accepted: 24N + 4 degrees
    Rotate->Timer1->stop();
    for (int i = 0; i < 91 && fx.messages.size() == 2; ++i) Rotate->step();
    ASSERT_EQ(fx.messages.size(), 3u);
    EXPECT_EQ(fx.messages[2].text, "Zone Selection Failed!!");
    EXPECT_FALSE(Rotate->Timer1->isActive());
    EXPECT_FALSE(Rotate->outlineShown());
    EXPECT_EQ(Map->Image1->picture(), mapBefore);
    Rotate->Button3Click();
    EXPECT_EQ(Map->Image1->picture(), mapBefore);
}

TEST_F(SectionWindows, AMapRedrawnDuringTheRotationKeepsNoOldStrip) {
    Zone->BtnRotateClick();
    Rotate->centreChosen(3800, 14000);
    Rotate->Timer1->stop();
    Rotate->step();
    Map->BtnMapDrawClick();  // the user redraws the map: the XOR strip is gone
    const QImage redrawn = Map->Image1->picture();
    Rotate->step();
    EXPECT_NE(Map->Image1->picture(), redrawn);
    Rotate->Button3Click();
    EXPECT_EQ(Map->Image1->picture(), redrawn);  // no stale outline drawn back
}

TEST_F(SectionWindows, SaveButtonsWriteThePicturesInTheChosenType) {
    dragZone();
    struct Case {
        QPushButton* button;
        const char* name;
        QSize size;
    };
    const int gap = DepthChart->Image2->x() - DepthChart->Image1->x() - kDepthChartSize;
    const std::vector<Case> cases = {
        {DepthChart->BtnSave, "charts", QSize(2 * kDepthChartSize + gap, kDepthChartSize)},
        {Section->BtnSave, "section", Section->Image1->picture().size()},
        {Rotate->BtnSave, "rotate", Rotate->Image1->picture().size()}};
    QString next;
    savePictureNameHook = [&next] { return next; };
    for (const Case& k : cases) {
        EXPECT_EQ(k.button->text(), "PNGﾌｧｲﾙ");
        next = QString::fromStdString(fx.dir.file(k.name));
        k.button->click();
        QImage back(next + ".png");
        EXPECT_EQ(back.size(), k.size) << k.name;
    }
    // The depth charts' file holds both charts as the window shows them.
    QImage charts(QString::fromStdString(fx.dir.file("charts.png")));
    EXPECT_EQ(charts.pixel(10, 10), DepthChart->Image1->picture().pixel(10, 10));
    EXPECT_EQ(charts.pixel(kDepthChartSize + gap + 200, 200), DepthChart->Image2->picture().pixel(200, 200));

    // BMP chosen in the main menu: the captions follow and the file is a BMP.
    Form1->BMP1Click();
    EXPECT_EQ(Section->BtnSave->text(), "BMPﾌｧｲﾙ");
    EXPECT_EQ(DepthChart->BtnSave->text(), "BMPﾌｧｲﾙ");
    next = QString::fromStdString(fx.dir.file("section"));
    Section->BtnSave->click();
    EXPECT_FALSE(QImage(next + ".bmp").isNull());
    // Cancelled: nothing written, nothing said.
    next.clear();
    Rotate->BtnSave->click();
    EXPECT_TRUE(fx.messages.empty());
    savePictureNameHook = nullptr;
    Form1->GIF1Click();
}
