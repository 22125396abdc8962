#include "help/TExtHelp.h"

#include "app/FormUtil.h"
#include "help/HelpText.h"

TExtHelp* ExtHelp = nullptr;

TExtHelp::TExtHelp(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TExtHelp", "外部地震ﾘｽﾄ読込み", 640, 520);
    kavelo::ui::buildHelpPage(this, kavelo::ui::extHelpText());
}
