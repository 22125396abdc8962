// The four external-list readers: sample lines, damaged lines, skipping rules,
// capacity, and reading from a file the same as from bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "catalogue/Catalogue.h"
#include "common/CatalogueFixture.h"
#include "common/TempDir.h"
#include "external/ExternalList.h"
#include "external/NearestOrigin.h"

using namespace kavelo;
using namespace kavelo::test;

namespace {

struct Row {
    EarthquakeRecord rec;
    RowCells cells;
};

Row agency(std::string_view l) {
    Row r;
    parseAgencyLine(l, 0, r.rec, &r.cells);
    return r;
}
Row ownText(std::string_view l) {
    Row r;
    parseOwnTextLine(l, 0, r.rec, &r.cells);
    return r;
}
Row csv(std::string_view l) {
    Row r;
    parseCsvLine(l, 0, r.rec, &r.cells);
    return r;
}
std::optional<Row> unified(std::string_view l, bool mag40 = true,
                           const NearestOriginIndex* names = nullptr) {
    Row r;
    ExternalReadOptions o;
    o.magnitude40 = mag40;
    o.origins = names;
    if (!parseUnifiedLine(l, 0, o, r.rec, &r.cells)) return std::nullopt;
    return r;
}

// A unified-list line with the fields at their character positions.
std::string unifiedLine(const char* date, const char* time, const char* lat, const char* lon,
                        const char* depth, const char* mag) {
    std::string s(90, ' ');
    auto put = [&](std::size_t pos, std::string_view v) { s.replace(pos - 1, v.size(), v); };
    put(1, date);
    put(12, time);
    put(32, lat);
    put(46, lon);
    put(61, depth);
    put(74, mag);
    return s;
}
std::string u(const char* time, const char* mag = " 5.0", const char* lat = "35.5000",
              const char* lon = "139.5000") {
    return unifiedLine("2020-05-06", time, lat, lon, "  10.4", mag);
}

void expectRecord(const EarthquakeRecord& r, int date, int time, int lat, int lon, int depth,
                  int mag) {
    EXPECT_EQ(r.date, date);
    EXPECT_EQ(r.time, time);
    EXPECT_EQ(r.lat, lat);
    EXPECT_EQ(r.lon, lon);
    EXPECT_EQ(r.depth, depth);
    EXPECT_EQ(r.mag, mag);
}

}  // namespace

TEST(AgencyList, SampleLineAndItsCells) {
    Row r = agency("2001 06 03 14 11 57.3 29.948 139.328 410 5.3 ");
    expectRecord(r.rec, 20010603, 1411, 2956, 13919, 410, 53);
    EXPECT_EQ(r.rec.originName(), "");
    EXPECT_EQ(r.cells.cell(0), "   1");
    EXPECT_EQ(r.cells.cell(1), "");
    EXPECT_EQ(r.cells.cell(2), " 2001/06/03");
    EXPECT_EQ(r.cells.cell(3), "  14:11");
    EXPECT_EQ(r.cells.cell(4), "  2956");
    EXPECT_EQ(r.cells.cell(5), " 13919");
    EXPECT_EQ(r.cells.cell(6), "  410");
    EXPECT_EQ(r.cells.cell(7), "  5.3");
    EXPECT_EQ(r.cells.cell(8), "");
    EXPECT_EQ(agency("2001 06 03 14 11 0 35.5 -135.5 0 5").rec.lat, 3530);
    EXPECT_EQ(agency("2001 06 03 14 11 0 35.5 -135.5 0 5").rec.lon, -13530);
}

