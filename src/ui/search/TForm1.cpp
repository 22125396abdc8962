#include "search/TForm1.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QScreen>

#include "app/Convert.h"
#include "analysis/TAnalysis.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/Sjis.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueRewrite.h"
#include "catalogue/OriginNameTable.h"
#include "chronology/TRikaNenpyo.h"
#include "external/TExtFile.h"
#include "import/TFdsnFetch.h"
#include "help/TAboutBox.h"
#include "help/TDistHelp.h"
#include "help/TExtHelp.h"
#include "help/THowto.h"
#include "help/TMap3DHelp.h"
#include "map/TMap.h"
#include "map/TMapFormat.h"
#include "map/TZone.h"
#include "search/ConditionMemory.h"
#include "search/TDirec.h"
#include "search/TDist.h"
#include "search/TFileOut.h"
#include "search/TOrigin.h"
#include "sections/TSection.h"
#include "statistics/TStatistics.h"

using namespace kavelo;
using namespace kavelo::ui;

TForm1* Form1 = nullptr;

namespace {
// Grid column widths in pixels and the x of each heading label.
const std::vector<int> kColumnWidths = {50, 50, 89, 54, 61, 57, 45, 39, 205};

// Name-table messages shown one by one before the rest are summed up.
constexpr int kMaxNameTableMessages = 20;

// The picture buttons of the search commands.
TTkBtn* makePictureButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h) {
    auto* b = new TTkBtn(parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setCaption(caption);
    b->setBevelWidth(2);
    b->Set_Picture(TTkBtn::facePicture(w, h, rgb(236, 244, 255), rgb(150, 184, 232)));
    return b;
}

QString fixedPitchFamily() {
    const QStringList have = QFontDatabase::families();
    for (const char* f : {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP"})
        if (have.contains(f)) return f;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}
}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    initForm(this, "TForm1", "KAVELO", 700, 752);
    buildControls();
    // The window may grow; the list grows with it.
    makeResizable(this, {{StringGrid1, GrowX | GrowY}, {ProgressBar1, GrowX}}, [this] { fitListColumns(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    buildMenus();
    FormCreate();
}

// ------------------------------------------------------------------ layout

void TForm1::buildControls() {
    auto* c = new QWidget(this);
    c->setObjectName("Panel");
    setCentralWidget(c);

    Label2 = makeLabel(c, "Label2", "Period", 12, 12, 95);
    Label4 = makeLabel(c, "Label4", "Latitude", 12, 40, 95);
    Label3 = makeLabel(c, "Label3", "Longitude", 12, 68, 95);
    Label5 = makeLabel(c, "Label5", "Magnitude", 12, 96, 95);
    Label28 = makeLabel(c, "Label28", "Depth", 12, 124, 95);
    Label23 = makeLabel(c, "Label23", "Origin", 12, 152, 95);

    date1 = makeEdit(c, "date1", "", 110, 10, 90);
    Label8 = makeLabel(c, "Label8", "-", 204, 12, 16);
    date2 = makeEdit(c, "date2", "", 222, 10, 90);
    lat1 = makeEdit(c, "lat1", "", 110, 38, 72);
    UpDown3 = new TUpDown(c);
    Label10 = makeLabel(c, "Label10", "-", 204, 40, 16);
    lat2 = makeEdit(c, "lat2", "", 222, 38, 72);
    UpDown4 = new TUpDown(c);
    lon1 = makeEdit(c, "lon1", "", 110, 66, 72);
    UpDown1 = new TUpDown(c);
    Label9 = makeLabel(c, "Label9", "-", 204, 68, 16);
    lon2 = makeEdit(c, "lon2", "", 222, 66, 72);
    UpDown2 = new TUpDown(c);
    mag1 = makeEdit(c, "mag1", "", 110, 94, 72);
    UpDown5 = new TUpDown(c);
    Label29 = makeLabel(c, "Label29", "-", 204, 96, 16);
    mag2 = makeEdit(c, "mag2", "", 222, 94, 72);
    UpDown6 = new TUpDown(c);
    depth1 = makeEdit(c, "depth1", "", 110, 122, 72);
    Label35 = makeLabel(c, "Label35", "-", 204, 124, 16);
    depth2 = makeEdit(c, "depth2", "", 222, 122, 72);
    Origin = makeEdit(c, "Origin", "", 110, 150, 202);
    Origin->setToolTip("ABC DEF｜XYZ");

    struct Pair {
        TUpDown* ud;
        const char* name;
        QLineEdit* edit;
    };
    for (const Pair& p : {Pair{UpDown1, "UpDown1", lon1}, Pair{UpDown2, "UpDown2", lon2},
                          Pair{UpDown3, "UpDown3", lat1}, Pair{UpDown4, "UpDown4", lat2},
                          Pair{UpDown5, "UpDown5", mag1}, Pair{UpDown6, "UpDown6", mag2}}) {
        p.ud->setObjectName(p.name);
        p.ud->setGeometry(p.edit->x() + p.edit->width(), p.edit->y(), 16, 21);
    }
    UpDown1->setRange(12200, 15200);
    UpDown2->setRange(12200, 15200);
    UpDown3->setRange(2400, 5000);
    UpDown4->setRange(2400, 5000);
    UpDown5->setRange(40, 90);
    UpDown6->setRange(40, 90);
    for (auto* u : {UpDown1, UpDown2, UpDown3, UpDown4}) u->setIncrement(100);
    UpDown1->setAssociate(lon1);
    UpDown2->setAssociate(lon2);
    UpDown3->setAssociate(lat1);
    UpDown4->setAssociate(lat2);
    UpDown5->setAssociate(mag1);
    UpDown6->setAssociate(mag2);
    Origin->setMaxLength(51);

    CBDistance = makeCheck(c, "CBDistance", "Distance", 12, 182, 150);
    TkBtn2 = makePictureButton(c, "TkBtn2", "距離検索", 170, 178, 142, 26);
    TkBtn2->setToolTip("距離検索を実行");
    TkBtn2->setVisible(false);

    RadioGroup1 = new TRadioGroup(c);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(325, 2, 150, 64);
    RadioGroup1->setItems({"ALL", "SELECT"});
    RadioGroup1->setItemIndexSilently(0);
    RadioGroup1->setToolTip("検索の時は条件検索をチェックする");
    TkBtn1 = makePictureButton(c, "TkBtn1", "検索する", 325, 72, 150, 30);
    BtnSearch = makeButton(c, "BtnSearch", "Search", 325, 72, 150, 30);
    BtnSearch->setVisible(false);
    BtnReset = makeButton(c, "BtnReset", "Default(&D)", 325, 108, 72, 26);
    BtnMap = makeButton(c, "BtnMap", "Map", 403, 108, 72, 26);
    RadioGroup2 = new TRadioGroup(c);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setGeometry(325, 138, 150, 44);
    RadioGroup2->setItems({"0", "1", "2"});
    RadioGroup2->setColumns(3);
    RadioGroup2->setItemIndexSilently(0);
    RadioGroup2->setToolTip("検索条件番号");
    Button3 = makeButton(c, "Button3", "Save(&V)", 325, 186, 72, 24);
    Button3->setToolTip("検索条件を保存する");
    Button4 = makeButton(c, "Button4", "Read(&R)", 403, 186, 72, 24);
    Button4->setToolTip("検索条件を読み込む");

    Image1 = new TImage(c, 196, 64);
    Image1->setObjectName("Image1");
    Image1->move(490, 4);
    Image1->setCursor(Qt::PointingHandCursor);
    Button1 = makeButton(c, "Button1", "Statistics", 490, 74, 94, 26);
    Button2 = makeButton(c, "Button2", "Chronology", 592, 74, 94, 26);
    BtnDepth = makeButton(c, "BtnDepth", "深さ分布", 490, 104, 94, 26);
    BtnDepth->setToolTip("自動的に深度別震央を表示する");
    CB3D = makeCheck(c, "CB3D", "3D", 596, 108, 90);
    CB3D->setToolTip("三次元震源分布図");
    FileChk = makeCheck(c, "FileChk", "File Out", 494, 138, 94);
    FileChk->setToolTip("検索結果をﾌｧｲﾙに保存するときﾁｪｯｸ");
    BtnFile = makeButton(c, "BtnFile", "File(&F)", 592, 134, 94, 26);
    BtnFile->setEnabled(false);
    Button5 = makeButton(c, "Button5", "旧データ削除", 490, 186, 94, 24);
    Button5->setVisible(false);
    BtnClose = makeButton(c, "BtnClose", "Close", 592, 186, 94, 24);

    Label1 = makeLabel(c, "Label1", "", 12, 216, 200);
    Label31 = makeLabel(c, "Label31", "", 220, 216, 170);
    Label30 = makeLabel(c, "Label30", "", 400, 216, 200);
    Label24 = makeLabel(c, "Label24", "", 12, 234, 120);
    Label25 = makeLabel(c, "Label25", "", 140, 234, 120);
    Label26 = makeLabel(c, "Label26", "", 268, 234, 120);
    Label27 = makeLabel(c, "Label27", "", 396, 234, 200);

    Label19 = makeLabel(c, "Label19", "", 12, 258, 80);
    Label32 = makeLabel(c, "Label32", "", 96, 258, 140);
    Label18 = makeLabel(c, "Label18", "", 240, 258, 150);
    ListChk = makeCheck(c, "ListChk", "List up", 396, 257, 90, 17, true);
    Label34 = makeLabel(c, "Label34", "", 496, 258, 56);
    Edit2 = makeEdit(c, "Edit2", "1", 556, 255, 70, 21);
    Edit2->setToolTip("ｶｳﾝﾄ番号で表示");
    UpDown7 = new TUpDown(c);
    UpDown7->setObjectName("UpDown7");
    UpDown7->setGeometry(626, 255, 16, 21);
    UpDown7->setRange(1, 1);
    UpDown7->setWrap(true);
    UpDown7->setAssociate(Edit2);
    UpDown7->setVisible(false);
    Button6 = makeButton(c, "Button6", "C", 646, 255, 40, 22);
    Button6->setToolTip("番号クリア");
    ProgressBar1 = new QProgressBar(c);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(12, 280, 676, 12);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    QLabel** heads[] = {&Label33, &Label6, &Label7, &Label12, &Label13,
                        &Label14, &Label15, &Label16, &Label17};
    const char* headNames[] = {"Label33", "Label6",  "Label7",  "Label12", "Label13",
                               "Label14", "Label15", "Label16", "Label17"};
    int x = 14;
    for (int i = 0; i < 9; ++i) {
        *heads[i] = makeLabel(c, headNames[i], "", x, 298, kColumnWidths[static_cast<std::size_t>(i)]);
        QFont hf = (*heads[i])->font();
        hf.setPixelSize(11);
        (*heads[i])->setFont(hf);
        x += kColumnWidths[static_cast<std::size_t>(i)];
    }

    StringGrid1 = new TStringGrid(c);
    StringGrid1->setObjectName("StringGrid1");
    resultModel = new ResultListModel(&catalogue, StringGrid1);
    StringGrid1->setModel(resultModel);
    StringGrid1->setColWidths(kColumnWidths);
    StringGrid1->setGeometry(12, 316, 676, 404);
    // A fixed-pitch font keeps the padded numbers of the cells in columns.
    QFont gridFont(fixedPitchFamily());
    gridFont.setPixelSize(12);
    StringGrid1->setFont(gridFont);
    StringGrid1->setTextElideMode(Qt::ElideNone);

    connect(TkBtn1, &TTkBtn::clicked, this, &TForm1::TkBtn1Click);
    connect(TkBtn2, &TTkBtn::clicked, this, &TForm1::TkBtn2Click);
    connect(BtnSearch, &QPushButton::clicked, this, &TForm1::BtnSearchClick);
    connect(BtnReset, &QPushButton::clicked, this, &TForm1::BtnResetClick);
    connect(BtnMap, &QPushButton::clicked, this, &TForm1::BtnMapClick);
    connect(RadioGroup1, &TRadioGroup::clicked, this, &TForm1::RadioGroup1Click);
    connect(UpDown1, &TUpDown::clicked, this, &TForm1::UpDown1Click);
    connect(UpDown2, &TUpDown::clicked, this, &TForm1::UpDown2Click);
    connect(UpDown3, &TUpDown::clicked, this, &TForm1::UpDown3Click);
    connect(UpDown4, &TUpDown::clicked, this, &TForm1::UpDown4Click);
    connect(UpDown5, &TUpDown::clicked, this, &TForm1::UpDown5Click);
    connect(UpDown6, &TUpDown::clicked, this, &TForm1::UpDown6Click);
    mag1->installEventFilter(this);
    connect(StringGrid1, &TStringGrid::selectCell, this, &TForm1::StringGrid1SelectCell);
    // Moving from a chosen cell with the keys selects cells as a click does. A click
    // reports itself on release, so changes made while a button is down are left to it;
    // changes made from elsewhere (the set number) happen while the grid has no focus,
    // and the first cell the grid picks for itself on focus after a new listing is no choice.
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) {
                if (now.isValid() && before.isValid() && StringGrid1->hasFocus() &&
                    QApplication::mouseButtons() == Qt::NoButton)
                    StringGrid1SelectCell(now.column(), now.row());
            });
    connect(Edit2, &QLineEdit::textChanged, this, &TForm1::Edit2Change);
    for (QLineEdit* e : {date1, date2, lat1, lat2, lon1, lon2, mag1, mag2, depth1, depth2, Origin})
        connect(e, &QLineEdit::returnPressed, this, &TForm1::conditionEntered);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(CBDistance, &QCheckBox::clicked, this, &TForm1::CBDistanceClick);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(BtnDepth, &QPushButton::clicked, this, &TForm1::BtnDepthClick);
    connect(FileChk, &QCheckBox::clicked, this, &TForm1::FileChkClick);
    connect(BtnFile, &QPushButton::clicked, this, &TForm1::BtnFileClick);
    connect(BtnClose, &QPushButton::clicked, this, &TForm1::BtnCloseClick);
    connect(Image1, &TImage::clicked, this, &TForm1::Image1Click);
}

void TForm1::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& text, auto slot,
                         bool checkable = false) {
        auto* a = menu->addAction(text);
        a->setObjectName(name);
        a->setCheckable(checkable);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto submenu = [](QMenu* parent, const char* name, const QString& text) {
        QMenu* m = parent->addMenu(text);
        m->setObjectName(name);
        return m;
    };
    auto group = [this](std::initializer_list<QAction*> items) {
        auto* g = new QActionGroup(this);
        g->setExclusive(true);
        for (auto* a : items) g->addAction(a);
    };

    FileF1 = menuBar()->addMenu("&File");
    FileF1->setObjectName("FileF1");
    ExtFileInput = action(FileF1, "ExtFileInput", "CSV File Input", &TForm1::ExtFileInputClick);
    FdsnFetch1 = action(FileF1, "FdsnFetch1", "地震カタログ取得 (FDSN)", &TForm1::FdsnFetch1Click);
    SaveType1 = submenu(FileF1, "SaveType1", "保存ﾌｧｲﾙﾀｲﾌﾟ");
    GIF1 = action(SaveType1, "GIF1", "PNG", &TForm1::GIF1Click, true);
    BMP1 = action(SaveType1, "BMP1", "BMP", &TForm1::BMP1Click, true);
    group({GIF1, BMP1});
    GIF1->setChecked(true);
    DepthRange1 = submenu(FileF1, "DepthRange1", "深度別表示範囲");
    km10 = action(DepthRange1, "km10", "10km", &TForm1::km10Click, true);
    km20 = action(DepthRange1, "km20", "20km", &TForm1::km20Click, true);
    km50 = action(DepthRange1, "km50", "50km", &TForm1::km50Click, true);
    km100 = action(DepthRange1, "km100", "100km", &TForm1::km100Click, true);
    group({km10, km20, km50, km100});
    km20->setChecked(true);
    FileF1->addSeparator();
    QuitQ1 = action(FileF1, "QuitQ1", "&Quit", &TForm1::QuitQ1Click);

    Edit1 = menuBar()->addMenu("&Edit");
    Edit1->setObjectName("Edit1");
    MapFormat1 = action(Edit1, "MapFormat1", "Format", &TForm1::MapFormat1Click);

    Color1 = menuBar()->addMenu("&Color");
    Color1->setObjectName("Color1");
    Coast1 = submenu(Color1, "Coast1", "Coast");
    Blue1 = action(Coast1, "Blue1", "Blue", &TForm1::Blue1Click, true);
    Aqua1 = action(Coast1, "Aqua1", "Aqua", &TForm1::Aqua1Click, true);
    Black1 = action(Coast1, "Black1", "Black", &TForm1::Black1Click, true);
    None1 = action(Coast1, "None1", "None", &TForm1::None1Click, true);
    group({Blue1, Aqua1, Black1, None1});
    Land1 = submenu(Color1, "Land1", "Land");
    Yellow1 = action(Land1, "Yellow1", "Yellow", &TForm1::Yellow1Click, true);
    Green1 = action(Land1, "Green1", "Green", &TForm1::Green1Click, true);
    Brown1 = action(Land1, "Brown1", "Brown", &TForm1::Brown1Click, true);
    None3 = action(Land1, "None3", "None", &TForm1::None3Click, true);
    group({Yellow1, Green1, Brown1, None3});
    Sea1 = submenu(Color1, "Sea1", "Sea");
    Blue2 = action(Sea1, "Blue2", "Blue", &TForm1::Blue2Click, true);
    Aqua2 = action(Sea1, "Aqua2", "Aqua", &TForm1::Aqua2Click, true);
    White1 = action(Sea1, "White1", "White", &TForm1::White1Click, true);
    group({Blue2, Aqua2, White1});
    Grid1 = submenu(Color1, "Grid1", "Grid");
    Aqua3 = action(Grid1, "Aqua3", "Aqua", &TForm1::Aqua3Click, true);
    Yellow2 = action(Grid1, "Yellow2", "Yellow", &TForm1::Yellow2Click, true);
    Gray1 = action(Grid1, "Gray1", "Gray", &TForm1::Gray1Click, true);
    None2 = action(Grid1, "None2", "None", &TForm1::None2Click, true);
    group({Aqua3, Yellow2, Gray1, None2});
    SubGrid1 = submenu(Color1, "SubGrid1", "SubGrid");
    Yellow3 = action(SubGrid1, "Yellow3", "Yellow", &TForm1::Yellow3Click, true);
    Aqua4 = action(SubGrid1, "Aqua4", "Aqua", &TForm1::Aqua4Click, true);
    Gray2 = action(SubGrid1, "Gray2", "Gray", &TForm1::Gray2Click, true);
    group({Yellow3, Aqua4, Gray2});
    Default1 = action(Color1, "Default1", "Default", &TForm1::Default1Click);
    for (auto* a : {Blue1, Yellow1, Aqua2, Aqua3, Yellow3}) a->setChecked(true);

    Analysis1 = menuBar()->addMenu("解析");
    Analysis1->setObjectName("Analysis1");
    Statistics1 = action(Analysis1, "Statistics1", "統計値", &TForm1::Statistics1Click);
    SeismicityAnalysis1 = action(Analysis1, "SeismicityAnalysis1", "地震活動解析",
                                 &TForm1::SeismicityAnalysis1Click);

    HelpH1 = menuBar()->addMenu("&Help");
    HelpH1->setObjectName("HelpH1");
    Howto1 = action(HelpH1, "Howto1", "How to", &TForm1::Howto1Click);
    N31 = action(HelpH1, "N31", "3D", &TForm1::N31Click);
    DistHelp1 = action(HelpH1, "DistHelp1", "Distance", &TForm1::DistHelp1Click);
    ExtHelp1 = action(HelpH1, "ExtHelp1", "External", &TForm1::ExtHelp1Click);
    HelpH1->addSeparator();
    Version1 = action(HelpH1, "Version1", "Version", &TForm1::Version1Click);
}

void TForm1::fitListColumns() {
    QLabel* headLabels[] = {Label33, Label6, Label7, Label12, Label13, Label14, Label15, Label16, Label17};
    QStringList heads;
    for (QLabel* l : headLabels) heads << l->text();
    const std::vector<int> widths = fitColumnWidths(kColumnWidths, heads, Label33->font(), gridRowWidth(StringGrid1));
    StringGrid1->setColWidths(widths);
    int x = StringGrid1->x() + 2;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        headLabels[i]->setGeometry(x, headLabels[i]->y(), widths[i], headLabels[i]->height());
        x += widths[i];
    }
}

