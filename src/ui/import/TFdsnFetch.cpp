#include "import/TFdsnFetch.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <sstream>

#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "import/FdsnFetch.h"
#include "import/ImportCommand.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::ui;

TFdsnFetch* FdsnFetch = nullptr;

namespace {
// The services of the core's table, with the names users know them by.
struct ServiceItem {
    const char* key;
    const char* label;
};
const ServiceItem kItems[] = {{"usgs", "USGS ComCat (usgs)"},  {"isc", "ISC (isc)"},
                              {"emsc", "EMSC (emsc)"},         {"iris", "IRIS (iris)"},
                              {"geofon", "GEOFON (geofon)"},   {"ingv", "INGV (ingv)"}};
constexpr int kOtherItem = 6;  // "その他 (URL)"

QString lastLines(const QString& text, int n) {
    QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    // Progress lines end in '\r' rewrites; keep what the user would have seen last.
    for (QString& l : lines) l = l.section('\r', -1).trimmed();
    lines.removeIf([](const QString& l) { return l.isEmpty() || l.startsWith("fetching "); });
    if (lines.size() > n) lines = lines.mid(lines.size() - n);
    return lines.join('\n');
}
}  // namespace

TFdsnFetch::TFdsnFetch(QWidget* parent) : QWidget(parent) {
    initForm(this, "TFdsnFetch", "地震カタログ取得", 560, 470);
    Label1 = makeLabel(this, "Label1", "取得先", 16, 18, 92);
    ComboService = new QComboBox(this);
    ComboService->setObjectName("ComboService");
    for (const auto& it : kItems) ComboService->addItem(it.label, QString(it.key));
    ComboService->addItem("その他 (URL)", QString());
    ComboService->setGeometry(112, 14, 200, 24);
    EditUrl = makeEdit(this, "EditUrl", "", 320, 15, 224);
    EditUrl->setPlaceholderText("https://.../fdsnws/event/1/");

    Label2 = makeLabel(this, "Label2", "期間 (日本時)", 16, 52, 92);
    EditFrom = makeEdit(this, "EditFrom", "1990-01-01", 112, 49, 100);
    Label3 = makeLabel(this, "Label3", "～", 218, 52, 16);
    EditTo = makeEdit(this, "EditTo", "", 238, 49, 100);

    Label4 = makeLabel(this, "Label4", "緯度 (°N)", 16, 86, 92);
    EditLatMin = makeEdit(this, "EditLatMin", "24", 112, 83, 60);
    Label5 = makeLabel(this, "Label5", "～", 178, 86, 16);
    EditLatMax = makeEdit(this, "EditLatMax", "50", 198, 83, 60);
    Label6 = makeLabel(this, "Label6", "経度 (°E)", 276, 86, 84);
    EditLonMin = makeEdit(this, "EditLonMin", "122", 360, 83, 60);
    makeLabel(this, "Label11", "～", 426, 86, 16);
    EditLonMax = makeEdit(this, "EditLonMax", "152", 446, 83, 60);

    Label7 = makeLabel(this, "Label7", "マグニチュード", 16, 120, 92);
    EditMagMin = makeEdit(this, "EditMagMin", "2.5", 112, 117, 60);
    makeLabel(this, "Label12", "～", 178, 120, 16);
    EditMagMax = makeEdit(this, "EditMagMax", "9.9", 198, 117, 60);
    Label8 = makeLabel(this, "Label8", "深さ (km)", 276, 120, 84);
    EditDepthMin = makeEdit(this, "EditDepthMin", "0", 360, 117, 60);
    makeLabel(this, "Label13", "～", 426, 120, 16);
    EditDepthMax = makeEdit(this, "EditDepthMax", "700", 446, 117, 60);

    Label9 = makeLabel(this, "Label9", "保存先", 16, 154, 92);
    EditOutput = makeEdit(this, "EditOutput", "", 112, 151, 432);

    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setTitle("取込み方法");
    RadioGroup1->setItems({"置き換え", "追加"});
    RadioGroup1->setColumns(2);
    RadioGroup1->setItemIndexSilently(0);
    RadioGroup1->setGeometry(16, 182, 220, 48);
    CheckAllTypes = makeCheck(this, "CheckAllTypes", "地震以外 (発破など) も含める", 250, 200,
                              290, 20, false);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(16, 242, 528, 20);
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    LabelStatus = makeLabel(this, "LabelStatus", "", 16, 266, 528, 18);
    Label10 = makeLabel(this, "Label10", "経過", 16, 288, 80);
    MemoLog = new QPlainTextEdit(this);
    MemoLog->setObjectName("MemoLog");
    MemoLog->setReadOnly(true);
    MemoLog->setGeometry(16, 306, 528, 112);

    BtnFetch = makeButton(this, "BtnFetch", "取得", 268, 430, 88, 28);
    BtnCancel = makeButton(this, "BtnCancel", "中止", 362, 430, 88, 28);
    BtnClose = makeButton(this, "BtnClose", "閉じる", 456, 430, 88, 28);
    connect(ComboService, &QComboBox::currentIndexChanged, this, &TFdsnFetch::ComboServiceChange);
    connect(BtnFetch, &QPushButton::clicked, this, &TFdsnFetch::BtnFetchClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFdsnFetch::BtnCancelClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFdsnFetch::BtnCloseClick);
    // Quitting the program during a fetch stops it first; nothing is written then.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        cancel_ = true;
        joinWorker();
    });
    FormCreate();
}

