#include "sections/DepthChart.h"

#include <algorithm>
#include <utility>

#include "catalogue/EarthquakeRecord.h"
#include "search/GreatCircle.h"

namespace kavelo {

namespace {
constexpr int kPixelsPer100Km = 50;
constexpr int kDegreeSpan = 300;  // the larger range in the degree scale

int chartX(int origin, bool reversed, double offsetDeg, double scale) {
    const double d = offsetDeg * scale;
    return static_cast<int>(reversed ? origin - d : origin + d);
}

std::vector<ChartTick> wholeDegreeTicks(int first, int last, int step, int32_t lo, int32_t hi,
                                        int origin, bool reversed, float base, double scale) {
    std::vector<ChartTick> ticks;
    for (int w = first; w <= last; w += step) {
        if (w < lo || w > hi) continue;
        const double deg = static_cast<double>(ddmmToDegrees(w));
        ticks.push_back({chartX(origin, reversed, deg - double{base}, scale), w / 100});
    }
    return ticks;
}
}  // namespace

DepthChartBox depthChartBox(const ZoneCorners& zone) {
    const auto& A = zone.p[0];
    const auto& B = zone.p[1];
    const auto& C = zone.p[2];
    const auto& D = zone.p[3];
    DepthChartBox b;
    if (A.lat <= B.lat) {
        b.latMin = A.lat, b.latMax = C.lat, b.lonMin = D.lon, b.lonMax = B.lon;
    } else {
        b.latMin = B.lat, b.latMax = D.lat, b.lonMin = A.lon, b.lonMax = C.lon;
    }
    // A north-south zone built from its northern end has its corners the other way
    // round; order the integers too, so that its ticks appear as they do for the same
    // zone built from the south.
    if (b.lonMin > b.lonMax) std::swap(b.lonMin, b.lonMax);
    if (b.latMin > b.latMax) std::swap(b.latMin, b.latMax);
    b.lonW = ddmmToDegrees(b.lonMin);
    b.lonE = ddmmToDegrees(b.lonMax);
    b.latS = ddmmToDegrees(b.latMin);
    b.latN = ddmmToDegrees(b.latMax);
    return b;
}

int degreeTickStep(double range) {
    if (range < 5) return 200;
    if (range < 9) return 100;
    if (range < 19) return 200;
    return 400;
}

DepthChartScale depthChartScale(const DepthChartBox& box, const DepthChartOptions& options) {
    DepthChartScale s;
    s.options = options;
    s.kmLat = double{greatCircleKm(1, 0, 0, 0)} * 0.01;
    const float mid = static_cast<float>((double{box.latS} + double{box.latN}) * 0.5);
    s.kmLon = double{greatCircleKm(mid, 1, mid, 0)} * 0.01;
    if (options.equalDistance) {
        s.sLat = kPixelsPer100Km * s.kmLat;
        s.sLon = kPixelsPer100Km * s.kmLon;
    } else if (!box.degenerate()) {
        const double span = box.latRange() >= box.lonRange() ? box.latRange() : box.lonRange();
        s.sLat = s.sLon = kDegreeSpan / span;
    }
    s.extLat = static_cast<int>(box.latRange() * s.sLat);
    s.extLon = static_cast<int>(box.lonRange() * s.sLon);
    s.xLat0 = options.invertLat ? kDepthChartLeft + s.extLat : kDepthChartLeft;
    s.xLon0 = options.invertLon ? kDepthChartLeft + s.extLon : kDepthChartLeft;
    return s;
}

int depthChartY(int depthKm) { return static_cast<int>(depthKm * 0.01 * kPixelsPer100Km + kDepthChartTop); }

int latChartX(const DepthChartScale& s, const DepthChartBox& box, float latDeg) {
    return chartX(s.xLat0, s.options.invertLat, double{latDeg} - double{box.latS}, s.sLat);
}

int lonChartX(const DepthChartScale& s, const DepthChartBox& box, float lonDeg) {
    return chartX(s.xLon0, s.options.invertLon, double{lonDeg} - double{box.lonW}, s.sLon);
}

int latAxisEnd(const DepthChartScale& s, const DepthChartBox& box) {
    return static_cast<int>(kDepthChartLeft + box.latRange() * s.sLat);
}

int lonAxisEnd(const DepthChartScale& s, const DepthChartBox& box) {
    return static_cast<int>(kDepthChartLeft + box.lonRange() * s.sLon);
}

std::vector<ChartTick> latitudeTicks(const DepthChartScale& s, const DepthChartBox& box) {
    return wholeDegreeTicks(2400, 5000, degreeTickStep(box.latRange()), box.latMin, box.latMax, s.xLat0,
                            s.options.invertLat, box.latS, s.sLat);
}

std::vector<ChartTick> longitudeTicks(const DepthChartScale& s, const DepthChartBox& box) {
    return wholeDegreeTicks(12200, 15200, degreeTickStep(box.lonRange()), box.lonMin, box.lonMax, s.xLon0,
                            s.options.invertLon, box.lonW, s.sLon);
}

std::vector<ChartTick> kilometreGrid(const std::vector<ChartTick>& ticks, int origin, bool reversed,
                                     int extent, int xLimit) {
    const int anchor = ticks.empty() ? origin : ticks.front().x;
    std::vector<ChartTick> lines;
    for (int k = 0; k <= 20; ++k) {
        const int x = reversed ? anchor - 50 * k : anchor + 50 * k;
        if (x < kDepthChartLeft || x >= xLimit || x >= kDepthChartLeft + extent) continue;
        lines.push_back({x, static_cast<int>(lines.size()) * 100});
    }
    return lines;
}

}  // namespace kavelo