void TForm1::setCaptions() {
    setWindowTitle("地震検索システム KAVELO Ver4.4");
    Label2->setText("期　間");
    Label4->setText("緯　度");
    Label3->setText("経　度");
    Label5->setText("マグニチュード");
    Label28->setText("震源深さ");
    Label23->setText("震源地");
    for (auto* l : {Label8, Label10, Label9, Label29, Label35}) l->setText("～");
    const char* heads[] = {"番号", "地震番号", "年月日", "時分", " 　緯度",
                           " 　経度", " 深さ", "ﾏｸﾞﾆﾁｭｰﾄﾞ", "震源地"};
    QLabel* headLabels[] = {Label33, Label6, Label7, Label12, Label13,
                            Label14, Label15, Label16, Label17};
    for (int i = 0; i < 9; ++i) headLabels[i]->setText(heads[i]);
    fitListColumns();
    Label19->setText("検索/リスト");
    Label32->setText("すべての地震");
    Label34->setText("番号設定");
    RadioGroup1->setTitle("地震検索");
    RadioGroup1->setItemCaption(0, "すべて");
    RadioGroup1->setItemCaption(1, "条件検索");
    BtnMap->setText("地　　図");
    BtnReset->setText("既定値");
    Button3->setText("保　存");
    Button4->setText("呼　出");
    RadioGroup2->setTitle("条件記憶");
    Button2->setText("理科年表");
    Button1->setText("統計値");
    BtnFile->setText("書き出し");
    BtnClose->setText("終　了");
    ListChk->setText("ﾘｽﾄｱｯﾌﾟ");
    FileChk->setText("ﾌｧｲﾙ");
    CBDistance->setText("震央距離範囲検索");
    FileF1->setTitle("ﾌｧｲﾙ");
    Edit1->setTitle("編集");
    Color1->setTitle("色設定");
    HelpH1->setTitle("ヘルプ");
    ExtFileInput->setText("外部地震ﾘｽﾄ読込み");
    QuitQ1->setText("終了");
    MapFormat1->setText("書式設定");
    Coast1->setTitle("海岸線");
    Land1->setTitle("陸地");
    Sea1->setTitle("海水面");
    Grid1->setTitle("経緯線");
    SubGrid1->setTitle("補助線");
    Default1->setText("既定値");
    Howto1->setText("KAVELOの使い方");
    N31->setText("三次元震源分布図の描き方");
    DistHelp1->setText("震央距離範囲検索");
    ExtHelp1->setText("外部地震ﾘｽﾄ読込み");
    Version1->setText("バージョン情報");
    for (auto* a : {Blue1, Blue2}) a->setText("青色");
    for (auto* a : {Aqua1, Aqua2, Aqua3, Aqua4}) a->setText("水色");
    Black1->setText("黒色");
    for (auto* a : {None1, None2, None3}) a->setText("なし");
    for (auto* a : {Yellow1, Yellow2, Yellow3}) a->setText("黄色");
    Green1->setText("緑色");
    Brown1->setText("茶色");
    White1->setText("白色");
    for (auto* a : {Gray1, Gray2}) a->setText("灰色");
    addMnemonics();
    setConditionTips();
}

