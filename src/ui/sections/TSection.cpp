#include "sections/TSection.h"

#include "app/FormUtil.h"

TSection* Section = nullptr;

TSection::TSection(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TSection", "深度分布", 900, 560);
}

void TSection::BtnRunClick() {}
