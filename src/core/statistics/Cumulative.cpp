#include "statistics/Cumulative.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kavelo {

int CumulativeCount::usedBins() const {
    int n = 0;
    while (n < kCumulativeBins && cumCount[static_cast<size_t>(n)] != 0) ++n;
    return n;
}

CumulativeCount countCumulative(const Catalogue& cat, const SelectionList& sel, int m0) {
    CumulativeCount c;
    int32_t highest = -1;  // highest bin offset above m0 seen
    for (int k = 0; k < sel.selectionCount; ++k) {
        const EarthquakeRecord& r = cat[sel[k]];
        if (r.date < 18850000) continue;
        const int off = r.mag - m0;
        if (off < 0) continue;
        if (off >= kCumulativeBins) {
            ++c.beyondLastBin;
            c.cumCount[kCumulativeBins - 1] += 1;
        } else {
            c.cumCount[static_cast<size_t>(off)] += 1;
        }
        highest = std::max(highest, off);
    }
    for (int k = kCumulativeBins - 1; k >= 1; --k)
        c.cumCount[static_cast<size_t>(k - 1)] += c.cumCount[static_cast<size_t>(k)];
    c.magMax = highest >= 1 ? m0 + highest : 0;
    return c;
}

int pixelTrunc(double v) {
    if (std::isnan(v)) return -1000000;
    v = std::clamp(v, -1.0e6, 1.0e6);
    return static_cast<int>(v);
}

int CumulativeFrame::xOf(double m) const { return pixelTrunc((m - xs) * dx + x0); }
int CumulativeFrame::yOfLog(double L) const { return pixelTrunc(y0 - L * dy); }

CumulativeFrame cumulativeFrame(int m0, int32_t n0, FrameProblem* problem) {
    CumulativeFrame f;
    FrameProblem p = FrameProblem::None;
    f.xs = m0 / 10;
    f.nx = static_cast<int>(9.0 - f.xs);
    if (n0 <= 0)
        p = FrameProblem::Empty;
    else if (f.nx <= 0)
        p = FrameProblem::MagnitudeTooHigh;
    else if (f.nx > 240)
        p = FrameProblem::MagnitudeTooLow;
    if (p == FrameProblem::None) {
        f.dx = 240 / f.nx;
        f.ny = static_cast<int>(std::log10(static_cast<double>(n0))) + 1;
        f.dy = 360 / f.ny;
        f.valid = true;
    }
    if (problem) *problem = p;
    return f;
}

int ProbabilityFrame::xOf(double m) const { return pixelTrunc((m - xs) * dx + x0); }
int ProbabilityFrame::yOfVariate(double g) const { return pixelTrunc(y0 - (g + 1.0) * dy); }

ProbabilityFrame probabilityFrame(int m0) {
    ProbabilityFrame f;
    f.nx = 9 - m0 / 10;
    f.xs = m0 * 0.1;
    f.dy = 360 / 7;
    if (f.nx > 0 && f.nx <= 240) {
        f.dx = 240 / f.nx;
        f.valid = true;
    }
    return f;
}

}  // namespace kavelo

namespace kavelo {

std::string eqrichtText(const std::vector<std::string>& labels, int m0, const CumulativeTable& cum) {
    std::string out;
    for (const std::string& l : labels) out += l + "\r\n";
    out += "magnitude,cum freq\r\n";
    char buf[64];
    for (int i = 0; i < kCumulativeBins && cum[static_cast<size_t>(i)] != 0; ++i) {
        std::snprintf(buf, sizeof buf, "%.1f,%6d\r\n", (m0 + i) * 0.1, cum[static_cast<size_t>(i)]);
        out += buf;
    }
    return out;
}

}  // namespace kavelo
