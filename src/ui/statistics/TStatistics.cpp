#include "statistics/TStatistics.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <set>
#include <utility>

#include "analysis/TAnalysis.h"
#include "app/Convert.h"
#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "app/Sjis.h"
#include "search/TForm1.h"
#include "statistics/Frequency.h"

using namespace kavelo;
using namespace kavelo::ui;

TStatistics* Statistics = nullptr;

TStatistics::TStatistics(QWidget* parent) : QWidget(parent) {
    initForm(this, "TStatistics", "統計値", 952, 662);
    QFont f = font();
    f.setBold(true);
    setFont(f);

    Image1 = new TImage(this, 913, 449);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 136, 913, 449);

    Label1 = makeLabel(this, "Label1", "", 8, 10, 300, 20);
    Label2 = makeLabel(this, "Label2", "", 8, 36, 300, 20);
    Label3 = makeLabel(this, "Label3", "", 8, 62, 300, 20);
    Label4 = makeLabel(this, "Label4", "", 8, 88, 300, 20);

    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(316, 4, 180, 56);
    CBAfter = makeCheck(this, "CBAfter", "", 320, 66, 170, 22);
    Button3 = makeButton(this, "Button3", "", 316, 94, 86, 32);
    Button2 = makeButton(this, "Button2", "", 410, 94, 86, 32);

    RadioGroup2 = new TRadioGroup(this);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setGeometry(508, 4, 150, 122);
    RadioGroup3 = new TRadioGroup(this);
    RadioGroup3->setObjectName("RadioGroup3");
    RadioGroup3->setGeometry(666, 4, 200, 56);
    Button4 = makeButton(this, "Button4", "", 666, 66, 96, 28);
    Button7 = makeButton(this, "Button7", "", 770, 66, 96, 28);
    Button5 = makeButton(this, "Button5", "", 666, 98, 96, 28);

    Button6 = makeButton(this, "Button6", "", 876, 8, 68, 28);
    Button8 = makeButton(this, "Button8", "", 876, 50, 68, 28);
    Button1 = makeButton(this, "Button1", "", 876, 94, 68, 32);
    BtnAnalysis = makeButton(this, "BtnAnalysis", "解析", 853, 600, 68, 28);

    connect(Button1, &QPushButton::clicked, this, &TStatistics::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TStatistics::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TStatistics::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TStatistics::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TStatistics::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TStatistics::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TStatistics::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TStatistics::Button8Click);
    connect(BtnAnalysis, &QPushButton::clicked, this, &TStatistics::BtnAnalysisClick);
    FormCreate();
}

void TStatistics::FormCreate() {
    RadioGroup1->setTitle("期間種別");
    RadioGroup1->setItems({"年次別", "月別"});
    RadioGroup1->setColumns(2);
    RadioGroup1->setItemIndexSilently(0);
    CBAfter->setText("1926年以降");
    CBAfter->setChecked(false);
    Button3->setText("頻度表示");
    Button2->setText("ﾌｧｲﾙ出力");
    Button2->setToolTip("無効です");
    Button2->setEnabled(false);
    RadioGroup2->setTitle("Gutenberg-Richter");
    RadioGroup2->setItems({"直線近似", "２次近似", "修正近似"});
    RadioGroup2->setItemIndexSilently(0);
    RadioGroup3->setTitle("加算ﾏｸﾞﾆﾁｭｰﾄﾞ");
    RadioGroup3->setItems({"0.1", "0.2", "0.3", "未定"});
    RadioGroup3->setColumns(4);
    RadioGroup3->setItemIndexSilently(2);
    Button4->setText("表示");
    Button7->setText("ﾌｧｲﾙ出力");
    Button7->setEnabled(false);
    Button5->setText("確率分布");
    Button5->setEnabled(false);
    Button6->setText("コピー");
    Button8->setText("リスト");
    Button1->setText("閉じる");
    fitM1 = false;
    clearImage();
}

