// Damaged and odd remembered-condition files.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <string>

#include "common/Mutation.h"
#include "common/TempDir.h"
#include "search/ConditionMemory.h"

using namespace kavelo;
using kavelo::test::Mutator;
using kavelo::test::TempDir;

TEST(BadSlotFiles, DamagedSlotsGiveElevenLinesOrNothing) {
    const std::string base =
        "1995/01/17\r\n2020\r\n2400\r\n5000\r\n12200\r\n15200\r\n40\r\n90\r\n0\r\n600\r\n\x93\xfa\x8c\xfc\r\n";
    TempDir dir;
    Mutator m(31337);
    for (int i = 0; i < 400; ++i) {
        const std::string bytes = m.mutate(base);
        // A fresh file each time: truncating a written file makes the file system flush it.
        const std::string name = "Region" + std::to_string(i) + ".txt";
        dir.write(name, bytes);
        SlotRead r = readConditionSlot(dir.file(name));
        ASSERT_LE(r.linesFound, kConditionLineCount);
        if (r.status == SlotReadStatus::Ok) {
            ASSERT_EQ(r.linesFound, kConditionLineCount);
            for (const std::string& t : r.texts) {
                EXPECT_EQ(t.find('\n'), std::string::npos);
                EXPECT_LE(t.size(), bytes.size());
                (void)slotLineToInt(t);
            }
        } else {
            ASSERT_EQ(r.status, SlotReadStatus::Incomplete) << i;
            for (const std::string& t : r.texts) EXPECT_TRUE(t.empty());
        }
    }
}

TEST(BadSlotFiles, OddLineEndsSizesAndKinds) {
    TempDir dir;
    // Empty file: present but holds nothing.
    dir.write("Region0.txt", "");
    SlotRead r = readConditionSlot(dir.file("Region0.txt"));
    EXPECT_EQ(r.status, SlotReadStatus::Incomplete);
    EXPECT_EQ(r.linesFound, 0u);
    // CR-only line ends are not line ends: a single line.
    dir.write("Region0.txt", "1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r11\r");
    r = readConditionSlot(dir.file("Region0.txt"));
    EXPECT_EQ(r.status, SlotReadStatus::Incomplete);
    EXPECT_EQ(r.linesFound, 1u);
    // NUL bytes stay inside their line; lines past the eleventh are ignored.
    const std::string withNul = std::string("1\0x", 3) + "\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13";
    dir.write("Region0.txt", withNul);
    r = readConditionSlot(dir.file("Region0.txt"));
    ASSERT_EQ(r.status, SlotReadStatus::Ok);
    EXPECT_EQ(r.texts[0], std::string("1\0x", 3));
    EXPECT_EQ(r.texts[10], "11");
    // Far larger than any slot: refused before reading.
    dir.write("Region1.txt", std::string(200 * 1024, '\n'));
    EXPECT_EQ(readConditionSlot(dir.file("Region1.txt")).status, SlotReadStatus::Unreadable);
    // A named pipe would block on opening.
    ASSERT_EQ(::mkfifo(dir.file("Region2.txt").c_str(), 0600), 0);
    EXPECT_EQ(readConditionSlot(dir.file("Region2.txt")).status, SlotReadStatus::Unreadable);
}

TEST(BadSlotFiles, NumbersOfAnySizeSaturate) {
    EXPECT_EQ(slotLineToInt(""), 0);
    EXPECT_EQ(slotLineToInt("-"), 0);
    EXPECT_EQ(slotLineToInt("  +12x"), 12);
    EXPECT_EQ(slotLineToInt(std::string(400, '9')), INT_MAX);
    EXPECT_EQ(slotLineToInt("-" + std::string(400, '9')), INT_MIN);
    EXPECT_EQ(slotLineToInt(std::string("\0" "5", 2)), 0);
}
