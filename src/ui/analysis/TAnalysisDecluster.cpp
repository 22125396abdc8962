// The aftershock-decay and declustering parts of the seismicity analysis window.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "analysis/AnalysisDrawing.h"
#include "analysis/DeclusterCommand.h"
#include "analysis/DeclusterDrawing.h"
#include "analysis/TAnalysis.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "map/TMap.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::ui;
using namespace kavelo::analysis;

namespace {

// Two significant digits, as an uncertainty is quoted (7.4, 0.024), whole numbers from 10 on.
QString sigmaText(double v) {
    if (!std::isfinite(v) || v <= 0.0) return "?";
    const int decimals = std::max(0, 1 - static_cast<int>(std::floor(std::log10(v))));
    return QString::number(v, 'f', std::min(decimals, 12));
}

QString recordText(const EarthquakeRecord& r) {
    return QString::asprintf("%04d/%02d/%02d %02d:%02d M%s", r.date / 10000, r.date / 100 % 100, r.date % 100,
                             r.time / 100, r.time % 100, qPrintable(QString::number(r.mag / 10.0, 'f', 1)));
}

const char* methodCaption(DeclusterMethod m) {
    switch (m) {
    case DeclusterMethod::GardnerKnopoff: return "GK";
    case DeclusterMethod::Gruenthal: return "Gruenthal";
    case DeclusterMethod::Uhrhammer: return "Uhrhammer";
    case DeclusterMethod::Reasenberg: return "Reasenberg";
    }
    return "GK";
}

}  // namespace

void TAnalysis::buildDeclusterControls() {
    const int x = 776, w = 226;
    RadioGroup4 = new TRadioGroup(this);
    RadioGroup4->setObjectName("RadioGroup4");
    RadioGroup4->setTitle("デクラスタの方法");
    RadioGroup4->setItems({"GK", "Gruenthal", "Uhrhammer", "Reasenberg"});
    RadioGroup4->setColumns(2);
    RadioGroup4->setItemIndexSilently(0);
    RadioGroup4->setGeometry(x, 540, w, 66);
    Label6 = makeLabel(this, "Label6", "fs", x + 4, 614, 24, 21);
    EditFs = makeEdit(this, "EditFs", "1.0", x + 28, 612, 60);
    Label7 = makeLabel(this, "Label7", "上限(日)", x + 100, 614, 60, 21);
    EditCap = makeEdit(this, "EditCap", "", x + 158, 612, 60);
    EditCap->setPlaceholderText("なし");
    BtnMainOnly = makeButton(this, "BtnMainOnly", "本震のみ", x, 642, 110, 30);
    CBLogTime = makeCheck(this, "CBLogTime", "時間を対数で", x + 116, 648, 110, 17, true);
    auto enable = [this] {
        const bool windows = RadioGroup4->itemIndex() != 3;
        EditFs->setEnabled(windows);
        EditCap->setEnabled(windows);
    };
    enable();
    connect(RadioGroup4, &TRadioGroup::clicked, this, [this, enable] {
        enable();
        if (RadioGroup1->itemIndex() == 6) BtnDrawClick();
    });
    connect(CBLogTime, &QCheckBox::clicked, this, [this] {
        if (RadioGroup1->itemIndex() == 5) BtnDrawClick();
    });
    connect(BtnMainOnly, &QPushButton::clicked, this, &TAnalysis::BtnMainOnlyClick);
}

void TAnalysis::chooseMainShock(int32_t catalogueIndex) {
    chosenMain = catalogueIndex;
    if (isVisible() && RadioGroup1->itemIndex() == 5) BtnDrawClick();
}

bool TAnalysis::readDeclusterControls() {
    const int method = std::clamp(RadioGroup4->itemIndex(), 0, 3);
    const DeclusterMethod m = static_cast<DeclusterMethod>(method);
    double fs = 1.0, cap = 0.0;
    if (m != DeclusterMethod::Reasenberg) {
        bool ok = false;
        fs = EditFs->text().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(fs) || fs < 0.0 || fs > 10.0) {
            messageBox("fs は 0 ～ 10 の数値で入力してください", "入力エラー");
            return false;
        }
        const QString capText = EditCap->text().trimmed();
        if (!capText.isEmpty()) {
            cap = capText.toDouble(&ok);
            if (!ok || !std::isfinite(cap) || cap < 0.0 || cap > 1e6) {
                messageBox("上限(日) は 0 ～ 1000000 の数値で入力してください (空欄か 0 は上限なし)", "入力エラー");
                return false;
            }
        }
    }
    declusterMethod = m;
    declusterFs = fs;
    declusterCap = cap;
    return true;
}

