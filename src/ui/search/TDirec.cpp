#include "search/TDirec.h"

#include "app/FormUtil.h"

TDirec* Direc = nullptr;

TDirec::TDirec(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TDirec", "保存ディレクトリの指定", 360, 320);
}