namespace {
// "(&K)" after a caption: the usual keyboard mnemonic of a Japanese menu.
void mnemonic(QAction* a, char key) { a->setText(QString("%1(&%2)").arg(a->text()).arg(QChar(key))); }
void mnemonic(QMenu* m, char key) { mnemonic(m->menuAction(), key); }
}  // namespace

void TForm1::addMnemonics() {
    mnemonic(FileF1, 'F');
    mnemonic(ExtFileInput, 'I');
    mnemonic(FdsnFetch1, 'N');
    mnemonic(SaveType1, 'T');
    GIF1->setText("&PNG");
    BMP1->setText("&BMP");
    mnemonic(DepthRange1, 'D');
    mnemonic(km10, '1');
    mnemonic(km20, '2');
    mnemonic(km50, '5');
    mnemonic(km100, '0');
    mnemonic(QuitQ1, 'X');
    mnemonic(Edit1, 'E');
    mnemonic(MapFormat1, 'F');
    mnemonic(Color1, 'C');
    mnemonic(Coast1, 'C');
    mnemonic(Land1, 'L');
    mnemonic(Sea1, 'S');
    mnemonic(Grid1, 'G');
    mnemonic(SubGrid1, 'U');
    mnemonic(Default1, 'D');
    for (auto* a : {Blue1, Blue2}) mnemonic(a, 'B');
    for (auto* a : {Aqua1, Aqua2, Aqua3, Aqua4}) mnemonic(a, 'A');
    mnemonic(Black1, 'K');
    for (auto* a : {None1, None2, None3}) mnemonic(a, 'N');
    for (auto* a : {Yellow1, Yellow2, Yellow3}) mnemonic(a, 'Y');
    mnemonic(Green1, 'G');
    mnemonic(Brown1, 'R');
    mnemonic(White1, 'W');
    for (auto* a : {Gray1, Gray2}) mnemonic(a, 'G');
    mnemonic(Analysis1, 'A');
    mnemonic(Statistics1, 'S');
    mnemonic(SeismicityAnalysis1, 'A');
    mnemonic(HelpH1, 'H');
    mnemonic(Howto1, 'K');
    mnemonic(N31, '3');
    mnemonic(DistHelp1, 'D');
    mnemonic(ExtHelp1, 'E');
    mnemonic(Version1, 'V');
}

