#include "external/TEqAdd.h"

#include <QColorDialog>
#include <QLabel>

#include "app/Convert.h"
#include "app/FormUtil.h"
#include "external/StarMark.h"
#include "map/TMap.h"

using namespace kavelo;
using namespace kavelo::ui;

TEqAdd* EqAdd = nullptr;

TEqAdd::TEqAdd(QWidget* parent) : QWidget(parent) {
    initForm(this, "TEqAdd", "震源記号追加", 330, 262, true);
    makeLabel(this, "Label1", "緯度 (ddmm)", 12, 14, 90);
    Edit1 = makeEdit(this, "Edit1", "3407", 104, 11, 80);
    makeLabel(this, "Label2", "経度 (dddmm)", 12, 42, 90);
    Edit2 = makeEdit(this, "Edit2", "13242", 104, 39, 80);
    CBAdd = makeCheck(this, "CBAdd", "地図上で指定", 196, 26, 124, 20, false);

    auto group = [this](const char* name, const QString& title, const QStringList& items, int index,
                        int x, int y, int w, int h) {
        auto* g = new TRadioGroup(this);
        g->setObjectName(name);
        g->setTitle(title);
        g->setItems(items);
        g->setColumns(items.size() > 3 ? 2 : 1);
        g->setItemIndexSilently(index);
        g->setGeometry(x, y, w, h);
        return g;
    };
    RGMark = group("RGMark", "ﾏｰｸ", {"★", "☆", "★★", "☆☆"}, 0, 12, 72, 120, 84);
    RadioGroup2 = group("RadioGroup2", "ｻｲｽﾞ", {"10", "15", "20"}, 1, 140, 72, 82, 84);
    RadioGroup3 = group("RadioGroup3", "色", {"赤", "黒", "その他"}, 0, 230, 72, 88, 84);
    Button1 = makeButton(this, "Button1", "追加", 148, 222, 82, 28);
    Button1->setToolTip("震源を追加表示");
    Button2 = makeButton(this, "Button2", "閉じる", 236, 222, 82, 28);

    connect(Button1, &QPushButton::clicked, this, &TEqAdd::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TEqAdd::Button2Click);
    connect(RadioGroup3, &TRadioGroup::clicked, this, &TEqAdd::RadioGroup3Click);
    FormCreate();
}

void TEqAdd::FormCreate() {
    markColour = clRed;
}

bool TEqAdd::drawStar(int lat, int lon, int kind, int radius) {
    if (!Map) return false;
    const auto s = Map->geoToScreen(lon, lat);
    const MapFrame& f = Map->proj.frame;
    if (!s || s->x < f.left || s->x > f.left + f.width || s->y < f.top || s->y > f.top + f.height)
        return false;
    const int points = kind < 2 ? 5 : 14;
    std::vector<QPoint> pts;
    for (const auto& [x, y] : starVertices(s->x, s->y, points, radius)) pts.emplace_back(x, y);
    Canvas& c = Map->canvas();
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    if (kind % 2 == 0) {  // filled
        c.setBrushStyle(BrushStyle::Solid);
        c.setBrushColor(markColour);
        c.setPenColor(clBlack);
        c.setPenWidth(1);
    } else {  // hollow
        c.setBrushStyle(BrushStyle::Clear);
        c.setPenColor(markColour);
        c.setPenWidth(2);
    }
    c.polygon(pts);
    c.setBrushStyle(BrushStyle::Solid);
    c.setPenWidth(1);
    Map->Image1->refresh();
    return true;
}

void TEqAdd::Button1Click() {
    guarded([this] {
        const int lat = strToInt(Edit1);
        const int lon = strToInt(Edit2);
        drawStar(lat, lon, std::max(0, RGMark->itemIndex()),
                 10 + 5 * std::max(0, RadioGroup2->itemIndex()));
    });
}

void TEqAdd::Button2Click() {
    close();
}

void TEqAdd::RadioGroup3Click() {
    switch (RadioGroup3->itemIndex()) {
        case 0:
            markColour = clRed;
            break;
        case 1:
            markColour = clBlack;
            break;
        case 2: {
            std::optional<QColor> chosen;
            if (colorDialogHook)
                chosen = colorDialogHook(toQColor(markColour));
            else {
                const QColor c = QColorDialog::getColor(toQColor(markColour), this, QString(),
                                                        QColorDialog::DontUseNativeDialog);
                if (c.isValid()) chosen = c;
            }
            if (chosen && chosen->isValid()) markColour = fromQColor(*chosen);
            break;
        }
        default:
            break;
    }
}
