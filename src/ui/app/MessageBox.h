#pragma once
// The one way the program shows a message box. Tests install a hook that receives
// the prepared QMessageBox and returns the button to act as if pressed.

#include <QMessageBox>
#include <QString>
#include <functional>

namespace kavelo::ui {

enum class MsgButtons { Ok, OkCancel, YesNo };

// Returns QMessageBox::Ok, Cancel, Yes or No.
int messageBox(const QString& text, const QString& caption, MsgButtons buttons = MsgButtons::Ok,
               QMessageBox::Icon icon = QMessageBox::NoIcon);

// The least width of a box whose title bar shows this caption whole.
int captionWidth(const QString& caption);

using MessageBoxHook = std::function<int(QMessageBox&)>;
// Replaces the modal exec() of every message box; an empty hook restores it.
void setMessageBoxHook(MessageBoxHook hook);

}  // namespace kavelo::ui
