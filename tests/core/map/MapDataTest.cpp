#include <gtest/gtest.h>

#include <filesystem>

#include "map/MapData.h"
#include "core/map/SyntheticMap.h"

namespace fs = std::filesystem;
using namespace kavelo;

namespace {

fs::path freshDir(const char* name) {
    fs::path d = fs::temp_directory_path() / ("kavelo_mapdata_" + std::string(name));
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

}  // namespace

TEST(ProjectionGridFile, ReadsRowsFromTheSouthAndColumnsFromTheWest) {
    ProjectionGrid g;
    MapDataResult r = parseProjectionGrid(mapfixture::gridText(), g);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(g.rows, 14);
    EXPECT_EQ(g.cols, 16);
    EXPECT_EQ(g.at(0, 0), mapfixture::conicPoint(24, 122));
    EXPECT_EQ(g.at(13, 15), mapfixture::conicPoint(50, 152));
    EXPECT_EQ(g.at(5, 7), mapfixture::conicPoint(34, 136));
}

TEST(ProjectionGridFile, RejectsBadContentWithAMessageAndKeepsTheOldGrid) {
    ProjectionGrid g = mapfixture::conicGrid();
    const char* bad[] = {
        "",                        // empty
        "abc def",                 // not numbers
        "15 16",                   // too many rows
        "14 17",                   // too many columns
        "1 16",                    // too few rows to form a cell
        "2 2  0 0  10 0  0 10",    // one node missing
        "2 2  0 0  10 0  0 10  x", // garbage node
        "2 2  0 0  0 0  0 10  10 10",  // x not growing eastward
        "2 2  0 0  10 0  0 -5  10 10",  // y not growing northward
        "99999999999 2",           // overflow
    };
    for (const char* text : bad) {
        MapDataResult r = parseProjectionGrid(text, g);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_FALSE(r.message.empty()) << text;
        EXPECT_EQ(r.caption, "FILE ERROR");
    }
    EXPECT_EQ(g.rows, 14);
    EXPECT_EQ(g.at(0, 0), mapfixture::conicPoint(24, 122));
}

TEST(CoastLineFile, ReadsPointsAndRejectsTruncatedOrOversizedFiles) {
    std::vector<PlanePoint> pts{{-5, 7}, {32767, -32768}, {100, 200}};
    auto bytes = mapfixture::coastBytes(pts);
    CoastLine line;
    ASSERT_TRUE(parseCoastLine(bytes.data(), bytes.size(), line).ok);
    EXPECT_EQ(line.points, pts);

    CoastLine keep = line;
    auto shortFile = mapfixture::coastBytes(pts, 4);  // promises one point more than it holds
    EXPECT_FALSE(parseCoastLine(shortFile.data(), shortFile.size(), line).ok);
    auto tooMany = mapfixture::coastBytes(pts, 2000);
    EXPECT_FALSE(parseCoastLine(tooMany.data(), tooMany.size(), line).ok);
    auto negative = mapfixture::coastBytes(pts, -3 & 0xffff);
    EXPECT_FALSE(parseCoastLine(negative.data(), negative.size(), line).ok);
    unsigned char one = 3;
    EXPECT_FALSE(parseCoastLine(&one, 1, line).ok);
    EXPECT_FALSE(parseCoastLine(nullptr, 0, line).ok);
    EXPECT_EQ(line.points, keep.points);

    std::vector<PlanePoint> max(kCoastMaxPoints, PlanePoint{1, 2});
    auto full = mapfixture::coastBytes(max);
    ASSERT_TRUE(parseCoastLine(full.data(), full.size(), line).ok);
    EXPECT_EQ(line.points.size(), 1999u);
}

TEST(MapDataFiles, LoadsAllOrNamesTheFirstFault) {
    fs::path dir = freshDir("load");
    mapfixture::writeMapData(dir);
    CoastLines coasts;
    ProjectionGrid grid;
    MapDataResult r = loadMapData(dir.string(), coasts, grid);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(coasts[19].points.size(), 4u);
    EXPECT_EQ(grid.cols, 16);

    fs::remove(dir / "NCOAST05.BIN");
    r = loadMapData(dir.string(), coasts, grid);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Can't open Coast data file");
    EXPECT_EQ(r.caption, "FILE ERROR");

    mapfixture::writeMapData(dir);
    mapfixture::writeBytes(dir / "NCOAST07.BIN", {0x10, 0x00, 0x01});
    r = loadMapData(dir.string(), coasts, grid);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("NCOAST07.BIN"), std::string::npos);

    mapfixture::writeMapData(dir);
    fs::remove(dir / "POINTXY.DAT");
    r = loadMapData(dir.string(), coasts, grid);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("POINTXY.DAT"), std::string::npos);
    fs::remove_all(dir);
}
