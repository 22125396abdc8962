#pragma once
// Fetching a catalogue from an FDSN event service: the service, the period, the box, the
// magnitude and depth ranges, replace or add; the fetch runs kavelo-import's own command
// in a worker thread that the window can stop. After a fetch into the program's own
// DATA/GEPPO1.BIN it offers to load the new catalogue.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QCheckBox>
#include <QWidget>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "import/HttpTransport.h"
#include "widgets/FormControls.h"

class TFdsnFetch : public QWidget {
    Q_OBJECT
  public:
    explicit TFdsnFetch(QWidget* parent = nullptr);
    ~TFdsnFetch() override;

    // The kavelo-import arguments of the settings shown, or an empty list with why set
    // (a message for the user) when a setting is not valid.
    std::vector<std::string> fetchArguments(QString& why) const;
    // True while a fetch runs.
    bool running() const { return worker_.joinable() && !finished_; }
    // Waits for the worker (tests; the window itself never blocks on it).
    void waitForFetch();
    // The catalogue file the fetch writes (absolute).
    std::string outputPath() const;
    // The text of the last fetch's summary and messages (what kavelo-import prints).
    QString lastOutput, lastErrors;
    int lastStatus = -1;
    // Where a replacing fetch kept the catalogue it replaced (OUT.bak beside it), once the
    // fetch succeeded; empty otherwise.
    QString backupPath;
    // Transport of the fetch; null: libcurl. Tests put a loopback client here.
    kavelo::import::HttpTransport* transport = nullptr;
    double backoffSeconds = 2.0;
    int timeoutSeconds = 180;

    // ---- Controls
    QComboBox* ComboService;
    QLineEdit *EditUrl, *EditFrom, *EditTo, *EditLatMin, *EditLatMax, *EditLonMin, *EditLonMax,
        *EditMagMin, *EditMagMax, *EditDepthMin, *EditDepthMax, *EditOutput;
    kavelo::ui::TRadioGroup* RadioGroup1;  // 置き換え / 追加
    QCheckBox* CheckAllTypes;
    QProgressBar* ProgressBar1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *LabelStatus;
    QPlainTextEdit* MemoLog;
    QPushButton *BtnFetch, *BtnCancel, *BtnClose;

  public slots:
    void FormCreate();
    void ComboServiceChange();
    void BtnFetchClick();
    void BtnCancelClick();
    void BtnCloseClick();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void setRunning(bool on);
    void showProgress(qint64 done, qint64 total, qulonglong events, QString piece);
    void fetchFinished();
    void joinWorker();
    bool keepPreviousCatalogue();
    void settleBackup(bool replaced);

    QStringList noticesShown_;
    QString pendingBackup_;  // the copy taken before a replacing fetch, until it ends
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{true};
};

extern TFdsnFetch* FdsnFetch;
