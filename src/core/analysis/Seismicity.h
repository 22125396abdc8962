#pragma once
// Seismicity statistics on binned magnitudes: the frequency-magnitude distribution,
// maximum-likelihood b with its Shi-Bolt uncertainty, b-positive, the completeness
// magnitude Mc (maximum curvature, goodness of fit, b-value stability) and b and Mc
// over time. Magnitudes are the records' integer tenths (mag = 10 M, bin width 0.1),
// so every mean and sum of squares below is exact.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalogue/EarthquakeRecord.h"

namespace kavelo::analysis {

constexpr double kBinWidth = 0.1;

enum class Estimator { Classic, Utsu };
enum class McMethod { MaxCurvature, Gft90, Gft95, Mbs, Fixed };

const char* estimatorName(Estimator e);              // "classic", "utsu"
const char* mcMethodName(McMethod m);                // "maxc", "gft90", "gft95", "mbs", "fixed"

// Counts per 0.1 bin from the smallest magnitude to the largest, with suffix sums so
// that the events at or above any cut are summarised in constant time.
class MagnitudeBins {
public:
    MagnitudeBins() = default;
    explicit MagnitudeBins(std::span<const int> mag10) { assign(mag10); }
    // Rebuilds the bins for other magnitudes, reusing the memory (bootstrap loops).
    void assign(std::span<const int> mag10);

    bool empty() const { return counts_.empty(); }
    int lowest() const { return low_; }    // smallest bin (tenths); only when !empty()
    int highest() const { return low_ + static_cast<int>(counts_.size()) - 1; }
    int count(int bin) const;              // events in this bin
    int64_t atOrAbove(int cut) const;      // events with mag >= cut
    int64_t sumAtOrAbove(int cut) const;   // sum of their mag (tenths)
    int64_t squaresAtOrAbove(int cut) const;
    // The bin holding the most events; the lowest such bin on a tie. Needs !empty().
    int maxCurvatureBin() const;

private:
    int index(int cut) const;  // first bin index >= cut, clamped to 0 ... size
    int low_ = 0;
    std::vector<int> counts_;
    std::vector<int64_t> n_, s1_, s2_;  // suffix sums, one longer than counts_
};

// b and its uncertainty for the events at or above a cut; b is empty (undefined) for
// fewer than two events or when every magnitude is equal.
struct BEstimate {
    int64_t n = 0;
    double meanMagnitude = 0.0;  // M̄ of the events used (0 when n = 0)
    std::optional<double> b;
    std::optional<double> sigma;  // Shi-Bolt
};

// b of the events >= cut (tenths) by the estimator, with Shi-Bolt sigma.
BEstimate estimateB(const MagnitudeBins& bins, int cut, Estimator e);
// The same straight from magnitudes (tenths).
BEstimate estimateB(std::span<const int> mag10, int cut, Estimator e);

// Shi-Bolt sigma of b for these magnitudes (in magnitude units); empty for fewer than 2.
std::optional<double> shiBoltSigma(std::span<const double> magnitudes, double b);

// b-positive: consecutive differences of the events >= cut in the given (time) order,
// those >= dmc (tenths) kept and fed to the classic estimator with Mc = dmc.
struct BPositive {
    int64_t n = 0;  // differences kept
    std::optional<double> b, sigma;
};
BPositive estimateBPositive(std::span<const int> mag10InTimeOrder, int cut, int dmc10);

// Completeness magnitudes (tenths); empty when a method finds none.
std::optional<int> mcMaxCurvature(const MagnitudeBins& bins, int correction10);
struct GftResult {
    std::optional<int> mc90, mc95;
};
GftResult mcGoodnessOfFit(const MagnitudeBins& bins);
std::optional<int> mcBStability(const MagnitudeBins& bins, Estimator e);

// How Mc is chosen: the method, the correction added to the maximum curvature and the
// value a fixed Mc takes (both tenths).
struct McChoice {
    McMethod method = McMethod::MaxCurvature;
    int correction10 = 2;
    int fixed10 = 0;
};
std::optional<int> chooseMc(const MagnitudeBins& bins, const McChoice& choice, Estimator e);
// "最大曲率 +0.2" style label of a choice for the window's text (UTF-8).
std::string mcChoiceLabel(const McChoice& choice);

// The full b analysis of one set of events (magnitudes in time order).
struct BAnalysis {
    int64_t events = 0;       // every event given
    std::optional<int> mc10;  // empty: the method found no Mc
    BEstimate estimate;       // events >= Mc
    std::optional<double> a, a0;
    BPositive positive;
};
BAnalysis analyseB(std::span<const int> mag10InTimeOrder, const McChoice& choice, Estimator e,
                   int dmc10 = 2);

// Decimal year of a record's date and time: year + (day of year - 1 + minutes / 1440) /
// days in that year.
double decimalYear(int32_t yyyymmdd, int hhmm);

// Indices of the records in time order: date, then time, then the given order.
std::vector<int> timeOrder(std::span<const EarthquakeRecord> recs);

// b and Mc over time in windows of `window` consecutive events, starting every `step`.
struct BTimeOptions {
    int window = 500;
    int step = 20;
    int bootstrap = 0;  // resamplings per window; 0 = the window itself
    uint64_t seed = 20240101;
    int minEvents = 50;  // events >= Mc a window needs
};
struct BTimeRow {
    double time = 0.0;  // mean decimal year of the window's events
    double mc = 0.0;    // magnitude units (mean over the resamplings with a bootstrap)
    double mcSigma = 0.0;  // bootstrap only
    double b = 0.0, bSigma = 0.0;
    int64_t n = 0;  // events >= Mc (rounded mean with a bootstrap)
};
struct BTimeResult {
    std::vector<BTimeRow> rows;
    int windows = 0;  // whole windows that fit
    int skipped = 0;  // windows without Mc, without b or with too few events >= Mc
};
// times: decimal years of the events, in the same (time) order as the magnitudes.
BTimeResult bOverTime(std::span<const int> mag10InTimeOrder, std::span<const double> times,
                      const McChoice& choice, Estimator e, const BTimeOptions& opt);

}  // namespace kavelo::analysis
