#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/AnalyseCommand.h"
#include "analysis/DeclusterCommand.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueRewrite.h"

using namespace kavelo;
using namespace kavelo::analysis;
namespace fs = std::filesystem;

namespace {

EarthquakeRecord rec(int date, int time, int lat, int lon, int depth, int mag) {
    EarthquakeRecord r;
    r.date = date;
    r.time = static_cast<int16_t>(time);
    r.lat = static_cast<int16_t>(lat);
    r.lon = static_cast<int16_t>(lon);
    r.depth = static_cast<int16_t>(depth);
    r.mag = static_cast<int16_t>(mag);
    return r;
}

struct ToolRun {
    int code;
    std::string out, err;
};

class DeclusterCommandTest : public ::testing::Test {
protected:
    fs::path dir;
    std::string catalogue;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("kavelo-decluster-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        // A M6.0 sequence off Miyagi with a foreshock, three aftershocks, and a M4.0 far
        // away in Kyushu; written out of time order on purpose.
        const std::vector<EarthquakeRecord> rs = {
            rec(20050816, 1146, 3809, 14217, 42, 60), rec(20050816, 1100, 3810, 14218, 40, 45),
            rec(20050816, 1300, 3812, 14220, 45, 38), rec(20050817, 900, 3805, 14215, 38, 41),
            rec(20050901, 1200, 3815, 14212, 50, 35), rec(20050820, 1000, 3200, 13100, 10, 40),
        };
        catalogue = (dir / "IN.BIN").string();
        ASSERT_TRUE(writeCatalogueFile(catalogue, catalogue + ".tmp", rs).ok());
    }
    void TearDown() override { fs::remove_all(dir); }

    ToolRun run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int code = runAnalyseCommand(args, out, err);
        return {code, out.str(), err.str()};
    }
};

}  // namespace

TEST_F(DeclusterCommandTest, WritesCountsMainShockCatalogueAndRoles) {
    const std::string mainPath = (dir / "MAIN.BIN").string(), roles = (dir / "roles.csv").string();
    const ToolRun r = run({"decluster", "--method", "gk", "-o", mainPath, "--roles", roles, catalogue});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"method\":\"gk\",\"events\":6,\"clusters\":1,\"mainshocks\":2,\"foreshocks\":1,\"aftershocks\":3}\n");
    Catalogue cat;
    int32_t taken = 0, left = 0;
    ASSERT_TRUE(appendCatalogueFile(mainPath, false, cat, &taken, &left));
    ASSERT_EQ(taken, 2);
    EXPECT_EQ(cat[0].mag, 60);
    EXPECT_EQ(cat[1].lat, 3200);
    EXPECT_FALSE(fs::exists(mainPath + ".tmp"));
    std::string csv;
    ASSERT_TRUE(readWholeFile(roles, csv));
    EXPECT_EQ(csv,
              "date,time,lat,lon,depth,mag,cluster,role\r\n"
              "2005/08/16,11:00,3810,14218,40,4.5,1,foreshock\r\n"
              "2005/08/16,11:46,3809,14217,42,6.0,1,mainshock\r\n"
              "2005/08/16,13:00,3812,14220,45,3.8,1,aftershock\r\n"
              "2005/08/17,09:00,3805,14215,38,4.1,1,aftershock\r\n"
              "2005/08/20,10:00,3200,13100,10,4.0,0,mainshock\r\n"
              "2005/09/01,12:00,3815,14212,50,3.5,1,aftershock\r\n");

    // The cap of one day leaves the event of 1 September alone.
    const ToolRun capped = run({"decluster", "--method", "gk", "--cap", "1", catalogue});
    EXPECT_NE(capped.out.find("\"mainshocks\":3,\"foreshocks\":1,\"aftershocks\":2"), std::string::npos) << capped.out;
    const ToolRun rb = run({"decluster", "--method", "reasenberg", "--fs", "0.5", catalogue});
    EXPECT_EQ(rb.code, 0);
    EXPECT_NE(rb.err.find("window methods only"), std::string::npos);
}

TEST_F(DeclusterCommandTest, OmoriChoosesTheMainShockAndReportsTheFit) {
    const ToolRun r = run({"omori", "--start", "0", catalogue});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"n\":4,"), std::string::npos) << r.out;  // the Kyushu event counts too: no area filter
    EXPECT_NE(r.out.find("\"main\":\"2005-08-16 11:46\""), std::string::npos);
    EXPECT_NE(r.out.find("\"converged\":"), std::string::npos);
    EXPECT_NE(r.out.find("\"at_bound\":"), std::string::npos);
    // Naming the foreshock as the main shock counts the M6.0 among its aftershocks.
    const ToolRun named = run({"omori", "--main", "2005-08-16 11:00", "--start", "0", catalogue});
    ASSERT_EQ(named.code, 0) << named.err;
    EXPECT_NE(named.out.find("\"n\":5,"), std::string::npos) << named.out;
    EXPECT_NE(named.out.find("\"start\":0,"), std::string::npos);
}

TEST_F(DeclusterCommandTest, BadInputIsRefusedWithAMessage) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    } cases[] = {
        {{"decluster", catalogue}, 2, "needs --method"},
        {{"decluster", "--method", "GK", catalogue}, 2, "is not one of"},
        {{"decluster", "--method", "gk", "--fs", "-1", catalogue}, 2, "--fs"},
        {{"decluster", "--method", "gk", "--cap", "0", catalogue}, 2, "--cap"},
        {{"decluster", "--method", "gk", "-o"}, 2, "needs 1 value"},
        {{"decluster", "--method", "gk", (dir / "none.BIN").string()}, 1, "none.BIN"},
        {{"omori", "--main", "2005-08-16", catalogue}, 2, "is not a time"},
        {{"omori", "--main", "2005-02-30 10:00", catalogue}, 2, "is not a time"},
        {{"omori", "--main", "2005-08-16 11:01", catalogue}, 1, "no event at"},
        {{"omori", "--start", "5", "--end", "2", catalogue}, 1, "not after its start"},
        {{"omori", "--min-mag", "5", catalogue}, 1, "no aftershocks"},
        {{"omori", "--min-mag", "4.1", catalogue}, 1, "at least 2"},
    };
    for (const Case& c : cases) {
        const ToolRun r = run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[0] << " " << c.args[1];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    // A folder in the way of the output: nothing is written and the message says so.
    fs::create_directories(dir / "OUT.BIN");
    const ToolRun blocked = run({"decluster", "--method", "gk", "-o", (dir / "OUT.BIN").string(), catalogue});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_NE(blocked.err.find("nothing written"), std::string::npos) << blocked.err;
    const ToolRun csvBlocked =
        run({"decluster", "--method", "gk", "--roles", (dir / "OUT.BIN").string(), catalogue});
    EXPECT_EQ(csvBlocked.code, 1);
    EXPECT_FALSE(fs::exists(dir / "OUT.BIN.tmp"));
}

TEST(MainShockTime, AcceptsBothDateSeparators) {
    int32_t d = 0;
    int t = 0;
    EXPECT_TRUE(parseMainShockTime("2011-03-11 14:46", d, t));
    EXPECT_EQ(d, 20110311);
    EXPECT_EQ(t, 1446);
    EXPECT_TRUE(parseMainShockTime("2011/03/11 05:07", d, t));
    EXPECT_EQ(t, 507);
    EXPECT_FALSE(parseMainShockTime("2011-03/11 14:46", d, t));
    EXPECT_FALSE(parseMainShockTime("2011-03-11 24:00", d, t));
    EXPECT_FALSE(parseMainShockTime("2011-03-11 14:46x", d, t));
}