void TAnalysis::showOmori() {
    Canvas& c = Image1->canvas();
    memoOwnLines = true;
    omoriFit = OmoriFit{};
    omoriTimes.clear();
    omoriMain = -1;
    // The chosen main shock while it is among the events, else the largest (the earliest
    // of equals: events are in time order).
    for (std::size_t i = 0; i < events.size(); ++i)
        if (eventIndex.size() == events.size() && eventIndex[i] == chosenMain) omoriMain = static_cast<int>(i);
    const bool chosen = omoriMain >= 0;
    if (!chosen) {
        for (std::size_t i = 0; i < events.size(); ++i)
            if (omoriMain < 0 || events[i].mag > events[static_cast<std::size_t>(omoriMain)].mag)
                omoriMain = static_cast<int>(i);
    }
    const EarthquakeRecord& m = events[static_cast<std::size_t>(omoriMain)];
    // Aftershocks above the completeness magnitude of the set when it is known.
    omoriMinMag10 = bResult.mc10;
    const int64_t t0 = recordMinutes(m);
    double latest = 0.0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (static_cast<int>(i) == omoriMain) continue;
        if (omoriMinMag10 && events[i].mag < *omoriMinMag10) continue;
        const int64_t dt = recordMinutes(events[i]) - t0;
        if (dt < 0) continue;
        omoriTimes.push_back(static_cast<double>(dt) / 1440.0);
        latest = std::max(latest, omoriTimes.back());
    }
    const double start = 0.01;
    memoExtra << QString("地震数 = %1").arg(events.size());
    memoExtra << QString("本震: %1 (%2)").arg(recordText(m), chosen ? "選んだ地震" : "最大の地震");
    memoExtra << (omoriMinMag10 ? QString("M ≧ %1 (Mc)").arg(QString::number(*omoriMinMag10 / 10.0, 'f', 1))
                                : QString("M: すべて (Mc が決まりません)"));
    if (latest > start) omoriFit = fitOmoriUtsu(omoriTimes, start, latest);
    drawPictureTitle(c, QString("余震減衰 (大森・宇津)  本震 %1").arg(recordText(m)));
    if (!omoriFit.fitted) {
        const QString why = QString("%1 日から後の余震が2個未満のため当てはめられません").arg(start);
        drawPictureNotice(c, why);
        memoExtra << why;
        csvText.clear();
        return;
    }
    drawOmoriDecay(c, omoriTimes, omoriFit, CBLogTime->isChecked());
    const OmoriFit& f = omoriFit;
    memoExtra << QString("K = %1 ± %2").arg(QString::number(f.k, 'f', 3), sigmaText(f.kSigma));
    memoExtra << QString("c = %1 ± %2 日").arg(QString::number(f.c, 'g', 3), sigmaText(f.cSigma));
    memoExtra << QString("p = %1 ± %2").arg(QString::number(f.p, 'f', 3), sigmaText(f.pSigma));
    memoExtra << QString("N = %1").arg(f.n);
    memoExtra << QString("AIC = %1").arg(QString::number(f.aic, 'f', 3));
    memoExtra << QString("ln L = %1,  S = %2 日,  T = %3 日")
                     .arg(QString::number(f.logLik, 'f', 3), QString::number(f.start), QString::number(f.end, 'f', 3));
    if (!f.converged) memoExtra << "注意: 当てはめが収束しませんでした";
    if (f.atBound) memoExtra << "注意: c か p が探索範囲 (c 1e-5～10 日, p 0.2～3) の端にあります";
    QString csv = "days,observed,fitted\n";
    std::vector<double> sorted;
    for (double t : omoriTimes)
        if (t >= f.start && t <= f.end) sorted.push_back(t);
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        csv += QString("%1,%2,%3\n")
                   .arg(QString::number(sorted[i], 'f', 6))
                   .arg(i + 1)
                   .arg(QString::number(omoriExpectedCount(f, sorted[i]), 'f', 3));
    csvText = csv;
}

void TAnalysis::showDecluster() {
    Canvas& c = Image1->canvas();
    memoOwnLines = true;
    if (!readDeclusterControls()) {
        drawPictureNotice(c, "デクラスタの設定が正しくありません");
        return;
    }
    declustered = decluster(declusterEvents(events), declusterMethod, declusterFs, declusterCap);
    MarkSettings marks;
    DepthClasses depth;
    DeclusterBaseMap base;
    if (Map) {
        marks = Map->markSettings();
        depth = Map->depthClasses();
        base = {&Map->proj, &Map->coasts};
    }
    drawDeclusterMap(c, events, declustered, marks, depth, base);
    QString settings = methodCaption(declusterMethod);
    if (declusterMethod != DeclusterMethod::Reasenberg) {
        settings += QString(", fs = %1").arg(declusterFs);
        settings += declusterCap > 0 ? QString(", 上限 %1 日").arg(declusterCap) : QString(", 上限なし");
    }
    drawPictureTitle(c, QString("デクラスタ (%1)  地震数 %2").arg(settings).arg(events.size()));
    memoExtra << QString("地震数 = %1  (%2)").arg(events.size()).arg(settings);
    memoExtra << QString("本震 = %1").arg(declustered.mainshocks);
    memoExtra << QString("前震 = %1").arg(declustered.foreshocks);
    memoExtra << QString("余震 = %1").arg(declustered.aftershocks);
    memoExtra << QString("クラスタ = %1").arg(declustered.clusters);
    csvText = QString::fromLatin1(rolesCsv(events, declustered).c_str()).replace("\r\n", "\n");
}

void TAnalysis::BtnMainOnlyClick() {
    if (!Form1) return;
    takeSelection(Form1->catalogue, Form1->selection);
    if (events.empty()) {
        messageBox("地震が選択されていません", "本震のみ");
        return;
    }
    if (!readDeclusterControls()) return;
    const DeclusterResult r = decluster(declusterEvents(events), declusterMethod, declusterFs, declusterCap);
    // The main shocks in catalogue order, as a search lists them.
    std::vector<int32_t> mains;
    for (std::size_t i = 0; i < events.size(); ++i)
        if (r.role[i] == EventRole::Mainshock) mains.push_back(eventIndex[i]);
    std::sort(mains.begin(), mains.end());
    Form1->listFound([&](const SearchProgress*) {
        for (std::size_t i = 0; i < mains.size(); ++i) Form1->selection[static_cast<int>(i)] = mains[i];
        Form1->selection.selectionCount = static_cast<int32_t>(mains.size());
        return static_cast<int>(mains.size());
    });
    Form1->Label32->setText(QString("本震のみ(%1)").arg(methodCaption(declusterMethod)));
    Form1->Label18->setText(QString("本震 %1 個 (全 %2 個)").arg(mains.size()).arg(events.size()));
    BtnDrawClick();
}
