#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "search/ConditionMemory.h"

using namespace kavelo;
namespace fs = std::filesystem;

namespace {
struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() /
               ("kavelo_mem_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

ConditionTexts sample() {
    return {"1995/01/17", "2020", "2400", "5000", "12200", "15200",
            "40", "90", "0", "600", "\x93\xfa\x8c\xfc|ABC"};
}
}  // namespace

TEST(ConditionMemory, SlotNames) {
    EXPECT_EQ(conditionSlotFileName(0), "Region0.txt");
    EXPECT_EQ(conditionSlotFileName(2), "Region2.txt");
}

TEST(ConditionMemory, WritesElevenCrLfLinesAndReadsThemBack) {
    TempDir d;
    const std::string p = d.file("Region1.txt");
    ConditionTexts t = sample();
    t[10] = "";
    ASSERT_EQ(writeConditionSlot(p, t), SlotWriteStatus::Ok);
    EXPECT_EQ(slurp(p), "1995/01/17\r\n2020\r\n2400\r\n5000\r\n12200\r\n15200\r\n40\r\n90\r\n0\r\n"
                        "600\r\n\r\n");
    SlotRead r = readConditionSlot(p);
    ASSERT_EQ(r.status, SlotReadStatus::Ok);
    EXPECT_EQ(r.texts, t);
    EXPECT_FALSE(fs::exists(p + ".tmp"));
}

TEST(ConditionMemory, AcceptsLfAndMissingFinalLineEnd) {
    TempDir d;
    const std::string p = d.file("Region0.txt");
    std::ofstream(p, std::ios::binary) << "a\nb\n2000\n5000\n12200\n15200\n95\n90\n0\n600\nX";
    SlotRead r = readConditionSlot(p);
    ASSERT_EQ(r.status, SlotReadStatus::Ok);
    EXPECT_EQ(r.texts[0], "a");
    EXPECT_EQ(r.texts[10], "X");
    EXPECT_EQ(slotLineToInt(r.texts[2]), 2000);
    EXPECT_EQ(slotLineToInt(" 12x"), 12);
    EXPECT_EQ(slotLineToInt("abc"), 0);
    EXPECT_EQ(slotLineToInt("99999999999999"), INT_MAX);
}

TEST(ConditionMemory, MissingShortAndUnreadableSlots) {
    TempDir d;
    EXPECT_EQ(readConditionSlot(d.file("Region2.txt")).status, SlotReadStatus::Missing);
    const std::string shortFile = d.file("Region0.txt");
    std::ofstream(shortFile, std::ios::binary) << "1995\r\n2020\r\n2400\r\n";
    SlotRead r = readConditionSlot(shortFile);
    EXPECT_EQ(r.status, SlotReadStatus::Incomplete);
    EXPECT_EQ(r.linesFound, 3u);
    EXPECT_TRUE(r.texts[0].empty());  // nothing handed out from a short file
    fs::create_directory(d.file("Region1.txt"));
    EXPECT_EQ(readConditionSlot(d.file("Region1.txt")).status, SlotReadStatus::Unreadable);
}

TEST(ConditionMemory, FailedSaveKeepsTheOldSlot) {
    TempDir d;
    EXPECT_EQ(writeConditionSlot(d.file("no-such-dir/Region0.txt"), sample()),
              SlotWriteStatus::CannotWrite);
    // The final rename fails (a folder is in the way): no scratch file is left behind.
    fs::create_directories(d.path / "Region1.txt" / "x");
    EXPECT_EQ(writeConditionSlot(d.file("Region1.txt"), sample()), SlotWriteStatus::CannotWrite);
    EXPECT_FALSE(fs::exists(d.file("Region1.txt.tmp")));

    const std::string p = d.file("Region0.txt");
    ASSERT_EQ(writeConditionSlot(p, sample()), SlotWriteStatus::Ok);
    const std::string before = slurp(p);
    fs::permissions(d.path, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(d.path.c_str(), W_OK) != 0) {  // not when running with override rights
        ConditionTexts other = sample();
        other[0] = "2001";
        EXPECT_EQ(writeConditionSlot(p, other), SlotWriteStatus::CannotWrite);
        EXPECT_EQ(slurp(p), before);
    }
}

TEST(ConditionMemory, LineBreaksInsideATextCannotShiftTheLines) {
    TempDir d;
    const std::string p = d.file("Region0.txt");
    ConditionTexts t = sample();
    t[10] = "AB\r\nCD";
    ASSERT_EQ(writeConditionSlot(p, t), SlotWriteStatus::Ok);
    SlotRead r = readConditionSlot(p);
    ASSERT_EQ(r.status, SlotReadStatus::Ok);
    EXPECT_EQ(r.texts[10], "ABCD");
}

TEST(ConditionMemory, LongLinesStayWholeAndKeepTheLinesInStep) {
    TempDir d;
    const std::string p = d.file("Region0.txt");
    ConditionTexts t = sample();
    t[0] = std::string(150, '1');  // longer than any fixed line buffer
    ASSERT_EQ(writeConditionSlot(p, t), SlotWriteStatus::Ok);
    SlotRead r = readConditionSlot(p);
    ASSERT_EQ(r.status, SlotReadStatus::Ok);
    EXPECT_EQ(r.texts, t);
}
