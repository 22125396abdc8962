#pragma once
// Geometry of the rotatable 3-D hypocentre view: the map region's outline, the
// orthographic view matrix built from the track bars, and the projection of scene
// points (plane x east, plane y north, z in km, negative downward) onto the picture.

#include <array>
#include <cstdint>
#include <vector>

#include "map/MapData.h"
#include "map/MapProjection.h"

namespace kavelo {

// Track-bar positions that set the view (form defaults).
struct ViewControls {
    int32_t alp = 0;    // rotation X, -100 ... 100 (+-180 degrees)
    int32_t bet = 0;    // rotation Y
    int32_t gam = 0;    // rotation Z
    int32_t posX = 468;  // picture position of the rotation centre
    int32_t posY = 200;
    int32_t sclX = 14;  // scales x 100
    int32_t sclY = 14;
    int32_t sclZ = 20;
};

constexpr int32_t kDefaultCentreX = 2500;
constexpr int32_t kDefaultCentreY = 2750;

// 4 x 4 single-precision matrix, row-major, for row vectors (p' = p x M).
using ViewMatrix = std::array<std::array<float, 4>, 4>;

ViewMatrix identityMatrix();
// a x b, each element summed in single precision over k = 0 ... 3 in order.
ViewMatrix multiply(const ViewMatrix& a, const ViewMatrix& b);

// S x Rz(gamma) x Rx(alpha) x Ry(beta) x T: scale, turn about the vertical axis, tilt
// about the picture's horizontal axis, turn about its vertical axis, shift.
// alpha = -alp * 0.01 * pi - pi, beta = -bet * 0.01 * pi, gamma = gam * 0.01 * pi.
ViewMatrix buildViewMatrix(const ViewControls& v);

// The surface faces the viewer when both tilts are within +-90 degrees or both beyond.
bool viewedFromAbove(int32_t alp, int32_t bet);

// Picture point of scene point (x, y, z) relative to the rotation centre (centreX,
// centreY, 0); orthographic, the third coordinate is dropped. Truncates toward zero.
ScreenPoint projectPoint(const ViewMatrix& m, int32_t centreX, int32_t centreY, int32_t x, int32_t y, int32_t z);

// A view matrix with its rotation centre.
struct ViewProjection {
    ViewMatrix m = identityMatrix();
    int32_t centreX = kDefaultCentreX;
    int32_t centreY = kDefaultCentreY;
    ScreenPoint operator()(int32_t x, int32_t y, int32_t z) const { return projectPoint(m, centreX, centreY, x, y, z); }
};

constexpr int kFrameOutlineMax = 100;

// The node grid's boundary as one closed ring of plane points: south edge west to east,
// east edge south to north (its first point repeats the corner), north edge east to west
// down to column 1, west edge north to south down to row 1. 2 x cols + 2 x rows - 2
// points (58 for 16 x 14); empty for a grid of fewer than 2 x 2 nodes.
std::vector<PlanePoint> frameOutline(const ProjectionGrid& g);

// Drawn length in pixels of 600 km of depth under the view.
int depthScaleLength(const ViewProjection& p);

// A short tick on the map region's edge, between two geographic points (dddmm, ddmm).
struct EdgeTick {
    int lon1, lat1, lon2, lat2;
};
// Every 2 degrees: latitudes 26-48 on the west (122E) then the east (152E) edge,
// longitudes 124-150 on the south (24N) then the north (50N) edge; 52 ticks.
const std::vector<EdgeTick>& edgeTicks();

}  // namespace kavelo
