// Saving the result list as CSV through the file-output and directory windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <filesystem>

#include "platform/TextFile.h"
#include "ui/external/ExternalWindows.h"

using namespace kavelo;
using namespace kavelo::test;
using kavelo::ui::TUpDown;

namespace {

struct FileOutput : ::testing::Test {
    std::unique_ptr<ExternalWindows> w;
    void SetUp() override {
        w = std::make_unique<ExternalWindows>(
            std::vector<EarthquakeRecord>{quake(19500101, 905, 3015, 13015, 30, 50, "SOUTH"),
                                          quake(19600101, 0, 4015, 14015, 650, 65, "NORTH")});
        ASSERT_TRUE(w->ok());
        std::filesystem::create_directories(w->fx.dir.file("out"));
    }
    void TearDown() override { w.reset(); }
    // Chooses the scratch folder's "out" in the directory window, as the user does.
    void chooseOutFolder() {
        FileOut->Button1Click();
        Direc->DriveComboBox1->setCurrentIndex(0);
        Direc->DriveComboBox1Change();
        Direc->setDirectory(QString::fromStdString(w->fx.dir.file("out")));
    }
    std::vector<std::string> lines(const std::string& name) {
        return splitLines(w->fx.dir.read("out/" + name));
    }
};

}  // namespace

TEST_F(FileOutput, WindowsStartWithTheirTextsAndSaveStaysOffUntilADriveIsChosen) {
    EXPECT_EQ(FileOut->windowTitle(), "ファイル出力");
    EXPECT_EQ(FileOut->Edit1->text(), "右ボタンをクリックしてディレクトリを選択");
    EXPECT_EQ(FileOut->Edit2->text(), "Listup");
    EXPECT_EQ(FileOut->Edit3->text(), "000");
    EXPECT_TRUE(FileOut->CheckBox1->isChecked());
    EXPECT_FALSE(FileOut->Button2->isEnabled());
    EXPECT_EQ(Direc->windowTitle(), "保存ディレクトリの指定");
    EXPECT_FALSE(Form1->BtnFile->isEnabled());
    Form1->FileChk->setChecked(true);
    Form1->FileChkClick();
    EXPECT_TRUE(Form1->BtnFile->isEnabled());
    Form1->BtnFileClick();
    EXPECT_TRUE(FileOut->isVisible());
    FileOut->Button1Click();
    EXPECT_TRUE(Direc->isVisible());
    EXPECT_EQ(Direc->Label3->text(), Direc->entryPaths().value(0));
    EXPECT_FALSE(FileOut->Button2->isEnabled());
    Direc->DriveComboBox1->setCurrentIndex(0);
    Direc->DriveComboBox1Change();
    EXPECT_TRUE(FileOut->Button2->isEnabled());
    EXPECT_TRUE(FileOut->Edit1->text().endsWith(QDir::separator()));
    Direc->setDirectory(QString::fromStdString(w->fx.dir.file("out")));
    EXPECT_EQ(FileOut->Edit1->text(),
              QString::fromStdString(w->fx.dir.file("out")) + QDir::separator());
    // Unchecking File Out closes both windows.
    Form1->FileChk->setChecked(false);
    Form1->FileChkClick();
    EXPECT_FALSE(FileOut->isVisible());
    EXPECT_FALSE(Direc->isVisible());
    EXPECT_FALSE(Form1->BtnFile->isEnabled());
}

