#pragma once
// Cumulative magnitude-frequency table N(m) of a selection and the frames of
// the cumulative and probability graphs.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo {

constexpr int kCumulativeBins = 50;
using CumulativeTable = std::array<int32_t, kCumulativeBins>;

struct CumulativeCount {
    CumulativeTable cumCount{};  // bin i: number with magnitude >= (m0 + i) / 10
    int32_t magMax = 0;          // largest magnitude x 10 above m0, 0 when none
    int32_t beyondLastBin = 0;   // records 5.0 or more above m0 (kept in the last bin)
    int usedBins() const;        // leading non-zero bins
};

// Counts selected records dated 1885 or later with magnitude >= m0 (both x 10).
// Magnitudes 5.0 or more above m0 are added to the last bin, so that every bin
// still holds the true count at or above its magnitude; magMax is then their
// true largest magnitude.
CumulativeCount countCumulative(const Catalogue& cat, const SelectionList& sel, int m0);

// Frame of the cumulative graph (origin 80, 400).
struct CumulativeFrame {
    int x0 = 80, y0 = 400;
    int xs = 0;   // whole magnitude at the left edge
    int nx = 0, dx = 0, ny = 0, dy = 0;
    bool valid = false;
    int xOf(double m) const;       // pixel column of magnitude m
    int yOfLog(double L) const;    // pixel row of decimal log value L
};

enum class FrameProblem { None, Empty, MagnitudeTooHigh, MagnitudeTooLow };

// nx = 9 - xs intervals of 240/nx pixels, ny = trunc(log10 N(m0)) + 1 decades of
// 360/ny pixels. An empty table or a lower bound of 9.0 or more gives no frame.
CumulativeFrame cumulativeFrame(int m0, int32_t n0, FrameProblem* problem = nullptr);

// Frame of the probability graph (origin 450, 400; variate axis -1 ... 6).
struct ProbabilityFrame {
    int x0 = 450, y0 = 400;
    double xs = 0.0;
    int nx = 0, dx = 0, dy = 51;
    bool valid = false;
    int xOf(double m) const;
    int yOfVariate(double g) const;
};
ProbabilityFrame probabilityFrame(int m0);

// Truncation of a pixel coordinate toward zero, clamped to a safe range.
int pixelTrunc(double v);

}  // namespace kavelo

namespace kavelo {

// Text of EQRICHT.CSV: the condition lines (Shift-JIS), the header and one
// "%.1f,%6d" line per used bin, every line ended by CR LF.
std::string eqrichtText(const std::vector<std::string>& labels, int m0, const CumulativeTable& cum);

}  // namespace kavelo
