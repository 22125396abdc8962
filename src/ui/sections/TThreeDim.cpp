#include "sections/TThreeDim.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <algorithm>

#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/PictureFile.h"
#include "map/TMap.h"
#include "platform/ImageFile.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::ui;

TThreeDim* ThreeDim = nullptr;

namespace {

// "A(*.a)|*.a|B(*.*)|*.*" -> {"A(*.a)", "B(*.*)"}
QStringList qtFilters(const QString& filter) {
    QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) out << parts[i];
    return out;
}

// Angle bars run -100 ... 100 for -180 ... 180 degrees.
QString angleText(int position) { return QString::asprintf("%d°", static_cast<int>(position * 1.8)); }

bool bmpChosen() { return Form1 && Form1->BMP1 && Form1->BMP1->isChecked(); }

constexpr int kPanelX = 736;
constexpr int kRowHeight = 40;

}  // namespace

TThreeDim::TThreeDim(QWidget* parent) : QWidget(parent) {
    initForm(this, "TThreeDim", "三次元震源分布", 1008, 705);
    buildControls();
    canvas().clear(clWhite);
    if (Map) frameOutline = kavelo::frameOutline(Map->proj.grid);
    // Writing the centre into its bars runs their change handlers, so the picture holds
    // the background scene and the centre cross for the default view from the start.
    centreX = kDefaultCentreX;
    TrackBarCX->setPosition(centreX);
    centreY = kDefaultCentreY;
    TrackBarCY->setPosition(centreY);
    TrackBarAlp->setPosition(0);
    TrackBarBet->setPosition(0);
    TrackBarGam->setPosition(0);
    writeValueLabels();
}

TTrackBar* TThreeDim::makeTrackBar(const char* name, int min, int max, int position, int x, int y) {
    auto* t = new TTrackBar(this);
    t->setObjectName(name);
    t->setRange(min, max);
    t->setValue(position);
    t->setTickInterval((max - min) / 10);
    t->setPageStep(std::max(1, (max - min) / 20));
    t->setGeometry(x, y, 216, 24);
    return t;
}