TEST_F(FileOutput, SavesNumberTheFilesAndTheOverwriteQuestionCanCancel) {
    chooseOutFolder();
    FileOut->Button2Click();
    FileOut->Button2Click();
    EXPECT_EQ(FileOut->Label5->text(), "Saved");
    EXPECT_EQ(FileOut->Label4->text(), QString::fromStdString(w->fx.dir.file("out/Listup001.csv")));
    EXPECT_EQ(FileOut->Edit3->text(), "002");
    auto l = lines("Listup000.csv");
    ASSERT_EQ(l.size(), 13u);
    EXPECT_EQ(l[0], "Listup000.csv,District");
    EXPECT_EQ(l[1], "Date,1885/01/01,2020");
    EXPECT_EQ(l[7], "Count,3");
    EXPECT_EQ(l[11],
              "           2,           2,  1950/01/01, 09:05,  3015, 13015,  30,  5.0,SOUTH");
    EXPECT_EQ(lines("Listup001.csv")[0], "Listup001.csv,District");

    // The next name exists: Cancel keeps everything, OK overwrites.
    FileOut->UpDown1->setPosition(0);
    FileOut->FormShow();
    w->fx.answers = {QMessageBox::Cancel};
    FileOut->Button2Click();
    ASSERT_FALSE(w->fx.messages.empty());
    EXPECT_EQ(w->fx.messages.back().text, "Listup000.csv  already exist.  Overwrite?");
    EXPECT_EQ(w->fx.messages.back().caption, "File Error");
    EXPECT_EQ(FileOut->Label5->text(), "Canceled");
    EXPECT_EQ(FileOut->Label4->text(), "");
    EXPECT_EQ(FileOut->UpDown1->position(), 0);
    std::filesystem::resize_file(w->fx.dir.file("out/Listup000.csv"), 3);
    FileOut->Button2Click();
    EXPECT_EQ(FileOut->Label5->text(), "Saved");
    EXPECT_EQ(lines("Listup000.csv").size(), 13u);

    // Without numbering the name has no serial and the serial stays.
    FileOut->CheckBox1->setChecked(false);
    FileOut->CheckBox1Click();
    EXPECT_FALSE(FileOut->Edit3->isEnabled());
    FileOut->Button2Click();
    EXPECT_TRUE(std::filesystem::exists(w->fx.dir.file("out/Listup.csv")));
    EXPECT_EQ(FileOut->UpDown1->position(), 1);
}

TEST_F(FileOutput, TheSerialStopsAt999) {
    chooseOutFolder();
    FileOut->UpDown1->setPosition(999);
    FileOut->FormShow();
    FileOut->Button2Click();
    EXPECT_TRUE(std::filesystem::exists(w->fx.dir.file("out/Listup999.csv")));
    EXPECT_EQ(FileOut->Edit3->text(), "999");
    FileOut->UpDown1->click(TUpDown::Next);
    EXPECT_EQ(FileOut->Edit3->text(), "999");  // no wrap
    // A typed serial is where the up-down steps from.
    FileOut->Edit3->setText("41");
    FileOut->UpDown1->click(TUpDown::Next);
    EXPECT_EQ(FileOut->Edit3->text(), "042");
    FileOut->UpDown1->setPosition(0);
    FileOut->UpDown1->click(TUpDown::Prev);
    EXPECT_EQ(FileOut->Edit3->text(), "000");
}

TEST_F(FileOutput, AFileThatCannotBeCreatedIsReportedAndNotSaved) {
    chooseOutFolder();
    FileOut->Edit1->setText(QString::fromStdString(w->fx.dir.file("missing")) + "/");
    FileOut->Button2Click();
    ASSERT_EQ(w->fx.messages.size(), 1u);
    EXPECT_EQ(w->fx.messages[0].caption, "File Error");
    EXPECT_NE(FileOut->Label5->text(), "Saved");
    EXPECT_EQ(FileOut->UpDown1->position(), 0);
    EXPECT_TRUE(FileOut->Button2->isEnabled());
}

TEST_F(FileOutput, ASearchWithoutListingSavesOneEmptyRow) {
    chooseOutFolder();
    Form1->ListChk->setChecked(false);
    Form1->RadioGroup1->setItemIndex(1);
    Form1->TkBtn1->click();
    FileOut->Button2Click();
    auto l = lines("Listup000.csv");
    ASSERT_EQ(l.size(), 11u);
    EXPECT_EQ(l[7], "Count,1");
    EXPECT_EQ(l[10], "            ,            ,            ,      ,     0,     0,,,");
}

