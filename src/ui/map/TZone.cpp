#include "map/TZone.h"

#include <QCloseEvent>

#include "app/FormUtil.h"
#include "catalogue/EarthquakeRecord.h"
#include "map/TMap.h"
#include "platform/Numbers.h"
#include "search/GreatCircle.h"
#include "search/TForm1.h"
#include "search/TProcess.h"
#include "sections/TDepthChart.h"
#include "sections/TRotate.h"
#include "sections/TSection.h"

using namespace kavelo;
using namespace kavelo::ui;

TZone* Zone = nullptr;

TZone::TZone(QWidget* parent) : QWidget(parent) {
    initForm(this, "TZone", "領域設定", 300, 352, true);
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setColumns(3);
    RadioGroup1->setGeometry(8, 6, 284, 68);

    Label1 = makeLabel(this, "Label1", "", 96, 84, 80);
    Label2 = makeLabel(this, "Label2", "", 188, 84, 80);
    Label3 = makeLabel(this, "Label3", "P1", 24, 106, 60);
    Label5 = makeLabel(this, "Label5", "", 96, 106, 80);
    Label7 = makeLabel(this, "Label7", "", 188, 106, 80);
    Label4 = makeLabel(this, "Label4", "P2", 24, 128, 60);
    Label6 = makeLabel(this, "Label6", "", 96, 128, 80);
    Label8 = makeLabel(this, "Label8", "", 188, 128, 80);
    Label12 = makeLabel(this, "Label12", "", 24, 154, 60);
    Label10 = makeLabel(this, "Label10", "", 96, 154, 80);
    Label11 = makeLabel(this, "Label11", "km", 188, 154, 40);
    for (QLabel* l : {Label5, Label7, Label6, Label8, Label10}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFixedHeight(19);
    }
    Label9 = makeLabel(this, "Label9", "", 12, 182, 276, 38);
    Label9->setWordWrap(true);
    Label9->setStyleSheet("color: #000080");

    CBSnap = makeCheck(this, "CBSnap", "", 16, 230, 130, 17, true);
    CBDepth = makeCheck(this, "CBDepth", "", 156, 230, 130, 17, true);
    Button1 = makeButton(this, "Button1", "", 12, 262, 132, 28);
    Button2 = makeButton(this, "Button2", "", 156, 262, 132, 28);
    BtnRotate = makeButton(this, "BtnRotate", "", 12, 298, 132, 28);
    BtnListup = makeButton(this, "BtnListup", "ﾘｽﾄｱｯﾌﾟ", 156, 298, 132, 28);
    BtnListup->setVisible(false);

    connect(RadioGroup1, &TRadioGroup::clicked, this, &TZone::RadioGroup1Click);
    connect(CBDepth, &QCheckBox::clicked, this, &TZone::CBDepthClick);
    connect(Button1, &QPushButton::clicked, this, &TZone::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TZone::Button2Click);
    connect(BtnRotate, &QPushButton::clicked, this, &TZone::BtnRotateClick);
    connect(BtnListup, &QPushButton::clicked, this, &TZone::BtnListupClick);
    FormCreate();
}

void TZone::FormCreate() {
    RadioGroup1->setTitle("領域の幅");
    RadioGroup1->setItems({"　10'", "　15'", "　30'", "   1°", "   2°", "正方形"});
    RadioGroup1->setItemIndexSilently(kZone1Deg);
    Label1->setText("緯　度");
    Label2->setText("経　度");
    Label12->setText("距　離");
    Label10->setText("     0.0");
    CBSnap->setText("経緯度ｽﾅｯﾌﾟ");
    CBDepth->setText("深度分布図");
    Button1->setText("領域設定");
    Button2->setText("閉じる");
    BtnRotate->setText("領域回転");
}

namespace {
int labelValue(const QLabel* l) { return lenientToInt(l->text().toStdString()); }
}  // namespace

DdmmPoint TZone::p1FromLabels() const { return {labelValue(Label5), labelValue(Label7)}; }
DdmmPoint TZone::p2FromLabels() const { return {labelValue(Label6), labelValue(Label8)}; }

void TZone::showLabelDistance() {
    const DdmmPoint a = p1FromLabels(), b = p2FromLabels();
    const float km = greatCircleKm(ddmmToDegrees(a.lat), ddmmToDegrees(a.lon), ddmmToDegrees(b.lat),
                                   ddmmToDegrees(b.lon));
    Label10->setText(QString::asprintf("%6.1f", static_cast<double>(km)));
}

void TZone::Button1Click() {
    Label9->setText("領域リセット");
    Label10->setText("   0.0");
    if (Map) Map->BtnZoneClick();
}

void TZone::RadioGroup1Click() { Button1Click(); }

void TZone::BtnListupClick() {
    if (!Map || !Form1) return;
    Map->Image1->setEnabled(false);
    Label9->setText("地震検索中...");
    Label9->repaint();
    Form1->Label32->setText("領域検索された地震");
    Form1->zoneSearch(Map->ZoneCorners);
    Map->Image1->setEnabled(true);
    Label9->setText("完了　領域検索を終了するときは必ず閉じてください");
    Label10->setText("   0.0");
    if (CBDepth->isChecked() && DepthChart) {
        DepthChart->drawDepthCharts();
        showWindow(DepthChart);
    }
}

void TZone::CBDepthClick() {
    if (CBDepth->isChecked()) {
        BtnListupClick();
        if (Section) {
            showWindow(Section);
            Section->BtnRunClick();
        }
    } else {
        if (DepthChart) DepthChart->close();
        if (Section) Section->close();
    }
}

void TZone::Button2Click() {
    if (Process) Process->showText("領域検索条件を解除しています");
    if (Map) {
        Map->zoneSet = false;
        Map->zoneMode = false;
        Map->p1Set = false;
    }
    if (Form1) {
        Form1->RadioGroup1->setItemIndexSilently(0);
        Form1->RadioGroup1Click();
    }
    if (Process) Process->close();
    close();
    if (Section) Section->close();
    if (Form1) Form1->BtnMapClick();
}

void TZone::BtnRotateClick() {
    close();
    if (Map) {
        Map->zoneMode = false;
        Map->zoneSet = false;
        Map->p1Set = false;
    }
    if (Rotate) {
        Rotate->waitForCentre();
        showWindow(Rotate);
    }
    if (Section) Section->close();
}

void TZone::closeEvent(QCloseEvent* e) {
    // Only a close from the window frame: the program's own close() calls are not spontaneous.
    if (e->spontaneous() && Map && (Map->zoneMode || Map->zoneSet)) {
        e->ignore();
        Button2Click();
        return;
    }
    QWidget::closeEvent(e);
}
