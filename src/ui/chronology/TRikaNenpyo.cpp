#include "chronology/TRikaNenpyo.h"

#include <QDir>
#include <QHeaderView>

#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/Sjis.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::ui;

TRikaNenpyo* RikaNenpyo = nullptr;

namespace {

const int kColumnWidths[] = {40, 91, 70, 74, 46, 176, 299};

QString qs(const std::string& sjis) { return fromSjis(sjis); }

QString problemText(const std::vector<ChronologyProblem>& problems) {
    int fields = 0, cut = 0, over = 0;
    for (const auto& p : problems) {
        if (p.kind == ChronologyProblem::TooFewFields) ++fields;
        else if (p.kind == ChronologyProblem::TooLong) ++cut;
        else ++over;
    }
    QStringList parts;
    if (fields) parts << QString("項目が6つない %1 行を読み飛ばしました").arg(fields);
    if (cut) parts << QString("797バイトを超える %1 行の後半を切り捨てました").arg(cut);
    if (over) parts << QString("800件を超える %1 行を読み込みませんでした").arg(over);
    QStringList lines;
    for (std::size_t i = 0; i < problems.size() && i < 10; ++i) lines << QString::number(problems[i].line);
    if (problems.size() > 10) lines << "...";
    return QString("NENPYO.TXT: %1 (行 %2)").arg(parts.join("，"), lines.join(","));
}

}  // namespace

TRikaNenpyo::TRikaNenpyo(QWidget* parent) : QWidget(parent) {
    initForm(this, "TRikaNenpyo", "理科年表", 844, 596);

    const char* headNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7"};
    QLabel** heads[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7};
    int x = 14;
    for (int i = 0; i < 7; ++i) {
        *heads[i] = makeLabel(this, headNames[i], "", x, 8, kColumnWidths[i]);
        x += kColumnWidths[i];
    }
    StringGrid1 = new TStringGrid(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->cells()->setColCount(7);
    StringGrid1->setColWidths({std::begin(kColumnWidths), std::end(kColumnWidths)});
    StringGrid1->setDefaultRowHeight(20);
    StringGrid1->setGeometry(12, 28, 820, 300);

    Edit1 = makeEdit(this, "Edit1", "", 12, 338, 240);
    Edit2 = makeEdit(this, "Edit2", "", 260, 338, 240);
    List = makeButton(this, "List", "", 510, 336, 100, 26);
    Button2 = makeButton(this, "Button2", "", 618, 336, 100, 26);
    Button1 = makeButton(this, "Button1", "", 726, 336, 106, 26);
    Label21 = makeLabel(this, "Label21", "", 12, 368, 400);

    Label14 = makeLabel(this, "Label14", "", 12, 396, 56);
    Label15 = makeLabel(this, "Label15", "", 72, 396, 96);
    Label16 = makeLabel(this, "Label16", "", 172, 396, 80);
    Label17 = makeLabel(this, "Label17", "", 256, 396, 84);
    Label18 = makeLabel(this, "Label18", "", 344, 396, 80);
    Label19 = makeLabel(this, "Label19", "", 430, 396, 48);
    Label22 = makeLabel(this, "Label22", "", 478, 396, 80);
    Label8 = makeLabel(this, "Label8", "", 12, 416, 56);
    Label9 = makeLabel(this, "Label9", "", 72, 416, 96);
    Label10 = makeLabel(this, "Label10", "", 172, 416, 80);
    Label11 = makeLabel(this, "Label11", "", 256, 416, 84);
    Label12 = makeLabel(this, "Label12", "", 344, 416, 80);
    Label13 = makeLabel(this, "Label13", "", 430, 416, 402);
    for (QLabel* l : {Label8, Label9, Label10, Label11, Label12, Label13}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setFixedHeight(19);
    }
    Label20 = makeLabel(this, "Label20", "", 12, 446, 120);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setGeometry(12, 466, 820, 118);

    // The window may grow: the list takes the room, the fields and the detail panel
    // below it keep to the bottom edge.
    std::vector<std::pair<QWidget*, int>> anchored = {{StringGrid1, GrowX | GrowY}, {Memo1, MoveY | GrowX},
                                                      {Label13, MoveY | GrowX}};
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, Edit2, List, Button2, Button1, Label21, Label14,
                                                      Label15, Label16, Label17, Label18, Label19, Label22,
                                                      Label8, Label9, Label10, Label11, Label12, Label20})
        anchored.push_back({w, MoveY});
    makeResizable(this, anchored, [this] { fitColumns(); });

    connect(List, &QPushButton::clicked, this, &TRikaNenpyo::ListClick);
    connect(Button2, &QPushButton::clicked, this, &TRikaNenpyo::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &TRikaNenpyo::Button1Click);
    connect(StringGrid1, &TStringGrid::selectCell, this, &TRikaNenpyo::StringGrid1Click);
    FormCreate();
}

