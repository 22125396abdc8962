#include "Projection.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kavelo::data {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadiusKm = 6371.0;
constexpr double kLat1 = 30.0, kLat2 = 45.0, kLatOrigin = 37.0, kLonCentre = 137.0;
// The full view is a window into the node grid: the grid is scaled past the frame on
// every side (so graticule labels are found along each frame edge) and moved north so
// that the view reaches from the Sakishima Islands to the northern tip of Hokkaido.
constexpr double kViewZoom = 1.28;
constexpr double kViewShiftY = 225;
double rad(double d) { return d * kPi / 180.0; }
double deg(double r) { return r * 180.0 / kPi; }
}  // namespace

MapProjection::MapProjection() {
    double p1 = rad(kLat1), p2 = rad(kLat2);
    n_ = std::log(std::cos(p1) / std::cos(p2)) /
         std::log(std::tan(kPi / 4 + p2 / 2) / std::tan(kPi / 4 + p1 / 2));
    f_ = std::cos(p1) * std::pow(std::tan(kPi / 4 + p1 / 2), n_) / n_;
    rho0_ = kEarthRadiusKm * f_ / std::pow(std::tan(kPi / 4 + rad(kLatOrigin) / 2), n_);

    // Start from the scale that fits the grid's bounding box into the full view, then zoom in.
    double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridCols; ++c) {
            PlanePoint p = rawProject(kGridLat0 + kGridStep * r, kGridLon0 + kGridStep * c);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    scale_ = kViewZoom * std::min(kViewW / (maxX - minX), kViewH / (maxY - minY));
    cx_ = (minX + maxX) / 2;
    cy_ = (minY + maxY) / 2;
}

PlanePoint MapProjection::rawProject(double latDeg, double lonDeg) const {
    double rho = kEarthRadiusKm * f_ / std::pow(std::tan(kPi / 4 + rad(latDeg) / 2), n_);
    double theta = n_ * rad(lonDeg - kLonCentre);
    return {rho * std::sin(theta), rho0_ - rho * std::cos(theta)};
}

PlanePoint MapProjection::project(double latDeg, double lonDeg) const {
    PlanePoint p = rawProject(latDeg, lonDeg);
    return {(p.x - cx_) * scale_ + kViewX0 + kViewW / 2,
            (p.y - cy_) * scale_ + kViewY0 + kViewH / 2 + kViewShiftY};
}

PlanePoint MapProjection::inverse(double x, double y) const {
    double rx = (x - (kViewX0 + kViewW / 2)) / scale_ + cx_;
    double ry = (y - (kViewY0 + kViewH / 2 + kViewShiftY)) / scale_ + cy_;
    double yy = rho0_ - ry;
    double rho = std::copysign(std::hypot(rx, yy), n_);
    double theta = std::atan2(rx, yy);
    double lat = 2 * std::atan(std::pow(kEarthRadiusKm * f_ / rho, 1 / n_)) - kPi / 2;
    return {deg(lat), deg(theta / n_) + kLonCentre};
}

NodeGrid buildNodeGrid(const MapProjection& proj) {
    NodeGrid g;
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) {
            PlanePoint p = proj.project(kGridLat0 + kGridStep * r, kGridLon0 + kGridStep * c);
            g.x.push_back(static_cast<int>(std::trunc(p.x)));
            g.y.push_back(static_cast<int>(std::trunc(p.y)));
        }
    return g;
}

std::string formatNodeGrid(const NodeGrid& grid) {
    std::string s = std::to_string(grid.rows) + " " + std::to_string(grid.cols) + "\r\n";
    for (std::size_t i = 0; i < grid.x.size(); ++i)
        s += std::to_string(grid.x[i]) + " " + std::to_string(grid.y[i]) + "\r\n";
    return s;
}

}  // namespace kavelo::data
