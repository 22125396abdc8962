#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "analysis/AnalyseCommand.h"
#include "common/CatalogueFixture.h"
#include "common/TempDir.h"

using namespace kavelo;
using namespace kavelo::analysis;
using namespace kavelo::test;

namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun analyse(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runAnalyseCommand(args, out, err);
    return {status, out.str(), err.str()};
}

// The value of a key of a one-line JSON object, as text.
std::string field(const std::string& json, const std::string& key) {
    const std::string k = "\"" + key + "\":";
    const auto at = json.find(k);
    if (at == std::string::npos) return "<missing>";
    const auto start = at + k.size();
    return json.substr(start, json.find_first_of(",}", start) - start);
}

// Events spread over dates, places, depths and magnitudes so that every filter bites.
std::vector<EarthquakeRecord> sampleEvents() {
    return {
        quake(19991231, 2359, 3500, 13900, 10, 20),  // 35.0N 139.0E
        quake(20000101, 0, 3530, 14000, 30, 25),     // 35.5N 140.0E
        quake(20000615, 1200, 3600, 14030, 50, 30),  // 36.0N 140.5E
        quake(20001231, 2359, 3800, 14200, 100, 45),
        quake(20010101, 0, 4000, 14400, 300, 60),
    };
}

}  // namespace

TEST(AnalyseCommand, FiltersAreInclusive) {
    TempDir dir;
    dir.write("A.BIN", fileOf(sampleEvents()));
    const std::string f = dir.file("A.BIN");
    auto events = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "bvalue");
        args.push_back(f);
        const ToolRun r = analyse(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return field(r.out, "events");
    };
    EXPECT_EQ(events({}), "5");
    EXPECT_EQ(events({"--from", "2000-01-01", "--to", "2000-12-31"}), "3");
    EXPECT_EQ(events({"--from=2000-06-15"}), "3");
    EXPECT_EQ(events({"--lat", "35.5", "36"}), "2");
    EXPECT_EQ(events({"--lon", "139", "140.5"}), "3");
    EXPECT_EQ(events({"--mag", "2.5", "4.5"}), "3");
    EXPECT_EQ(events({"--mag", "2.45", "2.55"}), "1");
    EXPECT_EQ(events({"--depth", "30", "100"}), "3");
    EXPECT_EQ(events({"--depth", "30", "100", "--mag", "3", "9"}), "2");
}

