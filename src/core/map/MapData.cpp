#include "map/MapData.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

namespace kavelo {

namespace {

MapDataResult failure(std::string message, std::string caption = "FILE ERROR") {
    return MapDataResult{false, std::move(message), std::move(caption)};
}

bool isSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\f' || ch == '\v'; }

// Reads the next decimal integer (optional sign) after blanks; false at the end or on garbage.
bool nextInt(std::string_view text, std::size_t& pos, int64_t& value) {
    while (pos < text.size() && isSpace(text[pos])) ++pos;
    if (pos >= text.size()) return false;
    std::size_t p = pos;
    bool negative = false;
    if (text[p] == '+' || text[p] == '-') {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || text[p] < '0' || text[p] > '9') return false;
    int64_t v = 0;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
        v = v * 10 + (text[p] - '0');
        if (v > std::numeric_limits<int32_t>::max()) return false;
        ++p;
    }
    pos = p;
    value = negative ? -v : v;
    return true;
}

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && !ec;
}

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/' || dir.back() == '\\') return dir + name;
    return dir + "/" + name;
}

}  // namespace

std::string coastFileName(int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "NCOAST%02d.BIN", n);
    return buf;
}

MapDataResult parseProjectionGrid(std::string_view text, ProjectionGrid& grid) {
    std::size_t pos = 0;
    int64_t rows = 0;
    int64_t cols = 0;
    if (!nextInt(text, pos, rows) || !nextInt(text, pos, cols))
        return failure("POINTXY.DAT: the grid size (rows, columns) is missing or not a number");
    if (rows < 2 || rows > kGridMaxRows || cols < 2 || cols > kGridMaxCols) {
        char buf[160];
        std::snprintf(buf, sizeof buf,
                      "POINTXY.DAT: a grid of %lld x %lld nodes is not supported (2-%d rows, 2-%d columns)",
                      static_cast<long long>(rows), static_cast<long long>(cols), kGridMaxRows, kGridMaxCols);
        return failure(buf);
    }
    ProjectionGrid g;
    g.rows = static_cast<int32_t>(rows);
    g.cols = static_cast<int32_t>(cols);
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.cols; ++c) {
            int64_t x = 0;
            int64_t y = 0;
            if (!nextInt(text, pos, x) || !nextInt(text, pos, y)) {
                char buf[160];
                std::snprintf(buf, sizeof buf,
                              "POINTXY.DAT: node (row %d, column %d) is missing or not a number", r, c);
                return failure(buf);
            }
            if (x < -kGridCoordinateMax || x > kGridCoordinateMax || y < -kGridCoordinateMax ||
                y > kGridCoordinateMax) {
                char buf[160];
                std::snprintf(buf, sizeof buf,
                              "POINTXY.DAT: node (row %d, column %d) lies far outside any map (%lld, %lld)", r,
                              c, static_cast<long long>(x), static_cast<long long>(y));
                return failure(buf);
            }
            g.at(r, c) = PlanePoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
        }
    }
    // Interpolation and the inverse conversion divide by node differences along both
    // directions, so they must never be zero (nor reversed).
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.cols; ++c) {
            bool bad = (c + 1 < g.cols && g.at(r, c + 1).x <= g.at(r, c).x) ||
                       (r + 1 < g.rows && g.at(r + 1, c).y <= g.at(r, c).y);
            if (bad) {
                char buf[160];
                std::snprintf(buf, sizeof buf,
                              "POINTXY.DAT: node (row %d, column %d) is out of order "
                              "(x must grow eastward, y northward)",
                              r, c);
                return failure(buf);
            }
        }
    }
    grid = g;
    return {};
}

MapDataResult loadProjectionGrid(const std::string& path, ProjectionGrid& grid) {
    constexpr std::size_t kMaxGridFileBytes = 1'000'000;
    std::ifstream in;
    if (isRegularFile(path)) in.open(path, std::ios::binary);
    if (!in.is_open()) return failure("Can't open POINTXY.DAT (" + path + ")");
    // Never more than one byte past the limit is read.
    std::string text(kMaxGridFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return failure("Can't read POINTXY.DAT (" + path + ")");
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxGridFileBytes) return failure("POINTXY.DAT: the file is far too large to be a node grid");
    return parseProjectionGrid(text, grid);
}

MapDataResult parseCoastLine(const unsigned char* bytes, std::size_t size, CoastLine& line,
                             std::string_view name) {
    std::string who = name.empty() ? std::string("Coast data file") : std::string(name);
    auto get16 = [&](std::size_t off) {
        return static_cast<int16_t>(static_cast<uint16_t>(bytes[off] | (bytes[off + 1] << 8)));
    };
    if (size < 2) return failure(who + ": the file is empty or too short");
    int n = get16(0);
    if (n < 0 || n > kCoastMaxPoints) {
        char buf[200];
        std::snprintf(buf, sizeof buf, "%s: %d points (a coastline holds 0 to %d)", who.c_str(), n,
                      kCoastMaxPoints);
        return failure(buf);
    }
    std::size_t need = 2 + 4 * static_cast<std::size_t>(n);
    if (size < need) {
        char buf[200];
        std::snprintf(buf, sizeof buf, "%s: the file ends before its %d points", who.c_str(), n);
        return failure(buf);
    }
    std::vector<PlanePoint> pts(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        std::size_t off = 2 + 4 * static_cast<std::size_t>(k);
        pts[static_cast<std::size_t>(k)] = PlanePoint{get16(off), get16(off + 2)};
    }
    line.points = std::move(pts);
    return {};
}

MapDataResult loadCoastLine(const std::string& path, CoastLine& line) {
    std::ifstream in;
    if (isRegularFile(path)) in.open(path, std::ios::binary);
    if (!in.is_open()) return failure("Can't open Coast data file");
    // One read of up to 4000 int16 values, as much as a file of 1999 points needs.
    unsigned char buf[8000];
    in.read(reinterpret_cast<char*>(buf), sizeof buf);
    if (in.bad()) return failure("Can't read Coast data file");
    auto got = static_cast<std::size_t>(in.gcount());
    std::string name = path;
    if (auto slash = name.find_last_of("/\\"); slash != std::string::npos) name = name.substr(slash + 1);
    return parseCoastLine(buf, got, line, name);
}

MapDataResult loadMapData(const std::string& dataDir, CoastLines& coasts, ProjectionGrid& grid) {
    for (int i = 0; i < kCoastFileCount; ++i) {
        MapDataResult r = loadCoastLine(joinPath(dataDir, coastFileName(i + 1)), coasts[static_cast<std::size_t>(i)]);
        if (!r.ok) return r;
    }
    return loadProjectionGrid(joinPath(dataDir, "POINTXY.DAT"), grid);
}

}  // namespace kavelo
