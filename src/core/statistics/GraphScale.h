#pragma once
// Pure helpers of the graph control: axis label text, scale-unit choice and the
// mapping of data values to pixels.

#include <string>

namespace kavelo {

// Axis label of a value: "0" for 0 and |v| < 1e-8, "%.1e" below 1e-5 or above
// 100000, else "%.4f" (rounded up by 0.0001 when it ends in 9) without
// trailing zeros and point.
std::string roundNumber(float value);

struct AxisScale {
    float start = 0.0f;   // value at the origin
    float step = 0.0f;    // value (linear) or ratio (logarithmic) per major interval
    int grids = 1;        // number of major intervals
    bool negativeOnLog = false;  // negative data asked for on a logarithmic axis
};

// Scale for non-negative data (max = largest value, at least 0).
AxisScale scaleUnit(const float* v, int n, int grids, bool linear);
// Scale for data that may be negative: zero on the middle line when they are.
AxisScale scaleUnitSigned(const float* v, int n, int grids, bool linear);

// Data value to pixel along an axis; false when a logarithmic axis cannot show it.
// Linear X: (x - s) / v * d + origin; linear Y: origin - (y - s) / v * d.
bool mapAxis(double value, bool linear, double start, double step, int gridPixels, int origin,
             bool upward, int* pixel);

}  // namespace kavelo
