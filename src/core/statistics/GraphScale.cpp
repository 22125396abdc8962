#include "statistics/GraphScale.h"

#include <cmath>
#include <cstdio>

#include "statistics/Cumulative.h"

namespace kavelo {

std::string roundNumber(float value) {
    if (value == 0.0f) return "0";
    const float a = std::fabs(value);
    if (a < 1e-8) return "0";
    char buf[64];
    if (a < 1e-5 || a > 100000.0) {
        std::snprintf(buf, sizeof buf, value < 0 ? "-%.1e" : "%.1e", static_cast<double>(a));
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%.4f", static_cast<double>(a));
    std::string s = buf;
    if (!s.empty() && s.back() == '9') {
        std::snprintf(buf, sizeof buf, "%.4f", static_cast<double>(a) + 0.0001);
        s = buf;
    }
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s.empty()) s = "0";
    return value < 0 ? "-" + s : s;
}

namespace {

// First s * p (s = 1, 2, 2.5, 5; p from 1e-10 up) with k (s + 0.001) p > m.
// Bounded so that infinite or NaN data cannot loop for ever.
double linearStep(double m, int k) {
    static const double mant[] = {1.0, 2.0, 2.5, 5.0};
    double p = 1e-10;
    for (int pass = 0; pass < 60; ++pass, p *= 10.0)
        for (double s : mant)
            if (k * (s + 0.001) * p > m) return s * p;
    return 1.0;
}

double decadeAbove(double m) {
    double p = 1e-10;
    for (int pass = 0; pass < 60 && !(p > m); ++pass) p *= 10.0;
    return p;
}

}  // namespace

AxisScale scaleUnit(const float* v, int n, int grids, bool linear) {
    double m = 0.0;
    for (int i = 0; i < n; ++i)
        if (v[i] > m) m = v[i];
    AxisScale s;
    s.grids = grids;
    if (linear) {
        s.start = 0.0f;
        s.step = static_cast<float>(linearStep(m, grids));
    } else {
        const double p = decadeAbove(m);
        s.start = static_cast<float>(p / std::pow(10.0, grids));
        s.step = 10.0f;
    }
    return s;
}

AxisScale scaleUnitSigned(const float* v, int n, int grids, bool linear) {
    double m = 0.0;
    bool negative = false;
    for (int i = 0; i < n; ++i) {
        if (std::fabs(v[i]) > m) m = std::fabs(v[i]);
        if (v[i] < 0) negative = true;
    }
    AxisScale s;
    s.grids = grids;
    if (linear) {
        const int k = negative ? (grids + 1) / 2 : grids;
        s.step = static_cast<float>(linearStep(m, k));
        if (negative) {
            s.grids = 2 * k;
            s.start = -k * s.step;
        } else {
            s.start = 0.0f;
        }
    } else {
        s.negativeOnLog = negative;
        const double p = decadeAbove(m);
        s.start = static_cast<float>(p / std::pow(10.0, grids));
        s.step = 10.0f;
    }
    return s;
}

bool mapAxis(double value, bool linear, double start, double step, int gridPixels, int origin,
             bool upward, int* pixel) {
    double off;
    if (linear) {
        if (step == 0.0) return false;
        off = (value - start) / step * gridPixels;
    } else {
        if (!(value > 0.0) || start == 0.0 || !(step > 0.0) || step == 1.0) return false;
        off = gridPixels * std::log10(value / start) / std::log10(step);
    }
    if (!std::isfinite(off)) return false;
    *pixel = pixelTrunc(upward ? origin - off : off + origin);
    return true;
}

}  // namespace kavelo