void TForm1::setConditionTips() {
    for (QLineEdit* e : {date1, date2}) e->setToolTip("YYYY/MM/DD");
    for (QLineEdit* e : {lat1, lat2, lon1, lon2}) e->setToolTip("度分: 3540 = 35°40′");
    for (QLineEdit* e : {mag1, mag2}) e->setToolTip("マグニチュード × 10");
    for (QLineEdit* e : {depth1, depth2}) e->setToolTip("km");
}

void TForm1::conditionEntered() {
    // Enter in a condition field runs the search, as 検索する does, while 条件検索 is on.
    if (RadioGroup1->itemIndex() != 1 || depthAnimating) return;
    TkBtn1Click();
}

// ------------------------------------------------------------------ start-up

bool TForm1::loadCatalogue() {
    const CatalogueLoadResult res = kavelo::loadCatalogue(rikaPath, geppoPath, catalogue);
    if (res.status == CatalogueLoadResult::Status::RikaMissing) {
        messageBox("理科年表ファイルをオープンできません\n", "READ ERROR");
        return false;
    }
    if (res.status == CatalogueLoadResult::Status::GeppoMissing) {
        messageBox("地震月報ファイルをオープンできません\n", "READ ERROR");
        return false;
    }
    Label31->setText(QString("月報データ　 　%1").arg(res.geppoCount));
    if (res.leftOut > 0) {
        messageBox(QString("地震データが %1 件を超えています．最初の %1 件を読み込み，残りの %2 件は読み込みませんでした．")
                       .arg(kCatalogueCapacity)
                       .arg(res.leftOut),
                   "READ ERROR", MsgButtons::Ok, QMessageBox::Warning);
    }
    return true;
}

