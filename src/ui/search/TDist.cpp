#include "search/TDist.h"

#include "app/Convert.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "map/TMap.h"
#include "search/TForm1.h"

using namespace kavelo::ui;

TDist* Dist = nullptr;

TDist::TDist(QWidget* parent) : QWidget(parent) {
    initForm(this, "TDist", "距離範囲検索", 300, 220, true);
    Label1 = makeLabel(this, "Label1", "中心の緯度 (度分)", 12, 14, 120);
    Edit1 = makeEdit(this, "Edit1", "3429", 136, 12, 80);
    Label2 = makeLabel(this, "Label2", "中心の経度 (度分)", 12, 44, 120);
    Edit2 = makeEdit(this, "Edit2", "13318", 136, 42, 80);
    Label3 = makeLabel(this, "Label3", "半径 (km)", 12, 74, 120);
    Edit3 = makeEdit(this, "Edit3", "100", 136, 72, 80);
    CBCircle = makeCheck(this, "CBCircle", "円", 12, 104, 60, 17, true);
    CBCircle->setToolTip("地図に範囲の円を描く");
    CBMapSet = makeCheck(this, "CBMapSet", "地図上で指定", 80, 104, 140, 17, false);
    CBMapSet->setToolTip("地図をクリックして中心を指定する");

    Button2 = makeButton(this, "Button2", "検索", 12, 136, 84, 28);
    Button2->setToolTip("距離検索を実行");
    Button3 = makeButton(this, "Button3", "解除", 104, 136, 84, 28);
    Button3->setToolTip("距離検索を解除");
    Button1 = makeButton(this, "Button1", "閉じる", 196, 136, 92, 28);
    Button4 = makeButton(this, "Button4", "リスト", 12, 176, 84, 28);
    Button4->setToolTip("ﾘｽﾄを前面に表示");
    Button5 = makeButton(this, "Button5", "地図", 104, 176, 84, 28);
    Button5->setToolTip("地図を前面に表示");

    connect(Button1, &QPushButton::clicked, this, &TDist::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDist::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TDist::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TDist::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TDist::Button5Click);
    connect(CBMapSet, &QCheckBox::clicked, this, &TDist::CBMapSetClick);
    FormCreate();
}

void TDist::FormCreate() {
    distanceOn = 0;
    mapSetOn = 0;
    Button4->setEnabled(false);
    Button5->setEnabled(false);
}

void TDist::Button1Click() { close(); }

// Search within the circle. A rejected radius changes nothing: the circle of an
// earlier search stays as it was for the searches that follow.
void TDist::Button2Click() {
    int lat = 0, lon = 0, radius = 0;
    if (!guarded([&] {
            lat = strToInt(Edit1);
            lon = strToInt(Edit2);
            radius = strToInt(Edit3);
        }))
        return;
    if (radius > kMaxRadiusKm) {
        messageBox("検索距離範囲は300km以内です", "距離エラー");
        return;
    }
    centreLat = lat;
    centreLon = lon;
    radiusKm = radius;
    distanceOn = 1;
    if (Form1) {
        showWindow(Form1);
        Form1->BtnSearchClick();
    }
    if (Map) Map->BtnMapDrawClick();
    Button4->setEnabled(true);
    Button5->setEnabled(true);
}

void TDist::Button3Click() {
    if (Form1) {
        Form1->CBDistance->setChecked(false);
        Form1->CBDistanceClick();
    }
    distanceOn = 0;
    if (Form1) {
        showWindow(Form1);
        Form1->BtnSearchClick();
    }
    if (Map) Map->BtnMapDrawClick();
    Button4->setEnabled(false);
    Button5->setEnabled(false);
}

void TDist::Button4Click() {
    if (Form1) showWindow(Form1);
}

void TDist::Button5Click() {
    if (Map) showWindow(Map);
}

void TDist::CBMapSetClick() { mapSetOn = CBMapSet->isChecked() ? 1 : 0; }
