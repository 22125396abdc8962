#include "search/TDirec.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

#include "app/FormUtil.h"
#include "search/TFileOut.h"

using namespace kavelo::ui;

TDirec* Direc = nullptr;

namespace {
constexpr int kPathRole = Qt::UserRole + 1;

// A folder path that ends with the separator.
QString withSeparator(const QString& path) {
    QString p = QDir::toNativeSeparators(path);
    if (!p.endsWith(QDir::separator())) p += QDir::separator();
    return p;
}
}  // namespace

TDirec::TDirec(QWidget* parent) : QWidget(parent) {
    initForm(this, "TDirec", "保存ディレクトリの指定", 360, 330);
    Label1 = makeLabel(this, "Label1", "ドライブ選択", 12, 10, 150);
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->setGeometry(12, 28, 336, 24);
    Label2 = makeLabel(this, "Label2", "保存ディレクトリ", 12, 60, 150);
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName("DirectoryListBox1");
    DirectoryListBox1->setGeometry(12, 78, 336, 182);
    Label3 = makeLabel(this, "Label3", "", 12, 266, 336, 34);
    Label3->setWordWrap(true);
    Button1 = makeButton(this, "Button1", "閉じる", 266, 298, 82, 26);

    for (const QFileInfo& root : QDir::drives())
        DriveComboBox1->addItem(withSeparator(root.absoluteFilePath()));
    const QString home = withSeparator(QDir::homePath());
    if (DriveComboBox1->findText(home) < 0) DriveComboBox1->addItem(home);
    // The list starts in the working folder; nothing is chosen until the user acts. The
    // drive list shows the drive that holds it (the home folder or the root).
    directory_ = QDir::currentPath();
    DriveComboBox1->setCurrentIndex(
        withSeparator(directory_).startsWith(home) ? DriveComboBox1->findText(home) : 0);
    fillList();

    connect(DriveComboBox1, &QComboBox::activated, this, [this](int) { DriveComboBox1Change(); });
    // A click (or a move with the keys) chooses a folder; a double click or Enter opens it.
    connect(DirectoryListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseEntry(DirectoryListBox1->row(item)); });
    connect(DirectoryListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!updating_ && row >= 0) chooseEntry(row);
    });
    connect(DirectoryListBox1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openEntry(DirectoryListBox1->row(item)); });
    connect(Button1, &QPushButton::clicked, this, &TDirec::Button1Click);
}

QStringList TDirec::entryPaths() const {
    QStringList out;
    for (int i = 0; i < DirectoryListBox1->count(); ++i)
        out << DirectoryListBox1->item(i)->data(kPathRole).toString();
    return out;
}

void TDirec::fillList() {
    updating_ = true;
    DirectoryListBox1->clear();
    QStringList chain;
    QDir d(directory_);
    for (;;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& p : chain) {
        QString name = depth == 0 ? withSeparator(p) : QFileInfo(p).fileName();
        auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirOpenIcon),
                                         QString(depth * 2, ' ') + name);
        item->setData(kPathRole, QDir::toNativeSeparators(p));
        DirectoryListBox1->addItem(item);
        ++depth;
    }
    const QStringList subs =
        QDir(directory_)
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subs) {
        auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon),
                                         QString(depth * 2, ' ') + s);
        item->setData(kPathRole, QDir::toNativeSeparators(QDir(directory_).absoluteFilePath(s)));
        DirectoryListBox1->addItem(item);
    }
    DirectoryListBox1->setCurrentRow(static_cast<int>(chain.size()) - 1);
    updating_ = false;
}

void TDirec::setDirectory(const QString& path) {
    QFileInfo info(path);
    if (!info.isDir() || !info.isReadable()) return;
    directory_ = info.absoluteFilePath();
    fillList();
    DirectoryListBox1Change();
}

void TDirec::selectFirstEntry() {
    if (DirectoryListBox1->count() == 0) return;
    updating_ = true;
    DirectoryListBox1->setCurrentRow(0);
    updating_ = false;
    Label3->setText(DirectoryListBox1->item(0)->data(kPathRole).toString());
}

void TDirec::prepareToShow() {
    // Read the folders again: some may have been made or removed since the last opening.
    if (!QFileInfo(directory_).isDir()) directory_ = QDir::rootPath();
    fillList();
    if (!chosen_) {
        selectFirstEntry();
        return;
    }
    const int row = static_cast<int>(entryPaths().indexOf(QDir::toNativeSeparators(chosenPath_)));
    if (row >= 0) {
        updating_ = true;
        DirectoryListBox1->setCurrentRow(row);
        updating_ = false;
    }
}

void TDirec::chooseEntry(int row) {
    QListWidgetItem* item = DirectoryListBox1->item(row);
    if (!item) return;
    const QString path = item->data(kPathRole).toString();
    if (!QFileInfo(path).isDir()) return;
    if (DirectoryListBox1->currentRow() != row) {
        updating_ = true;
        DirectoryListBox1->setCurrentRow(row);
        updating_ = false;
    }
    choose(path);
}

void TDirec::openEntry(int row) {
    if (QListWidgetItem* item = DirectoryListBox1->item(row)) setDirectory(item->data(kPathRole).toString());
}

void TDirec::DriveComboBox1Change() {
    const QString drive = DriveComboBox1->currentText();
    if (drive.isEmpty()) return;
    Label3->setText(drive);
    if (FileOut) FileOut->Button2->setEnabled(true);
    chosen_ = true;
    chosenPath_ = drive;
    setDirectory(drive);
}

void TDirec::DirectoryListBox1Change() { choose(directory_); }

void TDirec::choose(const QString& folder) {
    // The root already ends with the separator; every other folder gets one. Without
    // drives to choose, a chosen folder is what makes the file savable.
    const QString chosen = withSeparator(folder);
    chosenPath_ = folder;
    Label3->setText(chosen);
    if (FileOut) {
        FileOut->Edit1->setText(chosen);
        FileOut->Button2->setEnabled(true);
    }
    chosen_ = true;
}

void TDirec::Button1Click() {
    close();
}
