#pragma once
// Map data files: the projection-grid nodes (POINTXY.DAT) and the twenty
// coastline files (NCOAST01.BIN ... NCOAST20.BIN).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kavelo {

struct PlanePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PlanePoint&) const = default;
};

constexpr int kGridMaxRows = 14;
constexpr int kGridMaxCols = 16;
constexpr int kGridLatOrigin = 2400;   // ddmm of row 0
constexpr int kGridLonOrigin = 12200;  // dddmm of column 0
// Largest plane coordinate a node may have. Real grids stay within a few thousand; the
// bound keeps every node difference and product of the projection arithmetic in range.
constexpr int32_t kGridCoordinateMax = 1'000'000;

// Plane coordinates of the geographic points 24N + 2r degrees, 122E + 2c degrees.
struct ProjectionGrid {
    int32_t rows = 0;
    int32_t cols = 0;
    std::array<std::array<PlanePoint, kGridMaxCols>, kGridMaxRows> node{};

    const PlanePoint& at(int r, int c) const {
        return node[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    }
    PlanePoint& at(int r, int c) { return node[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; }
};

constexpr int kCoastFileCount = 20;
constexpr int kCoastMaxPoints = 1999;

struct CoastLine {
    std::vector<PlanePoint> points;
};
using CoastLines = std::array<CoastLine, kCoastFileCount>;

// Outcome of reading a map data file; message and caption are ready for a message box.
struct MapDataResult {
    bool ok = true;
    std::string message;
    std::string caption;
};

// "NCOAST%02d.BIN" for n = 1 ... 20.
std::string coastFileName(int n);

// Whitespace-separated integers: rows, cols, then rows x cols pairs of x y.
// Rejects grids outside 2..14 rows / 2..16 columns, missing or non-numeric values, nodes
// beyond +-kGridCoordinateMax and nodes that are not strictly increasing eastward (x) and
// northward (y).
MapDataResult parseProjectionGrid(std::string_view text, ProjectionGrid& grid);
MapDataResult loadProjectionGrid(const std::string& path, ProjectionGrid& grid);

// Little-endian int16 count N (0 ... 1999) followed by N pairs of int16 x, y.
MapDataResult parseCoastLine(const unsigned char* bytes, std::size_t size, CoastLine& line,
                             std::string_view name = {});
MapDataResult loadCoastLine(const std::string& path, CoastLine& line);

// Reads NCOAST01 ... NCOAST20 from dataDir, then POINTXY.DAT; stops at the first failure.
MapDataResult loadMapData(const std::string& dataDir, CoastLines& coasts, ProjectionGrid& grid);

}  // namespace kavelo
