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
    DriveComboBox1->setCurrentIndex(-1);
    // The list starts in the working folder; nothing is chosen until the user acts.
    directory_ = QDir::currentPath();
    fillList();

    connect(DriveComboBox1, &QComboBox::activated, this, [this](int) { DriveComboBox1Change(); });
    connect(DirectoryListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { setDirectory(item->data(kPathRole).toString()); });
    connect(Button1, &QPushButton::clicked, this, &TDirec::Button1Click);
}

QStringList TDirec::entryPaths() const {
    QStringList out;
    for (int i = 0; i < DirectoryListBox1->count(); ++i)
        out << DirectoryListBox1->item(i)->data(kPathRole).toString();
    return out;
}

void TDirec::fillList() {
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
    DirectoryListBox1->setCurrentRow(0);
    Label3->setText(DirectoryListBox1->item(0)->data(kPathRole).toString());
}

void TDirec::DriveComboBox1Change() {
    const QString drive = DriveComboBox1->currentText();
    if (drive.isEmpty()) return;
    Label3->setText(drive);
    if (FileOut) FileOut->Button2->setEnabled(true);
    setDirectory(drive);
}

void TDirec::DirectoryListBox1Change() {
    // The root already ends with the separator; every other folder gets one.
    const QString chosen = withSeparator(directory_);
    Label3->setText(chosen);
    if (FileOut) FileOut->Edit1->setText(chosen);
}

void TDirec::Button1Click() {
    close();
}