void TForm1::loadOriginNames() {
    std::string bytes;
    if (!readWholeFile(joinPath(workDir, "DATA/JAP-ORIGIN.CSV"), bytes, kOriginTableFileMax)) return;
    // Each fault of the table has its message, but a damaged file could raise thousands
    // of them, one modal box each; after a few the rest are summed up in one last box.
    int shown = 0;
    auto report = [&shown](const char* text) {
        if (shown < kMaxNameTableMessages) {
            messageBox(text, "String Error");
        } else if (shown == kMaxNameTableMessages) {
            messageBox("JAP-ORIGIN.CSV の誤りが多いため，これ以降のメッセージは表示しません．",
                       "String Error");
        }
        ++shown;
    };
    OriginNameTable table = parseOriginNameTable(bytes, [&](NameTableMessage m) {
        report(m == NameTableMessage::TooLongLetters ? "Too long letters" : "Too many letters");
    });
    applyOriginNames(table, catalogue, [&](int) { report("Illegal Letter"); });
}

void TForm1::FormCreate() {
    workDir = QDir::currentPath().toStdString();
    geppoPath = joinPath(workDir, "DATA/GEPPO1.BIN");
    rikaPath = joinPath(workDir, "DATA/RIKA.BIN");
    tempPath = joinPath(workDir, "DATA/TEMP.BIN");
    if (!loadCatalogue()) {
        createdOk_ = false;
        return;
    }
    depthAnimating = 0;
    depthStep = 20;
    loadOriginNames();
    listEverything();
    Label24->setText(QString::fromStdString(fileNamePart(geppoPath)));
    Label25->setText(QString::fromStdString(fileNamePart(rikaPath)));
    Button1->setEnabled(true);
    setCaptions();
    drawLogo();
}

