#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "catalogue/CatalogueLoader.h"
#include "common/CatalogueFixture.h"
#include "common/FakeEventService.h"
#include "common/LoopbackServer.h"
#include "common/TempDir.h"
#include "import/FdsnFetch.h"
#include "import/ImportCommand.h"

using namespace kavelo;
using namespace kavelo::import;
using kavelo::test::FakeEventService;
using kavelo::test::HttpReply;
using kavelo::test::LoopbackServer;

namespace {
// 2026-12-09 00:00 UTC: "today" for the tests, so that URLs do not depend on the clock.
constexpr int64_t kToday = 1796774400;

std::vector<EarthquakeRecord> bundledCatalogue() {
    const auto path = std::filesystem::path(__FILE__).parent_path() / "../../../data/DATA/GEPPO1.BIN";
    std::string bytes;
    std::vector<EarthquakeRecord> v;
    if (!readWholeFile(path.string(), bytes)) return v;
    for (std::size_t i = 0; i + kRecordSize <= bytes.size(); i += kRecordSize)
        v.push_back(decodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i));
    return v;
}

std::vector<EarthquakeRecord> between(const std::vector<EarthquakeRecord>& all, int32_t from,
                                      int32_t to) {
    std::vector<EarthquakeRecord> v;
    for (const auto& r : all)
        if (r.date >= from && r.date <= to) v.push_back(r);
    return v;
}

std::vector<EarthquakeRecord> load(const std::string& path) {
    std::string bytes;
    std::vector<EarthquakeRecord> v;
    if (!readWholeFile(path, bytes)) return v;
    for (std::size_t i = 0; i + kRecordSize <= bytes.size(); i += kRecordSize)
        v.push_back(decodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i));
    return v;
}

std::string key(const EarthquakeRecord& r) {
    return std::to_string(r.date) + " " + std::to_string(r.time) + " " + std::to_string(r.lat) +
           " " + std::to_string(r.lon) + " " + std::to_string(r.depth) + " " +
           std::to_string(r.mag);
}

struct Outcome {
    int status = 0;
    std::string out, err;
};

// Runs kavelo-import --fdsn through the real libcurl transport against the loopback server.
Outcome fetch(std::vector<std::string> args, FetchSettings settings = {}) {
    settings.backoffSeconds = 0.01;
    if (settings.timeoutSeconds == 180) settings.timeoutSeconds = 20;
    FetchHooks hooks;
    hooks.settings = settings;
    hooks.todayUtc = kToday;
    std::ostringstream out, err;
    Outcome o;
    o.status = runImportCommand(args, out, err, nullptr, &hooks);
    o.out = out.str();
    o.err = err.str();
    return o;
}

// A catalogue file already in place, to check that failures leave it as it was.
struct ExistingCatalogue {
    test::TempDir dir;
    std::string path = dir.file("GEPPO1.BIN");
    std::string bytes = test::fileOf({test::quake(19950117, 546, 3436, 13503, 16, 73, "A"),
                                      test::quake(20110311, 1446, 3806, 14251, 24, 90, "B")});
    ExistingCatalogue() { dir.write("GEPPO1.BIN", bytes); }
    bool unchanged() const {
        return dir.read("GEPPO1.BIN") == bytes && !std::filesystem::exists(path + ".tmp");
    }
};
}  // namespace

TEST(FdsnRequests, EveryServiceIsAskedForItsDocumentedQuery) {
    ConvertOptions f;
    f.fromDate = 19900101;
    f.japanBox = true;
    f.mag = {true, 2.5, 9.9};
    const FdsnQuery q = fdsnQueryFor(f, kToday);
    EXPECT_EQ(isoSeconds(q.start), "1989-12-31T00:00:00");
    EXPECT_EQ(isoSeconds(q.end), "2026-12-11T00:00:00");
    for (const auto& s : fdsnServices()) {
        const std::string url = fdsnQueryUrl(s, q, q.start, q.start + 365 * 86400);
        std::cout << "  " << s.key << ": " << url << "\n";
        EXPECT_EQ(url.rfind(s.baseUrl + "query?", 0), 0u) << url;
        EXPECT_NE(s.baseUrl.find("https://"), std::string::npos);
        EXPECT_NE(url.find("starttime=1989-12-31T00:00:00&endtime=1990-12-30T23:59:59.999"),
                  std::string::npos)
            << url;
        EXPECT_NE(url.find("&minlatitude=23.9833&maxlatitude=50.0167&minlongitude=121.9833"
                           "&maxlongitude=152.0167"),
                  std::string::npos)
            << url;
        EXPECT_NE(url.find("&minmagnitude=2.45&maxmagnitude=9.95&orderby=time-asc"),
                  std::string::npos)
            << url;
        EXPECT_EQ(url.find("mindepth"), std::string::npos);  // no depth bounds were given
        if (s.key == "usgs") {
            EXPECT_TRUE(url.ends_with("&format=csv")) << url;  // ComCat: CSV, refuses > 20000
        } else {
            EXPECT_TRUE(url.ends_with("&format=text&limit=10000")) << url;
        }
    }
}

