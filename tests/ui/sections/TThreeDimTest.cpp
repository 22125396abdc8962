#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/FormUtil.h"
#include "common/CatalogueFixture.h"
#include "core/map/SyntheticMap.h"
#include "map/TMap.h"
#include "search/TForm1.h"
#include "search/TProcess.h"
#include "sections/TThreeDim.h"
#include "ui/MapWindowSet.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using namespace kavelo::test;
using namespace kavelo::ui;

namespace {

struct ThreeDimWindow : ::testing::Test {
    UiFixture fx;
    std::unique_ptr<MapWindowSet> windows;

    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", fileOf({quake(18000101, 0, 3315, 13315, 10, 60)}));
        fx.dir.write("DATA/GEPPO1.BIN", fileOf({quake(19500101, 0, 3015, 13015, 30, 50),
                                                quake(19600101, 0, 4015, 14015, 650, 50),
                                                quake(19700101, 0, 3415, 14415, 5, 70)}));
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        windows = std::make_unique<MapWindowSet>();
        ASSERT_TRUE(windows->ok());
        ThreeDim = new TThreeDim;
    }
    void TearDown() override {
        delete ThreeDim;
        ThreeDim = nullptr;
        windows.reset();
    }
    TColor at(int x, int y) { return ThreeDim->canvas().pixel(x, y); }
    // Where the window puts a catalogue position at a depth under the current view.
    ScreenPoint where(int lon, int lat, int depth) {
        auto p = Map->geoToMap(lon, lat);
        return ThreeDim->projectPoint(p->x, p->y, -depth);
    }
    std::string head(const std::string& name, std::size_t n) { return fx.dir.read(name).substr(0, n); }
};

}  // namespace