void TStatistics::FormShow() { clearImage(); }

void TStatistics::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TStatistics::clearImage() {
    kavelo::ui::clearImage(Image1->canvas());
    Image1->refresh();
}

void TStatistics::showConditions() {
    if (!Form1) return;
    Label1->setText("期　　間 : " + Form1->date1->text() + "～" + Form1->date2->text());
    Label2->setText("緯　　度 :  " + Form1->lat1->text() + "～ " + Form1->lat2->text());
    Label3->setText("経　　度 : " + Form1->lon1->text() + "～" + Form1->lon2->text());
    Label4->setText("ﾏｸﾞﾆﾁｭｰﾄﾞ: " + Form1->mag1->text() + "～" + Form1->mag2->text());
}

bool TStatistics::frequencyDisplay(const Catalogue& cat, const SelectionList& sel) {
    clearImage();
    const bool monthly = RadioGroup1->itemIndex() == 1;
    if (monthly) CBAfter->setChecked(true);
    const bool after = CBAfter->isChecked();
    const int startYear = after ? 1926 : 1885;
    const int barWidth = after ? 8 : 5;
    // Records after 2020 extend the tables as far as the picture can show them.
    const int lastYear =
        monthly ? kMonthlyLastYear : yearlyLastYear(startYear, barWidth, Image1->canvas().width());
    const FrequencyTables t = countFrequencies(cat, sel, startYear, lastYear);
    Canvas& c = Image1->canvas();
    if (t.total > 0) {
        c.setPenWidth(1);
        if (monthly)
            drawMonthlyFrequency(c, t);
        else
            drawYearlyFrequency(c, t, barWidth);
        drawLeftOutNote(c, t);
        Image1->refresh();
    } else {
        messageBox("No Earthquake after 1885", "Error");
    }
    showConditions();
    if (t.total == 0) close();
    return t.total > 0;
}

void TStatistics::Button3Click() {
    if (!Form1) return;
    frequencyDisplay(Form1->catalogue, Form1->selection);
}

