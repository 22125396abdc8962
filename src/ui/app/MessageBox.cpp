#include "app/MessageBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QSpacerItem>

namespace kavelo::ui {

namespace {
MessageBoxHook& hookRef() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

int captionWidth(const QString& caption) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    if (bold.pointSizeF() > 0)
        bold.setPointSizeF(bold.pointSizeF() * 1.2);
    else if (bold.pixelSize() > 0)
        bold.setPixelSize(bold.pixelSize() * 6 / 5);
    return QFontMetrics(bold).horizontalAdvance(caption) + 160;
}

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
    // The box is at least as wide as its caption in the title bar, with room for the
    // window manager's buttons: otherwise a short text leaves the caption cut.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(captionWidth(caption), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    if (hookRef()) return hookRef()(box);
    return box.exec();
}

}  // namespace kavelo::ui