TEST_F(ThreeDimWindow, ControlsCaptionsRangesAndDefaults) {
    TThreeDim* w = ThreeDim;
    EXPECT_EQ(w->objectName(), "TThreeDim");
    EXPECT_EQ(w->windowTitle(), "三次元震源分布");
    EXPECT_EQ(w->Image1->size(), QSize(720, 689));
    struct Bar {
        TTrackBar* bar;
        const char* name;
        QLabel* caption;
        const char* text;
        QLabel* value;
        const char* valueName;
        int min, max, position;
        const char* shown;
    };
    for (const Bar& b : {Bar{w->TrackBarCX, "TrackBarCX", w->Label1, "回転中心X", w->Label19, "Label19", 0, 4000, 2500, "2500"},
                         Bar{w->TrackBarCY, "TrackBarCY", w->Label3, "回転中心Y", w->Label20, "Label20", 0, 4000, 2750, "2750"},
                         Bar{w->TrackBarAlp, "TrackBarAlp", w->Label4, "回転角 X", w->Label9, "Label9", -100, 100, 0, "0°"},
                         Bar{w->TrackBarBet, "TrackBarBet", w->Label5, "回転角 Y", w->Label2, "Label2", -100, 100, 0, "0°"},
                         Bar{w->TrackBarGam, "TrackBarGam", w->Label6, "回転角 Z", w->Label10, "Label10", -100, 100, 0, "0°"},
                         Bar{w->TrackBarPosX, "TrackBarPosX", w->Label7, "表示位置 X", w->Label11, "Label11", 0, 720, 468, "468"},
                         Bar{w->TrackBarPosY, "TrackBarPosY", w->Label8, "表示位置 Y", w->Label12, "Label12", 0, 640, 200, "200"},
                         Bar{w->TrackBarSclX, "TrackBarSclX", w->Label13, "尺度　X", w->Label15, "Label15", 0, 100, 14, "14"},
                         Bar{w->TrackBarSclY, "TrackBarSclY", w->Label14, "尺度　Y", w->Label16, "Label16", 0, 100, 14, "14"},
                         Bar{w->TrackBarSclZ, "TrackBarSclZ", w->Label17, "尺度　Z", w->Label18, "Label18", 0, 50, 20, "20"}}) {
        EXPECT_EQ(b.bar->objectName(), b.name);
        EXPECT_EQ(b.bar->property("min").toInt(), b.min) << b.name;
        EXPECT_EQ(b.bar->property("max").toInt(), b.max) << b.name;
        EXPECT_EQ(b.bar->property("position").toInt(), b.position) << b.name;
        EXPECT_EQ(b.caption->text(), QString(b.text)) << b.name;
        EXPECT_EQ(b.value->objectName(), b.valueName);
        EXPECT_EQ(b.value->text(), QString(b.shown)) << b.name;
    }
    EXPECT_EQ(w->Label21->text(), "等");
    EXPECT_TRUE(w->CBEqual->isChecked());
    EXPECT_TRUE(w->CBHalf->isChecked());
    EXPECT_FALSE(w->CBLine->isChecked());
    EXPECT_TRUE(w->CBDepthColor->isChecked());
    EXPECT_TRUE(w->CBPaint->isChecked());
    EXPECT_EQ(w->CBHalf->text(), "1/2震源ｻｲｽﾞ");
    EXPECT_EQ(w->CBLine->text(), "深度表示線");
    EXPECT_EQ(w->CBDepthColor->text(), "深度別色表示");
    EXPECT_EQ(w->CBPaint->text(), "陸地塗りつぶし");
    EXPECT_EQ(w->BtnEqOrigin->text(), "震源表示");
    for (QPushButton* b : {w->Button2, w->Button3, w->Button4}) EXPECT_EQ(b->text(), "0");
    EXPECT_EQ(w->Button5->text(), "地　図");
    EXPECT_EQ(w->Button6->text(), "リスト");
    EXPECT_EQ(w->Button7->text(), "コピー");
    EXPECT_EQ(w->Button8->text(), "PNGﾌｧｲﾙ");
    EXPECT_EQ(w->Button1->text(), "閉じる");
    EXPECT_TRUE(w->BtnMap3->isHidden());
    EXPECT_EQ(w->SaveDialog1->objectName(), "SaveDialog1");

    // Built at creation: the outline from the 14 x 16 node grid, and the default scene
    // with the centre cross at the display position.
    EXPECT_EQ(w->frameOutline.size(), 58u);
    EXPECT_EQ(w->centreX, 2500);
    EXPECT_EQ(w->centreY, 2750);
    EXPECT_EQ(at(468 + 20, 200), clRed);
    EXPECT_EQ(at(468, 200 - 20), clRed);
    EXPECT_EQ(at(15, 25), clBlack);  // depth scale tick at 0 km
}

TEST_F(ThreeDimWindow, TrackBarsRedrawTheSceneAndTheirLabels) {
    TThreeDim* w = ThreeDim;
    w->TrackBarAlp->setPosition(30);
    EXPECT_EQ(w->Label9->text(), "54°");
    EXPECT_EQ(at(10, 100), clBlack);  // the depth scale now spans 97 pixels
    w->TrackBarAlp->setPosition(-100);
    EXPECT_EQ(w->Label9->text(), "-180°");
    w->TrackBarBet->setPosition(51);
    EXPECT_EQ(w->Label2->text(), "91°");
    EXPECT_TRUE(w->fromAbove);  // both tilts beyond 90 degrees
    w->TrackBarGam->setPosition(-7);
    EXPECT_EQ(w->Label10->text(), "-12°");

    w->Button2Click();
    w->Button3Click();
    w->Button4Click();
    EXPECT_EQ(w->TrackBarAlp->position(), 0);
    EXPECT_EQ(w->TrackBarBet->position(), 0);
    EXPECT_EQ(w->TrackBarGam->position(), 0);
    EXPECT_EQ(w->Label9->text(), "0°");
    EXPECT_EQ(w->Label10->text(), "0°");

    // The rotation centre follows its bars; the cross stays on the display position,
    // which its own bars move.
    w->TrackBarCX->setPosition(1800);
    EXPECT_EQ(w->centreX, 1800);
    EXPECT_EQ(w->Label19->text(), "1800");
    w->TrackBarPosX->setPosition(300);
    w->TrackBarPosY->setPosition(400);
    EXPECT_EQ(w->Label11->text(), "300");
    EXPECT_EQ(w->Label12->text(), "400");
    EXPECT_EQ(at(300 + 20, 400), clRed);
    EXPECT_NE(at(468 + 20, 200), clRed);

    // Equal scales: X carries Y along and the other way round, unless unchecked.
    w->TrackBarSclX->setPosition(30);
    EXPECT_EQ(w->TrackBarSclY->position(), 30);
    EXPECT_EQ(w->Label16->text(), "30");
    w->TrackBarSclY->setPosition(45);
    EXPECT_EQ(w->TrackBarSclX->position(), 45);
    w->CBEqual->setChecked(false);
    w->TrackBarSclX->setPosition(10);
    EXPECT_EQ(w->TrackBarSclY->position(), 45);
    w->TrackBarSclZ->setPosition(50);
    EXPECT_EQ(w->Label18->text(), "50");
    const ViewMatrix m = w->viewMatrix;
    EXPECT_FLOAT_EQ(m[0][0], 0.1f);
    EXPECT_FLOAT_EQ(m[1][1], -0.45f);
}

