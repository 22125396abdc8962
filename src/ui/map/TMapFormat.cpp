#include "map/TMapFormat.h"

#include <QColorDialog>
#include <QFont>
#include <cmath>

#include "app/Convert.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "map/ColourFile.h"
#include "map/LegendDrawing.h"
#include "map/TMagScale.h"
#include "map/TMap.h"

using namespace kavelo;
using namespace kavelo::ui;

TMapFormat* MapFormat = nullptr;

namespace {

constexpr int kEditableClasses = 7;

// The colour value as the hidden edits hold it: six hexadecimal digits at least.
QString colorHex(TColor c) { return QString("%1").arg(c, 6, 16, QLatin1Char('0')).toUpper(); }

void fillSwatch(TImage* image, TColor c) {
    image->canvas().clear(c);
    image->refresh();
}

QString fileLabel(int slot) { return QString::fromStdString(colourFileName(slot)); }

}  // namespace

TMapFormat::TMapFormat(QWidget* parent) : QWidget(parent) {
    initForm(this, "TMapFormat", "凡例書式設定", 420, 400, true);
    buildControls();
    FormCreate();
}

void TMapFormat::buildControls() {
    Label9 = makeLabel(this, "Label9", "凡例書式設定", 12, 8, 200, 20);
    QFont bold = Label9->font();
    bold.setBold(true);
    Label9->setFont(bold);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(8, 32, 404, 324);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    PageControl1->addTab(TabSheet1, "深さ区分・色設定");
    PageControl1->addTab(TabSheet2, "ｴﾈﾙｷﾞﾚﾍﾞﾙ色設定");

    // Depth page: one row per limit, its colour swatch and button.
    Label8 = makeLabel(TabSheet1, "Label8", "深さ (km)", 76, 10, 90);
    for (int k = 0; k < kEditableClasses; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const int y = 32 + k * 34;
        const QByteArray n = QByteArray::number(k + 1);
        depthLabels[i] = makeLabel(TabSheet1, ("Label" + n).constData(), QString("深さ %1").arg(k + 1), 12, y + 3, 56);
        limitEdits[i] = makeEdit(TabSheet1, ("Edit" + n).constData(), "", 76, y, 56, 24);
        auto* ud = new TUpDown(TabSheet1);
        ud->setObjectName("UpDown" + QString::number(k + 1));
        ud->setGeometry(132, y, 16, 24);
        ud->setRange(0, 1000);
        ud->setIncrement(10);
        ud->setAssociate(limitEdits[i]);
        limitUpDowns[i] = ud;
        auto* img = new TImage(TabSheet1, 28, 22);
        img->setObjectName("Image" + QString::number(k + 1));
        img->move(160, y + 1);
        depthSwatches[i] = img;
        depthColorButtons[i] = makeButton(TabSheet1, ("Button" + QByteArray::number(k + 2)).constData(), "...", 194, y, 30, 24);
        colorEdits[i] = makeEdit(TabSheet1, ("Edit" + QByteArray::number(k + 8)).constData(), "", 230, y, 60, 24);
        colorEdits[i]->setVisible(false);
        connect(depthColorButtons[i], &QPushButton::clicked, this, [this, k] { depthColorClick(k); });
    }
    Button9 = makeButton(TabSheet1, "Button9", "設　定", 300, 32, 88, 28);
    Button10 = makeButton(TabSheet1, "Button10", "既定値", 300, 66, 88, 28);
    Button11 = makeButton(TabSheet1, "Button11", "呼び出し", 300, 132, 88, 28);
    Button12 = makeButton(TabSheet1, "Button12", "保　存", 300, 166, 88, 28);
    RadioGroup1 = new TRadioGroup(TabSheet1);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setTitle("番号");
    RadioGroup1->setItems({"0", "1", "2"});
    RadioGroup1->setColumns(1);
    RadioGroup1->setItemIndexSilently(0);
    RadioGroup1->setGeometry(300, 204, 88, 86);

    // Energy page: one row per level with its threshold.
    for (int k = 0; k < kEnergyLevelCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const int y = 14 + k * 34;
        levelLabels[i] = makeLabel(TabSheet2, ("Label" + QByteArray::number(10 + k)).constData(),
                                   QString("レベル %1").arg(k), 12, y + 3, 60);
        auto* img = new TImage(TabSheet2, 28, 22);
        img->setObjectName("Image" + QString::number(8 + k));
        img->move(76, y + 1);
        energySwatches[i] = img;
        thresholdLabels[i] = makeLabel(TabSheet2, ("Label" + QByteArray::number(17 + k)).constData(), "", 114, y + 3, 140);
        energyColorButtons[i] = makeButton(TabSheet2, ("Button" + QByteArray::number(13 + k)).constData(), "...", 258, y, 30, 24);
        connect(energyColorButtons[i], &QPushButton::clicked, this, [this, k] { energyColorClick(k); });
    }
    Button20 = makeButton(TabSheet2, "Button20", "既定値", 300, 14, 88, 28);
    Button21 = makeButton(TabSheet2, "Button21", "地　図", 300, 48, 88, 28);

    Button1 = makeButton(this, "Button1", "閉じる", 324, 364, 88, 28);

    connect(Button9, &QPushButton::clicked, this, &TMapFormat::Button9Click);
    connect(Button10, &QPushButton::clicked, this, &TMapFormat::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &TMapFormat::Button11Click);
    connect(Button12, &QPushButton::clicked, this, &TMapFormat::Button12Click);
    connect(Button20, &QPushButton::clicked, this, &TMapFormat::Button20Click);
    connect(Button21, &QPushButton::clicked, this, &TMapFormat::Button21Click);
    connect(Button1, &QPushButton::clicked, this, &TMapFormat::Button1Click);
}

