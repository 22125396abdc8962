#include "map/TMagScale.h"

#include <QCloseEvent>

#include "app/FormUtil.h"
#include "map/MarkRules.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"

using namespace kavelo;
using namespace kavelo::ui;

TMagScale* MagScale = nullptr;

TMagScale::TMagScale(QWidget* parent) : QWidget(parent) {
    initForm(this, "TMagScale", "ﾏｸﾞﾆﾁｭｰﾄﾞｻｲｽﾞ/深さ色分け", 265, 385, true);
    Image1 = new TImage(this, 249, 329);
    Image1->setObjectName("Image1");
    Image1->move(8, 8);
    Button2 = makeButton(this, "Button2", "凡例編集", 24, 348, 100, 26);
    Button1 = makeButton(this, "Button1", "閉じる", 140, 348, 100, 26);
    connect(Button1, &QPushButton::clicked, this, &TMagScale::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMagScale::Button2Click);
    FormCreate();
}

void TMagScale::FormCreate() {
    Canvas& c = Image1->canvas();
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.clear(clWhite);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.setPenColor(clRed);
    c.setFontBold(true);
    c.setFontHeight(20);
    c.textOut(25, 20, "ﾏｸﾞﾆﾁｭｰﾄﾞ");
    c.textOut(125, 20, "震源深さ(km)");

    // Magnitude column: the marks as the map draws them now (style, half size, scale start).
    MarkSettings marks;
    if (Map) marks = Map->markSettings();
    const bool minMag = marks.minMagScale;
    int y = 60;
    for (int m10 = 10; m10 <= 80; m10 += 10) {
        if (minMag && m10 <= 39) continue;
        int r = markRadius(m10, marks);
        c.setPenWidth(marks.markStyle == kMarkHollow && m10 > 49 ? 2 : 1);
        if (marks.markStyle == kMarkFilled) {
            c.setBrushColor(clRed);
            if (m10 > 49) c.setPenColor(clBlack);
        }
        c.ellipsePixels(30 - r, y - r, 30 + r, y + r);
        c.setBrushColor(clWhite);
        c.textOut(60, y - 10, QString::asprintf("%d.0", m10 / 10));
        y += 30;
    }

    // Depth column: the built-in classes, whatever the format window has set.
    struct Row {
        int from, to;
        TColor color;
    };
    const Row rows[] = {{0, 20, clAqua}, {20, 40, clBlue}, {40, 60, clRed}, {60, 80, clFuchsia}, {80, 200, clGreen}, {200, 600, clLime}};
    // The six classes keep the pen width of the last magnitude row (2 for hollow marks);
    // the open class below them is outlined 1 pixel wide.
    c.setPenColor(clBlack);
    y = 60;
    for (const Row& row : rows) {
        c.setBrushColor(row.color);
        c.ellipsePixels(120 - 8, y - 8, 120 + 8, y + 8);
        c.setBrushColor(clWhite);
        c.textOut(140, y - 10, QString::asprintf("%3d - %3d", row.from, row.to));
        y += 30;
    }
    c.setPenWidth(1);
    c.setBrushColor(clOlive);
    c.ellipsePixels(120 - 8, y - 8, 120 + 8, y + 8);
    c.setBrushColor(clWhite);
    c.textOut(148, y - 10, QString::asprintf("%3d - ", 600));

    y += 60;
    c.setBrushColor(clBlack);
    c.ellipsePixels(100 - 8, y - 8, 100 + 8, y + 8);
    c.setBrushColor(clWhite);
    c.textOut(120, y - 10, "1885年以前　　");

    Button2->setText("凡例編集");
    Button1->setText("閉じる");
    setWindowTitle("ﾏｸﾞﾆﾁｭｰﾄﾞｻｲｽﾞ/深さ色分け");
    Image1->refresh();
}

void TMagScale::Button1Click() {
    close();
    if (Map) {
        Map->BtnScale->setText("凡例表示");
        Map->legendShown = 0;
    }
}

void TMagScale::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    // Only a close from the window frame: the program's own close() calls keep the map's state.
    if (e->spontaneous() && e->isAccepted()) Button1Click();
}

void TMagScale::Button2Click() {
    if (MapFormat) showWindow(MapFormat);
}
