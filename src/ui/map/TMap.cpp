#include "map/TMap.h"

#include "app/FormUtil.h"

TMap* Map = nullptr;

TMap::TMap(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TMap", "震央分布", 760, 720);
}
