#include "search/TProcess.h"

#include "app/FormUtil.h"

TProcess* Process = nullptr;

TProcess::TProcess(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TProcess", "プロセス", 300, 80, true);
}
