#include "sections/TDepthChart.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/FormUtil.h"
#include "map/TMap.h"
#include "search/TForm1.h"
#include "sections/SectionWindows.h"
#include "sections/TSection.h"

using namespace kavelo;
using namespace kavelo::ui;

TDepthChart* DepthChart = nullptr;

TDepthChart::TDepthChart(QWidget* parent) : QWidget(parent) {
    initForm(this, "TDepthChart", "深度分布", 794, 500);
    Label1 = makeLabel(this, "Label1", "", 8, 6, 300, 20);
    Label2 = makeLabel(this, "Label2", "", 12, 32, 120, 20);
    CBInv1 = makeCheck(this, "CBInv1", "", 300, 32, 90, 20);
    Label3 = makeLabel(this, "Label3", "", 405, 32, 120, 20);
    CBInv2 = makeCheck(this, "CBInv2", "", 693, 32, 90, 20);

    Image1 = new TImage(this, kDepthChartSize, kDepthChartSize);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 56, kDepthChartSize, kDepthChartSize);
    Image2 = new TImage(this, kDepthChartSize, kDepthChartSize);
    Image2->setObjectName("Image2");
    Image2->setGeometry(401, 56, kDepthChartSize, kDepthChartSize);

    const int y = 452;
    Button3 = makeButton(this, "Button3", "", 8, y, 72, 30);
    CBDistance = makeCheck(this, "CBDistance", "", 96, y + 5, 110, 20);
    Button2 = makeButton(this, "Button2", "", 214, y, 80, 30);
    BtnSection = makeButton(this, "BtnSection", "", 302, y, 88, 30);
    Button4 = makeButton(this, "Button4", "", 401, y, 72, 30);
    Button5 = makeButton(this, "Button5", "", 624, y, 72, 30);
    BtnSave = makeButton(this, "BtnSave", savePictureCaption(), 481, y, 80, 30);
    BtnSave->setToolTip("両方の図をファイルに保存");
    Button1 = makeButton(this, "Button1", "", 714, y, 72, 30);

    connect(Button1, &QPushButton::clicked, this, &TDepthChart::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDepthChart::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TDepthChart::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TDepthChart::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TDepthChart::Button5Click);
    connect(BtnSection, &QPushButton::clicked, this, &TDepthChart::BtnSectionClick);
    connect(BtnSave, &QPushButton::clicked, this, &TDepthChart::BtnSaveClick);
    connect(CBInv1, &QCheckBox::clicked, this, &TDepthChart::CBInv1Click);
    connect(CBInv2, &QCheckBox::clicked, this, &TDepthChart::CBInv2Click);
    connect(CBDistance, &QCheckBox::clicked, this, &TDepthChart::CBDistanceClick);
    FormCreate();
}

void TDepthChart::FormCreate() {
    for (TImage* im : {Image1, Image2}) {
        im->canvas().clear(clWhite);
        im->refresh();
    }
    Label1->setText("経緯度方向震源深さ");
    Label2->setText("緯度方向");
    Label3->setText("経度方向");
    CBInv1->setText("逆向き");
    CBInv2->setText("逆向き");
    CBDistance->setText("等距離表示");
    Button1->setText("閉じる");
    Button2->setText("再描画");
    Button3->setText("コピー");
    Button4->setText("コピー");
    BtnSection->setText("断面方向");
    Button5->setText("リスト");
}

DepthChartInput TDepthChart::chartInput() const {
    DepthChartInput in;
    if (Form1) {
        in.catalogue = &Form1->catalogue;
        in.selection = &Form1->selection;
    }
    const ZoneView z = mapZone();
    in.corners = z.corners;
    in.p1 = z.p1;
    in.p2 = z.p2;
    in.widthItem = z.widthItem;
    if (Map) {
        in.colorOn = Map->ColorChk->isChecked();
        in.marks = Map->markSettings();
        in.depth = Map->depthClasses();
    }
    in.options.equalDistance = CBDistance->isChecked();
    in.options.invertLat = CBInv1->isChecked();
    in.options.invertLon = CBInv2->isChecked();
    return in;
}

void TDepthChart::drawDepthCharts() {
    kavelo::ui::drawDepthCharts(Image1->canvas(), Image2->canvas(), chartInput());
    Image1->refresh();
    Image2->refresh();
}

void TDepthChart::Button1Click() { close(); }

void TDepthChart::Button2Click() {
    drawDepthCharts();
    showWindow(this);
}

void TDepthChart::Button3Click() { copyPicture(*Image1); }

QImage TDepthChart::bothCharts() {
    const int gap = Image2->x() - Image1->x() - kDepthChartSize;
    QImage both(2 * kDepthChartSize + gap, kDepthChartSize, QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter p(&both);
    p.drawImage(0, 0, Image1->picture());
    p.drawImage(kDepthChartSize + gap, 0, Image2->picture());
    return both;
}

void TDepthChart::BtnSaveClick() { savePictureAs(this, bothCharts()); }
void TDepthChart::Button4Click() { copyPicture(*Image2); }

void TDepthChart::Button5Click() {
    if (Form1) showWindow(Form1);
}

void TDepthChart::BtnSectionClick() {
    if (!Section) return;
    showWindow(Section);
    Section->BtnRunClick();
}

void TDepthChart::CBInv1Click() { drawDepthCharts(); }
void TDepthChart::CBInv2Click() { drawDepthCharts(); }

void TDepthChart::CBDistanceClick() {
    drawDepthCharts();
    showWindow(this);
}
