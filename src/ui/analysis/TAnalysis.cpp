#include "analysis/TAnalysis.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QShowEvent>
#include <cmath>

#include "analysis/AnalysisDrawing.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/PictureFile.h"
#include "app/Sjis.h"
#include "search/TForm1.h"
#include "statistics/StatisticsDrawing.h"

using namespace kavelo;
using namespace kavelo::ui;
using namespace kavelo::analysis;

TAnalysis* Analysis = nullptr;

namespace {

constexpr int kImageWidth = 760, kImageHeight = 520;

bool bmpChosen() { return Form1 && Form1->BMP1 && Form1->BMP1->isChecked(); }

QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

QString dateTimeText(const EarthquakeRecord& r) {
    return QString::asprintf("%04d/%02d/%02d,%02d:%02d", r.date / 10000, r.date / 100 % 100,
                             r.date % 100, r.time / 100, r.time % 100);
}

// The reason a method finds no Mc, for the picture and Memo1.
QString noMcText(const McChoice& c) {
    switch (c.method) {
    case McMethod::Gft90:
    case McMethod::Gft95:
        return QString("Mc: %1 の基準 (R < %2%) を満たす試行がありません (25個以上の地震が必要)")
            .arg(c.method == McMethod::Gft90 ? "GFT90" : "GFT95")
            .arg(c.method == McMethod::Gft90 ? 10 : 5);
    case McMethod::Mbs:
        return "Mc: MBS の基準を満たす試行がありません (30個以上の地震が必要)";
    default:
        return "Mc を決められません";
    }
}

}  // namespace

TAnalysis::TAnalysis(QWidget* parent) : QWidget(parent) {
    initForm(this, "TAnalysis", "地震活動解析", 1010, 700);

    Image1 = new TImage(this, kImageWidth, kImageHeight);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 8, kImageWidth, kImageHeight);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setGeometry(8, 536, kImageWidth, 156);

    const int x = 776, w = 226;
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setTitle("表示");
    RadioGroup1->setGeometry(x, 4, w, 176);

    RadioGroup2 = new TRadioGroup(this);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setTitle("Mc の決め方");
    RadioGroup2->setItems({"最大曲率", "GFT90", "GFT95", "MBS", "指定"});
    RadioGroup2->setColumns(2);
    RadioGroup2->setItemIndexSilently(0);
    RadioGroup2->setGeometry(x, 184, w, 86);

    Label1 = makeLabel(this, "Label1", "補正", x + 4, 278, 40, 21);
    EditCorrection = makeEdit(this, "EditCorrection", "0.2", x + 44, 276, 60);
    Label2 = makeLabel(this, "Label2", "Mc", x + 118, 278, 30, 21);
    EditMc = makeEdit(this, "EditMc", "2.0", x + 148, 276, 60);

    RadioGroup3 = new TRadioGroup(this);
    RadioGroup3->setObjectName("RadioGroup3");
    RadioGroup3->setTitle("b の推定");
    RadioGroup3->setItems({"classic", "utsu"});
    RadioGroup3->setColumns(2);
    RadioGroup3->setItemIndexSilently(0);
    RadioGroup3->setGeometry(x, 304, w, 50);

    Label3 = makeLabel(this, "Label3", "窓", x + 4, 364, 40, 21);
    EditWindow = makeEdit(this, "EditWindow", "500", x + 44, 362, 60);
    Label4 = makeLabel(this, "Label4", "ずらし", x + 112, 364, 40, 21);
    EditStep = makeEdit(this, "EditStep", "20", x + 158, 362, 50);
    Label5 = makeLabel(this, "Label5", "ブートストラップ", x + 4, 392, 110, 21);
    EditBoot = makeEdit(this, "EditBoot", "0", x + 158, 390, 50);

    BtnDraw = makeButton(this, "BtnDraw", "描画", x, 424, w, 34);
    BtnCopy = makeButton(this, "BtnCopy", "コピー", x, 468, 110, 30);
    BtnSave = makeButton(this, "BtnSave", bmpChosen() ? "BMPﾌｧｲﾙ" : "PNGﾌｧｲﾙ", x + 116, 468, 110, 30);
    BtnCsv = makeButton(this, "BtnCsv", "CSV出力", x, 506, 110, 30);
    BtnClose = makeButton(this, "BtnClose", "閉じる", x + 116, 506, 110, 30);

    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName("SaveDialog1");
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setDirectory(Form1 ? QString::fromLocal8Bit(Form1->workDir.c_str()) : QDir::currentPath());

    // The displays, in the order of RadioGroup1; a new display is one more row.
    displays_ = {
        {"頻度分布", &TAnalysis::showFrequency},
        {"積算地震数", &TAnalysis::showCumulative},
        {"M-T図", &TAnalysis::showMagnitudeTime},
        {"深さ-時間", &TAnalysis::showDepthTime},
        {"b値・Mcの時間変化", &TAnalysis::showBOverTime},
        {"余震減衰", &TAnalysis::showOmori},
        {"デクラスタ", &TAnalysis::showDecluster},
    };
    QStringList captions;
    for (const Display& d : displays_) captions << d.caption;
    RadioGroup1->setItems(captions);
    RadioGroup1->setItemIndexSilently(0);

    auto enableEdits = [this] {
        EditCorrection->setEnabled(RadioGroup2->itemIndex() == 0);
        EditMc->setEnabled(RadioGroup2->itemIndex() == 4);
    };
    enableEdits();
    connect(RadioGroup2, &TRadioGroup::clicked, this, enableEdits);
    connect(RadioGroup1, &TRadioGroup::clicked, this, &TAnalysis::RadioGroup1Click);
    connect(BtnDraw, &QPushButton::clicked, this, &TAnalysis::BtnDrawClick);
    connect(BtnCopy, &QPushButton::clicked, this, &TAnalysis::BtnCopyClick);
    connect(BtnSave, &QPushButton::clicked, this, &TAnalysis::BtnSaveClick);
    connect(BtnCsv, &QPushButton::clicked, this, &TAnalysis::BtnCsvClick);
    connect(BtnClose, &QPushButton::clicked, this, &TAnalysis::BtnCloseClick);
    buildDeclusterControls();
    kavelo::ui::clearImage(Image1->canvas());
}

