#include <QApplication>

#include "app/Application.h"
#include "app/Translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KAVELO4.4");
    kavelo::ui::installQtTranslations(app);
    if (!kavelo::ui::createAllWindows()) return 1;
    return QApplication::exec();
}
