#include "sections/SectionWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QImage>

#include "app/PictureFile.h"
#include "search/TForm1.h"

#include "map/TMap.h"
#include "map/TZone.h"

namespace kavelo::ui {

ZoneView mapZone() {
    ZoneView z;
    if (!Map) return z;
    z.set = Map->zoneSet;
    z.corners = Map->ZoneCorners;
    z.p1 = Map->P1;
    z.p2 = Map->P2;
    z.start = Map->zoneStart;
    z.end = Map->zoneEnd;
    if (Zone) z.widthItem = Zone->RadioGroup1->items().value(Zone->RadioGroup1->itemIndex());
    return z;
}

AxisDistanceFn mapAxisDistance() {
    return [](float lonDeg) { return Map ? Map->axisDistance(lonDeg) : -1.0f; };
}

bool buildMapZone(const DdmmPoint& first, const DdmmPoint& second, int width) {
    if (!Map) return false;
    // The strip is drawn in XOR with a thin solid pen, so that building it again erases it.
    Canvas& c = Map->canvas();
    const PenMode mode = c.penMode();
    const PenStyle style = c.penStyle();
    const int penWidth = c.penWidth();
    c.setPenMode(PenMode::Xor);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    const bool built = Map->buildZone(first, second, width);
    c.setPenMode(mode);
    c.setPenStyle(style);
    c.setPenWidth(penWidth);
    return built;
}

ZoneCorners mapZoneCorners() { return Map ? Map->ZoneCorners : ZoneCorners{}; }

std::function<QString()> savePictureNameHook;

namespace {
bool bmpChosen() { return Form1 && Form1->BMP1 && Form1->BMP1->isChecked(); }
}  // namespace

QString savePictureCaption() { return bmpChosen() ? "BMPﾌｧｲﾙ" : "PNGﾌｧｲﾙ"; }

void savePictureAs(QWidget* parent, const QImage& picture) {
    const bool bmp = bmpChosen();
    QString name;
    if (savePictureNameHook) {
        name = savePictureNameHook();
    } else {
        const QString dir = Form1 ? QString::fromLocal8Bit(Form1->workDir.c_str()) : QDir::currentPath();
        const QString filter = bmp ? "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp);;すべて(*)" : "PNGﾌｧｲﾙ(*.png);;すべて(*)";
        name = QFileDialog::getSaveFileName(parent, QString(), dir, filter, nullptr, QFileDialog::DontUseNativeDialog);
    }
    if (name.isEmpty()) return;
    savePicture(picture, name, bmp);
}

void copyPicture(TImage& image) {
    const QImage bitmap = image.picture().copy();
    QClipboard* clip = QApplication::clipboard();
    clip->clear();
    clip->setImage(bitmap);
}

}  // namespace kavelo::ui