TFdsnFetch::~TFdsnFetch() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void TFdsnFetch::FormCreate() {
    ComboService->setCurrentIndex(0);
    EditTo->setText(QDate::currentDate().toString("yyyy-MM-dd"));
    const std::string own = Form1 && !Form1->geppoPath.empty()
                                ? Form1->geppoPath
                                : QDir::current().filePath("DATA/GEPPO1.BIN").toStdString();
    EditOutput->setText(QString::fromStdString(own));
    ComboServiceChange();
    setRunning(false);
}

void TFdsnFetch::ComboServiceChange() {
    EditUrl->setEnabled(ComboService->currentIndex() == kOtherItem);
}

std::string TFdsnFetch::outputPath() const {
    return QFileInfo(EditOutput->text().trimmed()).absoluteFilePath().toStdString();
}

std::vector<std::string> TFdsnFetch::fetchArguments(QString& why) const {
    std::vector<std::string> args;
    QString service = ComboService->currentData().toString();
    if (ComboService->currentIndex() == kOtherItem) {
        service = EditUrl->text().trimmed();
        if (service.isEmpty()) {
            why = "取得先の URL を入力してください．";
            return {};
        }
    }
    auto date = [&](QLineEdit* e, const char* what) {
        const QString t = e->text().trimmed();
        if (!import::parseDateArgument(t.toStdString())) {
            why = QString("%1 \"%2\" は日付 (YYYY-MM-DD) ではありません．").arg(what, t);
            return false;
        }
        return true;
    };
    if (!date(EditFrom, "期間の始め") || !date(EditTo, "期間の終わり")) return {};
    args = {"--fdsn", service.toStdString(), "--from", EditFrom->text().trimmed().toStdString(),
            "--to", EditTo->text().trimmed().toStdString()};
    struct Pair {
        QLineEdit *lo, *hi;
        const char *option, *what;
    };
    for (const Pair& p : {Pair{EditLatMin, EditLatMax, "--lat", "緯度"},
                          Pair{EditLonMin, EditLonMax, "--lon", "経度"},
                          Pair{EditMagMin, EditMagMax, "--mag", "マグニチュード"},
                          Pair{EditDepthMin, EditDepthMax, "--depth", "深さ"}}) {
        bool ok1 = false, ok2 = false;
        const double a = p.lo->text().trimmed().toDouble(&ok1);
        const double b = p.hi->text().trimmed().toDouble(&ok2);
        if (!ok1 || !ok2 || a > b) {
            why = QString("%1の範囲 \"%2\" ～ \"%3\" が正しくありません．")
                      .arg(p.what, p.lo->text(), p.hi->text());
            return {};
        }
        args.insert(args.end(), {p.option, p.lo->text().trimmed().toStdString(),
                                 p.hi->text().trimmed().toStdString()});
    }
    if (RadioGroup1->itemIndex() == 1) args.push_back("--merge");
    if (CheckAllTypes->isChecked()) args.push_back("--all-types");
    if (EditOutput->text().trimmed().isEmpty()) {
        why = "保存先のファイルを入力してください．";
        return {};
    }
    args.insert(args.end(), {"-o", outputPath()});
    return args;
}

