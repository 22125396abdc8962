// Damaged, odd and wrong-kind coastline and node grid files.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/Mutation.h"
#include "common/TempDir.h"
#include "core/map/SyntheticMap.h"
#include "map/MapData.h"
#include "map/MapProjection.h"

using namespace kavelo;
using kavelo::test::Mutator;
using kavelo::test::TempDir;

namespace {

// Drives the arithmetic that divides by and multiplies node differences.
void exerciseProjection(const ProjectionGrid& g, bool labels) {
    MapProjection p;
    p.grid = g;
    for (int lat = 2400; lat <= 5000; lat += 130)
        for (int lon = 12200; lon <= 15200; lon += 170) (void)p.geoToScreen(lon, lat);
    for (int sy = 0; sy <= 600; sy += 60)
        for (int sx = 0; sx <= 720; sx += 72) (void)p.screenToGeo(sx, sy);
    (void)p.graticule(5);
    (void)p.rangeCircle(13500, 3500, 300.0);
    if (labels) (void)p.graticuleLabels();
}

}  // namespace

TEST(BadMapFiles, DamagedGridsAreRejectedOrConsistent) {
    const std::string bases[] = {mapfixture::gridText(3, 4), mapfixture::gridText()};
    Mutator m(424242);
    int accepted = 0;
    for (int i = 0; i < 1200; ++i) {
        const std::string text = m.mutate(bases[i % 2]);
        ProjectionGrid g;
        MapDataResult r = parseProjectionGrid(text, g);
        if (!r.ok) {
            EXPECT_FALSE(r.message.empty());
            EXPECT_EQ(g.rows, 0);  // a rejected file leaves the grid alone
            continue;
        }
        ++accepted;
        ASSERT_GE(g.rows, 2);
        ASSERT_LE(g.rows, kGridMaxRows);
        ASSERT_GE(g.cols, 2);
        ASSERT_LE(g.cols, kGridMaxCols);
        for (int row = 0; row < g.rows; ++row) {
            for (int c = 0; c < g.cols; ++c) {
                EXPECT_LE(std::abs(g.at(row, c).x), kGridCoordinateMax);
                EXPECT_LE(std::abs(g.at(row, c).y), kGridCoordinateMax);
                if (c + 1 < g.cols) {
                    EXPECT_LT(g.at(row, c).x, g.at(row, c + 1).x);
                }
                if (row + 1 < g.rows) {
                    EXPECT_LT(g.at(row, c).y, g.at(row + 1, c).y);
                }
            }
        }
        exerciseProjection(g, accepted % 25 == 0);
    }
    EXPECT_GT(accepted, 20);  // the damage leaves enough usable grids to exercise the projection
}

TEST(BadMapFiles, NodesFarOutsideAnyMapAreRejected) {
    ProjectionGrid g;
    // Differences of these nodes overflow 32 bits in the projection arithmetic.
    MapDataResult r = parseProjectionGrid("2 2  -2000000000 -2000000000  2000000000 -1  -1 2000000000  1 2000000001", g);
    EXPECT_FALSE(r.ok);
    r = parseProjectionGrid("2 2  -1000001 0  0 0  -5 10  5 10", g);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("far outside"), std::string::npos);
    // The extremes allowed still project without overflow.
    r = parseProjectionGrid("2 2  -1000000 -1000000  1000000 -1000000  -1000000 1000000  1000000 1000000", g);
    ASSERT_TRUE(r.ok) << r.message;
    exerciseProjection(g, true);
}

TEST(BadMapFiles, SkewedGridsWithinTheBoundsProjectWithoutOverflow) {
    std::mt19937 rng(1999);
    auto coord = [&](int32_t lo, int32_t hi) {
        return lo + static_cast<int32_t>(rng() % static_cast<uint32_t>(hi - lo + 1));
    };
    for (int i = 0; i < 40; ++i) {
        const int rows = 2 + static_cast<int>(rng() % (kGridMaxRows - 1));
        const int cols = 2 + static_cast<int>(rng() % (kGridMaxCols - 1));
        // Rows and columns of strictly growing values, spread over a random share of the bounds.
        const int32_t span = i % 2 ? kGridCoordinateMax / 20 : 400;
        std::string text = std::to_string(rows) + " " + std::to_string(cols) + "\n";
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const int32_t x = -kGridCoordinateMax + c * 2 * span + coord(0, span / 2) + (i % 3 ? 0 : r * span / 8);
                const int32_t y = -kGridCoordinateMax + r * 2 * span + coord(0, span / 2) + (i % 3 ? c * span / 8 : 0);
                text += std::to_string(x) + " " + std::to_string(y) + "\n";
            }
        }
        ProjectionGrid g;
        ASSERT_TRUE(parseProjectionGrid(text, g).ok) << text;
        MapProjection p;
        p.grid = g;
        p.view.x0 = g.at(0, 0).x;
        p.view.y0 = g.at(0, 0).y;
        p.view.setYRange(coord(1, 2 * kGridCoordinateMax), p.frame);
        exerciseProjection(g, true);
        for (int sy = 0; sy <= 600; sy += 50)
            for (int sx = 0; sx <= 720; sx += 60) (void)p.screenToGeo(sx, sy);
        (void)p.graticuleLabels();
        (void)p.visibleBounds(10);
    }
}