QLineEdit* TMapFormat::edit(int k) const {
    return k >= 1 && k <= kEditableClasses ? limitEdits[static_cast<std::size_t>(k - 1)] : nullptr;
}

TImage* TMapFormat::image(int k) const {
    return k >= 1 && k <= kEditableClasses ? depthSwatches[static_cast<std::size_t>(k - 1)] : nullptr;
}

void TMapFormat::FormCreate() {
    if (Map) {
        // The default classes go live, six of them in use until the next Set.
        for (int k = 1; k <= kEditableClasses; ++k) Map->depthBounds[static_cast<std::size_t>(k)] = Map->defaultDepthBounds[static_cast<std::size_t>(k)];
        for (int k = 0; k < kEditableClasses; ++k) Map->depthColors[static_cast<std::size_t>(k)] = Map->defaultDepthColors[static_cast<std::size_t>(k)];
        Map->depthClassCount = 6;
        showDepthSettings();
        showEnergyColors();
    }
    for (int k = 0; k < kEnergyLevelCount; ++k)
        thresholdLabels[static_cast<std::size_t>(k)]->setText(QString::asprintf("Over %8.2e J", std::pow(10.0, 11 + k)));
    Label9->setText("凡例書式設定");
    setWindowTitle("凡例書式設定");
}

// Edits, hidden colour edits and swatches from the live classes.
void TMapFormat::showDepthSettings() {
    for (int k = 1; k <= kEditableClasses; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        limitEdits[i]->setText(QString::number(Map->depthBounds[static_cast<std::size_t>(k)]));
        colorEdits[i]->setText(colorHex(Map->depthColors[i]));
        fillSwatch(depthSwatches[i], Map->depthColors[i]);
    }
}

// The swatches show the colours the energy map uses now.
void TMapFormat::showEnergyColors() {
    for (int k = 0; k < kEnergyLevelCount; ++k)
        fillSwatch(energySwatches[static_cast<std::size_t>(k)], Map->energyLevelColors[static_cast<std::size_t>(k)]);
}

void TMapFormat::Button9Click() {
    if (!Map) return;
    // Every edit is converted before anything changes, so a bad entry leaves the classes as they were.
    std::array<int32_t, kEditableClasses + 1> limits{};
    const bool ok = guarded([&] {
        for (int k = 1; k <= kEditableClasses; ++k) {
            const QString t = limitEdits[static_cast<std::size_t>(k - 1)]->text();
            limits[static_cast<std::size_t>(k)] = t.trimmed().isEmpty() ? 0 : strToInt(t);
        }
    });
    if (!ok) return;
    for (int k = 1; k <= kEditableClasses; ++k) Map->depthBounds[static_cast<std::size_t>(k)] = limits[static_cast<std::size_t>(k)];
    Map->depthBounds[8] = 0;
    int n = 0;
    while (n < 8 && Map->depthBounds[static_cast<std::size_t>(n + 1)] != 0) ++n;
    Map->depthClassCount = n + 1;
    Map->depthColors[7] = clBlack;
    for (int k = n + 2; k <= kEditableClasses; ++k) {
        limitEdits[static_cast<std::size_t>(k - 1)]->setText("0");
        fillSwatch(depthSwatches[static_cast<std::size_t>(k - 1)], clWhite);
    }
    if (MagScale) {
        drawDepthClassLegend(MagScale->Image1->canvas(), Map->depthClasses());
        MagScale->Image1->refresh();
    }
    Map->BtnMapDrawClick();
}

