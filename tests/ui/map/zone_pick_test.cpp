#include <gtest/gtest.h>

#include <memory>

#include "common/CatalogueFixture.h"
#include "search/GreatCircle.h"
#include "core/map/SyntheticMap.h"
#include "ui/UiFixture.h"
#include "ui/map/ZoneWindowSet.h"

using namespace kavelo;
using namespace kavelo::test;
using namespace kavelo::ui;

namespace {

// Shift-JIS article of the 1995 entry: "神戸" then ASCII.
const std::string kKobeArticle = "\x90\x5f\x8c\xcb damage";

struct ZoneTools : ::testing::Test {
    UiFixture fx;
    std::unique_ptr<ZoneWindowSet> windows;

    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18000101, 0, 3300, 13500, 10, 60)}));
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({
                                            quake(19500101, 0, 3300, 13500, 30, 50),   // 1: in the strip
                                            quake(19600101, 0, 3500, 13500, 30, 50),   // 2: north of it
                                            quake(19700101, 0, 3330, 13900, 30, 50),   // 3: in the strip
                                            quake(19800101, 0, 3300, 14130, 30, 50),   // 4: east of its end
                                            quake(19950117, 546, 3436, 13503, 16, 73),  // 5: Kobe
                                            quake(19950118, 0, 3436, 13503, 10, 40),    // 6: same point
                                        }));
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        fx.dir.write("DATA/NENPYO.TXT", "19950117%3436%13503%73%Hyogo%" + kKobeArticle + "\r\n"
                                        "19230901%3519%13906%79%Kanto%tsunami\r\n");
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
    std::vector<int> selected() const {
        return {Form1->selection.index.begin(), Form1->selection.index.begin() + Form1->selection.selectionCount};
    }
    int countColor(TColor color) {
        int n = 0;
        Canvas& c = Map->canvas();
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) n += c.pixel(x, y) == color ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(ZoneTools, ZoneWindowControlsAndTheZoneButton) {
    EXPECT_EQ(Zone->windowTitle(), "領域設定");
    EXPECT_TRUE(Zone->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Zone->RadioGroup1->title(), "領域の幅");
    EXPECT_EQ(Zone->RadioGroup1->items(), QStringList({"　10'", "　15'", "　30'", "   1°", "   2°", "正方形"}));
    EXPECT_EQ(Zone->RadioGroup1->itemIndex(), 3);
    EXPECT_EQ(Zone->Label10->text(), "     0.0");
    EXPECT_EQ(Zone->CBSnap->text(), "経緯度ｽﾅｯﾌﾟ");
    EXPECT_TRUE(Zone->CBSnap->isChecked());
    EXPECT_TRUE(Zone->CBDepth->isChecked());
    EXPECT_EQ(Zone->BtnRotate->text(), "領域回転");
    EXPECT_FALSE(Zone->BtnListup->isVisibleTo(Zone));
    Map->BtnZone->click();
    EXPECT_TRUE(Map->zoneMode);
    EXPECT_TRUE(Zone->isVisible());
    EXPECT_EQ(Zone->Label9->text(), "領域の最初の点P1をクリックしてください");
    // Before the press the pointer's position shows in the P1 labels.
    moveTo(Map->Image1, at(3300, 13500));
    // A pixel is about 3' wide; the readout is the pixel's position.
    EXPECT_NEAR(ddmmToDegrees(Zone->Label5->text().toInt()), 33.0, 0.08);
    EXPECT_NEAR(ddmmToDegrees(Zone->Label7->text().toInt()), 135.0, 0.08);
}