TEST(FdsnRequests, ServicesByNameOrBaseUrl) {
    std::string why;
    EXPECT_EQ(fdsnServiceFor("USGS", why)->rowLimit, 20000);
    EXPECT_EQ(fdsnServiceFor("https://example.org", why)->baseUrl,
              "https://example.org/fdsnws/event/1/");
    EXPECT_EQ(fdsnServiceFor("http://127.0.0.1:8080/fdsnws/event/1/query", why)->baseUrl,
              "http://127.0.0.1:8080/fdsnws/event/1/");
    EXPECT_EQ(serviceName(*fdsnServiceFor("https://example.org/x/", why)), "example.org");
    EXPECT_FALSE(fdsnServiceFor("jma", why));
    EXPECT_NE(why.find("unknown service 'jma'"), std::string::npos);
    EXPECT_FALSE(fdsnServiceFor("https://example.org/a b", why));
    EXPECT_FALSE(fdsnServiceFor("https://example.org/?format=xml", why));
    // Depth and latitude bounds are widened by what rounding to km and minutes may move.
    ConvertOptions f;
    f.fromDate = 20200101;
    f.toDate = 20200131;
    f.depth = {true, 0, 30};
    f.lat = {true, -90, 90};
    const FdsnQuery q = fdsnQueryFor(f, kToday);
    const std::string url = fdsnQueryUrl(*fdsnServiceFor("usgs", why), q, q.start, q.end);
    EXPECT_NE(url.find("starttime=2019-12-31T00:00:00&endtime=2020-02-01T23:59:59.999"
                       "&minlatitude=-90&maxlatitude=90&mindepth=-0.5&maxdepth=30.5"),
              std::string::npos)
        << url;
}

TEST(FdsnResponses, EachAnswerIsClassifiedAndNamed) {
    using K = PageVerdict::Kind;
    auto answered = [](int status, std::string body) {
        HttpResponse r;
        r.outcome = HttpResponse::Outcome::Answered;
        r.status = status;
        r.body = std::move(body);
        return r;
    };
    EXPECT_EQ(classifyResponse(answered(200, "x"), "usgs").kind, K::Page);
    EXPECT_EQ(classifyResponse(answered(204, ""), "usgs").kind, K::NoEvents);
    EXPECT_EQ(classifyResponse(answered(413, ""), "isc").kind, K::TooMany);
    EXPECT_EQ(classifyResponse(answered(400, "20001 matching events exceeds search limit of 20000"),
                               "usgs")
                  .kind,
              K::TooMany);
    const PageVerdict bad = classifyResponse(
        answered(400, "<html><body><h1>Error 400</h1>\r\n\tminmagnitude\x01 is bad</body></html>"),
        "usgs");
    EXPECT_EQ(bad.kind, K::Fail);
    EXPECT_EQ(bad.message, "usgs answered HTTP 400 Bad Request: Error 400 minmagnitude is bad");
    EXPECT_EQ(classifyResponse(answered(503, "busy"), "emsc").kind, K::Retry);
    EXPECT_EQ(classifyResponse(answered(404, "Not here"), "emsc").message,
              "emsc answered HTTP 404 Not Found: Not here");
    HttpResponse t;
    t.outcome = HttpResponse::Outcome::TimedOut;
    EXPECT_EQ(classifyResponse(t, "isc").kind, K::Retry);
    t.outcome = HttpResponse::Outcome::Refused;
    EXPECT_EQ(classifyResponse(t, "isc").kind, K::Fail);
    EXPECT_EQ(serviceText(std::string(5000, 'a')).size(), 303u);
}