TEST_F(ThreeDimWindow, MapButtonInThreeDModeFillsAndShowsTheView) {
    Map->CBHalfSize->setChecked(true);
    Map->halfSize = 1;
    Form1->CB3D->setChecked(true);
    Form1->BtnMapClick();
    EXPECT_TRUE(ThreeDim->isVisible());
    EXPECT_FALSE(Process->isVisible());
    EXPECT_FALSE(Map->CBHalfSize->isChecked());
    EXPECT_EQ(Map->halfSize, 0);
    EXPECT_EQ(ThreeDim->ProgressBar1->value(), 0);
    // Every record of the listing with a depth, at its surface point in the plan view.
    ScreenPoint a = where(13015, 3015, 30);
    ScreenPoint b = where(14015, 4015, 650);
    const ScreenPoint c = where(14415, 3415, 5);
    EXPECT_EQ(at(a.x, a.y), clBlue);
    EXPECT_EQ(at(b.x, b.y), clYellow);  // under an island: the painted land covers it
    EXPECT_EQ(at(c.x, c.y), clAqua);
    EXPECT_NE(at(468 + 20, 200), clRed);  // no centre cross on the hypocentre drawing

    // The switches redraw with the hypocentres.
    ThreeDim->CBPaint->setChecked(false);
    EXPECT_EQ(at(b.x, b.y), Map->depthColor(650));
    ThreeDim->CBDepthColor->setChecked(false);
    EXPECT_EQ(at(a.x, a.y), clRed);
    EXPECT_EQ(at(b.x, b.y), clRed);
    ThreeDim->TrackBarAlp->setPosition(30);  // a drag shows the scene alone
    b = where(14015, 4015, 650);
    EXPECT_NE(at(b.x, b.y), clRed);
    ThreeDim->CBLine->setChecked(true);
    const ScreenPoint top = where(14015, 4015, 0);
    ASSERT_GT(b.y - top.y, 100);  // 650 km x 0.2 x sin 54
    EXPECT_EQ(at(top.x, top.y), clGray);
    EXPECT_EQ(at(b.x, b.y), clRed);
}

