#include "sections/TRotate.h"

#include "app/FormUtil.h"

TRotate* Rotate = nullptr;

TRotate::TRotate(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TRotate", "回転断面深度分布", 620, 560, true);
}
