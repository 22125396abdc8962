#include "external/TExtFile.h"

#include "app/FormUtil.h"

TExtFile* ExtFile = nullptr;

TExtFile::TExtFile(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TExtFile", "外部地震ﾘｽﾄの読込み", 760, 560);
}
