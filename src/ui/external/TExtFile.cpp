#include "external/TExtFile.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>

#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/Sjis.h"
#include "catalogue/Catalogue.h"
#include "external/NearestOrigin.h"
#include "map/TMap.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::ui;

TExtFile* ExtFile = nullptr;

namespace {
const std::vector<int> kColumnWidths = {48, 48, 88, 64, 62, 60, 44, 45, 180};
const QString kFilter =
    QStringLiteral("CSVﾌｧｲﾙ(*.csv)|*.csv|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべて(*.*)|*.*");

// "A(*.a)|*.a|B(*.b)|*.b" -> the dialog's "A(*.a);;B(*.b)" and its entries.
QStringList dialogFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) out << parts[i];
    return out;
}
}  // namespace

void TExtFile::fitColumns() {
    StringGrid1->setColWidths(fitColumnWidths(kColumnWidths, ExternalListModel::headings(),
                                              StringGrid1->horizontalHeader()->font(),
                                              gridRowWidth(StringGrid1), 14));
}

TExtFile::TExtFile(QWidget* parent) : QWidget(parent) {
    initForm(this, "TExtFile", "外部地震ﾘｽﾄの読込み", 760, 566);
    buildControls();
    FormCreate();
}

void TExtFile::buildControls() {
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setTitle("データ形式");
    RadioGroup1->setItems({"1 気象庁震源ﾘｽﾄ形式 (*.txt)", "2 本ｼｽﾃﾑ形式 (*.txt)",
                           "3 KAVELO出力ﾌｧｲﾙ (*.csv)", "4 一元化震源リスト (*.txt)"});
    RadioGroup1->setItemIndexSilently(-1);
    RadioGroup1->setGeometry(8, 6, 250, 106);
    BtnExtFile = makeButton(this, "BtnExtFile", "読み込み", 266, 12, 92, 28);
    BtnExtFile->setEnabled(false);
    CheckBox1 = makeCheck(this, "CheckBox1", "4.0以上", 266, 48, 92, 20, true);
    CheckBox1->setToolTip("ﾏｸﾞﾆﾁｭｰﾄﾞ4.0以上に限定");
    CheckBox1->setEnabled(false);
    Label2 = makeLabel(this, "Label2", "", 400, 118, 272, 18);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label1 = makeLabel(this, "Label1", "データ例", 384, 10, 360);
    Label3 =
        makeLabel(this, "Label3", "1: 2001 06 03 14 11 57.3 29.948 139.328 410 5.3 ", 384, 32, 368);
    Label4 =
        makeLabel(this, "Label4", "2: 2001/06/03 14:11　 2957　　13920　 410 5.3 ", 384, 54, 368);
    Label5 = makeLabel(this, "Label5",
                       "3: 1,  23417, 2001/06/03, 14:11, 2957,  13920, 410, 5.3, 鳥島近海", 384, 76,
                       368);
    Label6 = makeLabel(this, "Label6", "4: 一元化震源リストの文字位置で読みます", 384, 98, 368);
    for (QLabel* l : {Label3, Label4, Label5, Label6}) {
        QFont f = l->font();
        f.setPixelSize(11);
        l->setFont(f);
    }

    Label18 = makeLabel(this, "Label18", "", 8, 118, 388, 18);
    StringGrid1 = new TStringGrid(this);
    StringGrid1->setObjectName("StringGrid1");
    listModel = new ExternalListModel(&ExternalList, StringGrid1);
    StringGrid1->setModel(listModel);
    StringGrid1->setColWidths(kColumnWidths);
    StringGrid1->setGeometry(8, 140, 664, 340);
    QFont gridFont(QFontDatabase::families().contains("IPAGothic")
                       ? QString("IPAGothic")
                       : QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    gridFont.setPixelSize(12);
    StringGrid1->setFont(gridFont);
    StringGrid1->setTextElideMode(Qt::ElideNone);
    QHeaderView* header = StringGrid1->horizontalHeader();
    header->show();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont headerFont = header->font();
    headerFont.setPixelSize(11);
    header->setFont(headerFont);

    // Plot settings and command.
    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(8, 486, 664, 74);
    RadioGroup2 = new TRadioGroup(Panel2);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setTitle("ﾏｰｸ");
    RadioGroup2->setItems({"★", "☆", "★★", "☆☆", "●", "○", "ﾏｸﾞﾆﾁｭｰﾄﾞ"});
    RadioGroup2->setColumns(4);
    RadioGroup2->setItemIndexSilently(6);
    RadioGroup2->setGeometry(0, 0, 330, 72);
    RadioGroup3 = new TRadioGroup(Panel2);
    RadioGroup3->setObjectName("RadioGroup3");
    RadioGroup3->setTitle("ｻｲｽﾞ");
    RadioGroup3->setItems({"10", "15", "20"});
    RadioGroup3->setColumns(3);
    RadioGroup3->setItemIndexSilently(1);
    RadioGroup3->setGeometry(336, 0, 170, 72);
    BtnExMap = makeButton(Panel2, "BtnExMap", "書き込み", 516, 24, 92, 28);
    BtnExMap->setToolTip("地図上にﾌﾟﾛｯﾄ");
    BtnExMap->setEnabled(false);

    const int x = 680, w = 72;
    Button2 = makeButton(this, "Button2", "地　図", x, 140, w, 28);
    Button2->setToolTip("地図画面表示");
    Button2->setEnabled(false);
    Button3 = makeButton(this, "Button3", "リスト", x, 174, w, 28);
    Button3->setToolTip("ﾘｽﾄ画面表示");
    Button4 = makeButton(this, "Button4", "リスト置換", x, 230, w, 28);
    Button4->setToolTip("現在の地震リストと置き換え");
    Button4->setEnabled(false);
    Button5 = makeButton(this, "Button5", "リスト追加", x, 264, w, 28);
    Button5->setToolTip("現在の地震リストに追加");
    Button5->setEnabled(false);
    CheckBox2 = makeCheck(this, "CheckBox2", "追加保存", x, 298, w + 4, 20, false);
    Button1 = makeButton(this, "Button1", "閉じる", x, 524, w, 28);

    // The window may grow: the list takes the room, the plot panel keeps to the bottom
    // and the command buttons to the right edge.
    makeResizable(this,
                  {{StringGrid1, GrowX | GrowY}, {Panel2, MoveY}, {Label2, MoveX}, {Button2, MoveX},
                   {Button3, MoveX}, {Button4, MoveX}, {Button5, MoveX}, {CheckBox2, MoveX},
                   {Button1, MoveX | MoveY}},
                  [this] { fitColumns(); });
    fitColumns();

    connect(RadioGroup1, &TRadioGroup::clicked, this, &TExtFile::RadioGroup1Click);
    connect(BtnExtFile, &QPushButton::clicked, this, &TExtFile::BtnExtFileClick);
    connect(BtnExMap, &QPushButton::clicked, this, &TExtFile::BtnExMapClick);
    connect(Button1, &QPushButton::clicked, this, &TExtFile::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TExtFile::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TExtFile::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TExtFile::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TExtFile::Button5Click);
}

void TExtFile::FormCreate() {
    setWindowTitle("外部地震ﾘｽﾄの読込み");
    Label2->setText("");
    Label18->setText("データ形式を指定してください");
    if (Form1) Form1->extListShown = 0;
    // The map draws record k of this list with the mark chosen here.
    if (Map)
        Map->externalMarkSource = [this](int k, EarthquakeRecord& rec, int& kind, int& size) {
            if (k < 0 || k >= ExternalList.count) return false;
            rec = ExternalList.records[static_cast<std::size_t>(k)];
            kind = markIndex;
            size = markSize;
            return true;
        };
}

void TExtFile::RadioGroup1Click() {
    CheckBox1->setEnabled(formatNumber() == 4);
    BtnExtFile->setEnabled(RadioGroup1->itemIndex() >= 0);
    Label18->setText("「読み込み」ボタンをクリックしてください");
}

QString TExtFile::startFolder() const {
    const QString work = Form1 ? QString::fromStdString(Form1->workDir) : QDir::currentPath();
    return QDir(work).filePath(formatNumber() == 4 ? "Hi-net" : "Extra");
}

void TExtFile::BtnExtFileClick() {
    if (RadioGroup1->itemIndex() < 0) return;
    const QStringList filters = dialogFilters(kFilter);
    const QString selected = filters.value(formatNumber() == 3 ? 0 : 1);
    if (Form1) Form1->extListShown = 0;
    QString path;
    if (openFileHook)
        path = openFileHook(startFolder(), filters.join(";;"), selected);
    else {
        QString chosen = selected;
        path = QFileDialog::getOpenFileName(this, QString(), startFolder(), filters.join(";;"),
                                            &chosen, QFileDialog::DontUseNativeDialog);
    }
    if (path.isEmpty()) return;
    readFile(path);
}

bool TExtFile::readFile(const QString& path) {
    const int format = formatNumber();
    if (format < 1 || format > 4) return false;
    if (Form1) Form1->extListShown = 0;
    BtnExMap->setEnabled(true);
    Button2->setEnabled(true);
    Label2->setText(QFileInfo(path).fileName());

    ExternalReadOptions opt;
    opt.magnitude40 = CheckBox1->isChecked();
    std::optional<NearestOriginIndex> names;
    if (format == 4) {
        if (Form1) names.emplace(Form1->catalogue);
        if (names) opt.origins = &*names;
        opt.progress = [this](int32_t n) {
            Label18->setText(QString::number(n));
            Label18->repaint();
        };
    }
    const ExternalReadResult r =
        readExternalFile(QFile::encodeName(path).toStdString(), static_cast<ExternalFormat>(format),
                         opt, ExternalList);
    listModel->reload();
    StringGrid1->scrollToTop();
    if (!r.opened) {
        Label18->setText(QString("%1個の地震データを読み込みました").arg(r.count));
        messageBox(QString("%1 を読み込めません．").arg(path), "File Error", MsgButtons::Ok,
                   QMessageBox::Warning);
        return false;
    }
    Label18->setText(QString("%1個の地震データを読み込みました").arg(r.count));
    Button4->setEnabled(true);
    Button5->setEnabled(true);
    if (format == 4) {
        if (Form1) Form1->extListShown = 1;
        Button2->setEnabled(false);
    }
    if (r.leftOut > 0)
        messageBox(QString("外部地震リストは %1 個までです．最初の %1 個を読み込み，残りの %2 "
                           "個は読み込みませんでした．")
                       .arg(kExternalCapacity)
                       .arg(r.leftOut),
                   "外部地震ﾘｽﾄの読込み", MsgButtons::Ok, QMessageBox::Warning);
    return true;
}

// ---- Uses of the list

void TExtFile::BtnExMapClick() {
    if (!Map) return;
    if (Form1 && Form1->extListShown == 1) {
        Map->drawCoast();
        Map->drawGraticule();
    }
    markIndex = std::max(0, RadioGroup2->itemIndex());
    markSize = 10 + 5 * std::max(0, RadioGroup3->itemIndex());
    for (int k = 0; k < ExternalList.count; ++k) Map->drawExternalMark(k);
    Map->drawFrame();
    if (Map->GridGroup->itemIndex() != 0) Map->drawGraticuleLabels();
    Map->Image1->refresh();
    showWindow(Map);
}

void TExtFile::Button1Click() {
    close();
}
void TExtFile::Button2Click() {
    if (Map) showWindow(Map);
}
void TExtFile::Button3Click() {
    if (Form1) showWindow(Form1);
}

bool TExtFile::takes(const EarthquakeRecord& r) const {
    return !CheckBox1->isChecked() || r.mag >= 40;
}

void TExtFile::listNewCatalogue() {
    if (!Form1) return;
    Form1->selection.setIdentity(Form1->catalogue.recordCount);
    Form1->RadioGroup1->setItemIndexSilently(0);
    Form1->RadioGroup1Click();
    Form1->extListShown = 0;
}

void TExtFile::Button4Click() {
    if (!Form1) return;
    if (messageBox("リスト置換を実行すると，現在の地震リストを今読み込んだリストで置き換えます．も"
                   "とに戻すことはできません．よろしいですか？",
                   "地震リスト置換", MsgButtons::OkCancel) != QMessageBox::Ok)
        return;
    Catalogue& cat = Form1->catalogue;
    int32_t n = 0;
    for (int32_t k = 0; k < ExternalList.count && n < kCatalogueCapacity; ++k) {
        const EarthquakeRecord& r = ExternalList.records[static_cast<std::size_t>(k)];
        if (takes(r)) cat[n++] = r;
    }
    cat.recordCount = n;
    listNewCatalogue();
    BtnExMap->setEnabled(false);
    Button2->setEnabled(false);
}

void TExtFile::Button5Click() {
    if (!Form1) return;
    if (messageBox(
            "現在の地震リストに,下のリストの中からマグニチュード4.0以上の地震データを追加します．\n"
            "重複データのチェックはしません．また，もとに戻すこともできません．よろしいですか？",
            "地震リスト追加", MsgButtons::OkCancel) != QMessageBox::Ok)
        return;
    Catalogue& cat = Form1->catalogue;
    const int32_t first = cat.recordCount;
    int64_t leftOut = 0;
    for (int32_t k = 0; k < ExternalList.count; ++k) {
        const EarthquakeRecord& r = ExternalList.records[static_cast<std::size_t>(k)];
        if (!takes(r)) continue;
        // Nothing is written past the Catalogue's last slot; what does not fit is counted.
        if (cat.recordCount >= kCatalogueCapacity)
            ++leftOut;
        else
            cat[cat.recordCount++] = r;
    }
    const int32_t added = cat.recordCount - first;
    listNewCatalogue();
    Button5->setEnabled(false);
    BtnExMap->setEnabled(false);
    Button2->setEnabled(false);
    if (leftOut > 0)
        messageBox(
            QString(
                "地震リストは %1 個までのため，%2 個を追加し，残りの %3 個は追加しませんでした．")
                .arg(kCatalogueCapacity)
                .arg(added)
                .arg(leftOut),
            "地震リスト追加", MsgButtons::Ok, QMessageBox::Warning);
    if (!CheckBox2->isChecked()) return;
    if (messageBox("リストの追加保存が指定されています\n\n現在の地震リストに,"
                   "下のリストの地震データを追加しファイルに保存します．\n"
                   "震源データファイルをもとに戻すことはできません．よろしいですか？",
                   "地震リストファイルに追加", MsgButtons::OkCancel,
                   QMessageBox::Warning) != QMessageBox::Ok)
        return;
    CatalogueRewriter rw(Form1->geppoPath, Form1->tempPath, rewriteOps);
    const RewriteResult res = rw.append(cat, first, added);
    if (!res.ok())
        messageBox(QString::fromStdString(describeRewriteFailure(res)), "File Error",
                   MsgButtons::Ok, QMessageBox::Critical);
}
