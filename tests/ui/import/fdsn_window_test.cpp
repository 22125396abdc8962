#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QEventLoop>
#include <atomic>
#include <filesystem>
#include <memory>

#include "common/CatalogueFixture.h"
#include "common/FakeEventService.h"
#include "common/LoopbackServer.h"
#include "core/map/SyntheticMap.h"
#include "import/TFdsnFetch.h"
#include "ui/MapWindowSet.h"
#include "ui/UiFixture.h"

using namespace kavelo;
using kavelo::test::FakeEventService;
using kavelo::test::HttpReply;
using kavelo::test::LoopbackServer;

namespace {
// The service's catalogue: 2001 events in JST, one of them an hour before midnight UTC.
std::vector<EarthquakeRecord> serviceRecords() {
    return {test::quake(20010105, 830, 3530, 14000, 40, 45, ""),
            test::quake(20010312, 2230, 3806, 14251, 24, 61, ""),
            test::quake(20010601, 115, 3200, 13100, 10, 20, ""),   // below M2.5
            test::quake(20010702, 1200, 1500, 12000, 10, 50, ""),  // outside the box
            test::quake(20011231, 2359, 4300, 14500, 80, 30, "")};
}

class FetchWindow : public ::testing::Test {
  protected:
    test::UiFixture fx;
    std::unique_ptr<test::MapWindowSet> windows;
    std::string stored;
    void SetUp() override {
        fx.dir.write("DATA/RIKA.BIN", test::fileOf({test::quake(18000101, 0, 3315, 13315, 10, 60, "OLD")}));
        stored = test::fileOf({test::quake(19950117, 546, 3436, 13503, 16, 73, "HANSHIN")});
        fx.dir.write("DATA/GEPPO1.BIN", stored);
        mapfixture::writeMapData(fx.dir.str() + "/DATA");
        windows = std::make_unique<test::MapWindowSet>();
        ASSERT_TRUE(Form1 && Form1->createdOk());
        FdsnFetch = new TFdsnFetch;
        FdsnFetch->backoffSeconds = 0.01;
        FdsnFetch->timeoutSeconds = 20;
        ASSERT_TRUE(fx.messages.empty()) << fx.messages[0].text.toStdString();
    }
    void TearDown() override {
        delete FdsnFetch;
        FdsnFetch = nullptr;
        windows.reset();
    }
    void useServer(const LoopbackServer& server) {
        FdsnFetch->ComboService->setCurrentIndex(6);
        FdsnFetch->EditUrl->setText(QString::fromStdString(server.baseUrl()));
        FdsnFetch->EditFrom->setText("2001-01-01");
        FdsnFetch->EditTo->setText("2001-12-31");
    }
};
}  // namespace

