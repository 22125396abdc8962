#pragma once
// The seismicity analysis window: the frequency-magnitude distribution with Mc and the
// maximum-likelihood b, cumulative number, magnitude and depth against time, and b and
// Mc over time, of the main window's current selection.
//
// Adding a display: append a row to the table built in the constructor (its caption
// becomes a new RadioGroup1 item) with a member function that draws on Image1's canvas
// and fills `memoExtra` and `csvText`; drawSelected() calls it with the events of the
// selection already in `events`.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Seismicity.h"
#include "catalogue/Catalogue.h"
#include "widgets/VclControls.h"

class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TAnalysis : public QWidget {
    Q_OBJECT
public:
    explicit TAnalysis(QWidget* parent = nullptr);

    kavelo::ui::TImage* Image1;
    kavelo::ui::TRadioGroup* RadioGroup1;  // display
    kavelo::ui::TRadioGroup* RadioGroup2;  // Mc method
    kavelo::ui::TRadioGroup* RadioGroup3;  // estimator
    QLineEdit *EditCorrection, *EditMc, *EditWindow, *EditStep, *EditBoot;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QPushButton *BtnDraw, *BtnCopy, *BtnSave, *BtnCsv, *BtnClose;
    QPlainTextEdit* Memo1;
    QFileDialog* SaveDialog1;

    // The analysed events in time order (date, time, then selection order) and, per event,
    // its magnitude (tenths), decimal year and depth (km).
    std::vector<kavelo::EarthquakeRecord> events;
    std::vector<int> mags, depths;
    std::vector<double> times;

    // The choices read from the controls by the last drawing.
    kavelo::analysis::McChoice mcChoice;
    kavelo::analysis::Estimator estimator = kavelo::analysis::Estimator::Classic;
    kavelo::analysis::BTimeOptions timeOptions;
    // The b analysis of the whole set, shown in Memo1 under every display.
    kavelo::analysis::BAnalysis bResult;
    // Lines a display adds to Memo1 and the numbers behind its picture (UTF-8 CSV text
    // with a header line; written as Shift-JIS with CR LF).
    QStringList memoExtra;
    QString csvText;

    // Replaces the analysed events by the selection's records.
    void takeSelection(const kavelo::Catalogue& cat, const kavelo::SelectionList& sel);
    // Reads the controls; false (with a message box) when a typed value is not valid.
    bool readControls();
    // Draws the display chosen in RadioGroup1 from `events` and rewrites Memo1.
    void drawSelected();
    bool saveImageAs(const QString& chosen);
    bool saveCsvAs(const QString& path);

    // Tests answer the file dialogs through these.
    std::function<QString()> saveFileNameHook;
    std::function<QString()> csvFileNameHook;

public slots:
    void FormShow();
    void RadioGroup1Click();
    void BtnDrawClick();
    void BtnCopyClick();
    void BtnSaveClick();
    void BtnCsvClick();
    void BtnCloseClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    struct Display {
        QString caption;
        void (TAnalysis::*draw)();
    };
    std::vector<Display> displays_;

    void showFrequency();
    void showCumulative();
    void showMagnitudeTime();
    void showDepthTime();
    void showBOverTime();

    void writeMemo();
    QStringList bLines() const;
};

extern TAnalysis* Analysis;
