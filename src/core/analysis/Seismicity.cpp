#include "analysis/Seismicity.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace kavelo::analysis {

namespace {

constexpr double kLn10 = 2.302585092994046;
constexpr double kLog10E = 0.4342944819032518;

// b from the count, the sum and the sum of squares (tenths) of the events >= cut.
BEstimate fromSums(int64_t n, int64_t s1, int64_t s2, int cut, Estimator e) {
    BEstimate r;
    r.n = n;
    if (n <= 0) return r;
    r.meanMagnitude = static_cast<double>(s1) / static_cast<double>(n) / 10.0;
    // N * sum((10 M - 10 M̄)^2), exact in integers; zero when every magnitude is equal.
    // 128 bits: with tens of millions of events the products pass 2^63.
    const __int128 spread = static_cast<__int128>(n) * s2 - static_cast<__int128>(s1) * s1;
    if (n < 2 || spread <= 0) return r;
    const int64_t excess = s1 - n * static_cast<int64_t>(cut);  // 10 N (M̄ - Mc)
    double b = 0.0;
    if (e == Estimator::Classic) {
        if (excess <= 0) return r;
        // Δm / (M̄ - Mc) = N / excess.
        b = std::log1p(static_cast<double>(n) / static_cast<double>(excess)) / (kBinWidth * kLn10);
    } else {
        const double denom = static_cast<double>(excess) / (10.0 * static_cast<double>(n)) +
                             kBinWidth / 2.0;
        if (denom <= 0.0) return r;
        b = kLog10E / denom;
    }
    r.b = b;
    const double nd = static_cast<double>(n);
    // sum((M - M̄)^2) / (N (N - 1)) with M in magnitude units.
    const double var = static_cast<double>(spread) / (100.0 * nd * nd * (nd - 1.0));
    r.sigma = kLn10 * b * b * std::sqrt(var);
    return r;
}

double mean(std::span<const double> v) {
    double s = 0.0;
    for (double x : v) s += x;
    return v.empty() ? 0.0 : s / static_cast<double>(v.size());
}

double sampleSigma(std::span<const double> v) {
    if (v.size() < 2) return 0.0;
    const double m = mean(v);
    double ss = 0.0;
    for (double x : v) ss += (x - m) * (x - m);
    return std::sqrt(ss / static_cast<double>(v.size() - 1));
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

uint64_t splitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A uniform index below n from 64 random bits (multiply-shift; the bias is below 2^-40).
std::size_t below(uint64_t bits, std::size_t n) {
    return static_cast<std::size_t>((static_cast<unsigned __int128>(bits) * n) >> 64);
}

}  // namespace

const char* estimatorName(Estimator e) { return e == Estimator::Classic ? "classic" : "utsu"; }

const char* mcMethodName(McMethod m) {
    switch (m) {
    case McMethod::MaxCurvature: return "maxc";
    case McMethod::Gft90: return "gft90";
    case McMethod::Gft95: return "gft95";
    case McMethod::Mbs: return "mbs";
    case McMethod::Fixed: return "fixed";
    }
    return "";
}

void MagnitudeBins::assign(std::span<const int> mag10) {
    low_ = 0;
    counts_.clear();
    n_.clear();
    s1_.clear();
    s2_.clear();
    if (mag10.empty()) return;
    const auto [lo, hi] = std::minmax_element(mag10.begin(), mag10.end());
    low_ = *lo;
    const std::size_t size = static_cast<std::size_t>(*hi - *lo) + 1;
    counts_.assign(size, 0);
    for (int m : mag10) ++counts_[static_cast<std::size_t>(m - low_)];
    n_.assign(size + 1, 0);
    s1_.assign(size + 1, 0);
    s2_.assign(size + 1, 0);
    for (std::size_t i = size; i-- > 0;) {
        const int64_t c = counts_[i], m = low_ + static_cast<int64_t>(i);
        n_[i] = n_[i + 1] + c;
        s1_[i] = s1_[i + 1] + c * m;
        s2_[i] = s2_[i + 1] + c * m * m;
    }
}

int MagnitudeBins::index(int cut) const {
    const int64_t i = static_cast<int64_t>(cut) - low_;
    return static_cast<int>(std::clamp<int64_t>(i, 0, static_cast<int64_t>(counts_.size())));
}

int MagnitudeBins::count(int bin) const {
    const int64_t i = static_cast<int64_t>(bin) - low_;
    if (i < 0 || i >= static_cast<int64_t>(counts_.size())) return 0;
    return counts_[static_cast<std::size_t>(i)];
}

int64_t MagnitudeBins::atOrAbove(int cut) const { return empty() ? 0 : n_[index(cut)]; }
int64_t MagnitudeBins::sumAtOrAbove(int cut) const { return empty() ? 0 : s1_[index(cut)]; }
int64_t MagnitudeBins::squaresAtOrAbove(int cut) const { return empty() ? 0 : s2_[index(cut)]; }

int MagnitudeBins::maxCurvatureBin() const {
    const auto it = std::max_element(counts_.begin(), counts_.end());  // first maximum
    return low_ + static_cast<int>(it - counts_.begin());
}

BEstimate estimateB(const MagnitudeBins& bins, int cut, Estimator e) {
    return fromSums(bins.atOrAbove(cut), bins.sumAtOrAbove(cut), bins.squaresAtOrAbove(cut), cut,
                    e);
}

BEstimate estimateB(std::span<const int> mag10, int cut, Estimator e) {
    int64_t n = 0, s1 = 0, s2 = 0;
    for (int m : mag10) {
        if (m < cut) continue;
        ++n;
        s1 += m;
        s2 += static_cast<int64_t>(m) * m;
    }
    return fromSums(n, s1, s2, cut, e);
}

std::optional<double> shiBoltSigma(std::span<const double> m, double b) {
    if (m.size() < 2) return std::nullopt;
    const double avg = mean(m);
    double ss = 0.0;
    for (double x : m) ss += (x - avg) * (x - avg);
    const double n = static_cast<double>(m.size());
    return kLn10 * b * b * std::sqrt(ss / (n * (n - 1.0)));
}

BPositive estimateBPositive(std::span<const int> mags, int cut, int dmc10) {
    int64_t n = 0, s1 = 0, s2 = 0;
    bool have = false;
    int previous = 0;
    for (int m : mags) {
        if (m < cut) continue;
        if (have && m - previous >= dmc10) {
            const int64_t d = m - previous;
            ++n;
            s1 += d;
            s2 += d * d;
        }
        previous = m;
        have = true;
    }
    const BEstimate e = fromSums(n, s1, s2, dmc10, Estimator::Classic);
    return {n, e.b, e.sigma};
}

std::optional<int> mcMaxCurvature(const MagnitudeBins& bins, int correction10) {
    if (bins.empty()) return std::nullopt;
    return bins.maxCurvatureBin() + correction10;
}

GftResult mcGoodnessOfFit(const MagnitudeBins& bins) {
    GftResult r;
    if (bins.empty()) return r;
    const int maxc = bins.maxCurvatureBin();
    for (int trial = maxc - 9; trial <= maxc + 15 && !(r.mc90 && r.mc95); ++trial) {
        const int64_t n = bins.atOrAbove(trial);
        if (n < 25) continue;
        const BEstimate e = estimateB(bins, trial, Estimator::Utsu);
        if (!e.b) continue;
        double diff = 0.0, observed = 0.0;
        for (int j = trial; j <= bins.highest(); ++j) {
            const double bj = static_cast<double>(bins.atOrAbove(j));
            const double sj = static_cast<double>(n) * std::pow(10.0, -*e.b * (j - trial) / 10.0);
            diff += std::fabs(bj - sj);
            observed += bj;
        }
        const double residual = 100.0 * diff / observed;
        if (!r.mc90 && residual < 10.0) r.mc90 = trial;
        if (!r.mc95 && residual < 5.0) r.mc95 = trial;
    }
    return r;
}

std::optional<int> mcBStability(const MagnitudeBins& bins, Estimator e) {
    if (bins.empty()) return std::nullopt;
    for (int trial = bins.lowest(); bins.atOrAbove(trial) >= 30; ++trial) {
        const BEstimate at = estimateB(bins, trial, e);
        if (!at.b || !at.sigma) continue;
        double sum = 0.0;
        bool defined = true;
        for (int k = 0; k < 5 && defined; ++k) {
            const BEstimate up = estimateB(bins, trial + k, e);
            defined = up.b.has_value();
            if (defined) sum += *up.b;
        }
        if (!defined) continue;
        if (std::fabs(sum / 5.0 - *at.b) <= *at.sigma) return trial;
    }
    return std::nullopt;
}

std::optional<int> chooseMc(const MagnitudeBins& bins, const McChoice& c, Estimator e) {
    switch (c.method) {
    case McMethod::MaxCurvature: return mcMaxCurvature(bins, c.correction10);
    case McMethod::Gft90: return mcGoodnessOfFit(bins).mc90;
    case McMethod::Gft95: return mcGoodnessOfFit(bins).mc95;
    case McMethod::Mbs: return mcBStability(bins, e);
    case McMethod::Fixed: return c.fixed10;
    }
    return std::nullopt;
}

std::string mcChoiceLabel(const McChoice& c) {
    switch (c.method) {
    case McMethod::MaxCurvature: {
        char buf[32];
        std::snprintf(buf, sizeof buf, " %c%d.%d", c.correction10 < 0 ? '-' : '+',
                      std::abs(c.correction10) / 10, std::abs(c.correction10) % 10);
        return std::string("最大曲率") + buf;
    }
    case McMethod::Gft90: return "GFT90";
    case McMethod::Gft95: return "GFT95";
    case McMethod::Mbs: return "MBS";
    case McMethod::Fixed: return "指定";
    }
    return {};
}

BAnalysis analyseB(std::span<const int> mags, const McChoice& choice, Estimator e, int dmc10) {
    BAnalysis r;
    r.events = static_cast<int64_t>(mags.size());
    const MagnitudeBins bins(mags);
    r.mc10 = chooseMc(bins, choice, e);
    if (!r.mc10) return r;
    r.estimate = estimateB(bins, *r.mc10, e);
    if (r.estimate.n > 0) {
        r.a = std::log10(static_cast<double>(r.estimate.n));
        if (r.estimate.b) r.a0 = *r.a + *r.estimate.b * (*r.mc10 / 10.0);
    }
    r.positive = estimateBPositive(mags, *r.mc10, dmc10);
    return r;
}

double decimalYear(int32_t date, int hhmm) {
    const int y = date / 10000, m = date / 100 % 100, d = date % 100;
    static constexpr int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int month = std::clamp(m, 1, 12);
    int doy = kBefore[month - 1] + d;
    if (month > 2 && leapYear(y)) ++doy;
    const double minutes = (hhmm / 100) * 60 + hhmm % 100;
    const double days = leapYear(y) ? 366.0 : 365.0;
    return y + (doy - 1 + minutes / 1440.0) / days;
}

std::vector<int> timeOrder(std::span<const EarthquakeRecord> recs) {
    std::vector<int> order(recs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const EarthquakeRecord &x = recs[static_cast<std::size_t>(a)],
                               &y = recs[static_cast<std::size_t>(b)];
        return x.date != y.date ? x.date < y.date : x.time < y.time;
    });
    return order;
}

