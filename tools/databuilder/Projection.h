#pragma once
// Lambert conformal conic projection of the map plane and the 2-degree node grid.
//
// Standard parallels 30N and 45N, central meridian 137E, on a sphere. The plane is
// scaled and offset so that the full map view (x -400..4100, y -200..3550) shows
// Japan from the Sakishima Islands to Hokkaido, with the node grid (24-50N,
// 122-152E) reaching past the frame on every side; x grows east and y grows north,
// the orientation the map window expects.

#include <string>
#include <vector>

namespace kavelo::data {

struct PlanePoint {
    double x = 0;
    double y = 0;
};

constexpr int kGridRows = 14;
constexpr int kGridCols = 16;
constexpr double kGridLat0 = 24.0;
constexpr double kGridLon0 = 122.0;
constexpr double kGridStep = 2.0;

// The full view the map window opens with.
constexpr double kViewX0 = -400, kViewY0 = -200, kViewW = 4500, kViewH = 3750;

class MapProjection {
public:
    MapProjection();
    // Geographic degrees -> plane units (not truncated).
    PlanePoint project(double latDeg, double lonDeg) const;
    // Plane units -> geographic degrees (latitude, longitude).
    PlanePoint inverse(double x, double y) const;  // returns {lat, lon} in x, y
    double scale() const { return scale_; }

private:
    PlanePoint rawProject(double latDeg, double lonDeg) const;  // km, before fitting
    double n_ = 0, f_ = 0, rho0_ = 0;
    double scale_ = 1, cx_ = 0, cy_ = 0;
};

struct NodeGrid {
    int rows = kGridRows;
    int cols = kGridCols;
    std::vector<int> x, y;  // rows * cols, row 0 southernmost, column 0 westernmost
    int nodeX(int r, int c) const { return x[static_cast<std::size_t>(r * cols + c)]; }
    int nodeY(int r, int c) const { return y[static_cast<std::size_t>(r * cols + c)]; }
};

// Node coordinates truncated toward zero, like every other plane value.
NodeGrid buildNodeGrid(const MapProjection& proj);

// The POINTXY.DAT text: "rows cols" then one "x y" pair per line, CR LF line ends.
std::string formatNodeGrid(const NodeGrid& grid);

}  // namespace kavelo::data
