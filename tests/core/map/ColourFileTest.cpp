#include <gtest/gtest.h>

#include <filesystem>

#include "common/TempDir.h"
#include "map/ColourFile.h"
#include "platform/TextFile.h"

using namespace kavelo;

TEST(ColourFile, DefaultClassesWriteSevenFixedWidthLines) {
    const std::string text = formatColourFile(DepthClasses{});
    const auto lines = splitLines(text);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "        20,  16776960");  // Aqua
    EXPECT_EQ(lines[5], "       600,     65280");  // Lime
    EXPECT_EQ(lines[6], "         0,     32896");  // the open class, Olive
    EXPECT_EQ(text.substr(21, 2), "\r\n");
}

TEST(ColourFile, WritingStopsAtTheFirstZeroLimitOrAfterEightLines) {
    DepthClasses d;
    d.bounds = {0, 50, 0, 70, 80, 90, 100, 110, 0};
    EXPECT_EQ(splitLines(formatColourFile(d)).size(), 2u);
    d.bounds = {0, 10, 20, 30, 40, 50, 60, 70, 80};
    EXPECT_EQ(splitLines(formatColourFile(d)).size(), 8u);
}

TEST(ColourFile, SaveThenReadRestoresLimitsAndColours) {
    test::TempDir dir;
    DepthClasses d;
    d.bounds = {0, 10, 30, 100, 300, 700, 0, 0, 0};
    d.colors = {rgb(1, 2, 3), rgb(255, 255, 255), 0xFF00000Fu /* a system colour: negative */, rgb(0, 0, 0),
                rgb(9, 8, 7), rgb(200, 100, 50), rgb(10, 20, 30), colors::Black, colors::White};
    const std::string path = dir.file(colourFileName(1));
    ASSERT_TRUE(writeColourFile(path, d));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    const ColourFileRead r = readColourFile(path);
    ASSERT_EQ(r.status, ColourFileStatus::Ok);
    ASSERT_EQ(r.lineCount, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(r.limits[static_cast<std::size_t>(i)], d.bounds[static_cast<std::size_t>(i + 1)]);
        EXPECT_EQ(r.colors[static_cast<std::size_t>(i)], d.colors[static_cast<std::size_t>(i)]);
    }
    // Limits too wide for ten characters still come back.
    d.bounds = {0, -2147483647 - 1, 2147483647, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(writeColourFile(path, d));
    const ColourFileRead wide = readColourFile(path);
    ASSERT_EQ(wide.status, ColourFileStatus::Ok);
    EXPECT_EQ(wide.limits[0], -2147483647 - 1);
    EXPECT_EQ(wide.limits[1], 2147483647);
}

TEST(ColourFile, AFailedSaveKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("Mycolor0.txt");
    ASSERT_TRUE(writeColourFile(path, DepthClasses{}));
    const std::string before = dir.read("Mycolor0.txt");
    std::filesystem::create_directory(path + ".tmp");  // the scratch file cannot be created
    EXPECT_FALSE(writeColourFile(path, DepthClasses{{0, 5, 0}, {}, 1}));
    EXPECT_EQ(dir.read("Mycolor0.txt"), before);
    EXPECT_FALSE(writeColourFile(dir.file("no/such/folder/Mycolor0.txt"), DepthClasses{}));
}

TEST(ColourFile, ReadsTheWrittenLayoutWithOrWithoutCarriageReturns) {
    const ColourFileRead r = parseColourFile("        20,  16776960\n       600,     65280\n         0,     32896");
    ASSERT_EQ(r.status, ColourFileStatus::Ok);
    EXPECT_EQ(r.lineCount, 3);
    EXPECT_EQ(r.limits[1], 600);
    EXPECT_EQ(r.colors[2], colors::Olive);
    // Trailing blank lines are not classes; lines past the eighth are ignored.
    EXPECT_EQ(parseColourFile("20,1\r\n0,2\r\n\r\n  \r\n").lineCount, 2);
    std::string many;
    for (int i = 1; i <= 12; ++i) many += std::to_string(i * 10) + "," + std::to_string(i) + "\r\n";
    many += "garbage after the eighth line\r\n";
    const ColourFileRead m = parseColourFile(many);
    ASSERT_EQ(m.status, ColourFileStatus::Ok);
    EXPECT_EQ(m.lineCount, 8);
    EXPECT_EQ(m.limits[7], 80);
}

TEST(ColourFile, DamagedLinesAreRefusedWithTheirNumber) {
    struct Case {
        const char* bytes;
        int badLine;
    };
    const Case cases[] = {
        {"        20\r\n", 1},                                  // short line, no colour
        {"        20,  16776960\r\n        4", 2},              // cut off
        {"        2O,  16776960\r\n", 1},                       // letter O for zero
        {"        20,  16776960\r\n       abc,       255\r\n", 2},
        {"        20,  1677696x\r\n", 1},
        {"99999999999,       255\r\n", 1},                      // beyond 32 bits
        {"        20,99999999999\r\n", 1},
        {"        20,   255,   7\r\n", 1},
        {",\r\n", 1},
        {"\r\n        20,       255\r\n", 1},                   // blank line before a class
        {"\x01\x02,\xff\xfe\r\n", 1},                        // binary bytes
    };
    for (const Case& c : cases) {
        const ColourFileRead r = parseColourFile(c.bytes);
        EXPECT_EQ(r.status, ColourFileStatus::Damaged) << c.bytes;
        EXPECT_EQ(r.badLine, c.badLine) << c.bytes;
        EXPECT_EQ(r.lineCount, 0);
    }
    EXPECT_EQ(parseColourFile(std::string("\0\0,\0", 4)).status, ColourFileStatus::Damaged);
    EXPECT_EQ(parseColourFile("").status, ColourFileStatus::Empty);
    EXPECT_EQ(parseColourFile("\r\n\r\n").status, ColourFileStatus::Empty);
}

TEST(ColourFile, MissingFoldersAndHugeFilesAreToldApart) {
    test::TempDir dir;
    EXPECT_EQ(readColourFile(dir.file("Mycolor2.txt")).status, ColourFileStatus::Missing);
    std::filesystem::create_directory(dir.file("Mycolor1.txt"));
    EXPECT_EQ(readColourFile(dir.file("Mycolor1.txt")).status, ColourFileStatus::Unreadable);
    dir.write("Mycolor0.txt", std::string(1 << 20, '1'));
    EXPECT_EQ(readColourFile(dir.file("Mycolor0.txt")).status, ColourFileStatus::Unreadable);
    EXPECT_EQ(colourFileName(2), "Mycolor2.txt");
}