void TAnalysis::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TAnalysis::FormShow() {
    BtnSave->setText(bmpChosen() ? "BMPﾌｧｲﾙ" : "PNGﾌｧｲﾙ");
    BtnDrawClick();
}

void TAnalysis::takeSelection(const Catalogue& cat, const SelectionList& sel) {
    std::vector<EarthquakeRecord> chosen;
    std::vector<int32_t> chosenIndex;
    const int n = std::clamp(sel.selectionCount, 0, static_cast<int>(sel.index.size()));
    chosen.reserve(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r) {
        const int i = sel[r];
        if (i >= 0 && i < cat.recordCount) {
            chosen.push_back(cat[i]);
            chosenIndex.push_back(i);
        }
    }
    const std::vector<int> order = timeOrder(chosen);
    events.clear();
    eventIndex.clear();
    mags.clear();
    depths.clear();
    times.clear();
    for (int i : order) {
        const EarthquakeRecord& rec = chosen[static_cast<std::size_t>(i)];
        events.push_back(rec);
        eventIndex.push_back(chosenIndex[static_cast<std::size_t>(i)]);
        mags.push_back(rec.mag);
        depths.push_back(rec.depth);
        times.push_back(decimalYear(rec.date, rec.time));
    }
}

bool TAnalysis::readControls() {
    auto number = [](QLineEdit* e, double lo, double hi, const QString& what) -> std::optional<double> {
        bool ok = false;
        const double v = e->text().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v) || v < lo || v > hi) {
            messageBox(QString("%1 は %2 ～ %3 の数値で入力してください").arg(what).arg(lo).arg(hi),
                       "入力エラー");
            return std::nullopt;
        }
        return v;
    };
    auto whole = [](QLineEdit* e, int lo, int hi, const QString& what) -> std::optional<int> {
        bool ok = false;
        const int v = e->text().trimmed().toInt(&ok);
        if (!ok || v < lo || v > hi) {
            messageBox(QString("%1 は %2 ～ %3 の整数で入力してください").arg(what).arg(lo).arg(hi),
                       "入力エラー");
            return std::nullopt;
        }
        return v;
    };
    McChoice c;
    const int method = std::clamp(RadioGroup2->itemIndex(), 0, 4);
    c.method = static_cast<McMethod>(method);
    const auto corr = number(EditCorrection, -5.0, 5.0, "補正");
    if (!corr) return false;
    c.correction10 = static_cast<int>(std::lround(*corr * 10.0));
    if (c.method == McMethod::Fixed) {
        const auto mc = number(EditMc, -10.0, 12.0, "Mc");
        if (!mc) return false;
        c.fixed10 = static_cast<int>(std::lround(*mc * 10.0));
    }
    const auto win = whole(EditWindow, 2, kCatalogueCapacity, "窓");
    const auto step = whole(EditStep, 1, kCatalogueCapacity, "ずらし");
    const auto boot = win && step ? whole(EditBoot, 0, 1000, "ブートストラップ") : std::nullopt;
    if (!win || !step || !boot) return false;
    mcChoice = c;
    estimator = RadioGroup3->itemIndex() == 1 ? Estimator::Utsu : Estimator::Classic;
    timeOptions.window = *win;
    timeOptions.step = *step;
    timeOptions.bootstrap = *boot;
    return true;
}

