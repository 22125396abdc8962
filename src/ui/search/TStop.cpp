#include "search/TStop.h"

#include "app/FormUtil.h"
#include "map/TMap.h"
#include "search/TForm1.h"

using namespace kavelo::ui;

TStop* Stop = nullptr;

TStop::TStop(QWidget* parent) : QDialog(parent) {
    initForm(this, "TStop", "震源深さ分布図", 420, 160, true);
    setModal(true);
    Edit1 = makeEdit(this, "Edit1", "20", 16, 16, 60);
    Label1 = makeLabel(this, "Label1", "kmから", 82, 19);
    Edit2 = makeEdit(this, "Edit2", "20", 16, 48, 60);
    Label2 = makeLabel(this, "Label2", "kmごとに，震源深さ分布図を描きますか？", 82, 51);
    Button1 = makeButton(this, "Button1", "最後まで続行", 16, 88, 120, 26);
    Button2 = makeButton(this, "Button2", "次の図", 144, 88, 80, 26);
    Button4 = makeButton(this, "Button4", "前の図", 232, 88, 80, 26);
    Button3 = makeButton(this, "Button3", "中　止", 320, 88, 80, 26);
    Button3->setToolTip("震源分布図を終了する");
    Button5 = makeButton(this, "Button5", "PNGﾌｧｲﾙ", 16, 124, 100, 26);
    Button5->setToolTip("ファイル保存");
    connect(Button1, &QPushButton::clicked, this, &TStop::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TStop::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TStop::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TStop::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TStop::Button5Click);
}

void TStop::runModal() {
    if (modalHook) {
        modalHook(*this);
        return;
    }
    exec();
}

void TStop::choose(int choice) {
    if (Form1) Form1->stopChoice = static_cast<uint8_t>(choice);
    if (isVisible()) accept();
}

void TStop::Button1Click() { choose(0); }
void TStop::Button2Click() { choose(1); }
void TStop::Button3Click() { choose(2); }
void TStop::Button4Click() { choose(3); }

void TStop::reject() {
    if (Form1) Form1->stopChoice = 2;
    QDialog::reject();
}

void TStop::Button5Click() {
    if (Map) Map->Button3Click();
}
