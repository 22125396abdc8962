#include "sections/TRotate.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "app/Convert.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "map/TMap.h"
#include "search/TForm1.h"
#include "sections/SectionWindows.h"

using namespace kavelo;
using namespace kavelo::ui;

TRotate* Rotate = nullptr;

namespace {
const char* const kCentrePrompt = "回転中心の位置をクリックしてください";

TRadioGroup* makeGroup(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* g = new TRadioGroup(parent);
    g->setObjectName(name);
    g->setGeometry(x, y, w, h);
    return g;
}

RotateMarkStyle markStyle() {
    RotateMarkStyle s;
    if (Map) {
        s.colorOn = Map->ColorChk->isChecked();
        s.marks = Map->markSettings();
        s.depth = Map->depthClasses();
    }
    return s;
}
}  // namespace

TRotate::TRotate(QWidget* parent) : QWidget(parent) {
    initForm(this, "TRotate", "回転断面深度分布", 620, 480, true);
    Label8 = makeLabel(this, "Label8", "", 8, 6, 300, 20);
    Image1 = new TImage(this, kRotateImageSize, kRotateImageSize);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 30, kRotateImageSize, kRotateImageSize);
    TrackBar1 = new TTrackBar(this);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setGeometry(8, 420, kRotateImageSize, 24);
    Label2 = makeLabel(this, "Label2", "", 12, 450, 380, 20);

    const int x = 404;
    Image2 = new TImage(this, kRotateDialWidth, kRotateDialHeight);
    Image2->setObjectName("Image2");
    Image2->setGeometry(x, 30, kRotateDialWidth, kRotateDialHeight);
    Label1 = makeLabel(this, "Label1", "", x + 132, 72, 60, 20);
    Label3 = makeLabel(this, "Label3", "", x, 142, 64, 20);
    Label4 = makeLabel(this, "Label4", "", x + 68, 142, 56, 20);
    Label5 = makeLabel(this, "Label5", "", x + 128, 142, 72, 20);
    Label7 = makeLabel(this, "Label7", "", x, 166, 200, 20);

    RadioGroup1 = makeGroup(this, "RadioGroup1", x, 190, 100, 128);
    RadioGroup3 = makeGroup(this, "RadioGroup3", x + 108, 190, 100, 84);
    RadioGroup2 = makeGroup(this, "RadioGroup2", x, 322, 100, 106);
    RadioGroup4 = makeGroup(this, "RadioGroup4", x + 108, 280, 100, 64);

    Button2 = makeButton(this, "Button2", "", x + 108, 350, 48, 26);
    Button5 = makeButton(this, "Button5", "", x + 160, 350, 48, 26);
    Button4 = makeButton(this, "Button4", "", x + 108, 380, 48, 26);
    Button7 = makeButton(this, "Button7", "", x + 160, 380, 48, 26);
    Button3 = makeButton(this, "Button3", "", x + 108, 440, 100, 30);
    BtnSave = makeButton(this, "BtnSave", savePictureCaption(), x + 108, 410, 100, 26);
    BtnSave->setToolTip("ファイル保存");
    Button1 = makeButton(this, "Button1", "", x, 440, 40, 26);
    Button6 = makeButton(this, "Button6", "", x + 44, 440, 40, 26);
    Button1->hide();
    Button6->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(200);

    connect(Button1, &QPushButton::clicked, this, &TRotate::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TRotate::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TRotate::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TRotate::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TRotate::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TRotate::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TRotate::Button7Click);
    connect(BtnSave, &QPushButton::clicked, this, &TRotate::BtnSaveClick);
    connect(RadioGroup2, &TRadioGroup::clicked, this, &TRotate::RadioGroup2Click);
    connect(TrackBar1, &TTrackBar::changed, this, &TRotate::TrackBar1Change);
    connect(Timer1, &QTimer::timeout, this, &TRotate::Timer1Timer);
    FormCreate();
}