void TForm1::listEverything() {
    BtnResetClick();
    allMode = 1;
    distanceMode = 0;
    selection.setIdentity(catalogue.recordCount);
    if (ListChk->isChecked()) listAll(catalogue.recordCount);
    Label18->setText("");
    showLastDate();
    Label32->setText("すべての地震");
    extListShown = 0;
    // ALL mode: the condition controls wait for 条件検索.
    for (QWidget* w : std::initializer_list<QWidget*>{date1, date2, lat1, lat2, lon1, lon2, mag1,
                                                      mag2, depth1, depth2, Origin, BtnSearch,
                                                      BtnReset, Button3, Button4, RadioGroup2})
        w->setEnabled(false);
    TkBtn1->setVisible(false);
}

bool TForm1::reloadCatalogue() {
    // A zone, a pick and a section hold record numbers of the old catalogue.
    if (Map) {
        Map->zoneSet = false;
        Map->zoneMode = false;
        Map->p1Set = false;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Zone, ::Origin, Section})
        if (w) w->close();
    if (!loadCatalogue()) {
        catalogue.recordCount = 0;
        selection.setIdentity(0);
        listAll(0);
        showLastDate();
        return false;
    }
    loadOriginNames();
    RadioGroup1->setItemIndexSilently(0);
    CBDistance->blockSignals(true);
    CBDistance->setChecked(false);
    CBDistance->blockSignals(false);
    listEverything();
    if (Map && Map->isVisible()) Map->BtnMapDrawClick();
    return true;
}

void TForm1::listAll(int n) {
    if (n > 32000) {
        ProgressBar1->setEnabled(false);
    } else {
        ProgressBar1->setEnabled(true);
        ProgressBar1->setMaximum(std::max(1, n));
    }
    resultModel->listAll(n);
    // The set number reaches every listed row, so selecting a row never snaps back to row 1.
    if (n <= 32000) UpDown7->setMax(std::max(1, n));
    Label1->setText(QString("KAVELOデータ　%1").arg(n));
    // Rows are formatted as they are shown, so the bar jumps to its end.
    if (n < 32000) ProgressBar1->setValue(std::max(0, n - 1));
}

void TForm1::showLastDate() {
    if (catalogue.recordCount <= 0) {
        Label30->setText("最終日付 なし");
        return;
    }
    const int d = catalogue[catalogue.recordCount - 1].date;
    const int y = d / 10000;
    Label30->setText(QString::asprintf("最終日付 %d/%02d/%02d", y, (d - y * 10000) / 100, d % 100));
}

void TForm1::drawLogo() {
    Canvas& cv = Image1->canvas();
    cv.clear(rgb(0, 32, 96));
    cv.setPenColor(rgb(255, 255, 187));
    // A seismogram trace under the name.
    int amp[] = {0, 1, -1, 2, -3, 5, -9, 14, -18, 16, -12, 9, -7, 5, -4, 3, -2, 2, -1, 1, 0};
    cv.moveTo(0, 50);
    for (int i = 0; i < 196; ++i) {
        int k = (i - 40) / 4;
        int a = (k >= 0 && k < 21) ? amp[k] : ((i * 7) % 3) - 1;
        cv.lineTo(i, 50 + ((i % 2) ? a : -a) / 2);
    }
    cv.setBrushStyle(BrushStyle::Clear);
    cv.setFontColor(clWhite);
    cv.setFontHeight(26);
    cv.setFontBold(true);
    cv.textOut(12, 4, "KAVELO");
    cv.setFontHeight(12);
    cv.setFontBold(false);
    cv.textOut(136, 16, "Ver4.4");
    Image1->refresh();
}

// ------------------------------------------------------------------ events

bool TForm1::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == mag1 && ev->type() == QEvent::MouseButtonPress) mag1Click();
    return QMainWindow::eventFilter(obj, ev);
}

void TForm1::closeEvent(QCloseEvent* e) {
    e->accept();
    QApplication::closeAllWindows();
    QApplication::quit();
}

void TForm1::QuitQ1Click() { close(); }
void TForm1::BtnCloseClick() { close(); }

// ------------------------------------------------------------------ search and listing

void TForm1::BtnResetClick() {
    date1->setText("1885/01/01");
    date2->setText("2020");
    depth1->setText("0");
    depth2->setText("600");
    Origin->setText("");
    UpDown3->setPosition(2400);
    UpDown4->setPosition(5000);
    UpDown1->setPosition(12200);
    UpDown2->setPosition(15200);
    UpDown5->setPosition(40);
    UpDown6->setPosition(90);
}

namespace {
// Above this many rows the progress bar and the set-number up-down are switched off.
constexpr int kProgressLimit = 32000;

QString dataErrorCaption() {
    return QString::fromLatin1(kDataErrorCaption.data(), static_cast<int>(kDataErrorCaption.size()));
}
}  // namespace

kavelo::DistanceCondition TForm1::distanceCondition() const {
    if (!Dist || !Dist->distanceOn) return {};
    return {true, Dist->centreLat, Dist->centreLon, Dist->radiusKm};
}

