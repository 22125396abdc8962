#pragma once

class QCoreApplication;
class QTranslator;

namespace kavelo::ui {
// Installs Qt's own Japanese translations (qtbase_ja.qm from the Qt translations folder),
// so that the standard file, colour and message dialogs read in Japanese like the rest
// of the program. Returns the installed translator, or nullptr when the file is absent
// (the dialogs then stay in English).
QTranslator* installQtTranslations(QCoreApplication& app);
}  // namespace kavelo::ui
