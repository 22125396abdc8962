#include "search/TOrigin.h"

#include <QFontMetrics>

#include "app/FormUtil.h"

using namespace kavelo::ui;

TOrigin* Origin = nullptr;

TOrigin::TOrigin(QWidget* parent) : QWidget(parent) {
    initForm(this, "TOrigin", "震源パラメータ", 640, 360);
    Label1 = makeLabel(this, "Label1", "", 12, 8, 160);
    Label2 = makeLabel(this, "Label2", "", 120, 8, 100);
    Label3 = makeLabel(this, "Label3", "", 224, 8, 404);

    StringGrid1 = new TStringGrid(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->cells()->setColCount(1);
    StringGrid1->setColWidths({596});
    StringGrid1->setGeometry(12, 50, 616, 180);
    // The pick text is one line of fixed fields; a fixed-pitch font keeps them in columns
    // under the seven labels.
    QFont mono(QStringLiteral("IPAGothic"));
    mono.setStyleHint(QFont::Monospace);
    mono.setFixedPitch(true);
    mono.setPixelSize(13);
    StringGrid1->setFont(mono);
    const int cw = QFontMetrics(mono).horizontalAdvance(QLatin1Char('0'));

    const char* names[] = {"Label6", "Label7", "Label8", "Label9", "Label10", "Label11", "Label12"};
    const char* texts[] = {"発震日", "時分", "緯度", "経度", "深さ", "Ｍ", "震源地"};
    // Character columns of "yyyy/mm/dd hh:mm lat lon dep m.m // name".
    const int cols[] = {0, 11, 17, 22, 28, 32, 39};
    QLabel** labels[] = {&Label6, &Label7, &Label8, &Label9, &Label10, &Label11, &Label12};
    for (int i = 0; i < 7; ++i) *labels[i] = makeLabel(this, names[i], texts[i], 12 + 4 + cols[i] * cw, 30, 6 * cw);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setGeometry(12, 238, 616, 80);

    Button1 = makeButton(this, "Button1", "閉じる", 540, 326, 88, 26);
    connect(Button1, &QPushButton::clicked, this, &TOrigin::Button1Click);
}

void TOrigin::setColumnLabelsVisible(bool on) {
    for (QLabel* l : {Label6, Label7, Label8, Label9, Label10, Label11, Label12}) l->setVisible(on);
}

void TOrigin::Button1Click() { close(); }
