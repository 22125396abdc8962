#include "map/TEngScale.h"

#include "app/FormUtil.h"

TEngScale* EngScale = nullptr;

TEngScale::TEngScale(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TEngScale", "放出エネルギレベル", 265, 360, true);
}
