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

#include "analysis/Declustering.h"
#include "analysis/OmoriUtsu.h"
#include "analysis/Seismicity.h"
#include "catalogue/Catalogue.h"
#include "widgets/FormControls.h"

class QCheckBox;
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
    // Aftershock decay and declustering.
    kavelo::ui::TRadioGroup* RadioGroup4;  // GK, Gruenthal, Uhrhammer, Reasenberg
    QLineEdit *EditFs, *EditCap;
    QLabel *Label6, *Label7;
    QPushButton* BtnMainOnly;
    QCheckBox* CBLogTime;

    // The analysed events in time order (date, time, then selection order) and, per event,
    // its magnitude (tenths), decimal year and depth (km).
    std::vector<kavelo::EarthquakeRecord> events;
    std::vector<int32_t> eventIndex;  // catalogue index of each event
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
    bool memoOwnLines = false;  // the display writes all of Memo1 (no b lines)
    // The main shock the user chose (catalogue index, -1: none) from the main list or
    // the hypocentre pick; used while it is among the analysed events.
    int32_t chosenMain = -1;
    void chooseMainShock(int32_t catalogueIndex);
    // The last Omori-Utsu fit, its main shock (position in events, -1: none), the
    // aftershock times and the smallest magnitude used (tenths).
    kavelo::analysis::OmoriFit omoriFit;
    int omoriMain = -1;
    std::vector<double> omoriTimes;
    std::optional<int> omoriMinMag10;
    // The last declustering of `events` and its settings.
    kavelo::analysis::DeclusterResult declustered;
    kavelo::analysis::DeclusterMethod declusterMethod = kavelo::analysis::DeclusterMethod::GardnerKnopoff;
    double declusterFs = 1.0, declusterCap = 0.0;
    // Reads method, fs and cap; false (with a message box) when a value is not valid.
    bool readDeclusterControls();
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
    void BtnMainOnlyClick();

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
    void showOmori();
    void showDecluster();
    void buildDeclusterControls();

    void writeMemo();
    QStringList bLines() const;
};

extern TAnalysis* Analysis;