void TMapFormat::Button10Click() {
    FormCreate();
    Button9Click();
}

void TMapFormat::Button11Click() {
    if (!Map) return;
    const int slot = std::clamp(RadioGroup1->itemIndex(), 0, kColourFileSlotCount - 1);
    const ColourFileRead r = readColourFile(colourFileName(slot));
    const QString name = fileLabel(slot);
    switch (r.status) {
    case ColourFileStatus::Ok:
    case ColourFileStatus::Missing:  // no file: every limit cleared, one white class
        break;
    case ColourFileStatus::Unreadable:
        messageBox(QString("%1 を読み込めません．").arg(name), "File Error", MsgButtons::Ok, QMessageBox::Warning);
        return;
    case ColourFileStatus::Empty:
        messageBox(QString("%1 に深さ区分がありません．色設定は変更しません．").arg(name), "File Error",
                   MsgButtons::Ok, QMessageBox::Warning);
        return;
    case ColourFileStatus::Damaged:
        messageBox(QString("%1 の %2 行目は「深さ,色」の整数ではありません．色設定は変更しません．")
                       .arg(name)
                       .arg(r.badLine),
                   "File Error", MsgButtons::Ok, QMessageBox::Warning);
        return;
    }
    const int lines = r.status == ColourFileStatus::Ok ? r.lineCount : 0;
    for (int i = 0; i < lines; ++i) {
        Map->depthBounds[static_cast<std::size_t>(i + 1)] = r.limits[static_cast<std::size_t>(i)];
        Map->depthColors[static_cast<std::size_t>(i)] = r.colors[static_cast<std::size_t>(i)];
    }
    Map->depthClassCount = lines;
    for (int i = lines; i < kDepthSlots; ++i) {
        if (i + 1 < kDepthSlots) Map->depthBounds[static_cast<std::size_t>(i + 1)] = 0;
        Map->depthColors[static_cast<std::size_t>(i)] = clWhite;
    }
    showDepthSettings();
    Button9Click();
}

void TMapFormat::Button12Click() {
    if (!Map) return;
    const int slot = std::clamp(RadioGroup1->itemIndex(), 0, kColourFileSlotCount - 1);
    if (!writeColourFile(colourFileName(slot), Map->depthClasses()))
        messageBox(QString("%1 に色設定を保存できません．").arg(fileLabel(slot)), "File Error", MsgButtons::Ok,
                   QMessageBox::Warning);
}

std::optional<TColor> TMapFormat::chooseColor(TColor initial) {
    if (colorDialogHook) return colorDialogHook(initial);
    const QColor c = QColorDialog::getColor(toQColor(initial), this);
    if (!c.isValid()) return std::nullopt;
    return fromQColor(c);
}

void TMapFormat::depthColorClick(int cls) {
    if (!Map || cls < 0 || cls >= kEditableClasses) return;
    const auto i = static_cast<std::size_t>(cls);
    const auto chosen = chooseColor(Map->depthColors[i]);
    if (!chosen) return;
    Map->depthColors[i] = *chosen;
    colorEdits[i]->setText(colorHex(*chosen));
    fillSwatch(depthSwatches[i], *chosen);
}

void TMapFormat::energyColorClick(int level) {
    if (!Map || level < 0 || level >= kEnergyLevelCount) return;
    const auto i = static_cast<std::size_t>(level);
    const auto chosen = chooseColor(Map->energyLevelColors[i]);
    if (!chosen) return;
    Map->energyLevelColors[i] = *chosen;
    fillSwatch(energySwatches[i], *chosen);
}

void TMapFormat::Button20Click() {
    if (!Map) return;
    Map->energyLevelColors = Map->defaultEnergyLevelColors;
    showEnergyColors();
}

void TMapFormat::Button21Click() {
    if (Map) Map->BtnMapDrawClick();
}

void TMapFormat::Button1Click() { close(); }