void TAnalysis::drawSelected() {
    Canvas& c = Image1->canvas();
    kavelo::ui::clearImage(c);
    memoExtra.clear();
    memoOwnLines = false;
    csvText.clear();
    bResult = BAnalysis{};
    if (events.empty()) {
        drawPictureNotice(c, "地震が選択されていません");
        Memo1->setPlainText("地震が選択されていません");
        Image1->refresh();
        return;
    }
    bResult = analyseB(mags, mcChoice, estimator);
    const int which = std::clamp(RadioGroup1->itemIndex(), 0, static_cast<int>(displays_.size()) - 1);
    (this->*displays_[static_cast<std::size_t>(which)].draw)();
    writeMemo();
    Image1->refresh();
}

QStringList TAnalysis::bLines() const {
    QStringList l;
    l << QString("地震数 = %1").arg(events.size());
    if (!bResult.mc10) {
        l << noMcText(mcChoice);
        return l;
    }
    const BEstimate& e = bResult.estimate;
    l << QString("N = %1").arg(e.n);
    l << QString("Mc = %1 (%2)").arg(fixed(*bResult.mc10 / 10.0, 1),
                                    QString::fromStdString(mcChoiceLabel(mcChoice)));
    if (e.b && e.sigma)
        l << QString("b = %1 ± %2 (%3)").arg(fixed(*e.b, 3), fixed(*e.sigma, 3), estimatorName(estimator));
    else
        l << QString("b = なし (M ≧ Mc の地震が2個未満か、すべて同じマグニチュード) (%1)")
                 .arg(estimatorName(estimator));
    if (bResult.a) l << QString("a = %1").arg(fixed(*bResult.a, 3));
    if (bResult.a0) l << QString("a0 = %1").arg(fixed(*bResult.a0, 3));
    const BPositive& p = bResult.positive;
    if (p.b && p.sigma)
        l << QString("b+ = %1 ± %2 (n = %3)").arg(fixed(*p.b, 3), fixed(*p.sigma, 3)).arg(p.n);
    else
        l << QString("b+ = なし (n = %1)").arg(p.n);
    return l;
}

void TAnalysis::writeMemo() {
    Memo1->setPlainText(((memoOwnLines ? QStringList() : bLines()) + memoExtra).join("\n"));
}

void TAnalysis::showFrequency() {
    Canvas& c = Image1->canvas();
    const MagnitudeBins bins(mags);
    drawFrequencyMagnitude(c, bins, bResult);
    drawPictureTitle(c, QString("頻度分布  (地震数 %1)").arg(events.size()));
    if (!bResult.mc10)
        drawPictureNotice(c, noMcText(mcChoice));
    else if (!bResult.estimate.b)
        drawPictureNotice(c, "b を求められません (M ≧ Mc の地震が少なすぎます)");
    QString csv = "magnitude,count,cumulative\n";
    for (int m = bins.lowest(); m <= bins.highest(); ++m)
        csv += QString("%1,%2,%3\n").arg(fixed(m / 10.0, 1)).arg(bins.count(m)).arg(bins.atOrAbove(m));
    csvText = csv;
}

void TAnalysis::showCumulative() {
    drawCumulativeNumber(Image1->canvas(), times, mags);
    drawPictureTitle(Image1->canvas(), QString("積算地震数  (地震数 %1)").arg(events.size()));
    QString csv = "date,time,year,magnitude,cumulative\n";
    for (std::size_t i = 0; i < events.size(); ++i)
        csv += QString("%1,%2,%3,%4\n").arg(dateTimeText(events[i]), fixed(times[i], 6),
                                           fixed(mags[i] / 10.0, 1)).arg(i + 1);
    csvText = csv;
}

void TAnalysis::showMagnitudeTime() {
    drawMagnitudeTime(Image1->canvas(), times, mags);
    drawPictureTitle(Image1->canvas(), QString("M-T図  (地震数 %1)").arg(events.size()));
    QString csv = "date,time,year,magnitude\n";
    for (std::size_t i = 0; i < events.size(); ++i)
        csv += QString("%1,%2,%3\n").arg(dateTimeText(events[i]), fixed(times[i], 6),
                                         fixed(mags[i] / 10.0, 1));
    csvText = csv;
}