void TFdsnFetch::setRunning(bool on) {
    BtnFetch->setEnabled(!on);
    BtnCancel->setEnabled(on);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ComboService, EditFrom, EditTo, EditLatMin, EditLatMax, EditLonMin, EditLonMax,
             EditMagMin, EditMagMax, EditDepthMin, EditDepthMax, EditOutput, RadioGroup1,
             CheckAllTypes})
        w->setEnabled(!on);
    EditUrl->setEnabled(!on && ComboService->currentIndex() == kOtherItem);
}

void TFdsnFetch::BtnFetchClick() {
    if (running()) return;
    QString why;
    const std::vector<std::string> args = fetchArguments(why);
    if (args.empty()) {
        messageBox(why, "入力エラー");
        return;
    }
    if (worker_.joinable()) worker_.join();
    if (!keepPreviousCatalogue()) return;
    cancel_ = false;
    finished_ = false;
    lastStatus = -1;
    lastOutput.clear();
    lastErrors.clear();
    MemoLog->clear();
    noticesShown_.clear();
    ProgressBar1->setValue(0);
    LabelStatus->setText("接続しています…");
    setRunning(true);

    import::FetchHooks hooks;
    hooks.transport = transport;
    hooks.settings.cancel = &cancel_;
    hooks.settings.backoffSeconds = backoffSeconds;
    hooks.settings.timeoutSeconds = timeoutSeconds;
    hooks.settings.progress = [this](const import::FetchProgress& p) {
        QMetaObject::invokeMethod(
            this,
            [this, done = static_cast<qint64>(p.done), total = static_cast<qint64>(p.total),
             events = static_cast<qulonglong>(p.events), piece = QString::fromStdString(p.piece)] {
                showProgress(done, total, events, piece);
            },
            Qt::QueuedConnection);
    };
    hooks.settings.notice = [this](const std::string& text) {
        QMetaObject::invokeMethod(
            this,
            [this, t = QString::fromStdString(text)] {
                noticesShown_ << t;
                MemoLog->appendPlainText(t);
            },
            Qt::QueuedConnection);
    };
    worker_ = std::thread([this, args, hooks] {
        std::ostringstream out, err;
        const int status = import::runImportCommand(args, out, err, nullptr, &hooks);
        finished_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, status, o = QString::fromStdString(out.str()),
             e = QString::fromStdString(err.str())] {
                lastStatus = status;
                lastOutput = o;
                lastErrors = e;
                fetchFinished();
            },
            Qt::QueuedConnection);
    });
}

void TFdsnFetch::showProgress(qint64 done, qint64 total, qulonglong events, QString piece) {
    ProgressBar1->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 1000);
    LabelStatus->setText(piece.isEmpty()
                             ? QString("%1 件取得しました").arg(events)
                             : QString("%1 を取得中　(%2 件)").arg(piece).arg(events));
}

void TFdsnFetch::joinWorker() {
    if (worker_.joinable()) worker_.join();
}