TEST_F(ZoneTools, DragBuildsTheZoneListsItsEarthquakesAndClosingListsAllAgain) {
    Map->BtnZoneClick();
    drag(Map->Image1, at(3305, 13005), at(3255, 14010));  // snapped to whole degrees
    ASSERT_TRUE(Map->zoneSet);
    EXPECT_TRUE(fx.messages.empty());
    EXPECT_EQ(Zone->Label5->text(), "3300");
    EXPECT_EQ(Zone->Label8->text(), "14000");
    EXPECT_EQ(Map->zoneWidth, 100);
    EXPECT_EQ(Map->ZoneCorners.p[0].lat, 3200);
    EXPECT_EQ(Map->ZoneCorners.p[2].lon, 14000);
    EXPECT_EQ(Map->zoneStart.lon, 13000);
    EXPECT_TRUE(Map->ZoneAxis.filled);
    EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Form1->Label32->text(), "領域検索された地震");
    EXPECT_EQ(Zone->Label9->text(), "完了　領域検索を終了するときは必ず閉じてください");
    EXPECT_EQ(Zone->Label10->text(), QString::asprintf("%6.1f", greatCircleKm(33, 130, 33, 140)));
    EXPECT_TRUE(Zone->Button1->isEnabled());
    // The full drawing shows the outline (green), the centre cross (red) and P1-P2 (blue).
    EXPECT_GT(countColor(clGreen), 200);
    EXPECT_GT(countColor(clRed), 100);
    const QPoint onLine = at(3300, 13300);
    int blue = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) blue += Map->canvas().pixel(onLine.x() + dx, onLine.y() + dy) == clBlue;
    EXPECT_GT(blue, 0);
    // A further press leaves the zone as built.
    drag(Map->Image1, at(3600, 13000), at(3600, 14000));
    EXPECT_EQ(Map->P1.lat, 3300);

    Zone->Button2->click();
    EXPECT_FALSE(Map->zoneMode);
    EXPECT_FALSE(Map->zoneSet);
    EXPECT_FALSE(Zone->isVisible());
    EXPECT_EQ(Form1->selection.selectionCount, 7);
    EXPECT_EQ(Form1->Label32->text(), "すべての地震");
    EXPECT_EQ(countColor(clGreen), 0);
}

TEST_F(ZoneTools, RefusedPointsAndZonesBuildNothing) {
    Map->BtnZoneClick();
    // Off the node grid before any position was read: the point (0, 0) is out of range.
    press(Map->Image1, QPoint(3, 3));
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "Out Range Clicked!!");
    EXPECT_FALSE(Map->p1Set);
    release(Map->Image1, QPoint(3, 3));
    EXPECT_FALSE(Map->zoneSet);

    // A 2-degree strip along 49N reaches 51N.
    Zone->RadioGroup1->setItemIndex(4);
    drag(Map->Image1, at(4900, 13000), at(4900, 14000));
    ASSERT_EQ(fx.messages.size(), 2u);
    EXPECT_EQ(fx.messages[1].text, "Zone Selection Failed!!");
    EXPECT_FALSE(Map->zoneSet);
    EXPECT_EQ(Form1->selection.selectionCount, 7);

    // Due north: corners at lon +- w, start at the southern end, no axis.
    Zone->RadioGroup1->setItemIndex(2);
    Map->ZoneAxis = makeZoneAxis({3300, 13000}, {3300, 14000});
    drag(Map->Image1, at(3600, 13500), at(3300, 13500));
    ASSERT_TRUE(Map->zoneSet);
    EXPECT_EQ(Map->zoneStart.lat, 3300);
    EXPECT_EQ(Map->ZoneCorners.p[0].lon, 13530);
    EXPECT_FALSE(Map->ZoneAxis.filled);
    EXPECT_EQ(Map->axisDistance(135.0f), -1.0f);
    // Latitudes 33-36N, longitudes 134.5-135.5E.
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 5, 6}));
}