void TAnalysis::showDepthTime() {
    drawDepthTime(Image1->canvas(), times, depths);
    drawPictureTitle(Image1->canvas(), QString("深さ-時間  (地震数 %1)").arg(events.size()));
    QString csv = "date,time,year,depth\n";
    for (std::size_t i = 0; i < events.size(); ++i)
        csv += QString("%1,%2,%3\n").arg(dateTimeText(events[i]), fixed(times[i], 6)).arg(depths[i]);
    csvText = csv;
}

void TAnalysis::showBOverTime() {
    Canvas& c = Image1->canvas();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const BTimeResult r = bOverTime(mags, times, mcChoice, estimator, timeOptions);
    QApplication::restoreOverrideCursor();
    drawBOverTime(c, r);
    drawPictureTitle(c, QString("b値・Mcの時間変化  (窓 %1, ずらし %2%3)")
                            .arg(timeOptions.window)
                            .arg(timeOptions.step)
                            .arg(timeOptions.bootstrap > 0
                                     ? QString(", ブートストラップ %1").arg(timeOptions.bootstrap)
                                     : QString()));
    memoExtra << QString("窓 = %1, ずらし = %2, ブートストラップ = %3")
                     .arg(timeOptions.window)
                     .arg(timeOptions.step)
                     .arg(timeOptions.bootstrap);
    QString notice;
    if (r.windows == 0)
        notice = QString("地震数 %1 が窓の大きさ %2 より少ないため描けません")
                     .arg(events.size())
                     .arg(timeOptions.window);
    else if (r.rows.empty())
        notice = QString("すべての窓 (%1) で Mc か b が決まりません").arg(r.windows);
    if (!notice.isEmpty()) {
        drawPictureNotice(c, notice);
        memoExtra << notice;
    } else {
        memoExtra << QString("窓の数 = %1, 除外 = %2 (Mc なし、または M ≧ Mc が%3個未満)")
                         .arg(r.windows)
                         .arg(r.skipped)
                         .arg(timeOptions.minEvents);
    }
    const bool boot = timeOptions.bootstrap > 0;
    QString csv = boot ? "time,mc,b,b_sigma,n,mc_sigma\n" : "time,mc,b,b_sigma,n\n";
    for (const BTimeRow& row : r.rows) {
        csv += QString("%1,%2,%3,%4,%5").arg(fixed(row.time, 6), fixed(row.mc, boot ? 3 : 1),
                                            fixed(row.b, 6), fixed(row.bSigma, 6)).arg(row.n);
        if (boot) csv += "," + fixed(row.mcSigma, 3);
        csv += "\n";
    }
    csvText = csv;
}

void TAnalysis::RadioGroup1Click() { BtnDrawClick(); }

void TAnalysis::BtnDrawClick() {
    if (Form1) takeSelection(Form1->catalogue, Form1->selection);
    if (!readControls()) return;
    drawSelected();
}

void TAnalysis::BtnCopyClick() {
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setImage(Image1->picture());
}

bool TAnalysis::saveImageAs(const QString& chosen) {
    return savePicture(Image1->picture(), chosen, bmpChosen());
}

void TAnalysis::BtnSaveClick() {
    QString name;
    if (saveFileNameHook) {
        name = saveFileNameHook();
    } else {
        const bool bmp = bmpChosen();
        SaveDialog1->setNameFilters({bmp ? "BMPﾌｧｲﾙ (*.bmp)" : "PNGﾌｧｲﾙ (*.png)", "すべて (*)"});
        SaveDialog1->setDefaultSuffix(bmp ? "bmp" : "png");
        if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
        name = SaveDialog1->selectedFiles().front();
    }
    if (!name.isEmpty()) saveImageAs(name);
}

bool TAnalysis::saveCsvAs(const QString& path) {
    if (csvText.isEmpty()) {
        messageBox("保存する数値がありません。先に「描画」してください", "CSV出力");
        return false;
    }
    QString text = csvText;
    text.replace("\n", "\r\n");
    const std::string bytes = toSjis(text);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        messageBox(path + " を書き込めません", "File Error");
        return false;
    }
    return true;
}

void TAnalysis::BtnCsvClick() {
    QString name;
    if (csvFileNameHook) {
        name = csvFileNameHook();
    } else {
        SaveDialog1->setNameFilters({"CSVﾌｧｲﾙ (*.csv)", "すべて (*)"});
        SaveDialog1->setDefaultSuffix("csv");
        if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
        name = SaveDialog1->selectedFiles().front();
    }
    if (!name.isEmpty()) saveCsvAs(name);
}

void TAnalysis::BtnCloseClick() { close(); }
