#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "catalogue/CatalogueLoader.h"
#include "common/CatalogueFixture.h"
#include "common/TempDir.h"
#include "import/ImportCommand.h"

using namespace kavelo;
using namespace kavelo::import;

namespace {
const char* kCsv =
    "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type\n"
    "2018-12-31T15:02:10.500Z,35.52,140.01,48.6,4.55,mb,,,,,us,us1,,\"near the coast of Chiba, "
    "Japan\",earthquake\n"
    "2018-06-17T22:58:34.200Z,34.8436,135.6216,13,5.3,mww,,,,,us,us2,,\"Osaka, Japan\",earthquake\n"
    "2018-09-05T18:07:59.060Z,42.6861,141.9294,35,6.6,mww,,,,,us,us3,,\"Tomakomai, "
    "Japan\",earthquake\n";

struct Outcome {
    int status = 0;
    std::string out, err;
};
Outcome run(std::vector<std::string> args, RewriteFileOps* ops = nullptr) {
    std::ostringstream out, err;
    Outcome r;
    r.status = runImportCommand(args, out, err, ops);
    r.out = out.str();
    r.err = err.str();
    return r;
}
std::vector<EarthquakeRecord> load(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(readWholeFile(path, bytes));
    std::vector<EarthquakeRecord> v;
    for (std::size_t i = 0; i + kRecordSize <= bytes.size(); i += kRecordSize)
        v.push_back(decodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + i));
    return v;
}

class FailingWrite : public RewriteFileOps {
  public:
    long write(int, const void*, std::size_t) override { return errno = ENOSPC, -1; }
};
}  // namespace

