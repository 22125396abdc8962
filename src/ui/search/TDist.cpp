#include "search/TDist.h"

#include "app/FormUtil.h"

TDist* Dist = nullptr;

TDist::TDist(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TDist", "距離範囲検索", 300, 220, true);
}
