#include "search/TStop.h"

#include "app/FormUtil.h"

TStop* Stop = nullptr;

TStop::TStop(QWidget* parent) : QDialog(parent) {
    kavelo::ui::initForm(this, "TStop", "震源深さ分布図", 420, 160, true);
}