TEST(AgencyList, DamagedLinesReadAsZerosAndNeverOverflow) {
    expectRecord(agency("2001 06").rec, 20010600, 0, 0, 0, 0, 0);
    expectRecord(agency("abc def ghi").rec, 0, 0, 0, 0, 0, 0);
    expectRecord(agency("").rec, 0, 0, 0, 0, 0, 0);
    // Huge values saturate the record's fields instead of wrapping.
    Row big = agency("99999999999 99 99 99999 99 0 1e309 99999999999999999999 99999999 1e400");
    EXPECT_EQ(big.rec.date, INT32_MAX);
    EXPECT_EQ(big.rec.time, INT16_MAX);
    EXPECT_EQ(big.rec.lon, INT16_MAX);
    EXPECT_EQ(big.rec.depth, INT16_MAX);
    // Broken Shift-JIS (a lone lead byte) is just text that is no number.
    expectRecord(agency("\x81 2001 06 03").rec, 2001 * 100 + 6, 300, 0, 0, 0, 0);
}

TEST(OwnText, SampleLineWithIdeographicSpaces) {
    Row r = ownText(
        "2001/06/03 14:11\x81\x40 2957\x81\x40\x81\x40"
        "13920\x81\x40 410 5.3 ");
    expectRecord(r.rec, 20010603, 1411, 2957, 13920, 410, 53);
    EXPECT_EQ(r.cells.cell(2), " 2001/06/03");
    EXPECT_EQ(r.cells.cell(3), "  14:11");
    EXPECT_EQ(r.cells.cell(4), "  2957");
    EXPECT_EQ(r.cells.cell(5), "  13920");
    EXPECT_EQ(r.cells.cell(6), "  410");
    EXPECT_EQ(r.cells.cell(7), "  5.3");
    // A magnitude just under a tenth in binary still reads as that tenth.
    EXPECT_EQ(ownText("2001/06/03 14:11 2957 13920 410 4.1").rec.mag, 41);
    expectRecord(ownText("2001/0").rec, 20010000, 0, 0, 0, 0, 0);
}

TEST(KaveloCsv, SampleLineAndMagnitudeWithoutPoint) {
    Row r = csv(
        "1,  23417, 2001/06/03, 14:11, 2957,  13920, 410, 5.3, \x92\xb9\x93\x87\x8b\xdf\x8a\x43");
    expectRecord(r.rec, 20010603, 1411, 2957, 13920, 410, 53);
    EXPECT_EQ(r.rec.originName(), "\x92\xb9\x93\x87\x8b\xdf\x8a\x43");
    EXPECT_EQ(r.cells.cell(1), "23417");
    EXPECT_EQ(r.cells.cell(2), "2001/06/03");
    EXPECT_EQ(r.cells.cell(3), "  14:11");
    EXPECT_EQ(r.cells.cell(7), "  5.3");
    EXPECT_EQ(csv("1,1,2001/06/03,14:11,1,1,1,6.5,").rec.mag, 65);
    EXPECT_EQ(csv("1,1,2001/06/03,14:11,1,1,1,6,").rec.mag, 6);
    EXPECT_EQ(csv("1,1,2001/06/03,14:11,1,1,1,,").rec.mag, 0);
    // A name longer than the record holds is cut before a double-byte character is split.
    std::string name;
    for (int i = 0; i < 20; ++i) name += "\x93\x8c";
    EXPECT_EQ(csv("1,1,2001/06/03,14:11,1,1,1,5.0," + name).rec.originName(), name.substr(0, 30));
}

TEST(KaveloCsv, TenHeaderLinesAreSkippedAndAZoneHeaderWhole) {
    std::string head;
    for (int i = 0; i < kCsvHeaderLines - 1; ++i) head += "header\r\n";
    head += std::string(kCsvColumnNames) + "\r\n";
    const std::string row = "     1,    2,  2001/06/03, 14:11,  2957, 13920, 410,  5.3,X\r\n";
    ExternalList list;
    EXPECT_EQ(readExternalText(head + row, ExternalFormat::KaveloCsv, {}, list).count, 1);
    EXPECT_EQ(list.records[0].date, 20010603);
    // A zone file's header is a line longer: its column names fall on line 11.
    const ExternalReadResult r = readExternalText("Width,20\r\n" + head + row, ExternalFormat::KaveloCsv, {}, list);
    EXPECT_EQ(r.headerLines, kCsvHeaderLines + 1);
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(list.records[0].date, 20010603);
}

