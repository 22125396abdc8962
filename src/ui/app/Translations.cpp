#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kavelo::ui {

QTranslator* installQtTranslations(QCoreApplication& app) {
    auto* tr = new QTranslator(&app);
    if (!tr->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(tr)) {
        delete tr;
        return nullptr;
    }
    return tr;
}

}  // namespace kavelo::ui
