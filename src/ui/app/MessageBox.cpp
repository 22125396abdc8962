#include "app/MessageBox.h"

#include <QApplication>

namespace kavelo::ui {

namespace {
MessageBoxHook& hookRef() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

void setMessageBoxHook(MessageBoxHook hook) { hookRef() = std::move(hook); }

int messageBox(const QString& text, const QString& caption, MsgButtons buttons,
               QMessageBox::Icon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName("MessageBox");
    box.setIcon(icon);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (buttons) {
        case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
    }
    if (hookRef()) return hookRef()(box);
    return box.exec();
}

}  // namespace kavelo::ui