TEST(FdsnFetch, PagesAndSplitsAndImportsTheBundledCatalogueOverLoopback) {
    const auto all = bundledCatalogue();
    if (all.empty()) GTEST_SKIP() << "data/DATA/GEPPO1.BIN not found";
    FakeEventService service(all);
    service.limit = 200;
    LoopbackServer server([&](const std::string& t) { return service.answer(t); });
    test::TempDir d;
    const std::string out = d.file("GEPPO1.BIN");
    Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2000-01-01", "--to", "2004-12-31",
                       "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<EarthquakeRecord> expected = between(all, 20000101, 20041231);
    ASSERT_GT(expected.size(), 1500u);
    sortByDateTime(expected);
    const auto got = load(out);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(key(got[i]), key(expected[i])) << i;
    // The first piece (a year) is over the limit: refused, then asked for in halves.
    const auto targets = server.targets();
    EXPECT_GT(targets.size(), 8u);
    EXPECT_NE(r.err.find("exceeds search limit of 200. Modify"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("written:    " + std::to_string(expected.size()) + " records"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(": fdsn, "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("outside --from/--to"), std::string::npos) << r.out;
    for (const auto& t : targets) {
        EXPECT_NE(t.find("/fdsnws/event/1/query?starttime="), std::string::npos) << t;
        EXPECT_NE(t.find("&orderby=time-asc&format=text&limit=10000"), std::string::npos) << t;
    }
}

TEST(FdsnFetch, FiltersAskTheServiceAndAreAppliedAfterConversion) {
    const auto all = bundledCatalogue();
    if (all.empty()) GTEST_SKIP() << "data/DATA/GEPPO1.BIN not found";
    FakeEventService service(all);
    LoopbackServer server([&](const std::string& t) { return service.answer(t); });
    test::TempDir d;
    const std::string out = d.file("GEPPO1.BIN");
    Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "1995-01-01", "--to", "2010-12-31",
                       "--box", "--mag", "5.0", "9.9", "--depth", "0", "60", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<EarthquakeRecord> expected;
    for (const auto& e : between(all, 19950101, 20101231))
        if (e.mag >= 50 && e.mag <= 99 && e.depth >= 0 && e.depth <= 60 && e.lat >= 2400 &&
            e.lat <= 5000 && e.lon >= 12200 && e.lon <= 15200)
            expected.push_back(e);
    sortByDateTime(expected);
    const auto got = load(out);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(key(got[i]), key(expected[i]));
    EXPECT_NE(server.targets()[0].find("&mindepth=-0.5&maxdepth=60.5&minmagnitude=4.95"),
              std::string::npos);
}

TEST(FdsnFetch, AnswersThatWriteNothingLeaveTheCatalogueByteIdentical) {
    {  // 204 everywhere: "no events", exit 1
        ExistingCatalogue c;
        LoopbackServer server([](const std::string&) { return HttpReply{204, ""}; });
        Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2020-01-01", "--to",
                           "2020-03-01", "-o", c.path});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("no events: 127.0.0.1:"), std::string::npos) << r.err;
        EXPECT_TRUE(c.unchanged());
    }
    {  // 404 is named with the service's text and the request
        ExistingCatalogue c;
        LoopbackServer server(
            [](const std::string&) { return HttpReply{404, "Error 404: No such catalog\n"}; });
        Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2020-01-01", "-o", c.path});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("answered HTTP 404 Not Found: Error 404: No such catalog"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("request: http://127.0.0.1:"), std::string::npos);
        EXPECT_NE(r.err.find("the old " + c.path + " is unchanged"), std::string::npos);
        EXPECT_EQ(server.targets().size(), 1u);  // not tried again
        EXPECT_TRUE(c.unchanged());
    }
    {  // a body cut short, every time: three tries, then a failure
        ExistingCatalogue c;
        LoopbackServer server([](const std::string&) {
            return HttpReply{200, "#EventID|Time|Latitude|Longitude\nx|2020-01-01T00:00:00|35|"
                                  "140\n", HttpReply::Mode::Truncated};
        });
        Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2020-01-01", "-o", c.path});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("was cut off"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("gave up after 3 tries"), std::string::npos) << r.err;
        EXPECT_EQ(server.targets().size(), 3u);
        EXPECT_TRUE(c.unchanged());
    }
    {  // an answer of bad lines only: they are named, and nothing is imported
        ExistingCatalogue c;
        LoopbackServer server([](const std::string&) {
            return HttpReply{200, "time,latitude,longitude,depth,mag\n"
                                  "2020-01-01T00:00:00Z,95,140,10,3\n"};
        });
        Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2020-01-01", "--to",
                           "2020-01-02", "-o", c.path});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("...2020-01-03T23:59:59:2: latitude '95'"), std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("no event to import"), std::string::npos) << r.err;
        EXPECT_TRUE(c.unchanged());
    }
    {  // nothing listens
        ExistingCatalogue c;
        Outcome r = fetch({"--fdsn",
                           "http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()),
                           "--from", "2020-01-01", "-o", c.path});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("cannot connect to 127.0.0.1"), std::string::npos) << r.err;
        EXPECT_TRUE(c.unchanged());
    }
    {  // a service that says nothing: the time-out ends each try
        ExistingCatalogue c;
        LoopbackServer server(
            [](const std::string&) { return HttpReply{200, "", HttpReply::Mode::Silent}; });
        FetchSettings st;
        st.timeoutSeconds = 1;
        st.tries = 2;
        Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2020-01-01", "-o", c.path}, st);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("did not answer in time"), std::string::npos) << r.err;
        EXPECT_EQ(server.targets().size(), 2u);
        EXPECT_TRUE(c.unchanged());
    }
}

