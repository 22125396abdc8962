#pragma once
// Strict conversion of typed numbers. A failed conversion throws ConversionError,
// which guarded() turns into the standard message and the end of the operation.

#include <QString>
#include <functional>
#include <stdexcept>

class QLineEdit;

namespace kavelo::ui {

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text);
    QString text;
};

int strToInt(const QString& text);
int strToInt(const QLineEdit* edit);

// "'%s' is not a valid integer value" with the application's caption.
void showConversionError(const QString& text);

// Runs an operation; a ConversionError inside it is shown and ends it.
// Returns false when the operation was stopped that way.
bool guarded(const std::function<void()>& operation);

}  // namespace kavelo::ui