TEST_F(FetchWindow, StartsWithJapanAndTheProgramsOwnCatalogue) {
    TFdsnFetch* w = FdsnFetch;
    EXPECT_EQ(w->objectName(), "TFdsnFetch");
    EXPECT_EQ(w->windowTitle(), "地震カタログ取得");
    EXPECT_EQ(w->ComboService->currentText(), "USGS ComCat (usgs)");
    EXPECT_EQ(w->ComboService->count(), 7);
    EXPECT_FALSE(w->EditUrl->isEnabled());
    EXPECT_EQ(w->EditFrom->text(), "1990-01-01");
    EXPECT_EQ(w->EditTo->text(), QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_EQ(w->EditLatMin->text(), "24");
    EXPECT_EQ(w->EditLatMax->text(), "50");
    EXPECT_EQ(w->EditLonMin->text(), "122");
    EXPECT_EQ(w->EditLonMax->text(), "152");
    EXPECT_EQ(w->RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(w->BtnCancel->text(), "中止");
    EXPECT_EQ(w->BtnClose->text(), "閉じる");
    EXPECT_FALSE(w->BtnCancel->isEnabled());
    EXPECT_EQ(w->outputPath(), Form1->geppoPath);
    QString why;
    auto args = w->fetchArguments(why);
    const std::vector<std::string> expected = {
        "--fdsn", "usgs", "--from", "1990-01-01", "--to", w->EditTo->text().toStdString(),
        "--lat", "24", "50", "--lon", "122", "152", "--mag", "2.5", "9.9", "--depth", "0", "700",
        "-o", Form1->geppoPath};
    EXPECT_EQ(args, expected);
    // The menu item opens the window.
    EXPECT_TRUE(Form1->FdsnFetch1->text().startsWith("地震カタログ取得 (FDSN)"));
    EXPECT_TRUE(Form1->FileF1->actions().contains(Form1->FdsnFetch1));
    Form1->FdsnFetch1->trigger();
    EXPECT_TRUE(w->isVisible());
    w->BtnCloseClick();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(FetchWindow, BadSettingsAreNamedAndNothingIsFetched) {
    FdsnFetch->EditFrom->setText("1990-13-01");
    FdsnFetch->BtnFetchClick();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_TRUE(fx.messages[0].text.contains("期間の始め"));
    EXPECT_FALSE(FdsnFetch->running());
    FdsnFetch->EditFrom->setText("1990-01-01");
    FdsnFetch->EditMagMin->setText("7");
    FdsnFetch->EditMagMax->setText("3");
    FdsnFetch->BtnFetchClick();
    ASSERT_EQ(fx.messages.size(), 2u);
    EXPECT_TRUE(fx.messages[1].text.contains("マグニチュード"));
    FdsnFetch->EditMagMin->setText("2.5");
    FdsnFetch->EditMagMax->setText("9.9");
    FdsnFetch->ComboService->setCurrentIndex(6);
    EXPECT_TRUE(FdsnFetch->EditUrl->isEnabled());
    FdsnFetch->BtnFetchClick();
    ASSERT_EQ(fx.messages.size(), 3u);
    EXPECT_TRUE(fx.messages[2].text.contains("URL"));
}

TEST_F(FetchWindow, AFetchIntoTheOwnCatalogueOffersToLoadItAndReloads) {
    FakeEventService service(serviceRecords());
    LoopbackServer server([&](const std::string& t) { return service.answer(t); });
    useServer(server);
    EXPECT_EQ(Form1->catalogue.recordCount, 2);  // RIKA + GEPPO
    fx.answers.push_back(QMessageBox::Yes);
    FdsnFetch->BtnFetchClick();
    EXPECT_TRUE(FdsnFetch->running());
    EXPECT_FALSE(FdsnFetch->BtnFetch->isEnabled());
    EXPECT_TRUE(FdsnFetch->BtnCancel->isEnabled());
    FdsnFetch->waitForFetch();
    ASSERT_EQ(FdsnFetch->lastStatus, 0) << FdsnFetch->lastErrors.toStdString();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_TRUE(fx.messages[0].text.contains("今読み込みますか"));
    EXPECT_TRUE(fx.messages[0].text.contains("3 records"));
    EXPECT_EQ(FdsnFetch->ProgressBar1->value(), 1000);
    EXPECT_TRUE(FdsnFetch->BtnFetch->isEnabled());
    // Replaced: the three events within the box and magnitudes, then loaded as at start.
    EXPECT_EQ(Form1->catalogue.recordCount, 4);
    EXPECT_EQ(Form1->Label31->text(), "月報データ　 　3");
    EXPECT_EQ(Form1->Label30->text(), "最終日付 2001/12/31");
    EXPECT_EQ(Form1->selection.selectionCount, 4);
    // The replaced catalogue is kept beside it and the log says where.
    EXPECT_EQ(fx.dir.read("DATA/GEPPO1.BIN.bak"), stored);
    EXPECT_EQ(FdsnFetch->backupPath.toStdString(), fx.dir.file("DATA/GEPPO1.BIN.bak"));
    EXPECT_TRUE(FdsnFetch->MemoLog->toPlainText().contains("GEPPO1.BIN.bak に残しました"));
    EXPECT_FALSE(std::filesystem::exists(fx.dir.file("DATA/GEPPO1.BIN.bak.tmp")));

    // Adding to the catalogue replaces nothing: no new copy.
    fx.dir.write("DATA/GEPPO1.BIN", test::fileOf({test::quake(19930712, 2217, 4247, 13931, 35, 78, "OKUSHIRI")}));
    FdsnFetch->RadioGroup1->setItemIndex(1);
    fx.answers.push_back(QMessageBox::No);
    FdsnFetch->BtnFetchClick();
    FdsnFetch->waitForFetch();
    ASSERT_EQ(FdsnFetch->lastStatus, 0) << FdsnFetch->lastErrors.toStdString();
    EXPECT_TRUE(FdsnFetch->backupPath.isEmpty());
    EXPECT_EQ(fx.dir.read("DATA/GEPPO1.BIN.bak"), stored);
}

TEST_F(FetchWindow, FailuresAndCancelLeaveTheCatalogueAsItWas) {
    fx.dir.write("DATA/GEPPO1.BIN.bak", "an older catalogue");
    {
        LoopbackServer server(
            [](const std::string&) { return HttpReply{404, "Error 404: no such catalog"}; });
        useServer(server);
        FdsnFetch->BtnFetchClick();
        FdsnFetch->waitForFetch();
        EXPECT_EQ(FdsnFetch->lastStatus, 1);
        ASSERT_EQ(fx.messages.size(), 1u);
        EXPECT_TRUE(fx.messages[0].text.contains("HTTP 404 Not Found: Error 404: no such catalog"))
            << fx.messages[0].text.toStdString();
        EXPECT_EQ(fx.dir.read("DATA/GEPPO1.BIN"), stored);
        EXPECT_TRUE(FdsnFetch->BtnFetch->isEnabled());
        // Nothing replaced: the copy taken before the fetch is gone, an older one stays.
        EXPECT_TRUE(FdsnFetch->backupPath.isEmpty());
        EXPECT_EQ(fx.dir.read("DATA/GEPPO1.BIN.bak"), "an older catalogue");
        EXPECT_FALSE(std::filesystem::exists(fx.dir.file("DATA/GEPPO1.BIN.bak.tmp")));
    }
    {
        std::atomic<bool> asked{false};
        LoopbackServer server([&](const std::string&) {
            asked = true;
            return HttpReply{200, "", HttpReply::Mode::Silent};
        });
        useServer(server);
        FdsnFetch->BtnFetchClick();
        while (!asked) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        FdsnFetch->BtnCancelClick();
        FdsnFetch->waitForFetch();
        EXPECT_EQ(FdsnFetch->lastStatus, 1);
        EXPECT_EQ(fx.messages.size(), 1u);  // no further box for a cancel
        EXPECT_EQ(FdsnFetch->LabelStatus->text(), "中止しました．カタログは変わっていません");
        EXPECT_EQ(fx.dir.read("DATA/GEPPO1.BIN"), stored);
        EXPECT_EQ(Form1->catalogue.recordCount, 2);
    }
}
