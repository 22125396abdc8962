#include "help/TDistHelp.h"

#include "app/FormUtil.h"
#include "help/HelpText.h"

TDistHelp* DistHelp = nullptr;

TDistHelp::TDistHelp(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TDistHelp", "震央距離範囲検索", 640, 520);
    kavelo::ui::buildHelpPage(this, kavelo::ui::distHelpText());
}
