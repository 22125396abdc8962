#include "search/TFileOut.h"

#include "app/FormUtil.h"

TFileOut* FileOut = nullptr;

TFileOut::TFileOut(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TFileOut", "ファイル出力", 420, 260);
}