void TStatistics::cumulativeDisplay(const Catalogue& cat, const SelectionList& sel, int m0) {
    clearImage();
    magLow = m0;
    const CumulativeCount cc = countCumulative(cat, sel, m0);
    cumCount = cc.cumCount;
    magMax = cc.magMax;
    showConditions();
    Canvas& c = Image1->canvas();
    const LawChoice law = static_cast<LawChoice>(std::clamp(RadioGroup2->itemIndex(), 0, 2));
    // Coefficients of an earlier display never survive into this one.
    alpha = beta = gamma = 0.0;
    stdDev = 0.0;
    fitOk = false;
    fittedLaw = law;
    resultTexts.clear();
    Button5->setEnabled(true);
    Button7->setEnabled(true);

    FrameProblem problem;
    const CumulativeFrame f = cumulativeFrame(m0, cumCount[0], &problem);
    if (!f.valid) {
        drawNotice(c, 300, 180, frameProblemText(problem, m0));
        Image1->refresh();
        return;
    }
    drawFitAxes(c, true, f.x0, f.y0, f.nx, f.ny, f.dx, f.dy, f.xs, 1.0, 1.0, 10.0);
    plotCumulative(c, m0, cumCount, f);

    const LawFit lin = fitLinearLaw(m0, cumCount);
    if (lin.outcome != FitOutcome::Singular) {
        alpha = lin.alpha;
        beta = lin.beta;
        stdDev = lin.stdDev;
    }
    // The Richter line is drawn for every law, from the linear coefficients.
    const double lineAlpha = alpha, lineBeta = beta;
    LawFit shown = lin;
    switch (law) {
    case LawChoice::Linear:
        fitOk = lin.outcome == FitOutcome::Fitted;
        break;
    case LawChoice::Quadratic:
        shown = fitQuadraticLaw(m0, cumCount);
        alpha = shown.alpha;
        beta = shown.beta;
        gamma = shown.gamma;
        stdDev = shown.stdDev;
        fitOk = shown.outcome == FitOutcome::Fitted;
        break;
    case LawChoice::Modified: {
        const int choice = RadioGroup3->itemIndex();
        addMag = choice == 0 ? 0.1 : choice == 1 ? 0.2 : 0.3;
        shown = fitModifiedLaw(m0, cumCount, magMax, addMag, fitM1);
        std::set<std::pair<std::string, std::string>> seen;
        for (const FitMessage& msg : shown.messages)
            if (seen.insert({msg.text, msg.caption}).second)
                messageBox(QString::fromStdString(msg.text), QString::fromStdString(msg.caption));
        fitOk = shown.outcome == FitOutcome::Fitted;
        alpha = fitOk ? shown.alpha : 0.0;
        beta = fitOk ? shown.beta : 0.0;
        gamma = fitOk ? shown.gamma : 0.0;
        stdDev = fitOk ? shown.stdDev : 0.0;
        if (fitOk && fitM1) m1Param = shown.m1;
        break;
    }
    }
    resultTexts = resultLines(law, shown, m0, cumCount[0], magMax);
    if (law == LawChoice::Modified && !fitOk && !shown.reason.empty())
        resultTexts << QString::fromStdString("(" + shown.reason + ")");
    // "Richter Line can't draw" goes under the result lines so that both stay legible.
    drawRichterLine(c, m0, lineAlpha, lineBeta, f, QPoint(400, 100 + 30 * int(resultTexts.size())));
    if (law == LawChoice::Quadratic && shown.outcome != FitOutcome::Singular)
        drawQuadraticCurve(c, m0, alpha, beta, gamma, f);
    if (law == LawChoice::Modified && fitOk)
        drawModifiedCurve(c, m0, magMax, alpha, beta, gamma, addMag, f);
    drawResultLines(c, resultTexts);
    Image1->refresh();
}

void TStatistics::Button4Click() {
    guarded([&] {
        const int m0 = strToInt(Form1->mag1);
        cumulativeDisplay(Form1->catalogue, Form1->selection, m0);
    });
}

int TStatistics::probabilityDisplay() {
    const LawChoice law = static_cast<LawChoice>(std::clamp(RadioGroup2->itemIndex(), 0, 2));
    // A curve needs coefficients fitted for the law now chosen.
    const bool ok = fitOk && law == fittedLaw;
    const int skipped = drawProbability(Image1->canvas(), magLow, cumCount, magMax, addMag, law, ok,
                                        alpha, beta, gamma);
    if (fitOk && law != fittedLaw && law != LawChoice::Quadratic)
        drawNotice(Image1->canvas(), 560, 30, "曲線は「表示」で当てはめ直すと描かれます");
    Image1->refresh();
    return skipped;
}

void TStatistics::Button5Click() { probabilityDisplay(); }

void TStatistics::Button6Click() {
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setImage(Image1->picture());
}

bool TStatistics::writeEqricht(const QString& path) {
    const std::string text = eqrichtText(
        {toSjis(Label1->text()), toSjis(Label2->text()), toSjis(Label3->text()), toSjis(Label4->text())},
        magLow, cumCount);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        messageBox(path + " を書き込めません", "File Error");
        return false;
    }
    return true;
}

void TStatistics::Button7Click() { writeEqricht(); }

void TStatistics::Button8Click() {
    if (Form1) showWindow(Form1);
}

void TStatistics::Button1Click() { close(); }

void TStatistics::BtnAnalysisClick() {
    if (!Analysis) return;
    const bool visible = Analysis->isVisible();
    showWindow(Analysis);
    if (visible) Analysis->BtnDrawClick();
}

// The file output button stays disabled; a click would only clear the picture.
void TStatistics::Button2Click() { clearImage(); }
