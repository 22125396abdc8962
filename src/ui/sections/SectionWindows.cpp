#include "sections/SectionWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>

#include "map/TMap.h"
#include "map/TZone.h"

namespace kavelo::ui {

ZoneView mapZone() {
    ZoneView z;
    return z;
}

AxisDistanceFn mapAxisDistance() { return {}; }

bool buildMapZone(const DdmmPoint&, const DdmmPoint&, int) { return false; }

ZoneCorners mapZoneCorners() { return {}; }

void copyPicture(TImage& image) {
    const QImage bitmap = image.picture().copy();
    QClipboard* clip = QApplication::clipboard();
    clip->clear();
    clip->setImage(bitmap);
}

}  // namespace kavelo::ui
