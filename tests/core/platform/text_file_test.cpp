#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "platform/TextFile.h"

using namespace kavelo;

TEST(TextFile, WritesCrLfAndReadsBothLineEnds) {
    test::TempDir d;
    ASSERT_TRUE(writeTextLines(d.file("a.txt"), {"1885/01/01", "", "\x93\xfa"}));
    EXPECT_EQ(d.read("a.txt"), "1885/01/01\r\n\r\n\x93\xfa\r\n");
    EXPECT_EQ(splitLines(d.read("a.txt")), (std::vector<std::string>{"1885/01/01", "", "\x93\xfa"}));
    EXPECT_EQ(splitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_FALSE(writeTextLines(d.file("no/such/dir/x.txt"), {"x"}));
}
