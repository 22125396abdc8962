#include "map/TEngScale.h"

#include <QCloseEvent>
#include <cmath>

#include "app/FormUtil.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"

using namespace kavelo;
using namespace kavelo::ui;

TEngScale* EngScale = nullptr;

namespace {

constexpr int kSwatchSize = 30;
constexpr int kRowStep = 34;
constexpr int kFirstRowY = 40;

void fillSwatch(TImage* image, TColor c) {
    image->canvas().clear(c);
    image->refresh();
}

}  // namespace

TEngScale::TEngScale(QWidget* parent) : QWidget(parent) {
    initForm(this, "TEngScale", "放出エネルギレベル", 265, 360, true);
    Label10 = makeLabel(this, "Label10", "放出エネルギレベル", 16, 10, 233, 20);
    QFont f = Label10->font();
    f.setBold(true);
    Label10->setFont(f);
    for (int k = 0; k < 8; ++k) {
        const int y = kFirstRowY + k * kRowStep;
        auto* img = new TImage(this, kSwatchSize, kSwatchSize);
        img->setObjectName(QString("Image%1").arg(9 + k));
        img->move(24, y);
        swatches[static_cast<std::size_t>(k)] = img;
        levelLabels[static_cast<std::size_t>(k)] =
            makeLabel(this, QString("Label%1").arg(11 + k).toLatin1().constData(), "", 66, y + 6, 180, 18);
    }
    Button1 = makeButton(this, "Button1", "凡例編集", 24, 322, 100, 26);
    Button2 = makeButton(this, "Button2", "閉じる", 140, 322, 100, 26);
    connect(Button1, &QPushButton::clicked, this, &TEngScale::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TEngScale::Button2Click);
    FormCreate();
}

void TEngScale::FormCreate() {
    const EnergyColors defaults;
    fillSwatch(swatches[0], rgb(236, 251, 255));
    for (int k = 0; k < kEnergyLevelCount; ++k)
        fillSwatch(swatches[static_cast<std::size_t>(k + 1)], defaults.levels[static_cast<std::size_t>(k)]);
    levelLabels[0]->setText(QString::asprintf("Under %8.2e J", 1e11));
    for (int k = 0; k < kEnergyLevelCount; ++k)
        levelLabels[static_cast<std::size_t>(k + 1)]->setText(QString::asprintf("Over  %8.2e J", std::pow(10.0, 11 + k)));
    Label10->setText("放出エネルギレベル");
    Button1->setText("凡例編集");
    Button2->setText("閉じる");
    setWindowTitle("放出エネルギレベル");
}

void TEngScale::showColors(const EnergyColors& colors) {
    fillSwatch(swatches[0], colors.base);
    for (int k = 0; k < kEnergyLevelCount; ++k)
        fillSwatch(swatches[static_cast<std::size_t>(k + 1)], colors.levels[static_cast<std::size_t>(k)]);
}

void TEngScale::Button1Click() {
    if (MapFormat) showWindow(MapFormat);
}

namespace {

void legendClosed() {
    if (!Map) return;
    Map->BtnScale->setText("凡例表示");
    Map->legendShown = 0;
}

}  // namespace

void TEngScale::Button2Click() {
    legendClosed();
    close();
}

void TEngScale::closeEvent(QCloseEvent* e) {
    legendClosed();
    QWidget::closeEvent(e);
}
