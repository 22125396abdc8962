#include "help/TDistHelp.h"

#include "app/FormUtil.h"

TDistHelp* DistHelp = nullptr;

TDistHelp::TDistHelp(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TDistHelp", "震央距離範囲検索", 640, 520);
}