TEST(BadMapFiles, OddSeparatorsInTheGridText) {
    ProjectionGrid a, b, c;
    ASSERT_TRUE(parseProjectionGrid(mapfixture::gridText(), a).ok);
    std::string crOnly = mapfixture::gridText();
    crOnly.erase(std::remove(crOnly.begin(), crOnly.end(), '\n'), crOnly.end());
    ASSERT_TRUE(parseProjectionGrid(crOnly, b).ok);
    EXPECT_EQ(a.node, b.node);
    // A NUL byte ends the numbers: the grid is incomplete.
    std::string withNul = mapfixture::gridText();
    withNul[withNul.size() / 2] = '\0';
    EXPECT_FALSE(parseProjectionGrid(withNul, c).ok);
    EXPECT_FALSE(parseProjectionGrid(std::string("\0\0\0", 3), c).ok);
    EXPECT_FALSE(parseProjectionGrid("- 2", c).ok);
    EXPECT_FALSE(parseProjectionGrid("+", c).ok);
}

TEST(BadMapFiles, DamagedCoastlinesNeverReadPastTheirBytes) {
    std::vector<PlanePoint> pts;
    for (int k = 0; k < 12; ++k) pts.push_back({k * 37 - 200, 500 - k * 11});
    const auto raw = mapfixture::coastBytes(pts);
    const std::string base(raw.begin(), raw.end());
    Mutator m(99);
    for (int i = 0; i < 1500; ++i) {
        const std::string s = m.mutate(base);
        // An exactly sized heap copy, so that any over-read lands outside it.
        const std::vector<unsigned char> bytes(s.begin(), s.end());
        CoastLine line;
        line.points = {{1, 1}};
        MapDataResult r = parseCoastLine(bytes.data(), bytes.size(), line, "NCOAST01.BIN");
        if (r.ok) {
            ASSERT_LE(line.points.size(), static_cast<std::size_t>(kCoastMaxPoints));
            EXPECT_LE(2 + 4 * line.points.size(), bytes.size());
        } else {
            EXPECT_NE(r.message.find("NCOAST01.BIN"), std::string::npos);
            EXPECT_EQ(line.points.size(), 1u);  // a rejected file leaves the line alone
        }
    }
}

TEST(BadMapFiles, FoldersPipesAndOversizedFilesGiveAMessage) {
    TempDir dir;
    const std::filesystem::path data = dir.file("DATA");
    mapfixture::writeMapData(data);
    CoastLines coasts;
    ProjectionGrid grid;
    ASSERT_TRUE(loadMapData(data.string(), coasts, grid).ok);

    std::filesystem::remove(data / "NCOAST03.BIN");
    std::filesystem::create_directories(data / "NCOAST03.BIN");
    MapDataResult r = loadMapData(data.string(), coasts, grid);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Can't open Coast data file");

    std::filesystem::remove(data / "NCOAST03.BIN");
    ASSERT_EQ(::mkfifo((data / "NCOAST03.BIN").c_str(), 0600), 0);  // would block on opening
    EXPECT_FALSE(loadMapData(data.string(), coasts, grid).ok);
    std::filesystem::remove(data / "NCOAST03.BIN");
    mapfixture::writeBytes(data / "NCOAST03.BIN", mapfixture::coastBytes({{0, 0}}));

    std::filesystem::remove(data / "POINTXY.DAT");
    std::filesystem::create_directories(data / "POINTXY.DAT");
    r = loadMapData(data.string(), coasts, grid);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Can't open POINTXY.DAT"), std::string::npos);

    std::filesystem::remove(data / "POINTXY.DAT");
    dir.write("DATA/POINTXY.DAT", mapfixture::gridText() + std::string(1'000'000, ' '));
    r = loadMapData(data.string(), coasts, grid);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("too large"), std::string::npos);
}

TEST(BadMapFiles, RangeCircleFarOffScreenStaysDefined) {
    MapProjection p;
    p.grid = mapfixture::conicGrid();
    p.view.x0 = -2'000'000;
    p.view.y0 = -2'000'000;
    p.view.setYRange(1, p.frame);
    auto rc = p.rangeCircle(13500, 3500, 100.0);
    ASSERT_TRUE(rc.has_value());
    for (const ScreenPoint& v : rc->vertices) {
        EXPECT_EQ(v.x, 1'000'000'000);
        EXPECT_EQ(v.y, -1'000'000'000);
    }
}