// Origin pattern, dates and the integer fields (strict), in this order. A refused
// pattern or a non-number shows its message; the caller then stops.
bool TForm1::readConditions(SearchConditions& c, bool readBox) {
    const OriginPatternParse origin = parseOriginPattern(toSjis(Origin->text()));
    if (origin.error != OriginPatternError::None) {
        messageBox(QString::fromStdString(std::string(originPatternErrorMessage(origin.error))),
                   dataErrorCaption());
        return false;
    }
    c.origin = origin.condition;
    c.dateFrom = parseSearchDate(toSjis(date1->text()), DateRole::Start);
    c.dateTo = parseSearchDate(toSjis(date2->text()), DateRole::End);
    return guarded([&] {
        if (readBox) {
            c.lat1 = strToInt(lat1);
            c.lat2 = strToInt(lat2);
            c.lon1 = strToInt(lon1);
            c.lon2 = strToInt(lon2);
        }
        c.mag1 = strToInt(mag1);
        c.mag2 = strToInt(mag2);
        c.depth1 = strToInt(depth1);
        c.depth2 = strToInt(depth2);
    });
}

// The part every search shares once its conditions are valid: progress bar, the
// scan itself, the result list, the count and the buttons a result enables.
void TForm1::scanAndList(const std::function<int(const SearchProgress*)>& scan) {
    const int total = catalogue.recordCount;
    const bool progressOn = total <= kProgressLimit;
    ProgressBar1->setEnabled(progressOn);
    if (progressOn) ProgressBar1->setMaximum(std::max(1, total));
    SearchProgress progress{4096, [this](int i) { ProgressBar1->setValue(i); }};
    const int found = scan(progressOn ? &progress : nullptr);
    if (progressOn) ProgressBar1->setValue(total);

    const bool listed = ListChk->isChecked();
    const int listedRows = listed ? found : 0;
    if (listedRows <= kProgressLimit) {
        UpDown7->setEnabled(true);
        Edit2->setEnabled(true);
        UpDown7->setMax(std::max(1, listedRows));
        UpDown7->setPosition(1);
    } else {
        UpDown7->setEnabled(false);
    }
    Label18->setText(QString("%1 個みつかりました").arg(found));
    if (listedRows > 0)
        resultModel->listSelection(selection.index.data(), listedRows);
    else
        resultModel->setEmptyRow();
    Button1->setEnabled(true);
    BtnMap->setEnabled(true);
    BtnReset->setEnabled(true);
    if (Statistics) Statistics->Button4->setEnabled(true);
}

void TForm1::BtnSearchClick() {
    Label18->setText("");
    ProgressBar1->setValue(0);
    BtnMap->setEnabled(false);
    Label32->setText("検索された地震");
    resultModel->clear();

    SearchConditions c;
    if (!readConditions(c, true)) return;
    if (auto msg = validateConditions(c, ValidationScope::Full)) {
        messageBox(QString::fromStdString(std::string(*msg)), dataErrorCaption());
        return;
    }
    const DistanceCondition distance = distanceCondition();
    scanAndList([&](const SearchProgress* p) {
        return runCatalogueSearch(catalogue, c, distance, selection, p);
    });
}

void TForm1::zoneSearch(const kavelo::ZoneCorners& zone) {
    Label18->setText("");
    ProgressBar1->setValue(0);
    resultModel->clear();
    BtnMap->setEnabled(false);

    SearchConditions c;
    const bool useBox = allMode == 0;
    if (!readConditions(c, useBox)) return;
    if (auto msg = validateConditions(c, ValidationScope::DateMagDepth)) {
        messageBox(QString::fromStdString(std::string(*msg)), dataErrorCaption());
        return;
    }
    scanAndList([&](const SearchProgress* p) {
        return runZoneSearch(catalogue, c, useBox, zone, selection, p);
    });
}

void TForm1::setConditionControlsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{date1, date2, lat1, lat2, lon1, lon2, mag1,
                                                      mag2, depth1, depth2, Origin, BtnSearch,
                                                      BtnReset, Button3, Button4, RadioGroup2})
        w->setEnabled(on);
}

void TForm1::RadioGroup1Click() {
    if (RadioGroup1->itemIndex() == 0) {
        TkBtn1->setVisible(false);
        BtnResetClick();
        setConditionControlsEnabled(false);
        BtnMap->setEnabled(false);
        const int n = catalogue.recordCount;
        if (ListChk->isChecked()) listAll(n);
        Label18->setText("");
        selection.setIdentity(n);
        Label32->setText("すべての地震");
        allMode = 1;
        BtnMap->setEnabled(true);
        UpDown7->setPosition(1);
    } else {
        setConditionControlsEnabled(true);
        BtnMap->setEnabled(false);
        allMode = 0;
        TkBtn1->setVisible(true);
    }
}

// Stepping a bound invalidates the map and the defaults until the next search.
void TForm1::UpDown1Click(int) {
    BtnMap->setEnabled(false);
    BtnReset->setEnabled(false);
}
void TForm1::UpDown2Click(int) {
    BtnMap->setEnabled(false);
    BtnReset->setEnabled(false);
}
void TForm1::UpDown3Click(int) {
    BtnMap->setEnabled(false);
    BtnReset->setEnabled(false);
}
void TForm1::UpDown4Click(int) {
    BtnMap->setEnabled(false);
    BtnReset->setEnabled(false);
}
void TForm1::UpDown5Click(int) {
    BtnMap->setEnabled(false);
    BtnReset->setEnabled(false);
}
void TForm1::UpDown6Click(int) {
    BtnMap->setEnabled(false);
    BtnReset->setEnabled(false);
}

void TForm1::mag1Click() {
    Button1->setEnabled(false);
    if (Statistics) Statistics->Button4->setEnabled(false);
}