void TThreeDim::buildControls() {
    Image1 = new TImage(this, kThreeDimImageWidth, kThreeDimImageHeight);
    Image1->setObjectName("Image1");
    Image1->move(8, 8);

    struct Row {
        TTrackBar** bar;
        const char* name;
        QLabel** caption;
        const char* captionName;
        const char* text;
        QLabel** value;
        const char* valueName;
        int min, max, position;
    };
    const Row rows[] = {
        {&TrackBarCX, "TrackBarCX", &Label1, "Label1", "回転中心X", &Label19, "Label19", 0, 4000, 0},
        {&TrackBarCY, "TrackBarCY", &Label3, "Label3", "回転中心Y", &Label20, "Label20", 0, 4000, 0},
        {&TrackBarAlp, "TrackBarAlp", &Label4, "Label4", "回転角 X", &Label9, "Label9", -100, 100, 0},
        {&TrackBarBet, "TrackBarBet", &Label5, "Label5", "回転角 Y", &Label2, "Label2", -100, 100, 0},
        {&TrackBarGam, "TrackBarGam", &Label6, "Label6", "回転角 Z", &Label10, "Label10", -100, 100, 0},
        {&TrackBarPosX, "TrackBarPosX", &Label7, "Label7", "表示位置 X", &Label11, "Label11", 0, 720, 468},
        {&TrackBarPosY, "TrackBarPosY", &Label8, "Label8", "表示位置 Y", &Label12, "Label12", 0, 640, 200},
        {&TrackBarSclX, "TrackBarSclX", &Label13, "Label13", "尺度　X", &Label15, "Label15", 0, 100, 14},
        {&TrackBarSclY, "TrackBarSclY", &Label14, "Label14", "尺度　Y", &Label16, "Label16", 0, 100, 14},
        {&TrackBarSclZ, "TrackBarSclZ", &Label17, "Label17", "尺度　Z", &Label18, "Label18", 0, 50, 20},
    };
    int y = 8;
    for (const Row& r : rows) {
        *r.caption = makeLabel(this, r.captionName, r.text, kPanelX, y, 84);
        *r.value = makeLabel(this, r.valueName, "", kPanelX + 88, y, 60);
        *r.bar = makeTrackBar(r.name, r.min, r.max, r.position, kPanelX, y + 15);
        y += kRowHeight;
    }
    const int alpY = 8 + 2 * kRowHeight + 15;
    Button2 = makeButton(this, "Button2", "0", kPanelX + 224, alpY, 36, 24);
    Button3 = makeButton(this, "Button3", "0", kPanelX + 224, alpY + kRowHeight, 36, 24);
    Button4 = makeButton(this, "Button4", "0", kPanelX + 224, alpY + 2 * kRowHeight, 36, 24);
    const int sclY = 8 + 7 * kRowHeight;
    CBEqual = makeCheck(this, "CBEqual", "", kPanelX + 226, sclY + 34, 18, 20, true);
    Label21 = makeLabel(this, "Label21", "等", kPanelX + 246, sclY + 36, 16);

    y = 8 + 10 * kRowHeight + 8;
    CBHalf = makeCheck(this, "CBHalf", "1/2震源ｻｲｽﾞ", kPanelX, y, 128, 20, true);
    CBLine = makeCheck(this, "CBLine", "深度表示線", kPanelX + 132, y, 128, 20, false);
    CBDepthColor = makeCheck(this, "CBDepthColor", "深度別色表示", kPanelX, y + 24, 128, 20, true);
    CBPaint = makeCheck(this, "CBPaint", "陸地塗りつぶし", kPanelX + 132, y + 24, 128, 20, true);

    y += 58;
    BtnEqOrigin = makeButton(this, "BtnEqOrigin", "震源表示", kPanelX, y, 264, 32);
    y += 42;
    Button5 = makeButton(this, "Button5", "地　図", kPanelX, y, 84, 26);
    Button6 = makeButton(this, "Button6", "リスト", kPanelX + 90, y, 84, 26);
    Button7 = makeButton(this, "Button7", "コピー", kPanelX + 180, y, 84, 26);
    y += 34;
    Button8 = makeButton(this, "Button8", bmpChosen() ? "BMPﾌｧｲﾙ" : "PNGﾌｧｲﾙ", kPanelX, y, 129, 26);
    Button1 = makeButton(this, "Button1", "閉じる", kPanelX + 135, y, 129, 26);
    BtnMap3 = makeButton(this, "BtnMap3", "", kPanelX, y, 10, 10);
    BtnMap3->hide();
    y += 40;
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(kPanelX, y, 264, 16);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);

    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName("SaveDialog1");
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setDirectory(Form1 ? QString::fromLocal8Bit(Form1->workDir.c_str()) : QDir::currentPath());

    connect(TrackBarCX, &TTrackBar::changed, this, &TThreeDim::TrackBarCXChange);
    connect(TrackBarCY, &TTrackBar::changed, this, &TThreeDim::TrackBarCYChange);
    connect(TrackBarAlp, &TTrackBar::changed, this, &TThreeDim::TrackBarAlpChange);
    connect(TrackBarBet, &TTrackBar::changed, this, &TThreeDim::TrackBarBetChange);
    connect(TrackBarGam, &TTrackBar::changed, this, &TThreeDim::TrackBarGamChange);
    connect(TrackBarPosX, &TTrackBar::changed, this, &TThreeDim::TrackBarPosXChange);
    connect(TrackBarPosY, &TTrackBar::changed, this, &TThreeDim::TrackBarPosYChange);
    connect(TrackBarSclX, &TTrackBar::changed, this, &TThreeDim::TrackBarSclXChange);
    connect(TrackBarSclY, &TTrackBar::changed, this, &TThreeDim::TrackBarSclYChange);
    connect(TrackBarSclZ, &TTrackBar::changed, this, &TThreeDim::TrackBarSclZChange);
    // The display switches redraw however they change, as a click does.
    connect(CBLine, &QCheckBox::toggled, this, &TThreeDim::CBLineClick);
    connect(CBDepthColor, &QCheckBox::toggled, this, &TThreeDim::CBDepthColorClick);
    connect(CBPaint, &QCheckBox::toggled, this, &TThreeDim::CBPaintClick);
    connect(CBHalf, &QCheckBox::toggled, this, &TThreeDim::CBHalfClick);
    connect(BtnEqOrigin, &QPushButton::clicked, this, &TThreeDim::BtnEqOriginClick);
    connect(BtnMap3, &QPushButton::clicked, this, &TThreeDim::BtnMap3Click);
    connect(Button1, &QPushButton::clicked, this, &TThreeDim::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TThreeDim::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TThreeDim::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TThreeDim::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TThreeDim::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TThreeDim::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TThreeDim::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TThreeDim::Button8Click);
}

