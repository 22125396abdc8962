#include "map/TMap.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QVariant>
#include <cmath>

#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/PictureFile.h"
#include "external/TEqAdd.h"
#include "external/TExtFile.h"
#include "map/TEngScale.h"
#include "map/TMagScale.h"
#include "platform/ImageFile.h"
#include "search/TDist.h"
#include "search/TForm1.h"
#include "search/TOrigin.h"
#include "search/TProcess.h"
#include "sections/TThreeDim.h"

using namespace kavelo;
using namespace kavelo::ui;

TMap* Map = nullptr;

namespace {

const std::array<int32_t, kDepthSlots> kDefaultBounds{0, 20, 40, 60, 80, 200, 600, 0, 0};
const std::array<TColor, kDepthSlots> kDefaultColors{clAqua, clBlue, clRed, clFuchsia, clGreen,
                                                     clLime, clOlive, clBlack, clWhite};

// "A(*.a)|*.a|B(*.*)|*.*" -> "A(*.a);;B(*.*)"
QString qtFilter(const QString& filter) {
    QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) out << parts[i];
    return out.join(";;");
}

}  // namespace

TMap::TMap(QWidget* parent) : QWidget(parent) {
    initForm(this, "TMap", "震央分布", 752, 776);
    buildControls();
    markStyle = static_cast<uint8_t>(CircleGroup->itemIndex());
    depthBounds = defaultDepthBounds = kDefaultBounds;
    depthColors = defaultDepthColors = kDefaultColors;
    depthClassCount = defaultDepthClassCount = 7;
    proj.frame = MapFrame{};
    proj.restoreFullView();
    proj.resetViewPending = true;
    std::string workDir = Form1 ? Form1->workDir : QDir::currentPath().toStdString();
    createdOk_ = loadMapData(workDir + "/DATA");
}

bool TMap::loadMapData(const std::string& dataDir) {
    CoastLines c;
    ProjectionGrid g;
    MapDataResult r = kavelo::loadMapData(dataDir, c, g);
    if (!r.ok) {
        messageBox(QString::fromLocal8Bit(r.message.c_str()), QString::fromStdString(r.caption));
        return false;
    }
    coasts = std::move(c);
    proj.grid = g;
    return true;
}