TEST_F(ZoneTools, RubberLineAndZoomBoxRedrawnInXorRestoreThePicture) {
    Map->BtnZoneClick();
    press(Map->Image1, at(3300, 13000));
    const QImage base = Map->Image1->picture();
    moveTo(Map->Image1, at(3600, 14000));
    const QImage withLine = Map->Image1->picture();
    EXPECT_NE(withLine, base);
    moveTo(Map->Image1, at(3400, 13700));
    moveTo(Map->Image1, at(3600, 14000));
    EXPECT_EQ(Map->Image1->picture(), withLine);
    EXPECT_NEAR(Zone->Label10->text().toDouble(), greatCircleKm(33, 130, 36, 140), 5.0);
    release(Map->Image1, at(3600, 14000));
    Zone->Button2Click();

    Map->SelectGroup->setItemIndex(1);  // zoom box "100": 50 x 41
    EXPECT_TRUE(Map->zoomMode);
    EXPECT_EQ(Map->zoomBox.halfHeight, 41);
    const QImage baseMap = Map->Image1->picture();
    moveTo(Map->Image1, QPoint(300, 300));
    const QImage withBox = Map->Image1->picture();
    // Only the outline changed, each pixel XORed with cyan.
    int changed = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 720; ++x) {
            if (withBox.pixel(x, y) == baseMap.pixel(x, y)) continue;
            ++changed;
            EXPECT_EQ(withBox.pixel(x, y), baseMap.pixel(x, y) ^ 0x0000ffffu) << x << "," << y;
            const bool onEdge = std::abs(x - 250) <= 2 || std::abs(x - 350) <= 2 || std::abs(y - 259) <= 2 ||
                                std::abs(y - 341) <= 2;
            EXPECT_TRUE(onEdge) << x << "," << y;
        }
    EXPECT_GT(changed, 700);
    moveTo(Map->Image1, QPoint(420, 200));
    moveTo(Map->Image1, QPoint(300, 300));
    EXPECT_EQ(Map->Image1->picture(), withBox);
    // A size change takes the old box away first.
    Map->SelectGroup->setItemIndex(4);
    EXPECT_EQ(Map->Image1->picture(), baseMap);

    // A full drawing removes the box; the next move draws one box, leaving no ghost.
    Map->SelectGroup->setItemIndex(1);
    moveTo(Map->Image1, QPoint(300, 300));
    Map->BtnMapDrawClick();
    const QImage drawn = Map->Image1->picture();
    moveTo(Map->Image1, QPoint(400, 300));
    const QImage moved = Map->Image1->picture();
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 720; ++x) {
            if (moved.pixel(x, y) != drawn.pixel(x, y)) {
                ASSERT_GE(x, 347) << x << "," << y;
            }
        }
}

TEST_F(ZoneTools, ZoomBoxClickZoomsAndTheWholeAreaRestores) {
    Map->SelectGroup->setItemIndex(1);
    clickAt(Map->Image1, QPoint(360, 300));
    EXPECT_FALSE(Map->zoomMode);
    EXPECT_FALSE(Map->proj.resetViewPending);
    const MapView full = MapView::full();
    // The box (310, 259)-(410, 341) becomes the frame.
    EXPECT_EQ(Map->proj.view.x0, 1475);
    EXPECT_EQ(Map->proj.view.y0, 1367);
    EXPECT_EQ(Map->proj.view.yRange, 615);
    EXPECT_EQ(Map->proj.view.xRange, 738);
    Map->SelectGroup->setItemIndex(5);
    EXPECT_EQ(Map->proj.view, full);
}