TEST_F(ThreeDimWindow, SavesAsPngOrBmpByTheMenuAndReportsFailures) {
    ThreeDim->TrackBarAlp->setPosition(30);
    ThreeDim->BtnEqOriginClick();
    QString name;
    ThreeDim->saveFileNameHook = [&] { return name; };

    name = QString::fromStdString(fx.dir.file("view"));
    ThreeDim->Button8Click();
    EXPECT_EQ(head("view.png", 4), "\x89PNG");
    QImage back(QString::fromStdString(fx.dir.file("view.png")));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), ThreeDim->Image1->picture().convertToFormat(QImage::Format_RGB32));

    Form1->BMP1Click();
    EXPECT_EQ(ThreeDim->Button8->text(), "BMPﾌｧｲﾙ");
    EXPECT_EQ(ThreeDim->saveFilter, "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|すべて(*.*)|*.*");
    ThreeDim->Button8Click();
    EXPECT_EQ(head("view.bmp", 2), "BM");
    QImage bmp(QString::fromStdString(fx.dir.file("view.bmp")));
    EXPECT_EQ(bmp.size(), QSize(720, 689));
    EXPECT_EQ(bmp.convertToFormat(QImage::Format_RGB32), back.convertToFormat(QImage::Format_RGB32));

    // A typed extension is kept, whatever is written.
    name = QString::fromStdString(fx.dir.file("kept.png"));
    ThreeDim->Button8Click();
    EXPECT_EQ(head("kept.png", 2), "BM");
    EXPECT_FALSE(std::filesystem::exists(fx.dir.file("kept.png.bmp")));

    // Cancelled: nothing written, nothing said.
    name.clear();
    ThreeDim->Button8Click();
    EXPECT_TRUE(fx.messages.empty());

    name = QString::fromStdString(fx.dir.file("no/such/folder/view"));
    ThreeDim->Button8Click();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].caption, "File Error");
    Form1->GIF1Click();
    EXPECT_EQ(ThreeDim->Button8->text(), "PNGﾌｧｲﾙ");

    ThreeDim->Button7Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(720, 689));
}

TEST_F(ThreeDimWindow, ButtonsBringUpTheOtherWindows) {
    showWindow(ThreeDim);
    ThreeDim->Button5Click();
    EXPECT_TRUE(Map->isVisible());
    ThreeDim->Button6Click();
    EXPECT_TRUE(Form1->isVisible());
    ThreeDim->Button1Click();
    EXPECT_FALSE(ThreeDim->isVisible());
}

TEST_F(ThreeDimWindow, EveryBarAtItsEndsStillDraws) {
    ThreeDim->CBLine->setChecked(true);
    for (TTrackBar* t : {ThreeDim->TrackBarCX, ThreeDim->TrackBarCY, ThreeDim->TrackBarAlp, ThreeDim->TrackBarBet,
                         ThreeDim->TrackBarGam, ThreeDim->TrackBarPosX, ThreeDim->TrackBarPosY, ThreeDim->TrackBarSclX,
                         ThreeDim->TrackBarSclY, ThreeDim->TrackBarSclZ}) {
        for (int p : {t->minimum(), t->maximum()}) {
            t->setPosition(p);
            ThreeDim->BtnEqOriginClick();
            EXPECT_EQ(ThreeDim->canvas().width(), 720);
        }
    }
    // Scales at 0 collapse the box onto the display position.
    ThreeDim->TrackBarSclX->setPosition(0);
    ThreeDim->TrackBarSclZ->setPosition(0);
    ThreeDim->BtnEqOriginClick();
    EXPECT_EQ(ThreeDim->TrackBarSclY->position(), 0);
    EXPECT_EQ(ThreeDim->projectPoint(4000, 4000, -600), (ScreenPoint{720, 640}));
    EXPECT_TRUE(fx.messages.empty());
}

TEST_F(ThreeDimWindow, SaveDialogOffersTheTypeBeingWritten) {
    // A name typed without an extension gets the one of the file type the menu chose,
    // so a PNG never lands under ".bmp"; cancelling writes nothing.
    auto cancelSoon = [] { QTimer::singleShot(0, ThreeDim->SaveDialog1, &QDialog::reject); };
    cancelSoon();
    ThreeDim->Button8Click();
    EXPECT_EQ(ThreeDim->SaveDialog1->defaultSuffix(), "png");
    EXPECT_EQ(ThreeDim->SaveDialog1->nameFilters(), QStringList({"PNGﾌｧｲﾙ(*.png)", "すべて(*.*)"}));
    EXPECT_EQ(ThreeDim->SaveDialog1->acceptMode(), QFileDialog::AcceptSave);
    Form1->BMP1Click();
    cancelSoon();
    ThreeDim->Button8Click();
    EXPECT_EQ(ThreeDim->SaveDialog1->defaultSuffix(), "bmp");
    EXPECT_EQ(ThreeDim->SaveDialog1->nameFilters(), QStringList({"ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)", "すべて(*.*)"}));
    EXPECT_TRUE(fx.messages.empty());
}
