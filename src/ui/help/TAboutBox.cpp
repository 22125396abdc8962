#include "help/TAboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/FormUtil.h"
#include "help/HelpText.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    kavelo::ui::initForm(this, "TAboutBox", "バージョン情報", 420, 300);
    setModal(true);
    auto* lay = new QVBoxLayout(this);
    auto* text = new QLabel(kavelo::ui::aboutText(), this);
    text->setObjectName("Comments");
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    lay->addWidget(text);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    lay->addWidget(ok, 0, Qt::AlignCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