void TRotate::FormCreate() {
    Label8->setText("回転断面深度分布");
    Label3->setText("回転中心");
    Label7->setText("地震個数");
    RadioGroup1->setTitle("領域幅");
    RadioGroup1->setItems({" 10'", " 15'", " 30'", "  1°", "  2°"});
    RadioGroup1->setItemIndexSilently(2);
    RadioGroup2->setTitle("回転速度");
    RadioGroup2->setItems({" 1", " 2", " 5", "10"});
    RadioGroup2->setItemIndexSilently(1);
    RadioGroup3->setTitle("領域半径");
    RadioGroup3->setItems({" 2°", " 3°", " 4°"});
    RadioGroup3->setItemIndexSilently(1);
    RadioGroup4->setTitle("回転方向");
    RadioGroup4->setItems({"左回り", "右回り"});
    RadioGroup4->setItemIndexSilently(0);
    TrackBar1->setRange(0, 179);
    TrackBar1->setPosition(0);
    Button2->setText("休止");
    Button5->setText("再開");
    Button4->setText("ﾘｾｯﾄ");
    Button7->setText("コピー");
    Button3->setText("閉じる");
    Button1->setText("開始");
    Button6->setText("停止");
    drawSectionGrid();
}

void TRotate::drawSectionGrid() {
    Label1->setText("0°");
    Label7->setText("地震個数");
    drawRotateGrid(Image1->canvas(), Image2->canvas());
    Image1->refresh();
    Image2->refresh();
    shownMarks_.clear();
    needleShown_ = false;
    RadioGroup1->setEnabled(true);
    RadioGroup3->setEnabled(true);
}

// ---- Hand-off from the zone window and the map

void TRotate::waitForCentre() {
    waiting = true;
    running = false;
    Label2->setText(kCentrePrompt);
    Label4->clear();
    Label5->clear();
    showWindow(this);
}

void TRotate::showCentre(int lat, int lon) {
    Label4->setText(QString::number(lat));
    Label5->setText(QString::number(lon));
}

void TRotate::centreChosen(int lat, int lon) {
    if (!waitsForCentre()) return;
    showCentre(lat, lon);
    Label2->clear();
    Button1->setEnabled(true);
    waiting = false;
    Button1Click();
    if (!running) waiting = true;
}

// ---- Start, step, pause, reset, close

void TRotate::Button1Click() {
    drawSectionGrid();
    radius = rotationRadius(RadioGroup3->itemIndex());
    margin = rotationMargin(RadioGroup3->itemIndex());
    Timer1->setInterval(rotationIntervalMs(RadioGroup2->itemIndex()));
    stripWidth = rotationStripWidth(RadioGroup1->itemIndex());
    int lat = 0, lon = 0;
    if (!guarded([&] {
            lat = strToInt(Label4->text());
            lon = strToInt(Label5->text());
        }))
        return;
    if (!rotationCentreAccepted(lat, lon, margin)) {
        messageBox("Illegal Center Point", "KAVELO4.4");
        return;
    }
    running = true;
    RadioGroup1->setEnabled(false);
    RadioGroup3->setEnabled(false);
    Timer1->start();
    angle = 0;
    Label1->setText("0°");
}

void TRotate::eraseOutline() {
    if (!outlineShown_) return;
    outlineShown_ = false;
    // A full map drawing since then has already removed it; drawing it again would add it.
    if (Map && Map->fullDrawings != outlineDrawing_) return;
    buildMapZone(outlineEnds_.a, outlineEnds_.b, outlineWidth_);
}

void TRotate::eraseMarks() {
    if (shownMarks_.empty()) return;
    drawRotateMarks(Image1->canvas(), shownMarks_);
    shownMarks_.clear();
    Image1->refresh();
}

void TRotate::drawSectionMarks(const std::vector<RotateMark>& marks) {
    Label7->setText(QString("地震個数　 %1").arg(marks.size()));
    Label7->repaint();
    drawRotateMarks(Image1->canvas(), marks);
    Image1->refresh();
}

