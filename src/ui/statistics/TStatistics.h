#pragma once
// The statistics window: yearly and monthly frequencies of the selection, the
// cumulative magnitude-frequency graph with a fitted Gutenberg-Richter law, and
// the magnitude distribution on probability paper.

#include <QWidget>
#include <cstdint>

#include "catalogue/Catalogue.h"
#include "statistics/Cumulative.h"
#include "statistics/LawFits.h"
#include "statistics/StatisticsDrawing.h"
#include "widgets/FormControls.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TStatistics : public QWidget {
    Q_OBJECT
public:
    explicit TStatistics(QWidget* parent = nullptr);

    kavelo::ui::TImage* Image1;
    kavelo::ui::TRadioGroup* RadioGroup1;
    kavelo::ui::TRadioGroup* RadioGroup2;
    kavelo::ui::TRadioGroup* RadioGroup3;
    QCheckBox* CBAfter;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7, *Button8;
    QPushButton* BtnAnalysis;  // opens the seismicity analysis window
    QLabel *Label1, *Label2, *Label3, *Label4;

    // State of the last cumulative display.
    kavelo::CumulativeTable cumCount{};
    int32_t magLow = 0;
    int32_t magMax = 0;
    double addMag = 0.3;
    double alpha = 0.0, beta = 0.0, gamma = 0.0;
    double m1Param = 0.0;
    double stdDev = 0.0;
    bool fitM1 = false;
    // Law the coefficients belong to, and whether that fit succeeded.
    kavelo::ui::LawChoice fittedLaw = kavelo::ui::LawChoice::Linear;
    bool fitOk = false;
    QStringList resultTexts;  // lines printed beside the cumulative graph

    void clearImage();
    void showConditions();
    // The frequency display of a selection (what Button3Click runs on the main
    // window's selection). False when nothing was dated from the start year on.
    bool frequencyDisplay(const kavelo::Catalogue& cat, const kavelo::SelectionList& sel);
    // The cumulative display and fit for lower bound m0 (magnitude x 10).
    void cumulativeDisplay(const kavelo::Catalogue& cat, const kavelo::SelectionList& sel, int m0);
    // The probability display from the state of the last cumulative display;
    // returns the number of points left out (probability outside 0 ... 1).
    int probabilityDisplay();
    // Writes EQRICHT.CSV into dir (the current directory when empty).
    bool writeEqricht(const QString& path = "EQRICHT.CSV");

public slots:
    void FormCreate();
    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void BtnAnalysisClick();

protected:
    void showEvent(QShowEvent* e) override;
};

extern TStatistics* Statistics;
