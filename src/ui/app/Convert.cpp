#include "app/Convert.h"

#include <QLineEdit>

#include "app/MessageBox.h"
#include "platform/Numbers.h"

namespace kavelo::ui {

ConversionError::ConversionError(const QString& t)
    : std::runtime_error("conversion error"), text(t) {}

int strToInt(const QString& text) {
    auto v = kavelo::strictToInt(text.toStdString());
    if (!v) throw ConversionError(text);
    return *v;
}

int strToInt(const QLineEdit* edit) { return strToInt(edit->text()); }

void showConversionError(const QString& text) {
    messageBox(QString("'%1' is not a valid integer value").arg(text), "KAVELO4.4",
               MsgButtons::Ok, QMessageBox::Critical);
}

bool guarded(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const ConversionError& e) {
        showConversionError(e.text);
        return false;
    }
}

}  // namespace kavelo::ui
