#include "map/TMapFormat.h"

#include "app/FormUtil.h"

TMapFormat* MapFormat = nullptr;

TMapFormat::TMapFormat(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TMapFormat", "凡例書式設定", 420, 420, true);
}
