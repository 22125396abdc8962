#include "external/TEqAdd.h"

#include "app/FormUtil.h"

TEqAdd* EqAdd = nullptr;

TEqAdd::TEqAdd(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TEqAdd", "震源記号追加", 360, 300);
}
