#include "help/TMap3DHelp.h"

#include "app/FormUtil.h"
#include "help/HelpText.h"

TMap3DHelp* Map3DHelp = nullptr;

TMap3DHelp::TMap3DHelp(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TMap3DHelp", "三次元震源分布図の描き方", 640, 520);
    kavelo::ui::buildHelpPage(this, kavelo::ui::map3DHelpText());
}
