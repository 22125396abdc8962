#include "help/TAboutBox.h"

#include "app/FormUtil.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    kavelo::ui::initForm(this, "TAboutBox", "バージョン情報", 420, 300);
}
