#include "search/TOrigin.h"

#include "app/FormUtil.h"

TOrigin* Origin = nullptr;

TOrigin::TOrigin(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TOrigin", "震源パラメータ", 640, 360);
}
