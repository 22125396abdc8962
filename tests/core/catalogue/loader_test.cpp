#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "catalogue/CatalogueLoader.h"

using namespace kavelo;

namespace {
std::string rec(int32_t date, int16_t mag = 50, const char* name = "") {
    EarthquakeRecord r;
    r.date = date;
    r.time = 1200;
    r.lat = 3500;
    r.lon = 13500;
    r.mag = mag;
    r.setOrigin(name);
    r.rika = 7;  // must be ignored on load
    auto b = encodeRecord(r);
    return std::string(b.begin(), b.end());
}
}  // namespace

TEST(CatalogueLoader, RikaCutOffAndFileOrder) {
    test::TempDir d;
    d.write("RIKA.BIN", rec(18841231) + rec(18850000) + rec(18850101) + rec(17070101));
    d.write("GEPPO1.BIN", rec(18850101) + rec(20201231));
    Catalogue cat;
    auto res = loadCatalogue(d.file("RIKA.BIN"), d.file("GEPPO1.BIN"), cat);
    ASSERT_EQ(res.status, CatalogueLoadResult::Status::Ok);
    EXPECT_EQ(res.rikaCount, 3);
    EXPECT_EQ(res.geppoCount, 2);
    ASSERT_EQ(cat.recordCount, 5);
    EXPECT_EQ(cat[0].date, 18841231);
    EXPECT_EQ(cat[1].date, 18850000);
    EXPECT_EQ(cat[2].date, 17070101);
    EXPECT_EQ(cat[2].rika, 1);
    EXPECT_EQ(cat[3].date, 18850101);
    EXPECT_EQ(cat[3].rika, 0);
    EXPECT_EQ(cat[4].date, 20201231);
}

TEST(CatalogueLoader, TrailingPartialRecordIsIgnored) {
    test::TempDir d;
    d.write("RIKA.BIN", "");
    d.write("GEPPO1.BIN", rec(19950117) + rec(19950118).substr(0, 47));
    Catalogue cat;
    auto res = loadCatalogue(d.file("RIKA.BIN"), d.file("GEPPO1.BIN"), cat);
    EXPECT_EQ(res.geppoCount, 1);
    EXPECT_EQ(cat.recordCount, 1);
}

TEST(CatalogueLoader, MissingFilesAreReportedSeparately) {
    test::TempDir d;
    Catalogue cat;
    EXPECT_EQ(loadCatalogue(d.file("RIKA.BIN"), d.file("GEPPO1.BIN"), cat).status,
              CatalogueLoadResult::Status::RikaMissing);
    d.write("RIKA.BIN", rec(18000101));
    EXPECT_EQ(loadCatalogue(d.file("RIKA.BIN"), d.file("GEPPO1.BIN"), cat).status,
              CatalogueLoadResult::Status::GeppoMissing);
}

TEST(CatalogueLoader, StopsAtCapacityAndCountsTheRest) {
    test::TempDir d;
    std::string many;
    const std::string one = rec(19000101);
    for (int i = 0; i < kCatalogueCapacity + 10; ++i) many += one;
    d.write("RIKA.BIN", rec(18000101) + rec(19990101));
    d.write("GEPPO1.BIN", many);
    Catalogue cat;
    auto res = loadCatalogue(d.file("RIKA.BIN"), d.file("GEPPO1.BIN"), cat);
    EXPECT_EQ(cat.recordCount, kCatalogueCapacity);
    EXPECT_EQ(res.geppoCount, kCatalogueCapacity - 1);
    EXPECT_EQ(res.leftOut, 11);
}
