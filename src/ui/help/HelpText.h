#pragma once
// Fixed explanatory texts of the help windows and the about box (HTML).

#include <QString>

class QWidget;

namespace kavelo::ui {

QString howtoText();
QString map3DHelpText();
QString distHelpText();
QString extHelpText();
QString aboutText();

// Fills a help window with a read-only text page and a close button.
void buildHelpPage(QWidget* form, const QString& html);

}  // namespace kavelo::ui