void TMap::buildControls() {
    Image1 = new TImage(this, kMapImageWidth, kMapImageHeight);
    Image1->setObjectName("Image1");
    Image1->move(16, 16);
    Image1->canvas().clear(clWhite);

    const int y1 = 624;
    BtnMapDraw = makeButton(this, "BtnMapDraw", "地　図", 16, y1, 72, 26);
    Button2 = makeButton(this, "Button2", "再描画", 92, y1, 72, 26);
    Button4 = makeButton(this, "Button4", "リスト", 168, y1, 72, 26);
    BtnZone = makeButton(this, "BtnZone", "領域・深さ", 244, y1, 84, 26);
    BtnScale = makeButton(this, "BtnScale", "凡例表示", 332, y1, 84, 26);
    CopyBtn = makeButton(this, "CopyBtn", "コピー", 420, y1, 64, 26);
    Button3 = makeButton(this, "Button3", "PNGﾌｧｲﾙ", 488, y1, 84, 26);
    BtnEqAdd = makeButton(this, "BtnEqAdd", "震源追加", 576, y1, 76, 26);
    Button1 = makeButton(this, "Button1", "閉じる", 656, y1, 80, 26);

    auto group = [this](const char* name, const QString& caption, const QStringList& items, int columns, int index,
                        int x, int y, int w, int h) {
        auto* g = new TRadioGroup(this);
        g->setObjectName(name);
        g->setTitle(caption);
        g->setItems(items);
        g->setColumns(columns);
        g->setItemIndexSilently(index);
        g->setGeometry(x, y, w, h);
        return g;
    };
    const int y2 = 654;
    PenGroup = group("PenGroup", "海岸線太さ", {"1", "2", "3", "0"}, 4, 0, 16, y2, 150, 46);
    GridGroup = group("GridGroup", "経緯度分割", {"なし", "2゜", "1゜", "30´", "15´", "10´"}, 3, 1, 170, y2, 220, 64);
    CircleGroup = group("CircleGroup", "震源マーク", {"。", "○", "●"}, 3, 2, 394, y2, 120, 46);
    SelectGroup = group("SelectGroup", "領域ｻｲｽﾞ", {"50", "100", "150", "200", "300", "全域"}, 3, 5, 518, y2, 218, 64);

    const int y3 = 724;
    ColorChk = makeCheck(this, "ColorChk", "カラー", 16, y3, 70, 20, true);
    OriginChk = makeCheck(this, "OriginChk", "震源", 90, y3, 60, 20, true);
    EnergyChk = makeCheck(this, "EnergyChk", "ｴﾈﾙｷﾞｰ", 154, y3, 80, 20, false);
    AreaChk = makeCheck(this, "AreaChk", "密度", 238, y3, 60, 20, false);
    AreaChk->setEnabled(false);
    CBHalfSize = makeCheck(this, "CBHalfSize", "1/2震源ｻｲｽﾞ", 302, y3, 110, 20, false);
    CBMinMag = makeCheck(this, "CBMinMag", "最小ｻｲｽﾞM4.0", 416, y3, 130, 20, false);
    D3Chk = makeCheck(this, "D3Chk", "3D", 550, y3, 50, 20, false);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(16, 750, 720, 16);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);

    connect(BtnMapDraw, &QPushButton::clicked, this, &TMap::BtnMapDrawClick);
    connect(Button2, &QPushButton::clicked, this, &TMap::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &TMap::Button4Click);
    connect(BtnScale, &QPushButton::clicked, this, &TMap::BtnScaleClick);
    connect(CopyBtn, &QPushButton::clicked, this, &TMap::CopyBtnClick);
    connect(Button3, &QPushButton::clicked, this, &TMap::Button3Click);
    connect(BtnEqAdd, &QPushButton::clicked, this, &TMap::BtnEqAddClick);
    connect(Button1, &QPushButton::clicked, this, &TMap::Button1Click);
    connect(PenGroup, &TRadioGroup::clicked, this, &TMap::PenGroupClick);
    connect(GridGroup, &TRadioGroup::clicked, this, &TMap::GridGroupClick);
    connect(CircleGroup, &TRadioGroup::clicked, this, &TMap::CircleGroupClick);
    connect(ColorChk, &QCheckBox::clicked, this, &TMap::ColorChkClick);
    connect(OriginChk, &QCheckBox::clicked, this, &TMap::OriginChkClick);
    connect(AreaChk, &QCheckBox::clicked, this, &TMap::AreaChkClick);
    connect(EnergyChk, &QCheckBox::clicked, this, &TMap::EnergyChkClick);
    connect(CBHalfSize, &QCheckBox::clicked, this, &TMap::CBHalfSizeClick);
    connect(CBMinMag, &QCheckBox::clicked, this, &TMap::CBMinMagClick);
    // The 3-D choice follows the box however it changes (the main window sets it too).
    connect(D3Chk, &QCheckBox::toggled, this, &TMap::D3ChkClick);
    connectInteraction();
}

// ---- Conversions and drawing steps

namespace {
void showScrMapMessage(GeoStatus status) {
    if (status == GeoStatus::LongitudeFailed)
        messageBox("Longitude calculation failed", "scr_map");
    else if (status == GeoStatus::LatitudeFailed)
        messageBox("Latitude calculation failed", "scr_map");
}
}  // namespace

GeoResult TMap::screenToGeo(int sx, int sy) const {
    GeoResult r = proj.screenToGeo(sx, sy);
    showScrMapMessage(r.status);
    return r;
}

MapColors TMap::mapColors() const {
    MapColors c;
    c.seaColor = seaColor;
    c.landColor = landColor;
    c.coastColor = coastColor;
    c.gridColor = gridColor;
    c.subGridColor = subGridColor;
    c.energyBaseColor = energyBaseColor;
    return c;
}