TEST(FdsnFetch, ServerErrorsAndTimeOutsAreTriedAgain) {
    const auto all = bundledCatalogue();
    if (all.empty()) GTEST_SKIP() << "data/DATA/GEPPO1.BIN not found";
    FakeEventService service(all, /*csv=*/true);
    std::atomic<int> n{0};
    LoopbackServer server([&](const std::string& t) {
        const int k = n++;
        if (k == 0) return HttpReply{500, "Internal error"};
        if (k == 1) return HttpReply{200, "", HttpReply::Mode::Silent};
        return service.answer(t);
    });
    const auto day = between(all, 20110311, 20110311);
    ASSERT_GT(day.size(), 1u);
    test::TempDir d;
    const std::string out = d.file("GEPPO1.BIN");
    d.write("GEPPO1.BIN", test::fileOf({test::quake(19950117, 546, 3436, 13503, 16, 73, "A"),
                                        day[0]}));
    FetchSettings st;
    st.timeoutSeconds = 1;
    Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2011-03-11", "--to", "2011-03-11",
                       "--merge", "-o", out},
                      st);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("answered HTTP 500 Internal Server Error: Internal error; trying again"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("did not answer in time"), std::string::npos) << r.err;
    // The stored copy of the day's first event is kept; the service's is a duplicate.
    EXPECT_EQ(load(out).size(), 1 + day.size());
    EXPECT_NE(r.out.find("2 kept"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("duplicates: 1"), std::string::npos) << r.out;
}

TEST(FdsnFetch, ACancelMidwayWritesNothing) {
    const auto all = bundledCatalogue();
    if (all.empty()) GTEST_SKIP() << "data/DATA/GEPPO1.BIN not found";
    FakeEventService service(all);
    service.limit = 300;
    std::atomic<bool> cancel{false};
    std::atomic<int> n{0};
    LoopbackServer server([&](const std::string& t) {
        if (++n == 4) cancel = true;
        return service.answer(t);
    });
    ExistingCatalogue c;
    FetchSettings st;
    st.cancel = &cancel;
    std::vector<FetchProgress> seen;
    st.progress = [&](const FetchProgress& p) { seen.push_back(p); };
    Outcome r = fetch({"--fdsn", server.baseUrl(), "--from", "2000-01-01", "-o", c.path}, st);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cancelled; the old"), std::string::npos) << r.err;
    EXPECT_EQ(server.targets().size(), 4u);
    EXPECT_TRUE(c.unchanged());
    ASSERT_FALSE(seen.empty());
    EXPECT_GT(seen.back().done, 0);
    EXPECT_LE(seen.back().done, seen.back().total);
}

TEST(FdsnFetch, UsageErrors) {
    test::TempDir d;
    const std::string out = d.file("X.BIN");
    EXPECT_EQ(fetch({"--fdsn", "usgs", "-o", out}).status, 2);                  // no --from
    EXPECT_EQ(fetch({"--fdsn", "nowhere", "--from", "2020-01-01", "-o", out}).status, 2);
    EXPECT_EQ(fetch({"--fdsn", "usgs", "--from", "2020-01-01", "-o", out, "a.csv"}).status, 2);
    Outcome r = fetch({"--fdsn", "usgs", "--from", "2020-01-01", "--mag", "3", "-o", out});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--mag '3 -o' is not two numbers"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}
