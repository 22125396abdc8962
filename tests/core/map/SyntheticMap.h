#pragma once
// A conic projection grid and small coastlines written the way the data files hold them.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "map/MapData.h"

namespace kavelo::mapfixture {

// Equidistant conic around 137E with standard parallel 37N, about 165 plane units per degree,
// larger than the full view, as the real grid is.
inline PlanePoint conicPoint(double latDeg, double lonDeg) {
    const double pi = 3.141592653589793;
    const double R = 165.0 * 180.0 / pi;
    const double phi0 = 37.0 * pi / 180.0;
    const double n = std::sin(phi0);
    const double rho0 = R * (1.0 / std::tan(phi0));
    double rho = rho0 + R * (phi0 - latDeg * pi / 180.0);
    double theta = n * (lonDeg - 137.0) * pi / 180.0;
    double x = rho * std::sin(theta) + 1850.0;
    double y = rho0 - rho * std::cos(theta) + 1745.0;
    return PlanePoint{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
}

inline std::string gridText(int rows = 14, int cols = 16) {
    std::string s = std::to_string(rows) + " " + std::to_string(cols) + "\r\n";
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            PlanePoint p = conicPoint(24 + 2 * r, 122 + 2 * c);
            s += std::to_string(p.x) + " " + std::to_string(p.y) + (c + 1 < cols ? "  " : "\r\n");
        }
    }
    return s;
}

inline ProjectionGrid conicGrid(int rows = 14, int cols = 16) {
    ProjectionGrid g;
    parseProjectionGrid(gridText(rows, cols), g);
    return g;
}

inline std::vector<unsigned char> coastBytes(const std::vector<PlanePoint>& pts, int declared = -1) {
    int n = declared >= 0 ? declared : static_cast<int>(pts.size());
    std::vector<unsigned char> b;
    auto put = [&](int v) {
        b.push_back(static_cast<unsigned char>(v & 0xff));
        b.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
    };
    put(n);
    for (const PlanePoint& p : pts) {
        put(p.x);
        put(p.y);
    }
    return b;
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& b) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A square "island" around a geographic point, in plane units.
inline std::vector<PlanePoint> island(double latDeg, double lonDeg, int half) {
    PlanePoint c = conicPoint(latDeg, lonDeg);
    return {{c.x - half, c.y - half}, {c.x + half, c.y - half}, {c.x + half, c.y + half}, {c.x - half, c.y + half}};
}

// DATA folder with twenty coastlines and the node grid.
inline void writeMapData(const std::filesystem::path& dataDir) {
    std::filesystem::create_directories(dataDir);
    for (int i = 1; i <= kCoastFileCount; ++i)
        writeBytes(dataDir / coastFileName(i), coastBytes(island(30.0 + i * 0.8, 126.0 + i * 1.1, 40)));
    std::ofstream(dataDir / "POINTXY.DAT", std::ios::binary) << gridText();
}

}  // namespace kavelo::mapfixture
