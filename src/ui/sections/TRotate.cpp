#include "sections/TRotate.h"

#include "app/FormUtil.h"

using namespace kavelo::ui;

TRotate* Rotate = nullptr;

TRotate::TRotate(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TRotate", "回転断面深度分布", 620, 560, true);
    Label3 = makeLabel(this, "Label3", "回転中心", 412, 16, 80);
    Label4 = makeLabel(this, "Label4", "", 412, 36, 80);
    Label5 = makeLabel(this, "Label5", "", 500, 36, 80);
    Label2 = makeLabel(this, "Label2", "", 412, 60, 200, 34);
    Label2->setWordWrap(true);
    Button1 = makeButton(this, "Button1", "開始", 412, 100, 80, 26);
    Button1->setVisible(false);
    connect(Button1, &QPushButton::clicked, this, &TRotate::Button1Click);
}

void TRotate::waitForCentre() {
    waiting = true;
    running = false;
    Label2->setText("回転中心の位置をクリックしてください");
    Label4->clear();
    Label5->clear();
}

void TRotate::showCentre(int lat, int lon) {
    Label4->setText(QString::number(lat));
    Label5->setText(QString::number(lon));
}

void TRotate::centreChosen(int lat, int lon) {
    showCentre(lat, lon);
    Label2->clear();
    waiting = false;
    Button1Click();
    if (!running) waiting = true;
}

void TRotate::Button1Click() {}