void TForm1::StringGrid1SelectCell(int col, int row) {
    if (!ListChk->isChecked()) {
        messageBox("List unchecked!", "LIST ERROR");
        return;
    }
    if (catalogue.recordCount <= kProgressLimit) UpDown7->setPosition(row + 1);
    // The record shown in that row (-1 for the empty row of a search without results).
    const int k = resultModel->catalogueIndex(row);
    if (k < 0) return;
    if (Map) Map->markRecord(k);
    if (Analysis) Analysis->chooseMainShock(k);
    if (col == 8) Origin->setText(fromSjis(catalogue[k].originName()));
}

void TForm1::Edit2Change() {
    if (Edit2->text().isEmpty()) return;
    guarded([&] {
        const int r = strToInt(Edit2) - 1;
        if (r >= 0 && r < StringGrid1->rowCount()) StringGrid1->setCurrentRow(r);
    });
}

void TForm1::Button6Click() { Edit2->clear(); }

void TForm1::CBDistanceClick() {
    if (CBDistance->isChecked()) {
        distanceMode = 1;
        TkBtn2->setVisible(true);
        update();
        showWindow(Dist);
    } else {
        distanceMode = 0;
        TkBtn2->setVisible(false);
    }
}

void TForm1::TkBtn1Click() { BtnSearchClick(); }
void TForm1::TkBtn2Click() {
    if (Dist) Dist->Button2Click();
}

// Condition memory: Region0.txt ... Region2.txt in the current directory.
void TForm1::Button3Click() {
    const int slot = std::clamp(RadioGroup2->itemIndex(), 0, kConditionSlotCount - 1);
    ConditionTexts texts;
    const QLineEdit* edits[] = {date1, date2, lat1, lat2, lon1, lon2, mag1, mag2, depth1, depth2, Origin};
    for (std::size_t i = 0; i < kConditionLineCount; ++i) texts[i] = toSjis(edits[i]->text());
    const std::string name = conditionSlotFileName(slot);
    if (writeConditionSlot(name, texts) != SlotWriteStatus::Ok)
        messageBox(QString("%1 に検索条件を保存できません．").arg(QString::fromStdString(name)),
                   "File Error", MsgButtons::Ok, QMessageBox::Warning);
}

void TForm1::Button4Click() {
    const int slot = std::clamp(RadioGroup2->itemIndex(), 0, kConditionSlotCount - 1);
    const std::string name = conditionSlotFileName(slot);
    const SlotRead r = readConditionSlot(name);
    const QString qname = QString::fromStdString(name);
    switch (r.status) {
    case SlotReadStatus::Missing:
        return;
    case SlotReadStatus::Unreadable:
        messageBox(QString("%1 を読み込めません．").arg(qname), "File Error", MsgButtons::Ok,
                   QMessageBox::Warning);
        return;
    case SlotReadStatus::Incomplete:
        messageBox(QString("%1 は %2 行しかありません（11 行必要）．検索条件は変更しません．")
                       .arg(qname)
                       .arg(r.linesFound),
                   "File Error", MsgButtons::Ok, QMessageBox::Warning);
        return;
    case SlotReadStatus::Ok:
        break;
    }
    const ConditionTexts& t = r.texts;
    date1->setText(fromSjis(t[0]));
    date2->setText(fromSjis(t[1]));
    // The up-downs keep their ranges, so an out-of-range value comes back clamped.
    UpDown3->setPosition(slotLineToInt(t[2]));
    UpDown4->setPosition(slotLineToInt(t[3]));
    UpDown1->setPosition(slotLineToInt(t[4]));
    UpDown2->setPosition(slotLineToInt(t[5]));
    UpDown5->setPosition(slotLineToInt(t[6]));
    UpDown6->setPosition(slotLineToInt(t[7]));
    depth1->setText(fromSjis(t[8]));
    depth2->setText(fromSjis(t[9]));
    Origin->setText(fromSjis(t[10]));
}

// Map commands: TForm1MapCommands.cpp

// ------------------------------------------------------------------ other windows

void TForm1::Button2Click() {
    if (!RikaNenpyo) return;
    RikaNenpyo->ListClick();
    showWindow(RikaNenpyo);
}

// Maintenance: keep only the first 29968 records of GEPPO1.BIN.
void TForm1::Button5Click() {
    CatalogueRewriter rw(geppoPath, tempPath);
    const RewriteResult r = rw.truncate();
    if (!r.ok())
        messageBox(QString::fromStdString(describeRewriteFailure(r)), "File Error", MsgButtons::Ok,
                   QMessageBox::Critical);
}

void TForm1::FileChkClick() {
    BtnFile->setEnabled(FileChk->isChecked());
    if (FileChk->isChecked()) return;
    if (FileOut) FileOut->close();
    if (Direc) Direc->close();
}
void TForm1::BtnFileClick() {
    if (!FileOut) return;
    FileOut->Edit3->setText(QString::asprintf("%03d", FileOut->UpDown1->position()));
    FileOut->Label4->setText("");
    FileOut->Label5->setText("");
    showWindow(FileOut);
}
void TForm1::MapFormat1Click() { showWindow(MapFormat); }
void TForm1::ExtFileInputClick() { showWindow(ExtFile); }

void TForm1::FdsnFetch1Click() {
    if (FdsnFetch) showWindow(FdsnFetch);
}
void TForm1::Howto1Click() { showWindow(Howto); }
void TForm1::N31Click() { showWindow(Map3DHelp); }
void TForm1::DistHelp1Click() { showWindow(DistHelp); }
void TForm1::ExtHelp1Click() { showWindow(ExtHelp); }
void TForm1::Version1Click() { AboutBox->exec(); }
void TForm1::Image1Click() { AboutBox->exec(); }
