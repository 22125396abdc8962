#include <gtest/gtest.h>

#include "catalogue/RecordFormat.h"

using namespace kavelo;

TEST(RecordFormat, CellsOfOneRow) {
    EarthquakeRecord r;
    r.date = 19950117;
    r.time = 905;
    r.lat = 3429;
    r.lon = 13318;
    r.depth = 0;
    r.mag = 65;
    r.setOrigin("\x93\xfa\x8c\xfc\x93\xe5");
    EXPECT_EQ(formatRecordCell(r, 41, 1), "   42");
    EXPECT_EQ(formatRecordCell(r, 41, 2), "1995/01/17");
    EXPECT_EQ(formatRecordCell(r, 41, 3), " 09:05");
    EXPECT_EQ(formatRecordCell(r, 41, 4), " 34\x81\x4b" "29\x81\x4c");
    EXPECT_EQ(formatRecordCell(r, 41, 5), "133\x81\x4b" "18\x81\x4c");
    EXPECT_EQ(formatRecordCell(r, 41, 6), "   0");
    EXPECT_EQ(formatRecordCell(r, 41, 7), "  6.5");
    EXPECT_EQ(formatRecordCell(r, 41, 8), "\x93\xfa\x8c\xfc\x93\xe5");
    EXPECT_EQ(formatListNumber(7, false), "    7");
    EXPECT_EQ(formatListNumber(7, true), "     7");
}

TEST(RecordFormat, HistoricalDatesAndNegativeValuesTruncateTowardZero) {
    EarthquakeRecord r;
    r.date = 6840101;  // year 684
    r.mag = -5;
    r.depth = -2;
    EXPECT_EQ(formatRecordCell(r, 0, 2), " 684/01/01");
    EXPECT_EQ(formatRecordCell(r, 0, 6), "  -2");
    // A negative magnitude with its sign before the whole value (not "  0.-5").
    EXPECT_EQ(formatRecordCell(r, 0, 7), " -0.5");
    r.mag = -15;
    EXPECT_EQ(formatRecordCell(r, 0, 7), " -1.5");
    r.mag = INT16_MIN;
    EXPECT_EQ(formatRecordCell(r, 0, 7), "-3276.8");
    r.mag = 105;
    EXPECT_EQ(formatRecordCell(r, 0, 7), " 10.5");
}
