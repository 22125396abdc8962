#include "sections/ThreeDimView.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace kavelo {

namespace {

constexpr float kPi = static_cast<float>(3.141592653589793);

// Truncation toward zero, held inside the 32-bit range.
int truncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

}  // namespace

ViewMatrix identityMatrix() {
    ViewMatrix m{};
    for (int i = 0; i < 4; ++i) m[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 1.0f;
    return m;
}

ViewMatrix multiply(const ViewMatrix& a, const ViewMatrix& b) {
    ViewMatrix r{};
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j) {
            float s = 0.0f;
            for (std::size_t k = 0; k < 4; ++k) {
                const float p = a[i][k] * b[k][j];
                s = s + p;
            }
            r[i][j] = s;
        }
    return r;
}

ViewMatrix buildViewMatrix(const ViewControls& v) {
    const float sx = static_cast<float>(v.sclX) * 0.01f;
    const float sy = static_cast<float>(v.sclY) * 0.01f;
    const float sz = static_cast<float>(v.sclZ) * 0.01f;
    const float alpha = -static_cast<float>(v.alp) * 0.01f * kPi - kPi;
    const float beta = -static_cast<float>(v.bet) * 0.01f * kPi;
    const float gamma = static_cast<float>(v.gam) * 0.01f * kPi;

    ViewMatrix s = identityMatrix();
    s[0][0] = sx;
    s[1][1] = sy;
    s[2][2] = sz;

    const float cg = std::cos(gamma), sg = std::sin(gamma);
    ViewMatrix rz = identityMatrix();
    rz[0][0] = cg;
    rz[0][1] = sg;
    rz[1][0] = -sg;
    rz[1][1] = cg;

    const float ca = std::cos(alpha), sa = std::sin(alpha);
    ViewMatrix rx = identityMatrix();
    rx[1][1] = ca;
    rx[1][2] = sa;
    rx[2][1] = -sa;
    rx[2][2] = ca;

    const float cb = std::cos(beta), sb = std::sin(beta);
    ViewMatrix ry = identityMatrix();
    ry[0][0] = cb;
    ry[0][2] = -sb;
    ry[2][0] = sb;
    ry[2][2] = cb;

    ViewMatrix t = identityMatrix();
    t[3][0] = static_cast<float>(v.posX);
    t[3][1] = static_cast<float>(v.posY);
    t[3][2] = 0.0f;

    return multiply(multiply(multiply(multiply(s, rz), rx), ry), t);
}

bool viewedFromAbove(int32_t alp, int32_t bet) { return (std::abs(alp) <= 50) == (std::abs(bet) <= 50); }

ScreenPoint projectPoint(const ViewMatrix& m, int32_t centreX, int32_t centreY, int32_t x, int32_t y, int32_t z) {
    const double a = static_cast<double>(x) - centreX;
    const double b = static_cast<double>(y) - centreY;
    const double c = z;
    const double w = 1.0;
    const double sx = a * m[0][0] + b * m[1][0] + c * m[2][0] + w * m[3][0];
    const double sy = a * m[0][1] + b * m[1][1] + c * m[2][1] + w * m[3][1];
    return ScreenPoint{truncToInt(sx), truncToInt(sy)};
}

std::vector<PlanePoint> frameOutline(const ProjectionGrid& g) {
    std::vector<PlanePoint> out;
    const int rows = g.rows, cols = g.cols;
    if (rows < 2 || cols < 2 || rows > kGridMaxRows || cols > kGridMaxCols) return out;
    out.reserve(static_cast<std::size_t>(2 * cols + 2 * rows - 2));
    for (int c = 0; c < cols; ++c) out.push_back(g.at(0, c));
    for (int r = 0; r < rows; ++r) out.push_back(g.at(r, cols - 1));
    for (int c = cols - 1; c >= 1; --c) out.push_back(g.at(rows - 1, c));
    for (int r = rows - 1; r >= 1; --r) out.push_back(g.at(r, 0));
    return out;
}

int depthScaleLength(const ViewProjection& p) {
    const ScreenPoint p0 = p(0, 0, 0);
    const ScreenPoint p1 = p(0, 0, 600);
    // The view's scales are at most 1, so the differences stay far below 46341 and
    // their squares fit 32 bits; held in 64 bits all the same.
    const int64_t dx = static_cast<int64_t>(p0.x) - p1.x;
    const int64_t dy = static_cast<int64_t>(p0.y) - p1.y;
    return truncToInt(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

const std::vector<EdgeTick>& edgeTicks() {
    static const std::vector<EdgeTick> ticks = [] {
        std::vector<EdgeTick> t;
        for (int lat = 2600; lat <= 4800; lat += 200) t.push_back({12200, lat, 12220, lat});
        for (int lat = 2600; lat <= 4800; lat += 200) t.push_back({15140, lat, 15200, lat});
        for (int lon = 12400; lon <= 15000; lon += 200) t.push_back({lon, 2400, lon, 2420});
        for (int lon = 12400; lon <= 15000; lon += 200) t.push_back({lon, 4940, lon, 5000});
        return t;
    }();
    return ticks;
}

}  // namespace kavelo