TEST(UnifiedList, SecondsRoundTheMinuteWithoutCarryingTheHour) {
    EXPECT_EQ(unified(u("12:34:29.9"))->rec.time, 1234);
    EXPECT_EQ(unified(u("12:34:30.0"))->rec.time, 1235);
    Row r = *unified(u("12:59:45.0"));
    EXPECT_EQ(r.rec.time, 1260);
    EXPECT_EQ(r.cells.cell(3), "  12:60");
}

TEST(UnifiedList, MagnitudeRulesAndTheFourPointZeroFilter) {
    EXPECT_EQ(unified(u("12:00:00.0", "3.95"))->rec.mag, 40);
    EXPECT_FALSE(unified(u("12:00:00.0", "3.94")));
    EXPECT_EQ(unified(u("12:00:00.0", "3.94"), false)->rec.mag, 39);
    EXPECT_FALSE(unified(u("12:00:00.0", "-0.5"), false));  // negative: skipped in any case
    EXPECT_EQ(unified(u("12:00:00.0", "    "), false)->rec.mag, 0);
}

TEST(UnifiedList, BoxDateAndLineShapeDecideWhatIsRead) {
    EXPECT_FALSE(unified(u("12:00:00.0", " 5.0", "23.9900")));
    EXPECT_EQ(unified(u("12:00:00.0", " 5.0", "24.0000"))->rec.lat, 2400);
    EXPECT_EQ(unified(u("12:00:00.0", " 5.0", "50.0100"))->rec.lat, 5000);
    EXPECT_FALSE(unified(u("12:00:00.0", " 5.0", "50.0200")));
    EXPECT_FALSE(unified(u("12:00:00.0", " 5.0", "35.0", "121.9900")));
    EXPECT_FALSE(unified(u("12:00:00.0", " 5.0", "35.0", "152.0200")));
    EXPECT_EQ(unified(u("12:00:00.0", " 5.0", "35.0", "152.0100"))->rec.lon, 15200);
    EXPECT_FALSE(unified(unifiedLine("0000-00-00", "12:00:00.0", "35.0", "139.0", "1", " 5.0")));
    EXPECT_FALSE(unified("2020/05/06 12:00:00.0"));  // no '-' at 5 and 8
    EXPECT_FALSE(unified("2020-05-06 12-00:00.0"));  // no ':' at 14
    EXPECT_FALSE(unified("2020-05-06 12:0"));        // too short
    EXPECT_FALSE(unified(""));
    Row r = *unified(
        unifiedLine("2020-05-06", "08:07:01.5", "35.5000N", "139.7500E", "  10.5", " 6.1"));
    expectRecord(r.rec, 20200506, 807, 3530, 13945, 10, 61);  // "%5.0f" rounds 10.5 to even
    EXPECT_EQ(r.cells.cell(2), "2020/05/06");
    EXPECT_EQ(r.cells.cell(4), "  3530");
    EXPECT_EQ(r.cells.cell(5), "  13945");
    EXPECT_EQ(r.cells.cell(6), "   10");
    EXPECT_EQ(r.cells.cell(7), "  61");
    // The depth text is what "%5.0f" prints, halves to even.
    for (const char* d :
         {"  11.5", "   0.5", "  -0.3", " 123.49", "99999.5", "  -2.5", "1234567"}) {
        char expect[64];
        std::snprintf(expect, sizeof expect, "%5.0f", std::min(1e6, lenientToDecimal(d)));
        EXPECT_EQ(unified(unifiedLine("2020-05-06", "00:00:00.0", "35.0", "139.0", d, " 5.0"))
                      ->cells.cell(6),
                  expect)
            << d;
    }
}

