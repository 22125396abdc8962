#pragma once
// Choosing the directory the CSV file is saved in: a list of "drives" (the file-system
// roots and the home folder) and a directory list (the path from its root down to the
// current folder, then the current folder's subfolders).

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QWidget>

class TDirec : public QWidget {
    Q_OBJECT
  public:
    explicit TDirec(QWidget* parent = nullptr);

    // The folder the directory list stands in, and its entries' paths in list order.
    QString directory() const { return directory_; }
    QStringList entryPaths() const;
    // Moves the directory list to a folder (the list's change).
    void setDirectory(const QString& path);
    // Highlights the list's first entry (the drive root) and shows it in Label3.
    void selectFirstEntry();
    // Before the window is brought up: the first time the root entry is highlighted,
    // afterwards the window stays at the folder last chosen.
    void prepareToShow();
    // Chooses the folder of a list entry without moving the list (a single click).
    void chooseEntry(int row);
    // Moves the list into the folder of an entry and chooses it (double click or Enter).
    void openEntry(int row);

    QLabel *Label1, *Label2, *Label3;
    QComboBox* DriveComboBox1;
    QListWidget* DirectoryListBox1;
    QPushButton* Button1;

  public slots:
    void DriveComboBox1Change();
    void DirectoryListBox1Change();
    void Button1Click();

  private:
    void fillList();
    void choose(const QString& folder);
    QString directory_;
    bool chosen_ = false;    // a folder or drive was chosen since creation
    QString chosenPath_;     // the folder (or drive) last chosen
    bool updating_ = false;  // the list is changed by the program, not the user
};

extern TDirec* Direc;