BTimeResult bOverTime(std::span<const int> mags, std::span<const double> times,
                      const McChoice& choice, Estimator e, const BTimeOptions& opt) {
    BTimeResult r;
    const std::size_t total = std::min(mags.size(), times.size());
    const std::size_t window = static_cast<std::size_t>(std::max(opt.window, 2));
    const std::size_t step = static_cast<std::size_t>(std::max(opt.step, 1));
    std::vector<int> sample(window);
    std::vector<double> bs, mcs, ns;
    MagnitudeBins bins;
    uint64_t windowIndex = 0;
    for (std::size_t start = 0; start + window <= total; start += step, ++windowIndex) {
        ++r.windows;
        const auto slice = mags.subspan(start, window);
        BTimeRow row;
        double t = 0.0;
        for (std::size_t i = start; i < start + window; ++i) t += times[i];
        row.time = t / static_cast<double>(window);
        if (opt.bootstrap <= 0) {
            bins.assign(slice);
            const std::optional<int> mc = chooseMc(bins, choice, e);
            if (!mc) {
                ++r.skipped;
                continue;
            }
            const BEstimate est = estimateB(bins, *mc, e);
            if (est.n < opt.minEvents || !est.b || !est.sigma) {
                ++r.skipped;
                continue;
            }
            row.mc = *mc / 10.0;
            row.b = *est.b;
            row.bSigma = *est.sigma;
            row.n = est.n;
        } else {
            // Each window has its own stream, so a window's numbers do not depend on the others.
            uint64_t state = opt.seed ^ (0xD1B54A32D192ED03ull * (windowIndex + 1));
            bs.clear();
            mcs.clear();
            ns.clear();
            for (int k = 0; k < opt.bootstrap; ++k) {
                for (std::size_t i = 0; i < window; ++i) sample[i] = slice[below(splitMix(state), window)];
                bins.assign(sample);
                const std::optional<int> mc = chooseMc(bins, choice, e);
                if (!mc) continue;
                const BEstimate est = estimateB(bins, *mc, e);
                if (est.n < opt.minEvents || !est.b) continue;
                bs.push_back(*est.b);
                mcs.push_back(*mc / 10.0);
                ns.push_back(static_cast<double>(est.n));
            }
            if (bs.size() < 2) {
                ++r.skipped;
                continue;
            }
            row.b = mean(bs);
            row.bSigma = sampleSigma(bs);
            row.mc = mean(mcs);
            row.mcSigma = sampleSigma(mcs);
            row.n = std::llround(mean(ns));
        }
        r.rows.push_back(row);
    }
    return r;
}

}  // namespace kavelo::analysis