TEST(UnifiedList, OriginNamesComeFromTheLatestCatalogueRecordWithinATenth) {
    Catalogue cat;
    cat[cat.recordCount++] = quake(19900101, 0, 3530, 13945, 10, 50, "A");    // 35.5, 139.75
    cat[cat.recordCount++] = quake(19910101, 0, 3534, 13948, 10, 50, "B");    // 35.5667, 139.8
    cat[cat.recordCount++] = quake(19920101, 0, 3600, 13945, 10, 50, "FAR");  // 0.5 north
    NearestOriginIndex names(cat);
    auto at = [&](const char* lat, const char* lon) {
        return std::string(
            unified(unifiedLine("2020-05-06", "00:00:00.0", lat, lon, "10", " 5.0"), true, &names)
                ->rec.originName());
    };
    EXPECT_EQ(at("35.5000", "139.7500"), "B");  // both near: the later one
    EXPECT_EQ(at("35.4200", "139.7500"), "A");  // only A within 0.1
    EXPECT_EQ(at("35.2000", "139.7500"), "");
    EXPECT_EQ(at("35.5000", "139.6600"), "A");
    EXPECT_EQ(at("35.4000", "139.7500"), "");  // 0.1 apart from A is not less than 0.1
}

TEST(UnifiedList, OriginIndexAgreesWithTheBackwardScan) {
    std::mt19937 rng(7);
    Catalogue cat;
    std::uniform_int_distribution<int> lat(3000, 3100), lon(13500, 13600), minute(0, 99);
    for (int i = 0; i < 5000; ++i) {
        // Dense clusters and some damaged minutes (60-99) that map past the next degree.
        int la = lat(rng) / 100 * 100 + (i % 7 == 0 ? minute(rng) : minute(rng) % 60);
        int lo = lon(rng) / 100 * 100 + minute(rng) % 60;
        cat[cat.recordCount++] =
            quake(20000101, 0, static_cast<int16_t>(la), static_cast<int16_t>(lo), 0, 50);
    }
    NearestOriginIndex index(cat);
    std::uniform_real_distribution<double> qlat(29.8, 32.2), qlon(134.8, 137.2);
    for (int q = 0; q < 20000; ++q) {
        const double a = qlat(rng), b = qlon(rng);
        ASSERT_EQ(index.find(a, b), nearestOriginRecordScan(cat, a, b)) << a << " " << b;
    }
    // Positions exactly on record degrees, where the 0.1 boundary is decided.
    for (int i = 0; i < 2000; ++i) {
        const double a = ddmmToDegrees(cat[i].lat) + 0.1, b = ddmmToDegrees(cat[i].lon) - 0.1;
        ASSERT_EQ(index.find(a, b), nearestOriginRecordScan(cat, a, b));
    }
    Catalogue empty;
    EXPECT_EQ(NearestOriginIndex(empty).find(35, 135), -1);
}

TEST(ExternalLists, OverLongLinesAreCutNotSplitIntoRecords) {
    // The tail past 99 bytes would read as a record of its own if it were a line.
    const std::string line = "2001 06 03 14 11 57.3 29.948 139.328 410 5.3" + std::string(60, ' ') +
                             "1999 01 01 00 00 0 40 140 1 9.9";
    ExternalList list;
    ExternalReadResult r =
        readExternalText(line + "\r\n" + line + "\r\n", ExternalFormat::AgencyList, {}, list);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(list.records[1].date, 20010603);
    EXPECT_EQ(list.records[1].mag, 53);
    EXPECT_EQ(list.cells[1].cell(0), "   2");
}

TEST(ExternalLists, FirstThreeFormatsTakeEveryLine) {
    ExternalList list;
    EXPECT_EQ(
        readExternalText("a\r\n\r\n\x81\xff\r\nlast", ExternalFormat::OwnText, {}, list).count, 4);
    EXPECT_EQ(readExternalText("", ExternalFormat::AgencyList, {}, list).count, 0);
    // A NUL ends the readable part of a line.
    readExternalText(std::string("2001 06 03\0 14 11", 17), ExternalFormat::AgencyList, {}, list);
    EXPECT_EQ(list.records[0].time, 0);
}

