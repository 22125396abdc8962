#include "help/THowto.h"

#include "app/FormUtil.h"
#include "help/HelpText.h"

THowto* Howto = nullptr;

THowto::THowto(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "THowto", "KAVELOの使い方", 640, 520);
    kavelo::ui::buildHelpPage(this, kavelo::ui::howtoText());
}
