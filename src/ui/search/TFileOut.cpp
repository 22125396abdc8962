#include "search/TFileOut.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/Sjis.h"
#include "map/TMap.h"
#include "search/TDirec.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::ui;

TFileOut* FileOut = nullptr;

TFileOut::TFileOut(QWidget* parent) : QWidget(parent) {
    initForm(this, "TFileOut", "ファイル出力", 420, 230);
    Label1 = makeLabel(this, "Label1", "CSVファイル保存", 16, 12, 200);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = makeLabel(this, "Label2", "保存ディレクトリ", 16, 44, 100);
    Edit1 = makeEdit(this, "Edit1", "右ボタンをクリックしてディレクトリを選択", 120, 41, 240);
    Button1 = makeButton(this, "Button1", "...", 366, 40, 36, 23);
    Label3 = makeLabel(this, "Label3", "ﾌｧｲﾙ名", 16, 78, 100);
    Edit2 = makeEdit(this, "Edit2", "Listup", 120, 75, 150);
    Edit3 = makeEdit(this, "Edit3", "000", 276, 75, 44);
    UpDown1 = new TUpDown(this);
    UpDown1->setObjectName("UpDown1");
    UpDown1->setGeometry(320, 75, 16, 21);
    UpDown1->setRange(0, 999);
    UpDown1->setWrap(false);
    // A serial typed into Edit3 is where the up-down steps from; Edit3 always shows "%03d".
    UpDown1->setAssociate(Edit3);
    CheckBox1 = makeCheck(this, "CheckBox1", "通し番号", 120, 104, 120, 20, true);
    Label4 = makeLabel(this, "Label4", "", 16, 134, 390);
    Label5 = makeLabel(this, "Label5", "", 16, 156, 200);
    Button2 = makeButton(this, "Button2", "保存", 230, 190, 82, 26);
    Button3 = makeButton(this, "Button3", "閉じる", 320, 190, 82, 26);
    Button2->setEnabled(false);

    connect(UpDown1, &TUpDown::clicked, this, &TFileOut::UpDown1Click);
    connect(UpDown1, &TUpDown::changed, this, &TFileOut::showSerial);
    connect(CheckBox1, &QCheckBox::clicked, this, &TFileOut::CheckBox1Click);
    connect(Button1, &QPushButton::clicked, this, &TFileOut::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFileOut::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFileOut::Button3Click);
    FormCreate();
}

void TFileOut::FormCreate() {
    UpDown1->setPosition(0);
    showSerial();
}

void TFileOut::showSerial() {
    Edit3->setText(QString::asprintf("%03d", UpDown1->position()));
}

void TFileOut::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FormShow();
}

void TFileOut::FormShow() {
    showSerial();
}
void TFileOut::UpDown1Click(int) {
    showSerial();
}

void TFileOut::CheckBox1Click() {
    const bool on = CheckBox1->isChecked();
    Edit3->setEnabled(on);
    UpDown1->setEnabled(on);
}

void TFileOut::Button1Click() {
    if (!Direc) return;
    Direc->prepareToShow();
    showWindow(Direc);
}

void TFileOut::Button3Click() {
    close();
}

std::optional<CsvZone> TFileOut::zoneInForce() const {
    if (!Map || !Map->zoneSet) return std::nullopt;
    return CsvZone{Map->P1.lat, Map->P1.lon, Map->P2.lat, Map->P2.lon, Map->zoneWidth};
}

std::string TFileOut::buildCsv(const std::string& fileName) const {
    CsvHeader h;
    h.fileName = fileName;
    if (!Form1) return buildResultCsv(h, 0, [](int, GridCells&) {});
    const TForm1* f = Form1;
    h.date1 = toSjis(f->date1->text());
    h.date2 = toSjis(f->date2->text());
    h.lat1 = toSjis(f->lat1->text());
    h.lat2 = toSjis(f->lat2->text());
    h.lon1 = toSjis(f->lon1->text());
    h.lon2 = toSjis(f->lon2->text());
    h.mag1 = toSjis(f->mag1->text());
    h.mag2 = toSjis(f->mag2->text());
    h.depth1 = toSjis(f->depth1->text());
    h.depth2 = toSjis(f->depth2->text());
    h.origin = toSjis(f->Origin->text());
    h.zone = zoneInForce();
    const ResultListModel* grid = f->resultModel;
    return buildResultCsv(h, grid->rowCount(),
                          [grid](int row, GridCells& cells) { grid->cellBytes(row, cells); });
}

void TFileOut::Button2Click() {
    QString name = Edit1->text() + Edit2->text();
    if (CheckBox1->isChecked()) name += Edit3->text();
    name += ".csv";
    Label4->setText(name);
    Label5->setText("");
    const QString shortName = QFileInfo(name).fileName();
    if (QFileInfo::exists(name)) {
        const int answer = messageBox(QString("%1  already exist.  Overwrite?").arg(shortName),
                                      "File Error", MsgButtons::OkCancel);
        if (answer != QMessageBox::Ok) {
            Label5->setText("Canceled");
            Label4->setText("");
            return;
        }
    }
    Label5->setText("Saving...");
    Label5->repaint();
    Button2->setEnabled(false);
    const std::string path = QFile::encodeName(name).toStdString();
    const CsvWriteStatus st = writeCsvFile(path, buildCsv(toSjis(shortName)));
    if (st != CsvWriteStatus::Ok) {
        // Nothing was saved: no "Saved", and the serial number stays for the next try.
        Label5->setText("");
        Label4->setText("");
        messageBox(
            st == CsvWriteStatus::CannotCreate
                ? QString("%1 を作成できません．保存ディレクトリとファイル名を確かめてください．")
                      .arg(name)
                : QString("%1 に書き込めませんでした（ディスクの空きを確かめてください）．")
                      .arg(name),
            "File Error", MsgButtons::Ok, QMessageBox::Warning);
        Button2->setEnabled(true);
        return;
    }
    Label5->setText("Saved");
    if (CheckBox1->isChecked()) {
        UpDown1->setPosition(std::min(999, UpDown1->position() + 1));
        showSerial();
    }
    Button2->setEnabled(true);
}
