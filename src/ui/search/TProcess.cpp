#include "search/TProcess.h"

#include "app/FormUtil.h"

TProcess* Process = nullptr;

TProcess::TProcess(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TProcess", "プロセス", 300, 80, true);
    Label1 = kavelo::ui::makeLabel(this, "Label1", "", 16, 28, 268, 20);
}

void TProcess::showText(const QString& text) {
    Label1->setText(text);
    show();
    raise();
    repaint();
}
