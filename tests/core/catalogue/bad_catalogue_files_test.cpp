// Damaged, odd and wrong-kind catalogue and name table files.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/CatalogueFixture.h"
#include "common/Mutation.h"
#include "common/TempDir.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/OriginNameTable.h"
#include "catalogue/RecordFormat.h"

using namespace kavelo;
using kavelo::test::fileOf;
using kavelo::test::Mutator;
using kavelo::test::quake;
using kavelo::test::TempDir;

namespace {

std::string sampleCatalogue() {
    return fileOf({quake(18840101, 1200, 3540, 13945, 10, 65, "TOKYO"),
                   quake(19230901, 1158, 3519, 13920, 23, 79, "\x8a\xd6\x93\x8c"),  // 関東
                   quake(20110311, 1446, 3806, 14251, 24, 90, std::string(31, 'X')),
                   quake(-5, -1, -1, -1, -1, -1, "")});
}

// Every cell of a row stays a short string, whatever the record holds.
void expectFormattable(const EarthquakeRecord& r, int index) {
    for (int col = 1; col <= 8; ++col) EXPECT_LE(formatRecordCell(r, index, col).size(), 63u);
    EXPECT_LE(r.originName().size(), kOriginSize);
}

}  // namespace

TEST(BadCatalogueFiles, DamagedImagesLoadWholeRecordsOnly) {
    const std::string base = sampleCatalogue();
    Catalogue cat;
    Mutator m(20261208);
    for (int i = 0; i < 1500; ++i) {
        const std::string bytes = m.mutate(base);
        const bool rika = i % 2 == 0;
        cat.recordCount = 0;
        int32_t leftOut = 0;
        const int32_t taken = appendCatalogueBytes(bytes, rika, cat, &leftOut);
        ASSERT_GE(taken, 0);
        ASSERT_LE(static_cast<std::size_t>(taken), bytes.size() / kRecordSize);
        ASSERT_EQ(cat.recordCount, taken);
        EXPECT_EQ(leftOut, 0);
        for (int k = 0; k < cat.recordCount; ++k) {
            EXPECT_EQ(cat[k].rika, rika ? 1 : 0);
            if (rika) {
                EXPECT_LE(cat[k].date, kRikaLastDate);
            }
            expectFormattable(cat[k], k);
        }
    }
}

TEST(BadCatalogueFiles, ExtremeFieldValuesFormatWithoutOverflow) {
    EarthquakeRecord r = quake(INT32_MIN, INT16_MIN, INT16_MIN, INT16_MIN, INT16_MIN, INT16_MIN);
    std::memset(r.origin, '\xff', kOriginSize);  // no NUL at all
    expectFormattable(r, kCatalogueCapacity - 1);
    EXPECT_EQ(r.originName().size(), kOriginSize);
    r = quake(INT32_MAX, INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX);
    expectFormattable(r, 0);
}

