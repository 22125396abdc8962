// Qt's standard dialogs read in Japanese once the program's translations are installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include "app/Translations.h"

using namespace kavelo::ui;

namespace {

struct DialogTexts {
    QString save, cancel, colourCancel, boxCancel, overwrite;
};

DialogTexts currentTexts() {
    DialogTexts t;
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    auto* box = files.findChild<QDialogButtonBox*>();
    if (box) {
        if (auto* b = box->button(QDialogButtonBox::Save)) t.save = b->text();
        if (auto* b = box->button(QDialogButtonBox::Cancel)) t.cancel = b->text();
    }
    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    if (auto* cbox = colours.findChild<QDialogButtonBox*>())
        if (auto* b = cbox->button(QDialogButtonBox::Cancel)) t.colourCancel = b->text();
    QMessageBox question(QMessageBox::Question, "KAVELO4.4", "?", QMessageBox::Ok | QMessageBox::Cancel);
    t.boxCancel = question.button(QMessageBox::Cancel)->text();
    t.overwrite = QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
    return t;
}

bool nonAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() > 0x7f) return true;
    return false;
}

}  // namespace

TEST(Translations, StandardDialogsReadInJapanese) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dir + "/qtbase_ja.qm")) GTEST_SKIP() << "qtbase_ja.qm not installed in " << dir.toStdString();

    const DialogTexts english = currentTexts();
    ASSERT_FALSE(english.save.isEmpty());
    QTranslator* tr = installQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(tr, nullptr);
    const DialogTexts japanese = currentTexts();
    QCoreApplication::removeTranslator(tr);
    delete tr;

    for (const auto& [en, ja] : {std::pair{english.save, japanese.save}, {english.cancel, japanese.cancel},
                                 {english.colourCancel, japanese.colourCancel},
                                 {english.boxCancel, japanese.boxCancel}, {english.overwrite, japanese.overwrite}}) {
        EXPECT_NE(ja, en);
        EXPECT_TRUE(nonAscii(ja)) << ja.toStdString();
    }
    EXPECT_TRUE(japanese.overwrite.contains("%1"));
    // Removed again, the texts are back to English.
    EXPECT_EQ(currentTexts().save, english.save);
}
