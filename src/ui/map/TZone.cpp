#include "map/TZone.h"

#include "app/FormUtil.h"

TZone* Zone = nullptr;

TZone::TZone(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TZone", "領域設定", 300, 420, true);
}
