#include "external/TEqAdd.h"

#include "app/FormUtil.h"

TEqAdd* EqAdd = nullptr;

TEqAdd::TEqAdd(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TEqAdd", "震源記号追加", 360, 300);
    Edit1 = kavelo::ui::makeEdit(this, "Edit1", "3407", 16, 16, 80);
    Edit2 = kavelo::ui::makeEdit(this, "Edit2", "13242", 104, 16, 80);
    CBAdd = kavelo::ui::makeCheck(this, "CBAdd", "地図上で指定", 196, 18, 140);
}