bool TMap::landFillOff() const {
    return (Form1 && Form1->None3 && Form1->None3->isChecked()) || EnergyChk->isChecked();
}

BaseMapOptions TMap::baseMapOptions() const {
    BaseMapOptions o;
    o.coastWidthChoice = PenGroup->itemIndex();
    o.gridDivision = GridGroup->itemIndex();
    o.colorOn = ColorChk->isChecked();
    o.fillLand = !landFillOff();
    return o;
}

MarkSettings TMap::markSettings() const {
    MarkSettings s;
    s.markStyle = markStyle;
    s.halfSize = halfSize;
    s.minMagScale = CBMinMag->isChecked();
    return s;
}

DepthClasses TMap::depthClasses() const {
    DepthClasses d;
    d.bounds = depthBounds;
    d.colors = depthColors;
    d.classCount = depthClassCount;
    return d;
}

PlotStyle TMap::plotStyle() const {
    PlotStyle p;
    p.marks = markSettings();
    p.depth = depthClasses();
    p.colorOn = ColorChk->isChecked();
    return p;
}

void TMap::fillBackground(TColor color) { kavelo::ui::fillBackground(canvas(), color); }
void TMap::drawCoast() { kavelo::ui::drawCoast(canvas(), proj, coasts, mapColors(), baseMapOptions()); }
void TMap::drawGraticule() { kavelo::ui::drawGraticule(canvas(), proj, mapColors(), baseMapOptions()); }
void TMap::drawGraticuleLabels() { kavelo::ui::drawGraticuleLabels(canvas(), proj, &drawFailures); }
void TMap::drawFrame() { kavelo::ui::drawFrame(canvas(), proj.frame); }
void TMap::drawGeoLine(int lon1, int lat1, int lon2, int lat2) {
    kavelo::ui::drawGeoLine(canvas(), proj, lon1, lat1, lon2, lat2);
}

// ---- The full drawing

void TMap::BtnMapDrawClick() {
    if (threeDMode) {
        if (Process) Process->showText("３次元震源分布図を描いています...!");
        CBHalfSize->setChecked(false);
        halfSize = 0;
        if (ThreeDim) {
            ThreeDim->BtnMap3Click();
            ThreeDim->BtnEqOriginClick();
        }
        if (Process) Process->close();
        if (ThreeDim) showWindow(ThreeDim);
        return;
    }
    // The full drawing paints in copy mode and removes every XOR figure; the mode in use
    // before (the rotating section's XOR) comes back at the end.
    const PenMode penModeBefore = canvas().penMode();
    canvas().setPenMode(PenMode::Copy);
    ++fullDrawings;
    zoomBoxShown = false;
    rubberShown = false;
    fillBackground(seaColor);
    drawFailures = {};
    setWindowTitle("震央分布");
    if (proj.resetViewPending) proj.restoreFullView();
    markStyle = static_cast<uint8_t>(std::max(0, CircleGroup->itemIndex()));
    drawCoast();
    drawGraticule();
    if (OriginChk->isChecked() && !(Form1 && Form1->extListShown)) plotSelection();
    if (EnergyChk->isChecked()) drawEnergyStep();
    drawFrame();
    if (GridGroup->itemIndex() != kGridDivisionNone) drawGraticuleLabels();
    if (drawFailures.count > 0) showScrMapMessage(drawFailures.first);
    if (EnergyChk->isChecked()) {
        canvas().setPenMode(penModeBefore);
        Image1->refresh();
        showWindow(this);
        return;
    }
    if (zoneSet) drawZoneOutline();
    if (Form1 && Form1->depthAnimating) {
        Canvas& c = canvas();
        c.setFontBold(true);
        c.setFontHeight(16);
        c.setBrushStyle(BrushStyle::Clear);
        c.textOut(80, 70, QString::asprintf("震源深さ %4d -%4d (km)", Form1->depthTop, Form1->depthTop + Form1->depthStep));
        c.setBrushStyle(BrushStyle::Solid);
    }
    drawRangeCircle();
    canvas().setPenMode(penModeBefore);
    Image1->refresh();
    showWindow(this);
    if (ExtFile)
        if (auto* panel = ExtFile->findChild<QWidget*>("Panel2")) panel->setEnabled(true);
}

