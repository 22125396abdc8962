#include "sections/TSection.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/FormUtil.h"
#include "map/TMap.h"
#include "search/TForm1.h"
#include "sections/SectionWindows.h"
#include "sections/TDepthChart.h"

using namespace kavelo;
using namespace kavelo::ui;

TSection* Section = nullptr;

TSection::TSection(QWidget* parent) : QWidget(parent) {
    initForm(this, "TSection", "深度分布", 921, 556);
    Label1 = makeLabel(this, "Label1", "", 12, 12, 200, 20);
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(220, 4, 170, 66);
    RadioGroup2 = new TRadioGroup(this);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setGeometry(398, 4, 170, 66);
    CBInverse = makeCheck(this, "CBInverse", "", 578, 12, 80, 20);
    CBPoint = makeCheck(this, "CBPoint", "", 578, 42, 80, 20);
    CBPoint->hide();
    BtnRun = makeButton(this, "BtnRun", "", 12, 40, 80, 28);
    Button1 = makeButton(this, "Button1", "", 100, 40, 100, 28);
    Button2 = makeButton(this, "Button2", "", 666, 8, 72, 28);
    Button4 = makeButton(this, "Button4", "", 746, 8, 72, 28);
    Button3 = makeButton(this, "Button3", "", 826, 8, 84, 28);
    BtnSave = makeButton(this, "BtnSave", savePictureCaption(), 666, 42, 72, 28);
    BtnSave->setToolTip("ファイル保存");

    Image1 = new TImage(this, kSectionWidth, kSectionHeight);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 80, kSectionWidth, kSectionHeight);

    connect(BtnRun, &QPushButton::clicked, this, &TSection::BtnRunClick);
    connect(Button1, &QPushButton::clicked, this, &TSection::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSection::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TSection::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TSection::Button4Click);
    connect(BtnSave, &QPushButton::clicked, this, &TSection::BtnSaveClick);
    connect(CBInverse, &QCheckBox::clicked, this, &TSection::CBInverseClick);
    connect(RadioGroup1, &TRadioGroup::clicked, this, &TSection::RadioGroup1Click);
    connect(RadioGroup2, &TRadioGroup::clicked, this, &TSection::RadioGroup2Click);
    FormCreate();
}

void TSection::FormCreate() {
    Image1->canvas().clear(clWhite);
    Image1->refresh();
    Label1->setText("断面方向深度分布");
    BtnRun->setText("再描画");
    Button1->setText("経緯度方向");
    RadioGroup1->setTitle("水平方向倍率");
    RadioGroup1->setItems({"×1", "×2", "×5"});
    RadioGroup1->setColumns(3);
    RadioGroup1->setItemIndexSilently(0);
    RadioGroup2->setTitle("上下方向倍率");
    RadioGroup2->setItems({"×1", "×2", "×5"});
    RadioGroup2->setColumns(3);
    RadioGroup2->setItemIndexSilently(0);
    CBInverse->setText("逆向き");
    Button2->setText("コピー");
    Button3->setText("閉じる");
    Button4->setText("リスト");
}

SectionInput TSection::sectionInput() const {
    SectionInput in;
    if (Form1) {
        in.catalogue = &Form1->catalogue;
        in.selection = &Form1->selection;
    }
    const ZoneView z = mapZone();
    in.p1 = z.p1;
    in.p2 = z.p2;
    in.start = z.start;
    in.end = z.end;
    in.widthItem = z.widthItem;
    in.axisDistance = mapAxisDistance();
    if (Map) {
        in.colorOn = Map->ColorChk->isChecked();
        in.marks = Map->markSettings();
        in.depth = Map->depthClasses();
    }
    in.horizontalItem = RadioGroup1->itemIndex();
    in.verticalItem = RadioGroup2->itemIndex();
    in.reversed = CBInverse->isChecked();
    return in;
}

void TSection::BtnRunClick() {
    const SectionGeometry g = drawCrossSection(Image1->canvas(), sectionInput());
    if (g.kind() == SectionLineKind::Oblique) slope = g.slope();
    Image1->refresh();
}

void TSection::Button1Click() {
    if (DepthChart) showWindow(DepthChart);
}

void TSection::Button2Click() { copyPicture(*Image1); }
void TSection::BtnSaveClick() { savePictureAs(this, Image1->picture()); }
void TSection::Button3Click() { close(); }

void TSection::Button4Click() {
    if (Form1) showWindow(Form1);
}

void TSection::CBInverseClick() { BtnRunClick(); }
void TSection::RadioGroup1Click() { BtnRunClick(); }
void TSection::RadioGroup2Click() { BtnRunClick(); }
