#pragma once
// Shift-JIS (code page 932) <-> QString, used only where text crosses into the UI.

#include <QString>
#include <string>
#include <string_view>

namespace kavelo::ui {

QString fromSjis(std::string_view bytes);
std::string toSjis(const QString& text);

}  // namespace kavelo::ui
