// The main window's map commands: the Map and Statistics buttons, the depth-sliced
// display, the map colour menus and the image-type menu.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>
#include <QVariant>

#include "analysis/TAnalysis.h"
#include "app/Convert.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "map/TMap.h"
#include "search/TForm1.h"
#include "statistics/TStatistics.h"
#include "search/TProcess.h"
#include "search/TStop.h"
#include "sections/TDepthChart.h"
#include "sections/TRotate.h"
#include "sections/TSection.h"
#include "sections/TThreeDim.h"

using namespace kavelo::ui;

namespace {

// Keeps the program responsive while a slice stays on screen.
void pauseWithEvents(int ms) {
    QElapsedTimer t;
    t.start();
    QCoreApplication::processEvents();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

}  // namespace

void TForm1::BtnMapClick() {
    if (!Map) return;
    const bool threeD = CB3D->isChecked();
    if (Process) Process->showText(threeD ? "３次元震源分布図を描いています...!" : "震央分布図を描いています...!");
    Map->D3Chk->setChecked(threeD);
    Map->threeDMode = threeD ? 1 : 0;
    Map->BtnMapDrawClick();
    if (Process) Process->close();
}

void TForm1::Button1Click() {
    if (!Statistics) return;
    // Shown first: showing the window clears its picture.
    showWindow(Statistics);
    Statistics->Button3Click();
}

// The analysis menu: the statistics item acts as its button does, when that is enabled.
void TForm1::Statistics1Click() {
    if (Button1->isEnabled()) Button1Click();
}

void TForm1::SeismicityAnalysis1Click() {
    if (!Analysis) return;
    // Showing a hidden window draws the selection; a visible one is redrawn.
    const bool visible = Analysis->isVisible();
    showWindow(Analysis);
    if (visible) Analysis->BtnDrawClick();
}

void TForm1::BtnDepthClick() {
    // Events are processed between slices: a second start (button or menu) waits its turn.
    if (!Map || !Stop || depthAnimating) return;
    depthAnimating = 1;
    CB3D->setChecked(false);
    Map->D3Chk->setChecked(false);
    Map->threeDMode = 0;
    RadioGroup1->setItemIndex(1);
    stopChoice = 1;
    BtnDepth->setEnabled(false);
    Map->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    Stop->Edit1->setText(QString::number(depthStep));
    Stop->Edit2->setText(QString::number(depthStep));

    bool stopped = false;  // "中　止" or a bad entry ends the display without the end message
    depthTop = 0;
    while (depthTop < 600) {
        depth1->setText(QString::number(depthTop));
        depth2->setText(QString::number(depthTop + depthStep));
        BtnSearchClick();
        if (!BtnMap->isEnabled()) {
            // The other conditions were refused (the search said why): the slice would show
            // the previous selection under its own caption, so the display ends here.
            stopped = true;
            break;
        }
        Map->BtnMapDrawClick();
        Map->repaint();
        if (stopChoice == 1 || stopChoice == 3) {
            Stop->Button4->setEnabled(depthTop > 0);
            Stop->runModal();
            try {
                depthStep = strToInt(Stop->Edit2);
                depthTop = strToInt(Stop->Edit1) - depthStep;
            } catch (const ConversionError& e) {
                showConversionError(e.text);
                stopped = true;
                break;
            }
            if (stopChoice == 2) {
                stopped = true;
                break;
            }
            if (depthStep < 1) {
                // A thickness of 0 or less would never reach the last slice.
                messageBox("深さの幅は1km以上を指定してください", "Data Error");
                stopped = true;
                break;
            }
            if (stopChoice == 3 && depthTop != 0) depthTop -= 2 * depthStep;
            Stop->Edit1->setText(QString::number(2 * depthStep + depthTop));
        } else {
            pauseWithEvents(Stop->slicePauseMs);
        }
        depthTop += depthStep;
    }
    if (!stopped) messageBox("震源深さ分布図を終了しました", "震源深さ分布図終了");

    Map->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    Map->close();
    RadioGroup1->setItemIndex(0);
    depthAnimating = 0;
    BtnDepth->setEnabled(true);
}

namespace {
void depthRange(TForm1* f, QAction* item, int step) {
    f->depthStep = step;
    item->setChecked(true);
    f->BtnDepthClick();
}
}  // namespace

void TForm1::km10Click() { depthRange(this, km10, 10); }
void TForm1::km20Click() { depthRange(this, km20, 20); }
void TForm1::km50Click() { depthRange(this, km50, 50); }
void TForm1::km100Click() { depthRange(this, km100, 100); }

namespace {
void imageType(TForm1* f, bool bmp) {
    (bmp ? f->BMP1 : f->GIF1)->setChecked(true);
    (bmp ? f->GIF1 : f->BMP1)->setChecked(false);
    const QString caption = bmp ? "BMPﾌｧｲﾙ" : "PNGﾌｧｲﾙ";
    const QString filter = bmp ? "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|すべて(*.*)|*.*" : "PNGﾌｧｲﾙ(*.png)|*.png|すべて(*.*)|*.*";
    if (Map) {
        Map->Button3->setText(caption);
        Map->saveFilter = filter;
    }
    if (Stop) Stop->Button5->setText(caption);
    if (DepthChart) DepthChart->BtnSave->setText(caption);
    if (Section) Section->BtnSave->setText(caption);
    if (Rotate) Rotate->BtnSave->setText(caption);
    if (ThreeDim) {
        if (auto* b = ThreeDim->findChild<QPushButton*>("Button8")) b->setText(caption);
        ThreeDim->setProperty("saveFilter", filter);
    }
}
}  // namespace

void TForm1::GIF1Click() { imageType(this, false); }
void TForm1::BMP1Click() { imageType(this, true); }

// Each colour item checks itself (its group unchecks the others) and sets a map colour;
// the change shows at the map's next drawing.
void TForm1::Blue1Click() {
    Blue1->setChecked(true);
    if (Map) Map->coastColor = rgb(0, 0, 255);
}
void TForm1::Aqua1Click() {
    Aqua1->setChecked(true);
    if (Map) Map->coastColor = rgb(0, 255, 255);
}
void TForm1::Black1Click() {
    Black1->setChecked(true);
    if (Map) Map->coastColor = rgb(0, 0, 0);
}
void TForm1::None1Click() {
    None1->setChecked(true);
    if (Map) Map->PenGroup->setItemIndex(3);
}
void TForm1::Yellow1Click() {
    Yellow1->setChecked(true);
    if (Map) Map->landColor = rgb(255, 255, 187);
}
void TForm1::Green1Click() {
    Green1->setChecked(true);
    if (Map) Map->landColor = rgb(155, 255, 205);
}
void TForm1::Brown1Click() {
    Brown1->setChecked(true);
    if (Map) Map->landColor = rgb(227, 158, 138);
}
void TForm1::None3Click() {
    None3->setChecked(true);
    if (Map) Map->landColor = rgb(0, 0, 0);
}
void TForm1::Blue2Click() {
    Blue2->setChecked(true);
    if (Map) Map->seaColor = rgb(167, 220, 245);
}
void TForm1::Aqua2Click() {
    Aqua2->setChecked(true);
    if (Map) Map->seaColor = rgb(221, 255, 255);
}
void TForm1::White1Click() {
    White1->setChecked(true);
    if (Map) Map->seaColor = rgb(255, 255, 255);
}
void TForm1::Aqua3Click() {
    Aqua3->setChecked(true);
    if (Map) Map->gridColor = rgb(0, 255, 255);
}
void TForm1::Yellow2Click() {
    Yellow2->setChecked(true);
    if (Map) Map->gridColor = rgb(255, 255, 0);
}
void TForm1::Gray1Click() {
    Gray1->setChecked(true);
    if (Map) Map->gridColor = rgb(128, 128, 128);
}
void TForm1::None2Click() {
    None2->setChecked(true);
    if (Map) Map->GridGroup->setItemIndex(0);
}
void TForm1::Yellow3Click() {
    Yellow3->setChecked(true);
    if (Map) Map->subGridColor = rgb(255, 255, 0);
}
void TForm1::Aqua4Click() {
    Aqua4->setChecked(true);
    if (Map) Map->subGridColor = rgb(0, 255, 255);
}
void TForm1::Gray2Click() {
    Gray2->setChecked(true);
    if (Map) Map->subGridColor = rgb(128, 128, 128);
}
void TForm1::Default1Click() {
    Blue1Click();
    Yellow1Click();
    Aqua2Click();
    Aqua3Click();
    Yellow3Click();
}