TEST(AnalyseCommand, BValueJsonOnTheReferenceSequence) {
    const std::vector<int> mags = {20, 25, 21, 22, 25, 22, 26, 23, 27, 22, 24, 20,
                                   27, 22, 23, 21, 24, 26, 22, 22, 27, 24, 22, 25};
    std::vector<EarthquakeRecord> recs;
    for (std::size_t i = 0; i < mags.size(); ++i)
        recs.push_back(quake(20100101 + static_cast<int>(i), 1000, 3500, 14000, 10,
                             static_cast<int16_t>(mags[i])));
    TempDir dir;
    // Two files given out of time order: the events are put in time order first.
    std::vector<EarthquakeRecord> late(recs.begin() + 12, recs.end()), early(recs.begin(), recs.begin() + 12);
    dir.write("LATE.BIN", fileOf(late));
    dir.write("EARLY.BIN", fileOf(early));
    const ToolRun r = analyse({"bvalue", "--mc", "2.0", dir.file("LATE.BIN"), dir.file("EARLY.BIN")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(field(r.out, "mc"), "2.0");
    EXPECT_EQ(field(r.out, "mc_method"), "\"fixed\"");
    EXPECT_EQ(field(r.out, "estimator"), "\"classic\"");
    EXPECT_NEAR(std::stod(field(r.out, "b")), 1.114920128810535, 1e-12);
    EXPECT_NEAR(std::stod(field(r.out, "b_positive")), 1.9188552623891313, 1e-12);
    EXPECT_EQ(field(r.out, "n_positive"), "10");
    EXPECT_EQ(field(r.out, "n"), "24");
    EXPECT_NEAR(std::stod(field(r.out, "a")), std::log10(24.0), 1e-12);
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_TRUE(r.err.empty());
    const ToolRun u = analyse({"bvalue", "--mc=2.0", "--estimator", "utsu", dir.file("EARLY.BIN"),
                           dir.file("LATE.BIN")});
    EXPECT_NEAR(std::stod(field(u.out, "b")), 1.1088369750721319, 1e-12);
    // Undefined numbers are null, never made up.
    const ToolRun high = analyse({"bvalue", "--mc", "2.7", dir.file("EARLY.BIN"), dir.file("LATE.BIN")});
    EXPECT_EQ(field(high.out, "b"), "null");
    EXPECT_EQ(field(high.out, "b_sigma"), "null");
    EXPECT_EQ(field(high.out, "a0"), "null");
    EXPECT_EQ(field(high.out, "n"), "3");
}

TEST(AnalyseCommand, McFmdAndBTime) {
    std::vector<EarthquakeRecord> recs;
    const std::vector<int> counts = {3, 8, 20, 45, 100, 79, 63, 50, 40, 32, 25, 20, 16, 13, 10, 8, 6, 5, 4, 3, 3, 2, 2, 1, 1, 1};
    int day = 0;
    for (std::size_t i = 0; i < counts.size(); ++i)
        for (int k = 0; k < counts[i]; ++k, ++day)
            recs.push_back(quake(20000101 + (day % 28), static_cast<int16_t>(day % 60), 3500, 14000, 10,
                                 static_cast<int16_t>(20 + i)));
    TempDir dir;
    dir.write("C.BIN", fileOf(recs));
    const ToolRun mc = analyse({"mc", dir.file("C.BIN")});
    ASSERT_EQ(mc.status, 0) << mc.err;
    EXPECT_EQ(mc.out, "{\"maxc_bin\":2.4,\"maxc\":2.6,\"gft90\":2.3,\"gft95\":2.4,\"mbs\":2.4}\n");
    EXPECT_EQ(field(analyse({"mc", "--correction", "0", dir.file("C.BIN")}).out, "maxc"), "2.4");

    const ToolRun fmd = analyse({"fmd", dir.file("C.BIN")});
    ASSERT_EQ(fmd.status, 0);
    std::istringstream lines(fmd.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "magnitude,count,cumulative");
    std::getline(lines, line);
    EXPECT_EQ(line, "2.0,3,560");
    int rows = 1;
    std::string last;
    while (std::getline(lines, line)) ++rows, last = line;
    EXPECT_EQ(rows, 26);
    EXPECT_EQ(last, "4.5,1,1");

    const ToolRun bt = analyse({"btime", "--window", "200", "--step", "100", "--mc", "2.4", dir.file("C.BIN")});
    ASSERT_EQ(bt.status, 0) << bt.err;
    EXPECT_EQ(bt.out.substr(0, bt.out.find('\n')), "time,mc,b,b_sigma,n");
    EXPECT_NE(bt.err.find("4 windows"), std::string::npos) << bt.err;
    const ToolRun shortSet = analyse({"btime", "--window", "600", dir.file("C.BIN")});
    EXPECT_EQ(shortSet.status, 0);
    EXPECT_EQ(shortSet.out, "time,mc,b,b_sigma,n\n");
    EXPECT_NE(shortSet.err.find("fewer than one window"), std::string::npos);
    const ToolRun boot = analyse({"btime", "--window", "300", "--bootstrap", "10", "--seed", "3", dir.file("C.BIN")});
    EXPECT_EQ(boot.out, analyse({"btime", "--window", "300", "--bootstrap", "10", "--seed", "3", dir.file("C.BIN")}).out);
    EXPECT_EQ(boot.out.substr(0, boot.out.find('\n')), "time,mc,b,b_sigma,n,mc_sigma");
}

TEST(AnalyseCommand, BadInputGetsOneMessageAndStatus) {
    TempDir dir;
    dir.write("A.BIN", fileOf(sampleEvents()));
    dir.write("PART.BIN", fileOf(sampleEvents()) + "abc");
    dir.write("EMPTY.BIN", "");
    const std::string a = dir.file("A.BIN");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, 2, "no command"},
        {{"frobnicate", a}, 2, "unknown command 'frobnicate'"},
        {{"bvalue", "--bogus", a}, 2, "unknown option '--bogus'"},
        {{"fmd", "--window", "5", a}, 2, "unknown option '--window' for fmd"},
        {{"bvalue", "--mc", "median", a}, 2, "--mc 'median'"},
        {{"bvalue", "--estimator", "ols", a}, 2, "--estimator 'ols'"},
        {{"bvalue", "--lat", "40", a}, 2, "--lat needs two numbers"},
        {{"bvalue", "--lat", "40", "30", a}, 2, "the minimum is larger"},
        {{"bvalue", "--depth", "0", "1e308", a}, 2, "--depth 0 1e308: values must lie within -32767 ... 32767"},
        {{"bvalue", "--mag", "-1e10", "9", a}, 2, "--mag -1e10 9: values must lie within"},
        {{"bvalue", "--lon", "-181", "0", a}, 2, "within -180 ... 180"},
        {{"bvalue", "--from", "2001-02-30", a}, 2, "is not a date"},
        {{"bvalue", "--from", "2002-01-01", "--to", "2001-01-01", a}, 2, "--from is later than --to"},
        {{"btime", "--window", "1", a}, 2, "--window 1 is outside"},
        {{"btime", "--step", "x", a}, 2, "--step 'x' is not a whole number"},
        {{"bvalue", "--dmc"}, 2, "--dmc needs 1 value"},
        {{"bvalue"}, 2, "no catalogue file"},
        {{"bvalue", "--mc", "bad", dir.file("MISSING.BIN")}, 2, "--mc 'bad'"},
        {{"bvalue", dir.file("MISSING.BIN")}, 1, "MISSING.BIN: cannot read"},
        {{"bvalue", dir.str()}, 1, "cannot read"},
        {{"bvalue", dir.file("PART.BIN")}, 1, "243 bytes is not a whole number of 48-byte records"},
        {{"bvalue", dir.file("EMPTY.BIN")}, 1, "no events in the files"},
        {{"bvalue", "--mag", "7", "9", a}, 1, "none of the 5 events passes the filters"},
    };
    for (const Case& c : cases) {
        const ToolRun r = analyse(c.args);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_TRUE(r.out.empty()) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("kavelo-analyse: ", 0), 0u) << r.err;
    }
    const ToolRun help = analyse({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("btime [--window N]"), std::string::npos);
}

TEST(AnalyseCommand, RikaFileKeepsItsOldEventsOnly) {
    TempDir dir;
    dir.write("RIKA.BIN", fileOf({quake(18500101, 0, 3500, 14000, 0, 70),
                                  quake(19230901, 1158, 3520, 13920, 0, 79)}));
    dir.write("GEPPO1.BIN", fileOf({quake(19230901, 1158, 3520, 13920, 0, 79)}));
    const ToolRun r = analyse({"fmd", dir.file("RIKA.BIN"), dir.file("GEPPO1.BIN")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("7.0,1,2"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("7.9,1,1"), std::string::npos) << r.out;
}

TEST(AnalyseCommand, JsonKeepsTheFractionOfAPlainDouble) {
    JsonObject j;
    j.add("k", 95.37).add("n", int64_t{3}).add("m", 2.5f);
    EXPECT_EQ(field(j.str(), "k"), "95.37");
    EXPECT_EQ(field(j.str(), "n"), "3");
    EXPECT_EQ(field(j.str(), "m"), "2.5");
}