TEST_F(ZoneTools, PickListsMatchesInSelectionOrderWithTheChronologyArticle) {
    Form1->selection[0] = 6;
    Form1->selection[1] = 0;
    Form1->selection[2] = 5;
    Form1->selection.selectionCount = 3;
    Dist->CBMapSet->setChecked(true);
    EqAdd->CBAdd->setChecked(true);
    clickAt(Map->Image1, at(3436, 13503));
    ASSERT_TRUE(Origin->isVisible());
    EXPECT_EQ(Origin->windowTitle(), "震源パラメータ");
    EXPECT_EQ(Origin->Label1->text(), "検出　2");
    ASSERT_EQ(Origin->StringGrid1->rowCount(), 2);
    EXPECT_EQ(Origin->StringGrid1->cellText(0, 0), "1995/01/18 00:00 3436 13503  10 4.0 // ");
    EXPECT_EQ(Origin->StringGrid1->cellText(0, 1), "1995/01/17 05:46 3436 13503  16 7.3 // ");
    EXPECT_EQ(Origin->Memo1->toPlainText(), "神戸 damage");
    EXPECT_EQ(Origin->Label3->text(), Origin->StringGrid1->cellText(0, 1));
    const QStringList pos = Origin->Label2->text().split(' ');
    ASSERT_EQ(pos.size(), 2);
    EXPECT_EQ(Dist->Edit1->text(), pos[0]);
    EXPECT_EQ(EqAdd->Edit2->text(), pos[1]);

    // Without OriginChk the count is shown but no rows.
    Map->OriginChk->setChecked(false);
    clickAt(Map->Image1, at(3436, 13503));
    EXPECT_EQ(Origin->Label1->text(), "検出　2");
    EXPECT_EQ(Origin->StringGrid1->rowCount(), 0);

    Map->OriginChk->setChecked(true);
    clickAt(Map->Image1, at(4500, 14500));
    EXPECT_EQ(Origin->Label1->text(), "検出　なし");
    EXPECT_EQ(Origin->StringGrid1->rowCount(), 0);
    EXPECT_TRUE(Origin->Memo1->toPlainText().isEmpty());
}

TEST_F(ZoneTools, RotateWaitsForItsCentreAndTakesTheSnappedPress) {
    Map->BtnZoneClick();
    Zone->BtnRotateClick();
    EXPECT_FALSE(Zone->isVisible());
    EXPECT_FALSE(Map->zoneMode);
    ASSERT_TRUE(Rotate->waiting);
    EXPECT_TRUE(Rotate->isVisible());
    EXPECT_EQ(Rotate->Label2->text(), "回転中心の位置をクリックしてください");
    const QPoint p = at(3503, 13740);
    const GeoResult g = Map->proj.screenToGeo(p.x(), p.y());
    moveTo(Map->Image1, p);
    EXPECT_EQ(Rotate->Label4->text().toInt(), g.lat);
    EXPECT_EQ(Rotate->Label5->text().toInt(), g.lon);
    Origin->hide();
    clickAt(Map->Image1, p);
    EXPECT_EQ(Rotate->Label4->text().toInt(), snapDegree(g.lat, 15));
    EXPECT_EQ(Rotate->Label5->text().toInt(), snapDegree(g.lon, 15));
    EXPECT_EQ(Rotate->Label5->text().toInt() % 100 % 15, 0);
    EXPECT_TRUE(Rotate->Label2->text().isEmpty());
    EXPECT_FALSE(Origin->isVisible());  // no pick while the rotation owns the clicks
    Map->BtnZoneClick();
    EXPECT_FALSE(Rotate->waiting);
}

TEST_F(ZoneTools, AClickWithoutADragBuildsNoZoneAndWaitsForP1) {
    Map->BtnZoneClick();
    const int before = Form1->selection.selectionCount;
    const QImage picture = Map->canvas().image().copy();
    // Released at the press point, then 2 px off it (the same point once snapped).
    for (QPoint off : {QPoint(0, 0), QPoint(2, 1)}) {
        press(Map->Image1, at(3300, 13000));
        release(Map->Image1, at(3300, 13000) + off);
        EXPECT_FALSE(Map->zoneSet);
        EXPECT_FALSE(Map->p1Set);
        EXPECT_TRUE(Map->zoneMode);
        EXPECT_EQ(Zone->Label9->text(), "領域の最初の点P1をクリックしてください");
        EXPECT_TRUE(Zone->Label6->text().isEmpty());
        EXPECT_EQ(Form1->selection.selectionCount, before);
        EXPECT_FALSE(DepthChart->isVisible());
        EXPECT_FALSE(Section->isVisible());
        EXPECT_TRUE(fx.messages.empty());
        EXPECT_EQ(Map->canvas().image(), picture);  // the rubber line is gone, nothing drawn
    }
    // The next drag builds the zone as usual.
    drag(Map->Image1, at(3300, 13000), at(3300, 14000));
    EXPECT_TRUE(Map->zoneSet);
    EXPECT_EQ(Form1->Label32->text(), "領域検索された地震");
}