void TThreeDim::writeValueLabels() {
    Label19->setText(QString::number(TrackBarCX->position()));
    Label20->setText(QString::number(TrackBarCY->position()));
    Label9->setText(angleText(TrackBarAlp->position()));
    Label2->setText(angleText(TrackBarBet->position()));
    Label10->setText(angleText(TrackBarGam->position()));
    Label11->setText(QString::number(TrackBarPosX->position()));
    Label12->setText(QString::number(TrackBarPosY->position()));
    Label15->setText(QString::number(TrackBarSclX->position()));
    Label16->setText(QString::number(TrackBarSclY->position()));
    Label18->setText(QString::number(TrackBarSclZ->position()));
}

// ---- Geometry

ViewControls TThreeDim::viewControls() const {
    ViewControls v;
    v.alp = TrackBarAlp->position();
    v.bet = TrackBarBet->position();
    v.gam = TrackBarGam->position();
    v.posX = TrackBarPosX->position();
    v.posY = TrackBarPosY->position();
    v.sclX = TrackBarSclX->position();
    v.sclY = TrackBarSclY->position();
    v.sclZ = TrackBarSclZ->position();
    return v;
}

void TThreeDim::buildViewMatrix() {
    const ViewControls v = viewControls();
    viewMatrix = kavelo::buildViewMatrix(v);
    fromAbove = viewedFromAbove(v.alp, v.bet);
}

ScreenPoint TThreeDim::projectPoint(int32_t x, int32_t y, int32_t z) const {
    return kavelo::projectPoint(viewMatrix, centreX, centreY, x, y, z);
}

ThreeDimScene TThreeDim::scene() const {
    ThreeDimScene s;
    s.view = ViewProjection{viewMatrix, centreX, centreY};
    s.fromAbove = fromAbove;
    s.outline = &frameOutline;
    if (Map) {
        s.coasts = &Map->coasts;
        s.proj = &Map->proj;
    }
    return s;
}

HypocentreStyle TThreeDim::hypocentreStyle() const {
    HypocentreStyle st;
    st.dropLines = CBLine->isChecked();
    st.halfSize = CBHalf->isChecked();
    st.depthColors = CBDepthColor->isChecked();
    st.paintLand = CBPaint->isChecked();
    if (Map) {
        st.marks = Map->markSettings();
        st.depth = Map->depthClasses();
    }
    return st;
}

void TThreeDim::drawDepthPlane(int depthKm) { kavelo::ui::drawDepthPlane(canvas(), scene().view, frameOutline, depthKm); }
void TThreeDim::drawLandPolygons() {
    if (Map) kavelo::ui::drawLandPolygons(canvas(), scene().view, Map->coasts, &frameOutline);
}
void TThreeDim::drawEdgeTicks() {
    if (Map) kavelo::ui::drawEdgeTicks(canvas(), scene().view, Map->proj);
}
void TThreeDim::drawDepthScale() { kavelo::ui::drawDepthScale(canvas(), scene().view); }
void TThreeDim::drawCentreCross() {
    kavelo::ui::drawCentreCross(canvas(), scene().view);
    Image1->refresh();
}

// ---- Drawing commands

void TThreeDim::BtnMap3Click() {
    buildViewMatrix();
    drawBackgroundScene(canvas(), scene());
    Image1->refresh();
}