void TRikaNenpyo::FormCreate() {
    const std::string workDir = Form1 ? Form1->workDir : QDir::currentPath().toStdString();
    const std::string path = workDir + "/DATA/NENPYO.TXT";
    createdOk_ = loadChronology(path);
    if (!createdOk_) return;
    if (Form1) {
        Form1->Label26->setText("NENPYO.TXT");
        Form1->Label27->setText(QString("理科年表データ 　%1").arg(table.count()));
    }
    const char* heads[] = {"番号", "年月日", "　緯　度", "　経　度", "ﾏｸﾞﾆﾁｭｰﾄﾞ", "震 源 地", "記　　事"};
    QLabel* headLabels[] = {Label1, Label2, Label3, Label4, Label5, Label6, Label7};
    for (int i = 0; i < 7; ++i) headLabels[i]->setText(heads[i]);
    Edit1->setToolTip("震源地名を示す検索文字指定");
    Edit1->setPlaceholderText("震源地名を示す検索文字指定");
    Edit2->setToolTip("記事の検索文字を指定");
    Edit2->setPlaceholderText("記事の検索文字を指定");
    List->setText("文字検索");
    Button2->setText("ﾘｾｯﾄ");
    Button1->setText("閉じる");
    const char* panel[] = {"番号", "年月日", "緯　度", "経　度", "ﾏｸﾞﾆﾁｭｰﾄﾞ", "震源地"};
    QLabel* panelLabels[] = {Label14, Label15, Label16, Label17, Label18, Label19};
    for (int i = 0; i < 6; ++i) panelLabels[i]->setText(panel[i]);
    Label20->setText("記　　事");
    Label22->setText("：地震名");
    fitColumns();
}

void TRikaNenpyo::fitColumns() {
    QLabel* headLabels[] = {Label1, Label2, Label3, Label4, Label5, Label6, Label7};
    QStringList heads;
    for (QLabel* l : headLabels) heads << l->text();
    const std::vector<int> widths = fitColumnWidths({std::begin(kColumnWidths), std::end(kColumnWidths)}, heads,
                                                    Label1->font(), gridRowWidth(StringGrid1));
    StringGrid1->setColWidths(widths);
    int x = StringGrid1->x() + 2;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        headLabels[i]->setGeometry(x, headLabels[i]->y(), widths[i], headLabels[i]->height());
        x += widths[i];
    }
}

bool TRikaNenpyo::loadChronology(const std::string& path) {
    ChronologyTable t;
    const ChronologyLoadResult r = kavelo::loadChronology(path, t);
    if (!r.opened) {
        messageBox("NENPYO.TXT not exists", "File Error");
        return false;
    }
    table = std::move(t);
    if (!r.problems.empty()) messageBox(problemText(r.problems), "File Error");
    return true;
}

void TRikaNenpyo::ListClick() {
    const SearchWords w1 = splitAlternatives(toSjis(Edit1->text()));
    const SearchWords w2 = splitAlternatives(toSjis(Edit2->text()));
    if (!w1.ok || !w2.ok) {
        messageBox("検索文字は99バイト以内，10語までです", "Data Error");
        return;
    }
    const std::vector<int> rows = searchChronology(table, w1.words, w2.words);
    StringTableModel* cells = StringGrid1->cells();
    cells->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int j = rows[i];
        const ChronologyEntry& e = table[j];
        rowEntry[i] = j;
        const int r = static_cast<int>(i);
        cells->setCell(0, r, qs(chronologyNumber(r + 1)));
        cells->setCell(1, r, qs(chronologyDate(e.date)));
        cells->setCell(2, r, qs(chronologyLat(e.lat)));
        cells->setCell(3, r, qs(chronologyLon(e.lon)));
        cells->setCell(4, r, qs(chronologyMag(e.mag)));
        cells->setCell(5, r, qs(e.name));
        cells->setCell(6, r, qs(e.article));
    }
    Label21->setText(rows.empty() ? QString("地震はみつかりませんでした")
                                  : QString("%1 個みつかりました").arg(rows.size()));
    showEntry(rowEntry[0]);
}

void TRikaNenpyo::showEntry(int j) {
    if (j < 0 || j >= table.count()) return;
    const ChronologyEntry& e = table[j];
    Label8->setText(qs(chronologyNumber(j + 1)));
    Label9->setText(qs(chronologyDate(e.date)));
    Label10->setText(qs(chronologyLat(e.lat)));
    Label11->setText(qs(chronologyLon(e.lon)));
    Label12->setText(qs(chronologyMag(e.mag)));
    Label13->setText(qs(e.name));
    Memo1->setPlainText(qs(e.article));
}

void TRikaNenpyo::StringGrid1Click(int, int row) {
    if (row < 0 || row >= StringGrid1->rowCount()) return;
    showEntry(rowEntry[static_cast<std::size_t>(row)]);
}

void TRikaNenpyo::Button2Click() {
    Edit1->clear();
    Edit2->clear();
}

void TRikaNenpyo::Button1Click() { close(); }
