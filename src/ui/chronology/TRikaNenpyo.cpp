#include "chronology/TRikaNenpyo.h"

#include "app/FormUtil.h"

TRikaNenpyo* RikaNenpyo = nullptr;

TRikaNenpyo::TRikaNenpyo(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TRikaNenpyo", "理科年表", 800, 600);
}