void TThreeDim::BtnEqOriginClick() {
    BtnMap3Click();
    const int n = Form1 ? static_cast<int>(Form1->selection.selectionCount) : 0;
    ProgressBar1->setRange(0, std::max(1, n));
    if (Form1) {
        drawHypocentres(canvas(), scene(), Form1->catalogue, Form1->selection, hypocentreStyle(),
                        [this](int i) { ProgressBar1->setValue(i); });
    } else {
        // Without a catalogue there is nothing to plot; the land still goes on top.
        static const Catalogue none;
        static const SelectionList empty;
        drawHypocentres(canvas(), scene(), none, empty, hypocentreStyle());
    }
    ProgressBar1->setValue(0);
    Image1->refresh();
}

void TThreeDim::trackBarMoved(QLabel* label, const QString& text) {
    label->setText(text);
    BtnMap3Click();
    drawCentreCross();
}

void TThreeDim::TrackBarCXChange() {
    centreX = TrackBarCX->position();
    trackBarMoved(Label19, QString::number(centreX));
}

void TThreeDim::TrackBarCYChange() {
    centreY = TrackBarCY->position();
    trackBarMoved(Label20, QString::number(centreY));
}

void TThreeDim::TrackBarAlpChange() { trackBarMoved(Label9, angleText(TrackBarAlp->position())); }
void TThreeDim::TrackBarBetChange() { trackBarMoved(Label2, angleText(TrackBarBet->position())); }
void TThreeDim::TrackBarGamChange() { trackBarMoved(Label10, angleText(TrackBarGam->position())); }
void TThreeDim::TrackBarPosXChange() { trackBarMoved(Label11, QString::number(TrackBarPosX->position())); }
void TThreeDim::TrackBarPosYChange() { trackBarMoved(Label12, QString::number(TrackBarPosY->position())); }

void TThreeDim::TrackBarSclXChange() {
    // The partner bar's own handler runs when its position changes.
    if (CBEqual->isChecked()) TrackBarSclY->setPosition(TrackBarSclX->position());
    trackBarMoved(Label15, QString::number(TrackBarSclX->position()));
}

void TThreeDim::TrackBarSclYChange() {
    if (CBEqual->isChecked()) TrackBarSclX->setPosition(TrackBarSclY->position());
    trackBarMoved(Label16, QString::number(TrackBarSclY->position()));
}

void TThreeDim::TrackBarSclZChange() { trackBarMoved(Label18, QString::number(TrackBarSclZ->position())); }

void TThreeDim::CBLineClick() { BtnEqOriginClick(); }
void TThreeDim::CBDepthColorClick() { BtnEqOriginClick(); }
void TThreeDim::CBPaintClick() { BtnEqOriginClick(); }
void TThreeDim::CBHalfClick() { BtnEqOriginClick(); }

void TThreeDim::Button2Click() { TrackBarAlp->setPosition(0); }
void TThreeDim::Button3Click() { TrackBarBet->setPosition(0); }
void TThreeDim::Button4Click() { TrackBarGam->setPosition(0); }

void TThreeDim::Button5Click() {
    if (Map) showWindow(Map);
}

void TThreeDim::Button6Click() {
    if (Form1) showWindow(Form1);
}

void TThreeDim::Button1Click() { close(); }

// ---- Picture output

void TThreeDim::Button7Click() {
    QImage picture = Image1->picture().copy(0, 0, kThreeDimImageWidth, kThreeDimImageHeight);
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setImage(picture);
}

void TThreeDim::Button8Click() {
    QString name;
    if (saveFileNameHook) {
        name = saveFileNameHook();
    } else {
        SaveDialog1->setNameFilters(qtFilters(saveFilter));
        // A name typed without an extension gets the one of the file type being written,
        // so the dialog's overwrite question is asked for the name actually written.
        SaveDialog1->setDefaultSuffix(bmpChosen() ? "bmp" : "png");
        if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
        name = SaveDialog1->selectedFiles().front();
    }
    if (name.isEmpty()) return;
    saveImageAs(name);
}

bool TThreeDim::saveImageAs(const QString& chosen) {
    const bool bmp = bmpChosen();
    return savePicture(Image1->picture(), chosen, bmp);
}