void TRotate::Timer1Timer() {
    // A message box opened by a step runs its own event loop; steps arriving then wait.
    if (inStep_ || !running) return;
    inStep_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{inStep_};

    Canvas& dial = Image2->canvas();
    if (needleShown_) drawDialNeedle(dial, needleAngle_);
    drawDialNeedle(dial, angle);
    needleShown_ = true;
    needleAngle_ = angle;
    Image2->refresh();
    Label1->setText(QString("%1°").arg(angle));

    int latI = 0, lonI = 0;
    try {
        latI = strToInt(Label4->text());
        lonI = strToInt(Label5->text());
    } catch (const ConversionError& e) {
        Timer1->stop();
        showConversionError(e.text);
        return;
    }
    const float latC = ddmmToDegrees(latI), lonC = ddmmToDegrees(lonI);
    const StripEnds ends = stripEnds(latC, lonC, radius, angle);

    eraseOutline();
    eraseMarks();
    if (!buildMapZone(ends.a, ends.b, stripWidth)) {
        Timer1->stop();
        return;
    }
    outlineShown_ = true;
    outlineEnds_ = ends;
    outlineWidth_ = stripWidth;
    if (Map) outlineDrawing_ = Map->fullDrawings;

    selectStripQuakes();
    if (Form1) {
        const SelectionList& sel = Form1->selection;
        const int n = std::min<int>(sel.selectionCount, kStripListCapacity);
        shownMarks_ = rotateMarks(Form1->catalogue, sel.index.data(), n, angle, latC, lonC, markStyle());
    }
    drawSectionMarks(shownMarks_);

    TrackBar1->setPosition(angle);
    angle = nextRotationAngle(angle, RadioGroup4->itemIndex() == 1);
}

bool TRotate::selectStripQuakes() {
    if (!Form1) return false;
    int m1 = 0, m2 = 0, d1 = 0, d2 = 0;
    try {
        m1 = strToInt(Form1->mag1);
        m2 = strToInt(Form1->mag2);
        d1 = strToInt(Form1->depth1);
        d2 = strToInt(Form1->depth2);
    } catch (const ConversionError& e) {
        // One message, not one per step: the rotation pauses until resumed.
        Timer1->stop();
        showConversionError(e.text);
        return false;
    }
    const StripStatus st =
        kavelo::selectStripQuakes(Form1->catalogue, mapZoneCorners(), m1, m2, d1, d2, Form1->selection);
    if (st == StripStatus::Ok) return true;
    Timer1->stop();
    messageBox(st == StripStatus::MagnitudeReversed ? "illegal magnitude data!" : "illegal depth data!",
               "Data Error");
    return false;
}

void TRotate::Button2Click() { Timer1->stop(); }
void TRotate::Button6Click() { Timer1->stop(); }

void TRotate::Button5Click() {
    if (running) Timer1->start();
}

void TRotate::Button4Click() {
    Timer1->stop();
    RadioGroup1->setEnabled(true);
    RadioGroup2->setEnabled(true);
    RadioGroup3->setEnabled(true);
    drawSectionGrid();
    eraseOutline();
    Label2->setText(kCentrePrompt);
    Label4->clear();
    Label5->clear();
    running = false;
    waiting = true;
    TrackBar1->setPosition(0);
    angle = 0;
    Label1->setText("0°");
    Button1->setEnabled(false);
}

void TRotate::finish() {
    Timer1->stop();
    if (running) {
        eraseOutline();
        eraseMarks();
    }
    outlineShown_ = false;
    running = false;
    waiting = false;
    angle = 0;
}

void TRotate::Button3Click() { close(); }

void TRotate::closeEvent(QCloseEvent* e) {
    finish();
    QWidget::closeEvent(e);
}

void TRotate::RadioGroup2Click() { Timer1->setInterval(rotationIntervalMs(RadioGroup2->itemIndex())); }

void TRotate::TrackBar1Change() { angle = TrackBar1->position(); }

void TRotate::Button7Click() { copyPicture(*Image1); }
void TRotate::BtnSaveClick() { savePictureAs(this, Image1->picture()); }