// A replacing fetch first copies the catalogue it may replace, so that choosing 置き換え
// never loses a catalogue: the copy becomes OUT.bak when the fetch succeeds and is removed
// when nothing was written (an older OUT.bak then stays as it was).
bool TFdsnFetch::keepPreviousCatalogue() {
    backupPath.clear();
    pendingBackup_.clear();
    if (RadioGroup1->itemIndex() != 0) return true;
    const QString out = QString::fromStdString(outputPath());
    const QFileInfo info(out);
    if (!info.isFile() || info.size() == 0) return true;
    const QString copy = out + ".bak.tmp";
    QFile::remove(copy);
    if (!QFile::copy(out, copy)) {
        messageBox("置き換える前のカタログの控えを作れませんでした．取得しません．\n" + copy,
                   "地震カタログ取得", MsgButtons::Ok, QMessageBox::Warning);
        return false;
    }
    pendingBackup_ = copy;
    return true;
}

void TFdsnFetch::settleBackup(bool replaced) {
    if (pendingBackup_.isEmpty()) return;
    const QString copy = pendingBackup_;
    pendingBackup_.clear();
    if (!replaced) {
        QFile::remove(copy);
        return;
    }
    const QString bak = copy.chopped(4);  // without ".tmp"
    QFile::remove(bak);
    if (QFile::rename(copy, bak)) {
        backupPath = bak;
        MemoLog->appendPlainText("置き換える前のカタログを " + bak + " に残しました．");
    } else {
        backupPath = copy;
        MemoLog->appendPlainText("置き換える前のカタログを " + copy + " に残しました．");
    }
}

void TFdsnFetch::fetchFinished() {
    joinWorker();
    setRunning(false);
    const QString errors = lastLines(lastErrors, 8);
    if (!lastOutput.isEmpty()) MemoLog->appendPlainText(lastOutput.trimmed());
    // Retries and splits were shown as they came; the rest (bad lines, warnings) now.
    for (const QString& l : errors.split('\n', Qt::SkipEmptyParts))
        if (!noticesShown_.contains(l)) MemoLog->appendPlainText(l);
    const bool own = Form1 && !Form1->geppoPath.empty() &&
                     QFileInfo(QString::fromStdString(Form1->geppoPath)).absoluteFilePath() ==
                         QString::fromStdString(outputPath());
    settleBackup(lastStatus == 0);
    if (lastStatus == 0) {
        ProgressBar1->setValue(1000);
        LabelStatus->setText("取得が終わりました");
        const QString written = lastOutput.section("written:", 1).section('\n', 0, 0).trimmed();
        if (own) {
            if (messageBox("地震カタログを取得しました．\n" + written +
                               "\n\n新しいカタログを今読み込みますか？",
                           "地震カタログ取得", MsgButtons::YesNo) == QMessageBox::Yes)
                Form1->reloadCatalogue();
        } else {
            messageBox("地震カタログを取得しました．\n" + written, "地震カタログ取得");
        }
        return;
    }
    if (cancel_) {
        LabelStatus->setText("中止しました．カタログは変わっていません");
        return;
    }
    LabelStatus->setText("取得できませんでした．カタログは変わっていません");
    messageBox("地震カタログを取得できませんでした．カタログは変わっていません．\n\n" + errors,
               "地震カタログ取得", MsgButtons::Ok, QMessageBox::Warning);
}

void TFdsnFetch::waitForFetch() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (worker_.joinable() && std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (finished_) QCoreApplication::processEvents();
    }
}

void TFdsnFetch::BtnCancelClick() {
    if (!running()) return;
    cancel_ = true;
    LabelStatus->setText("中止しています…");
}

void TFdsnFetch::BtnCloseClick() {
    close();
}

void TFdsnFetch::closeEvent(QCloseEvent* e) {
    // Closing stops a fetch that runs; the catalogue stays as it was.
    if (running()) cancel_ = true;
    e->accept();
}