TEST(ImportCommand, WritesAComcatCsvAsASortedCatalogueInJapanTimeWithBorrowedNames) {
    test::TempDir d;
    d.write("japan.csv", kCsv);
    d.write("names.bin",
            test::fileOf({test::quake(19950117, 546, 3436, 13503, 16, 73, "OSAKA-WAN"),
                          test::quake(20030926, 450, 3531, 14000, 40, 50, "CHIBA-OKI")}));
    const std::string out = d.file("DATA/GEPPO1.BIN");
    std::filesystem::create_directories(d.file("DATA"));
    Outcome r = run({"--names", d.file("names.bin"), "-o", out, d.file("japan.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    auto recs = load(out);
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].date, 20180618);  // 22:58 UTC is 07:58 the next day
    EXPECT_EQ(recs[0].time, 758);
    EXPECT_EQ(recs[0].lat, 3450);
    EXPECT_EQ(recs[0].lon, 13537);
    EXPECT_EQ(recs[0].mag, 53);
    EXPECT_EQ(recs[0].originName(), "");  // nothing within 0.1 degree
    EXPECT_EQ(recs[1].date, 20180906);
    EXPECT_EQ(recs[1].time, 307);
    EXPECT_EQ(recs[2].date, 20190101);
    EXPECT_EQ(recs[2].time, 2);
    EXPECT_EQ(recs[2].mag, 46);
    EXPECT_EQ(recs[2].depth, 49);
    EXPECT_EQ(recs[2].originName(), "CHIBA-OKI");
    EXPECT_NE(r.out.find("written:    3 records"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(out + ".tmp"));

    // The same catalogue loads as GEPPO1.BIN.
    d.write("DATA/RIKA.BIN", "");
    Catalogue cat;
    auto lr = loadCatalogue(d.file("DATA/RIKA.BIN"), out, cat);
    EXPECT_EQ(lr.geppoCount, 3);
}

TEST(ImportCommand, MergeKeepsTheCatalogueAndCountsDuplicates) {
    test::TempDir d;
    d.write("japan.csv", kCsv);
    const auto before = test::fileOf({test::quake(20000101, 0, 3500, 13500, 10, 40, "FIRST"),
                                      test::quake(20180906, 307, 4242, 14156, 37, 67, "IBURI")});
    d.write("GEPPO1.BIN", before);
    Outcome r = run({"--merge", "-o", d.file("GEPPO1.BIN"), d.file("japan.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    auto recs = load(d.file("GEPPO1.BIN"));
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(recs[0].originName(), "FIRST");
    EXPECT_EQ(recs[2].originName(), "IBURI");  // the stored record of the duplicate stays
    EXPECT_NE(r.out.find("duplicates: 1"), std::string::npos) << r.out;
    // Merging the same file again adds nothing and leaves the file alone.
    const std::string merged = d.read("GEPPO1.BIN");
    Outcome again = run({"--merge", "-o", d.file("GEPPO1.BIN"), d.file("japan.csv")});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(d.read("GEPPO1.BIN"), merged);

    // Overlapping downloads: the second file's copies go, each file's own events all stay.
    d.write("busy.csv",
            "time,latitude,longitude,depth,mag\n"
            "2011-03-11T06:15:10Z,36.10,141.30,40,7.4\n"
            "2011-03-11T06:15:40Z,36.12,141.31,40,7.5\n");
    Outcome twice =
        run({"-o", d.file("two.bin"), d.file("busy.csv"), d.file("japan.csv"), d.file("busy.csv")});
    ASSERT_EQ(twice.status, 0) << twice.err;
    EXPECT_EQ(load(d.file("two.bin")).size(), 5u);
    EXPECT_NE(twice.out.find("duplicates: 2"), std::string::npos) << twice.out;
}

TEST(ImportCommand, AFailedWriteLeavesTheOldCatalogueByteIdentical) {
    test::TempDir d;
    d.write("japan.csv", kCsv);
    std::vector<EarthquakeRecord> old;
    for (int i = 0; i < 2000; ++i)
        old.push_back(test::quake(19900101 + i % 28, 100, 3500, 13500, 10, 40, "X"));
    const std::string before = test::fileOf(old);
    d.write("GEPPO1.BIN", before);
    for (bool merge : {false, true}) {
        FailingWrite ops;
        std::vector<std::string> args = {"-o", d.file("GEPPO1.BIN"), d.file("japan.csv")};
        if (merge) args.insert(args.begin(), "--merge");
        Outcome r = run(args, &ops);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("the old file is unchanged"), std::string::npos) << r.err;
        EXPECT_EQ(d.read("GEPPO1.BIN"), before);
        EXPECT_FALSE(std::filesystem::exists(d.file("GEPPO1.BIN.tmp")));
    }
}

TEST(ImportCommand, RefusesWhatWouldLoseDataAndReportsBadInput) {
    test::TempDir d;
    d.write("japan.csv", kCsv);
    // An output that is no catalogue (a CSV given by mistake) is never replaced.
    d.write("list.csv", "No,EqNo,Date\n");
    Outcome r = run({"-o", d.file("list.csv"), d.file("japan.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(d.read("list.csv"), "No,EqNo,Date\n");
    // Nor is the input itself.
    d.write("cat.bin", test::fileOf({test::quake(20000101, 0, 3500, 13500, 10, 40)}));
    EXPECT_EQ(run({"--format", "fdsn", "-o", d.file("cat.bin"), d.file("cat.bin")}).status, 1);

    // Bad lines are reported with file and line; --strict writes nothing.
    d.write("bad.csv", std::string(kCsv) + "2018-02-30T00:00:00Z,35,139,10,5\n");
    r = run({"-o", d.file("out.bin"), d.file("bad.csv")});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find(d.file("bad.csv") + ":5: no such date"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("skipped:    1 bad line"), std::string::npos) << r.out;
    const std::string written = d.read("out.bin");
    r = run({"--strict", "-o", d.file("out.bin"), d.file("bad.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(d.read("out.bin"), written);

    // Nothing to write: events all filtered, unknown formats, compressed and missing files.
    r = run({"--from", "2019-01-02", "-o", d.file("none.bin"), d.file("japan.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(d.file("none.bin")));
    d.write("notes.txt", "just some notes\n");
    d.write("japan.csv.gz", std::string("\x1f\x8b\x08\x00", 4));
    r = run({"-o", d.file("none.bin"), d.file("notes.txt"), d.file("japan.csv.gz"),
             d.file("missing.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("format not recognised"), std::string::npos);
    EXPECT_NE(r.err.find("compressed"), std::string::npos);
    EXPECT_NE(r.err.find("cannot be read"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(d.file("none.bin")));

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{d.file("japan.csv")},
          {"-o", d.file("x.bin")},
          {"--format", "xml", "-o", "x", "y"},
          {"--from", "2001-13-01", "-o", "x", "y"},
          {"--from", "2002-01-01", "--to", "2001-01-01", "-o", "x", "y"},
          {"--bogus", "-o", "x", "y"},
          {"-o"}})
        EXPECT_EQ(run(bad).status, 2);
    r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("+9 h"), std::string::npos);
}

TEST(ImportCommand, WarnsWhenTheResultExceedsWhatTheProgramLoads) {
    test::TempDir d;
    std::string csv = "time,latitude,longitude,depth,mag\n";
    for (int i = 0; i < kCatalogueCapacity + 5; ++i) {
        csv += "2010-01-01T00:00:00Z,";
        csv += std::to_string(30 + i % 15) + ".5,140.25,10,4.5\n";
    }
    d.write("many.csv", csv);
    Outcome r = run({"-o", d.file("many.bin"), d.file("many.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(load(d.file("many.bin")).size(), static_cast<std::size_t>(kCatalogueCapacity + 5));
    EXPECT_NE(r.err.find("loads the first 65000"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--from"), std::string::npos);
}