TEST(BadCatalogueFiles, EmptyShortAndWrongKindFiles) {
    TempDir dir;
    Catalogue cat;
    const std::string geppo = dir.file("GEPPO1.BIN");
    dir.write("GEPPO1.BIN", fileOf({quake(19000101, 0, 3500, 13500, 10, 50)}));

    // Empty and shorter than one record: loaded, nothing taken.
    for (const std::string& rikaBytes : {std::string(), std::string(47, '\x01')}) {
        dir.write("RIKA.BIN", rikaBytes);
        CatalogueLoadResult res = loadCatalogue(dir.file("RIKA.BIN"), geppo, cat);
        EXPECT_EQ(res.status, CatalogueLoadResult::Status::Ok);
        EXPECT_EQ(res.rikaCount, 0);
        EXPECT_EQ(res.geppoCount, 1);
        EXPECT_EQ(cat.recordCount, 1);
    }

    // A folder reports an enormous size when opened as a stream; it must not be read.
    std::filesystem::create_directories(dir.file("FOLDER"));
    EXPECT_EQ(loadCatalogue(dir.file("FOLDER"), geppo, cat).status, CatalogueLoadResult::Status::RikaMissing);
    EXPECT_EQ(loadCatalogue(geppo, dir.file("FOLDER"), cat).status, CatalogueLoadResult::Status::GeppoMissing);

    // A named pipe would block the program forever on opening.
    ASSERT_EQ(::mkfifo(dir.file("PIPE").c_str(), 0600), 0);
    EXPECT_EQ(loadCatalogue(dir.file("PIPE"), geppo, cat).status, CatalogueLoadResult::Status::RikaMissing);
    std::string bytes = "old";
    EXPECT_FALSE(readWholeFile(dir.file("PIPE"), bytes));
    EXPECT_FALSE(readWholeFile(dir.file("FOLDER"), bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(BadCatalogueFiles, RecordsAcrossReadChunksAndBeyondCapacity) {
    TempDir dir;
    // Not a multiple of the internal read size, with a partial record at the end.
    std::string big;
    const auto one = encodeRecord(quake(19500101, 0, 3500, 13500, 10, 50));
    for (int i = 0; i < kCatalogueCapacity + 4097; ++i) big.append(one.begin(), one.end());
    big += std::string(20, '\x7f');
    dir.write("GEPPO1.BIN", big);
    dir.write("RIKA.BIN", "");
    Catalogue cat;
    CatalogueLoadResult res = loadCatalogue(dir.file("RIKA.BIN"), dir.file("GEPPO1.BIN"), cat);
    EXPECT_EQ(res.status, CatalogueLoadResult::Status::Ok);
    EXPECT_EQ(res.geppoCount, kCatalogueCapacity);
    EXPECT_EQ(res.leftOut, 4097);
    EXPECT_EQ(cat.recordCount, kCatalogueCapacity);

    // Exactly one internal read's worth: the empty read after it ends the file cleanly.
    dir.write("GEPPO1.BIN", big.substr(0, 4096 * kRecordSize));
    res = loadCatalogue(dir.file("RIKA.BIN"), dir.file("GEPPO1.BIN"), cat);
    EXPECT_EQ(res.status, CatalogueLoadResult::Status::Ok);
    EXPECT_EQ(res.geppoCount, 4096);
    EXPECT_EQ(res.leftOut, 0);
}

TEST(BadCatalogueFiles, WholeFileReadStopsAtItsLimit) {
    TempDir dir;
    dir.write("T.CSV", std::string(100, 'a'));
    std::string out;
    EXPECT_TRUE(readWholeFile(dir.file("T.CSV"), out, 100));
    EXPECT_EQ(out.size(), 100u);
    EXPECT_FALSE(readWholeFile(dir.file("T.CSV"), out, 99));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(readWholeFile(dir.file("T.CSV"), out));
    EXPECT_EQ(out.size(), 100u);
    dir.write("E.CSV", "");
    EXPECT_TRUE(readWholeFile(dir.file("E.CSV"), out, 0));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(readWholeFile(dir.file("NONE.CSV"), out));
}

TEST(BadNameTableFiles, DamagedTablesKeepEntriesShortAndWhole) {
    const std::string base =
        "TOKYO,\x93\x8c\x8b\x9e\r\n"  // 東京
        "\x8a\xd6\x93\x8c,KANTO\r\n"
        "A,B,C\r\n" +
        std::string(120, 'L') + "," + std::string(40, '\x88') + "\r\n"
        "IDO,IDO\n"
        "LAST,NOEOL";
    Catalogue cat;
    Mutator m(7);
    for (int i = 0; i < 1500; ++i) {
        const std::string bytes = m.mutate(base);
        int messages = 0;
        OriginNameTable t = parseOriginNameTable(bytes, [&](NameTableMessage) { ++messages; });
        ASSERT_LE(t.entries.size(), static_cast<std::size_t>(kOriginTableCapacity));
        for (const auto& [stored, shown] : t.entries) {
            EXPECT_LE(stored.size(), kOriginColumnMax);
            EXPECT_LE(shown.size(), kOriginColumnMax);
            // Never ends inside a double-byte character.
            EXPECT_EQ(sjisSafePrefix(stored, kOriginColumnMax), stored.size());
            EXPECT_EQ(sjisSafePrefix(shown, kOriginColumnMax), shown.size());
            EXPECT_EQ(stored.find('\n'), std::string::npos);
        }
        EXPECT_LE(messages, static_cast<int>(bytes.size()));
        cat.recordCount = 3;
        cat[0].setOrigin("TOKYO");
        cat[1].setOrigin("\x8a\xd6\x93\x8c");
        cat[2].setOrigin("");
        applyOriginNames(t, cat, nullptr);
        for (int k = 0; k < cat.recordCount; ++k) EXPECT_LT(cat[k].originName().size(), kOriginSize);
    }
}

TEST(BadNameTableFiles, OddLineEndsAndBytes) {
    // CR-only line ends: one physical line, of which only the first 99 bytes count.
    OriginNameTable t = parseOriginNameTable("A,B\rC,D\rE,F", nullptr);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].first, "A");
    EXPECT_EQ(t.entries[0].second, std::string("B\rC", 3));
    // NUL bytes are kept as bytes; the stored name then never matches a record's name.
    t = parseOriginNameTable(std::string("A\0B,X\r\n", 7), nullptr);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].first, std::string("A\0B", 3));
    // A lone lead byte at the end of a column is dropped.
    t = parseOriginNameTable("AB\x81,\x93\r\n", nullptr);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].first, "AB");
    EXPECT_EQ(t.entries[0].second, "");
    // Blank lines, lone CRs and commas only.
    t = parseOriginNameTable("\r\n\n\r\n,\r\n,,,\r\n", nullptr);
    ASSERT_EQ(t.entries.size(), 2u);
    EXPECT_TRUE(t.entries[0].first.empty() && t.entries[0].second.empty());
}