void TMap::plotSelection() {
    if (!Form1) return;
    const SelectionList& sel = Form1->selection;
    ProgressBar1->setRange(0, std::max(1, static_cast<int>(sel.selectionCount)));
    GeoBounds visible = proj.visibleBounds(gridCellSize(GridGroup->itemIndex()), &drawFailures);
    kavelo::ui::plotSelection(canvas(), proj, Form1->catalogue, sel, plotStyle(), visible,
                              [this](int i) { ProgressBar1->setValue(i); });
}

std::optional<TMap::RangeCircleState> TMap::rangeCircleState() const {
    if (rangeCircleOverride) return *rangeCircleOverride;
    if (!Dist || !Dist->distanceOn || !Dist->CBCircle->isChecked()) return std::nullopt;
    return RangeCircleState{static_cast<int>(Dist->centreLat), static_cast<int>(Dist->centreLon),
                            static_cast<double>(Dist->radiusKm)};
}

void TMap::drawRangeCircle() {
    if (auto s = rangeCircleState()) kavelo::ui::drawRangeCircle(canvas(), proj, s->centreLon, s->centreLat, s->radiusKm);
}

void TMap::markRecord(int k) {
    if (!Form1 || k < 0 || k >= Form1->catalogue.recordCount) return;
    const EarthquakeRecord& rec = Form1->catalogue[k];
    Canvas& c = canvas();
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setPenColor(rec.date < 18850001 ? clBlue : clRed);
    c.setBrushStyle(BrushStyle::Clear);
    auto s = geoToScreen(rec.lon, rec.lat);
    if (!s) return;
    int r = markRadius(rec.mag);
    c.setPenWidth(rec.mag <= 60 ? 1 : 2);
    c.ellipsePixels(s->x - r, s->y - r, s->x + r, s->y + r);
    c.setBrushStyle(BrushStyle::Solid);
    Image1->refresh();
}

void TMap::drawExternalMark(const EarthquakeRecord& rec, int kind, int s) {
    if (kind < 0 || kind > 6) return;
    const int n = kind < 2 ? 5 : 14;
    const float a = 2.0f * 3.14159265f / static_cast<float>(n);
    const float halfPi = 3.14159265f / 2.0f;
    const int inner = externalMarkInnerRadius(kind, s);
    Canvas& c = canvas();
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setBrushColor(clRed);
    if (kind % 2 == 1) {
        c.setPenColor(clRed);
        c.setPenWidth(2);
        c.setBrushStyle(BrushStyle::Clear);
    } else {
        c.setPenColor(clBlack);
        c.setPenWidth(1);
        c.setBrushStyle(BrushStyle::Solid);
    }
    auto p = geoToMap(rec.lon, rec.lat);
    if (!p) return;
    ScreenPoint sp = mapToScreen(p->x, p->y);
    const float sx = static_cast<float>(sp.x), sy = static_cast<float>(sp.y);
    if (kind <= 3) {
        std::vector<QPoint> pts;
        for (int j = 0; j < n; ++j) {
            float t = static_cast<float>(j) * a + halfPi;
            pts.emplace_back(static_cast<int>(sx + std::cos(t) * s), static_cast<int>(sy - std::sin(t) * s));
            float ti = t + a / 2.0f;
            pts.emplace_back(static_cast<int>(sx + std::cos(ti) * inner), static_cast<int>(sy - std::sin(ti) * inner));
        }
        c.polygon(pts);
    } else if (kind <= 5) {
        c.ellipsePixels(sp.x - inner, sp.y - inner, sp.x + inner, sp.y + inner);
    } else {
        int r = markRadius(rec.mag);
        TColor color = depthColor(rec.depth);
        c.setBrushColor(color);
        c.setPenColor(r <= 1 ? color : clBlack);
        c.ellipsePixels(sp.x - r, sp.y - r, sp.x + r, sp.y + r);
    }
    c.setBrushStyle(BrushStyle::Solid);
    c.setPenWidth(1);
    Image1->refresh();
}

