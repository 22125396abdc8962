// The result CSV: layout, the zone header, the empty row, and reading it back.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/RecordFormat.h"
#include "common/CatalogueFixture.h"
#include "common/TempDir.h"
#include "external/ExternalList.h"
#include "platform/TextFile.h"
#include "search/ResultCsv.h"

using namespace kavelo;
using namespace kavelo::test;

namespace {
CsvHeader header() {
    CsvHeader h;
    h.fileName = "Listup000.csv";
    h.date1 = "1885/01/01";
    h.date2 = "2020";
    h.lat1 = "2400";
    h.lat2 = "5000";
    h.lon1 = "12200";
    h.lon2 = "15200";
    h.mag1 = "40";
    h.mag2 = "90";
    h.depth1 = "0";
    h.depth2 = "600";
    h.origin = "\x93\x8c\x8b\x9e";  // 東京
    return h;
}
std::string csvOf(const Catalogue& cat, const std::vector<int32_t>& rows, const CsvHeader& h) {
    return buildResultCsv(h, static_cast<int>(rows.size()), [&](int r, GridCells& cells) {
        recordGridCells(cat, rows[static_cast<std::size_t>(r)], r, true, cells);
    });
}
}  // namespace

TEST(ResultCsv, HeaderAndDataLinesLineByLine) {
    Catalogue cat;
    cat[cat.recordCount++] = quake(18000101, 0, 3315, 13315, 10, 60, "A");
    cat[cat.recordCount++] = quake(20010603, 905, 2957, 13920, 410, 53, "\x92\xb9\x93\x87");
    const std::string text = csvOf(cat, {1}, header());
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    const std::vector<std::string> l = splitLines(text);
    ASSERT_EQ(l.size(), 11u);
    EXPECT_EQ(l[0], "Listup000.csv,District");
    EXPECT_EQ(l[1], "Date,1885/01/01,2020");
    EXPECT_EQ(l[2], "Latitude,2400,5000");
    EXPECT_EQ(l[3], "Longitude,12200,15200");
    EXPECT_EQ(l[4], "Magnitude,40,90");
    EXPECT_EQ(l[5], "Depth,0,600");
    EXPECT_EQ(l[6], "Origin,\x93\x8c\x8b\x9e");
    EXPECT_EQ(l[7], "Count,1");
    EXPECT_EQ(l[8], "");
    EXPECT_EQ(l[9], "No,EqNo,Date,Time,Latitude,Longitude,Depth,Magnitude,Origin");
    EXPECT_EQ(
        l[10],
        "           1,           2,  2001/06/03, 09:05,  2957, 13920, 410,  5.3,\x92\xb9\x93\x87");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(ResultCsv, ZoneHeaderReplacesTheBox) {
    CsvHeader h = header();
    h.zone = CsvZone{3500, 13500, 3700, 14000, 50};
    const std::vector<std::string> l = splitLines(buildResultCsv(h, 0, [](int, GridCells&) {}));
    ASSERT_EQ(l.size(), 11u);
    EXPECT_EQ(l[0], "Listup000.csv,Zone");
    EXPECT_EQ(l[2], "P1.lat P1.lon,3500,13500");
    EXPECT_EQ(l[3], "P2.lat P2.lon,3700,14000");
    EXPECT_EQ(l[4], "Width,50");
    EXPECT_EQ(l[5], "Magnitude,40,90");
    EXPECT_EQ(l[8], "Count,0");
}

TEST(ResultCsv, TheEmptyRowOfASearchWithoutListingIsOneLineOfEmptyFields) {
    const std::vector<std::string> l =
        splitLines(buildResultCsv(header(), 1, [](int, GridCells&) {}));
    ASSERT_EQ(l.size(), 11u);
    EXPECT_EQ(l[7], "Count,1");
    EXPECT_EQ(l[10], "            ,            ,            ,      ,     0,     0,,,");
}

TEST(ResultCsv, CoordinateCellsGoBackToDegreeMinutes) {
    EXPECT_EQ(coordinateCellToInt(" 34\x81\x4b"
                                  "29\x81\x4c"),
              3429);
    EXPECT_EQ(coordinateCellToInt("139\x81\x4b"
                                  "05\x81\x4c"),
              13905);
    EXPECT_EQ(coordinateCellToInt("  0\x81\x4b"
                                  "07\x81\x4c"),
              7);
    EXPECT_EQ(coordinateCellToInt("-35\x81\x4b-30\x81\x4c"), -3530);
    // Four characters of degrees: the minutes follow the degree sign one byte later.
    EXPECT_EQ(coordinateCellToInt("-149\x81\x4b-59\x81\x4c"), -14959);
    EXPECT_EQ(coordinateCellToInt("-327\x81\x4b-68\x81\x4c"), -32768);
    EXPECT_EQ(coordinateCellToInt(""), 0);
    EXPECT_EQ(coordinateCellToInt("12"), 1200);
}

TEST(ResultCsv, WrittenThenReadBackAsFormatThreeGivesTheSameRecords) {
    Catalogue cat;
    std::string longName;
    for (int i = 0; i < 15; ++i) longName += "\x93\x8c";
    longName += "X";  // 31 bytes, the most a record holds
    cat[cat.recordCount++] = quake(19230901, 1158, 3519, 13918, 23, 79, longName);
    cat[cat.recordCount++] = quake(20110311, 1446, 3806, 14251, 24, 90, "\x8e\x4f\x97\xa4\x89\xab");
    cat[cat.recordCount++] = quake(20200101, 5, 2400, 12200, 0, 0, "");
    cat[cat.recordCount++] = quake(19000101, 2359, 5000, 15200, 700, 45, "trailing  ");
    TempDir dir;
    const std::string path = dir.file("Listup000.csv");
    ASSERT_EQ(writeCsvFile(path, csvOf(cat, {0, 1, 2, 3}, header())), CsvWriteStatus::Ok);
    ExternalList list;
    ExternalReadResult r = readExternalFile(path, ExternalFormat::KaveloCsv, {}, list);
    ASSERT_EQ(r.count, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(encodeRecord(list.records[i]), encodeRecord(cat[i])) << i;
}

TEST(ResultCsv, RecordsAtTheEdgesOfTheRangeSurviveWriteAndRead) {
    // Dates before the year 1000 (the bundled catalogue starts at 416/08/23) and from
    // year 1, far western longitudes, negative magnitudes, and every field at its limits;
    // written with and without a zone in force.
    Catalogue cat;
    cat[cat.recordCount++] = quake(4160823, 1200, 3430, 13530, 0, 75, "\x89\x8d\x8d\x50");
    cat[cat.recordCount++] = quake(10101, 0, 0, 0, 0, 0, "year1");
    cat[cat.recordCount++] = quake(20000101, 1234, -3508, -14959, 10, -5, "west");
    cat[cat.recordCount++] = quake(20000101, 1234, 2107, -10000, -3, -15, "");
    cat[cat.recordCount++] = quake(99991231, 2359, 5000, 15200, 700, 105, "M10.5");
    cat[cat.recordCount++] = quake(INT32_MIN, INT16_MIN, INT16_MIN, INT16_MIN, INT16_MIN, INT16_MIN, "min");
    cat[cat.recordCount++] = quake(INT32_MAX, INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX, "max");
    cat[cat.recordCount++] = quake(-5, -5, -30, -1, 0, -1, "small negatives");
    std::vector<int32_t> rows;
    for (int32_t i = 0; i < cat.recordCount; ++i) rows.push_back(i);
    for (const bool zone : {false, true}) {
        CsvHeader h = header();
        if (zone) h.zone = CsvZone{3500, 14000, 4000, 14001, 15};
        const std::string text = csvOf(cat, rows, h);
        const std::vector<std::string> l = splitLines(text);
        const std::size_t first = zone ? 11 : 10;
        ASSERT_EQ(l.size(), first + rows.size());
        EXPECT_EQ(l[first].substr(26, 13), "   416/08/23,") << l[first];
        EXPECT_NE(l[first + 2].find("-3508,-14959,  10, -0.5,west"), std::string::npos) << l[first + 2];
        ExternalList list;
        const ExternalReadResult r = readExternalText(text, ExternalFormat::KaveloCsv, {}, list);
        EXPECT_EQ(r.headerLines, static_cast<int64_t>(first));
        ASSERT_EQ(r.count, cat.recordCount) << zone;
        for (int i = 0; i < cat.recordCount; ++i)
            EXPECT_EQ(encodeRecord(list.records[static_cast<std::size_t>(i)]), encodeRecord(cat[i])) << zone << " " << i;
    }
}

TEST(ResultCsv, FieldTextsOfOtherShapesAndOlderFiles) {
    // Magnitudes: "0.-5" as earlier files hold negative values; texts of other shapes by
    // the short rule as before. Dates and times without separators: fixed positions.
    struct Case {
        const char *date, *time, *mag;
        int32_t wantDate;
        int wantTime, wantMag;
    };
    const Case cases[] = {{"2001/6/3", "5:46", "0.-5", 20010603, 546, -5},
                          {"2001/06/03", "05:46", "-1.-5", 20010603, 546, -15},
                          {"20010603", "0546", "6", 20016000, 506, 6},
                          {"2001/06/03", "05:46", "65", 20010603, 546, 6},
                          {"2001/06/03", "05:46", "+2.5", 20010603, 546, 25},
                          {"", "", "abc", 0, 0, 0}};
    for (const Case& c : cases) {
        EarthquakeRecord rec;
        parseCsvLine(std::string("1,1,") + c.date + "," + c.time + ",2957,13920,410," + c.mag + ",X", 0, rec,
                     nullptr);
        EXPECT_EQ(rec.date, c.wantDate) << c.date;
        EXPECT_EQ(rec.time, c.wantTime) << c.time;
        EXPECT_EQ(rec.mag, c.wantMag) << c.mag;
    }
}

TEST(ResultCsv, OnlyTheColumnNamesOnLineElevenAreSkippedWithTheHeader) {
    // A district file's line 11 is its first record, whatever it holds.
    std::string text;
    for (int i = 0; i < kCsvHeaderLines; ++i) text += "h\r\n";
    ExternalList list;
    ExternalReadResult r =
        readExternalText(text + "1,1,2001/06/03,14:11,2957,13920,410,5.3,No\r\n", ExternalFormat::KaveloCsv, {}, list);
    EXPECT_EQ(r.headerLines, kCsvHeaderLines);
    EXPECT_EQ(r.count, 1);
    r = readExternalText(text + std::string(kCsvColumnNames) + "\r\n" + std::string(kCsvColumnNames) + "\r\n",
                         ExternalFormat::KaveloCsv, {}, list);
    EXPECT_EQ(r.headerLines, kCsvHeaderLines + 1);
    EXPECT_EQ(r.count, 1);  // a second copy further down is a line like any other
}

TEST(ResultCsv, AFileThatCannotBeCreatedIsReported) {
    TempDir dir;
    EXPECT_EQ(writeCsvFile(dir.file("no/such/folder/x.csv"), "x"), CsvWriteStatus::CannotCreate);
    EXPECT_EQ(writeCsvFile(dir.str(), "x"), CsvWriteStatus::CannotCreate);
}

TEST(ResultCsv, GridCellsMatchTheListingsCellTexts) {
    // The CSV's fast cell texts are the result grid's, for any field values.
    std::mt19937 rng(21);
    std::uniform_int_distribution<int> i16(INT16_MIN, INT16_MAX), i32(INT32_MIN, INT32_MAX);
    Catalogue cat;
    for (int i = 0; i < 3000; ++i) {
        const bool wild = i % 3 == 0;
        cat[cat.recordCount++] = quake(
            wild ? i32(rng) : 18000101 + i * 97, static_cast<int16_t>(wild ? i16(rng) : i % 2400),
            static_cast<int16_t>(i16(rng)), static_cast<int16_t>(i16(rng)),
            static_cast<int16_t>(i16(rng)), static_cast<int16_t>(wild ? i16(rng) : i % 90), "N");
    }
    GridCells cells;
    for (int i = 0; i < cat.recordCount; ++i) {
        recordGridCells(cat, i, i, i % 2 == 0, cells);
        ASSERT_EQ(cells[0], formatListNumber(i + 1, i % 2 == 0));
        for (int k = 1; k < 9; ++k)
            ASSERT_EQ(cells[static_cast<std::size_t>(k)], formatRecordCell(cat[i], i, k))
                << i << " " << k;
    }
}