TEST_F(FileOutput, AZoneInForceWritesItsEndPointsAndWidth) {
    chooseOutFolder();
    Map->P1 = {3500, 13500};
    Map->P2 = {3730, 14015};
    Map->zoneWidth = 30;
    Map->zoneSet = true;
    FileOut->Button2Click();
    auto l = lines("Listup000.csv");
    ASSERT_GE(l.size(), 11u);
    EXPECT_EQ(l[0], "Listup000.csv,Zone");
    EXPECT_EQ(l[2], "P1.lat P1.lon,3500,13500");
    EXPECT_EQ(l[3], "P2.lat P2.lon,3730,14015");
    EXPECT_EQ(l[4], "Width,30");
    EXPECT_EQ(l[5], "Magnitude,40,90");
    Map->zoneSet = false;
    FileOut->Button2Click();
    EXPECT_EQ(lines("Listup001.csv")[0], "Listup001.csv,District");
}

namespace {
// The pointer on a row of the folder list, as the window system delivers it.
void mouseOnRow(QListWidget* list, int row, QEvent::Type type) {
    const QPoint p = list->visualItemRect(list->item(row)).center();
    QMouseEvent e(type, QPointF(p), list->viewport()->mapToGlobal(QPointF(p)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &e);
}
void clickRow(QListWidget* list, int row) {
    mouseOnRow(list, row, QEvent::MouseButtonPress);
    mouseOnRow(list, row, QEvent::MouseButtonRelease);
}
}  // namespace

TEST_F(FileOutput, AFolderClickEnablesSaveAndTheFolderWindowReopensAtIt) {
    std::filesystem::create_directories(w->fx.dir.file("out/sub"));
    // The folder list names the working folder as the file system reports it.
    const QString out = QDir(Direc->directory()).absoluteFilePath("out");
    const QString sub = out + "/sub";
    // The drive list holds the root and the home folder from the start.
    EXPECT_GE(Direc->DriveComboBox1->count(), 1);
    EXPECT_NE(Direc->DriveComboBox1->findText(QDir::toNativeSeparators(QDir::rootPath())), -1);
    EXPECT_FALSE(Direc->DriveComboBox1->currentText().isEmpty());

    FileOut->Button1Click();  // "..."
    QListWidget* list = Direc->DirectoryListBox1;
    const QString startedIn = Direc->directory();
    const int outRow = static_cast<int>(Direc->entryPaths().indexOf(QDir::toNativeSeparators(out)));
    ASSERT_GE(outRow, 0);
    EXPECT_FALSE(FileOut->Button2->isEnabled());

    // One click chooses the folder without moving the list.
    clickRow(list, outRow);
    EXPECT_TRUE(FileOut->Button2->isEnabled());
    EXPECT_EQ(FileOut->Edit1->text(), out + QDir::separator());
    EXPECT_EQ(Direc->Label3->text(), out + QDir::separator());
    EXPECT_EQ(Direc->directory(), startedIn);
    // The third click saves there.
    FileOut->Button2->click();
    EXPECT_TRUE(std::filesystem::exists(w->fx.dir.file("out/Listup000.csv")));

    // A double click opens the folder; Enter on a chosen subfolder opens that one.
    mouseOnRow(list, outRow, QEvent::MouseButtonPress);
    mouseOnRow(list, outRow, QEvent::MouseButtonRelease);
    mouseOnRow(list, outRow, QEvent::MouseButtonDblClick);
    mouseOnRow(list, outRow, QEvent::MouseButtonRelease);
    EXPECT_EQ(Direc->directory(), out);
    const int subRow = static_cast<int>(Direc->entryPaths().indexOf(QDir::toNativeSeparators(sub)));
    ASSERT_GE(subRow, 0);
    clickRow(list, subRow);
    EXPECT_EQ(Direc->directory(), out);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    EXPECT_EQ(Direc->directory(), sub);
    EXPECT_EQ(FileOut->Edit1->text(), sub + QDir::separator());

    // Closed and opened again: still at the folder chosen.
    Direc->Button1Click();
    FileOut->Button1Click();
    EXPECT_EQ(Direc->directory(), sub);
    EXPECT_EQ(Direc->Label3->text(), sub + QDir::separator());
    EXPECT_EQ(Direc->entryPaths().value(list->currentRow()), QDir::toNativeSeparators(sub));
}