void TMap::drawExternalMark(int k) {
    EarthquakeRecord rec;
    int kind = 0, size = 10;
    if (externalMarkSource && externalMarkSource(k, rec, kind, size)) drawExternalMark(rec, kind, size);
}

// ---- Commands

void TMap::Button2Click() {
    if (!Form1) return;
    if (Process) Process->showText("地震を検索しています....");
    if (Form1->RadioGroup1->itemIndex() == 1)
        Form1->BtnSearchClick();
    else
        Form1->selection.setIdentity(Form1->catalogue.recordCount);
    if (Process) Process->showText("震央分布図を描いています....");
    BtnMapDrawClick();
    if (Process) Process->close();
}

void TMap::Button4Click() {
    if (Form1) showWindow(Form1);
}

void TMap::BtnScaleClick() {
    if (MagScale) MagScale->FormCreate();
    QWidget* legend = EnergyChk->isChecked() ? static_cast<QWidget*>(EngScale) : static_cast<QWidget*>(MagScale);
    if (legendShown) {
        if (legend) legend->hide();
        BtnScale->setText("凡例表示");
        legendShown = 0;
    } else {
        if (!EnergyChk->isChecked() && MagScale) MagScale->FormCreate();
        if (legend) showWindow(legend);
        BtnScale->setText("凡例消去");
        legendShown = 1;
    }
}

void TMap::ColorChkClick() { BtnMapDrawClick(); }
void TMap::GridGroupClick() { BtnMapDrawClick(); }
void TMap::CircleGroupClick() { BtnMapDrawClick(); }
void TMap::PenGroupClick() { BtnMapDrawClick(); }
void TMap::AreaChkClick() { BtnMapDrawClick(); }

void TMap::OriginChkClick() {
    if (OriginChk->isChecked() && EnergyChk->isChecked()) {
        EnergyChk->setChecked(false);
        EnergyChkClick();
    }
    BtnMapDrawClick();
}

void TMap::CBHalfSizeClick() {
    halfSize = CBHalfSize->isChecked() ? 1 : 0;
    BtnMapDrawClick();
    if (MagScale) {
        MagScale->FormCreate();
        showWindow(MagScale);
    }
}

void TMap::CBMinMagClick() {
    BtnMapDrawClick();
    if (MagScale) MagScale->FormCreate();
}

void TMap::D3ChkClick() { threeDMode = D3Chk->isChecked() ? 1 : 0; }

void TMap::BtnEqAddClick() {
    if (EqAdd) showWindow(EqAdd);
}

void TMap::Button1Click() {
    close();
    closeCompanions();
}

void TMap::closeCompanions() {
    if (Origin) Origin->close();
    if (MagScale) MagScale->close();
    if (EngScale) EngScale->close();
}

void TMap::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    // Only a close from the window frame: the program's own close() calls are not spontaneous.
    if (e->spontaneous() && e->isAccepted()) closeCompanions();
}

// ---- Picture output

void TMap::CopyBtnClick() {
    QImage picture = Image1->picture().copy(0, 0, kMapImageWidth, kMapImageHeight);
    QApplication::clipboard()->setImage(picture);
}

void TMap::Button3Click() {
    QString name;
    if (saveFileNameHook) {
        name = saveFileNameHook();
    } else {
        QString dir = Form1 ? QString::fromLocal8Bit(Form1->workDir.c_str()) : QDir::currentPath();
        name = QFileDialog::getSaveFileName(this, QString(), dir, qtFilter(saveFilter), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
    if (name.isEmpty()) return;
    saveImageAs(name);
}

bool TMap::saveImageAs(const QString& chosen) {
    const bool bmp = Form1 && Form1->BMP1 && Form1->BMP1->isChecked();
    return savePicture(Image1->picture(), chosen, bmp);
}
