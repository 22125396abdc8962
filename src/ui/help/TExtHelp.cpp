#include "help/TExtHelp.h"

#include "app/FormUtil.h"

TExtHelp* ExtHelp = nullptr;

TExtHelp::TExtHelp(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TExtHelp", "外部地震ﾘｽﾄ読込み", 640, 520);
}