TEST(ExternalLists, CapacityKeepsTheFirstFiftyThousandAndCountsTheRest) {
    std::string text;
    for (int i = 0; i < kExternalCapacity + 3; ++i) text += u("01:02:03.0") + "\n";
    text += "not a data line\n" + u("01:02:03.0", " 3.0") + "\n";  // neither counts
    ExternalList list;
    int progressCalls = 0;
    ExternalReadOptions o;
    o.progress = [&](int32_t) { ++progressCalls; };
    ExternalReadResult r = readExternalText(text, ExternalFormat::Unified, o, list);
    EXPECT_EQ(r.count, kExternalCapacity);
    EXPECT_EQ(list.count, kExternalCapacity);
    EXPECT_EQ(list.cells.size(), static_cast<std::size_t>(kExternalCapacity));
    EXPECT_EQ(r.leftOut, 3);
    EXPECT_EQ(progressCalls, kExternalCapacity / o.progressStep);
}

TEST(ExternalLists, FileAndBytesReadTheSame) {
    // Lines of every length around the limits, CR LF and LF, CRs at the cut, and lines
    // crossing the reader's 64 KiB blocks.
    std::mt19937 rng(11);
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        std::string l =
            i % 3 == 0 ? u("10:20:30.0") : "2001 06 03 14 11 57.3 29.948 139.328 410 5.3";
        l.resize(std::uniform_int_distribution<std::size_t>(0, 1700)(rng), i % 5 == 0 ? '\r' : '7');
        text += l + (i % 2 ? "\r\n" : "\n");
    }
    text += "2001 06 03 no line end\r";
    TempDir dir;
    dir.write("list.txt", text);
    for (auto f : {ExternalFormat::AgencyList, ExternalFormat::OwnText, ExternalFormat::KaveloCsv,
                   ExternalFormat::Unified}) {
        ExternalList a, b;
        ExternalReadOptions all;
        all.magnitude40 = false;
        ExternalReadResult ra = readExternalText(text, f, all, a);
        ExternalReadResult rb = readExternalFile(dir.file("list.txt"), f, all, b);
        ASSERT_TRUE(rb.opened);
        ASSERT_EQ(ra.count, rb.count);
        EXPECT_EQ(ra.lines, rb.lines);
        for (int i = 0; i < ra.count; ++i) {
            ASSERT_EQ(encodeRecord(a.records[i]), encodeRecord(b.records[i])) << i;
            for (int c = 0; c < RowCells::kColumns; ++c)
                ASSERT_EQ(a.cells[i].cell(c), b.cells[i].cell(c));
        }
    }
    ExternalList list;
    EXPECT_FALSE(
        readExternalFile(dir.file("missing.txt"), ExternalFormat::AgencyList, {}, list).opened);
    EXPECT_FALSE(
        readExternalFile(dir.str(), ExternalFormat::AgencyList, {}, list).opened);  // a folder
}

TEST(ExternalNumbers, LenientDecimalsAndDegreeMinutes) {
    EXPECT_DOUBLE_EQ(lenientToDecimal("  -12.5x"), -12.5);
    EXPECT_DOUBLE_EQ(lenientToDecimal("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(lenientToDecimal("7."), 7.0);
    EXPECT_EQ(lenientToDecimal("."), 0.0);
    EXPECT_EQ(lenientToDecimal("nan"), 0.0);
    EXPECT_EQ(lenientToDecimal("inf"), 0.0);
    EXPECT_EQ(lenientToDecimal("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(lenientToDecimal("1e5"), 1.0);
    EXPECT_EQ(lenientToDecimal(std::string(400, '9')), 0.0);  // no finite value
    EXPECT_EQ(decimalDegreesToDdmm(35.5), 3530);
    EXPECT_EQ(decimalDegreesToDdmm(-35.5), -3530);
    EXPECT_EQ(decimalDegreesToDdmm(139.328), 13919);
    EXPECT_EQ(cutSjis("ab\x93\x8c", 3), "ab");
    EXPECT_EQ(cutSjis("ab\x93\x8c", 4), "ab\x93\x8c");
    EXPECT_EQ(cutSjis("ab\x93", 31), "ab");  // a name cut inside a character by the line limit
}
