#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/Seismicity.h"

using namespace kavelo;
using namespace kavelo::analysis;

namespace {

std::vector<int> tenths(const std::vector<double>& m) {
    std::vector<int> t;
    for (double x : m) t.push_back(static_cast<int>(std::floor(x * 10.0 + 0.5)));
    return t;
}

// Bins from `start` (tenths) with these counts.
std::vector<int> expand(int start, const std::vector<int>& counts) {
    std::vector<int> m;
    for (std::size_t i = 0; i < counts.size(); ++i)
        m.insert(m.end(), static_cast<std::size_t>(counts[i]), start + static_cast<int>(i));
    return m;
}

// A Gutenberg-Richter tail from 2.0 (bins of about b = 1).
const std::vector<int> kGr = {100, 79, 63, 50, 40, 32, 25, 20, 16, 13, 10,
                              8,   6,  5,  4,  3,  3,  2,  2,  1,  1,  1};

std::filesystem::path sharedData() {
    if (const char* env = std::getenv("KAVELO_SHARED_DATA")) return env;
    return std::filesystem::path(__FILE__).parent_path() / "../../../../shared/data";
}

// Magnitudes of b = 1 from a Gutenberg-Richter law above `mc` (tenths), deterministic:
// quantiles of the exponential law visited in a scrambled order.
std::vector<int> grSample(int n, double b, int mc, unsigned salt) {
    std::vector<int> m(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const unsigned k = (static_cast<unsigned>(i) * 7919u + salt) % static_cast<unsigned>(n);
        const double u = (k + 0.5) / n;
        const double x = (mc - 0.5) / 10.0 - std::log10(u) / b;
        m[static_cast<std::size_t>(i)] = static_cast<int>(std::floor(x * 10.0 + 0.5));
    }
    return m;
}

}  // namespace

TEST(Seismicity, ReferenceSequenceEstimators) {
    const std::vector<int> m = tenths({2.0, 2.5, 2.1, 2.2, 2.5, 2.2, 2.6, 2.3, 2.7, 2.2, 2.4, 2.0,
                                       2.7, 2.2, 2.3, 2.1, 2.4, 2.6, 2.2, 2.2, 2.7, 2.4, 2.2, 2.5});
    const BEstimate classic = estimateB(m, 20, Estimator::Classic);
    const BEstimate utsu = estimateB(m, 20, Estimator::Utsu);
    ASSERT_TRUE(classic.b && utsu.b);
    EXPECT_NEAR(*classic.b, 1.114920128810535, 1e-9);
    EXPECT_NEAR(*utsu.b, 1.1088369750721319, 1e-9);
    EXPECT_EQ(classic.n, 24);
    const BPositive bp = estimateBPositive(m, 20, 2);
    ASSERT_TRUE(bp.b);
    EXPECT_NEAR(*bp.b, 1.9188552623891313, 1e-9);
    EXPECT_EQ(bp.n, 10);
    // The binned form agrees with the direct one.
    const MagnitudeBins bins(m);
    EXPECT_NEAR(*estimateB(bins, 20, Estimator::Classic).b, *classic.b, 1e-12);
    EXPECT_NEAR(*estimateB(bins, 20, Estimator::Utsu).sigma, *utsu.sigma, 1e-12);
}

TEST(Seismicity, ReferenceSimulatedMagnitudes) {
    std::ifstream in(sharedData() / "reference/seismostats/simulated_magnitudes.csv");
    if (!in) GTEST_SKIP() << "shared reference data not present";
    std::string line;
    std::getline(in, line);
    std::vector<double> raw;
    while (std::getline(in, line)) raw.push_back(std::stod(line.substr(0, line.find(','))));
    ASSERT_EQ(raw.size(), 10000u);
    const std::vector<int> m = tenths(raw);
    EXPECT_NEAR(*estimateB(m, 0, Estimator::Classic).b, 0.9985052730956719, 1e-9);
    EXPECT_NEAR(*estimateB(m, 0, Estimator::Utsu).b, 0.9941299341459253, 1e-9);
    const std::vector<double> first(raw.begin(), raw.begin() + 100);
    EXPECT_NEAR(*shiBoltSigma(first, 1.0), 0.09776728958456313, 1e-9);
}

TEST(Seismicity, BIsUndefinedForTooFewOrEqualMagnitudes) {
    const std::vector<int> one = {30};
    const std::vector<int> equal = {25, 25, 25, 25};
    const std::vector<int> mixed = {20, 25, 30};
    for (Estimator e : {Estimator::Classic, Estimator::Utsu}) {
        EXPECT_FALSE(estimateB(one, 20, e).b);
        EXPECT_FALSE(estimateB(equal, 20, e).b);
        EXPECT_FALSE(estimateB(equal, 25, e).sigma);
        EXPECT_FALSE(estimateB(mixed, 31, e).b);  // nothing above the cut
        EXPECT_TRUE(estimateB(mixed, 20, e).b);
    }
    EXPECT_FALSE(shiBoltSigma(std::vector<double>{1.0}, 1.0));
    // b-positive needs two different kept differences.
    const std::vector<int> rising = {20, 22, 24, 26};
    EXPECT_FALSE(estimateBPositive(rising, 20, 2).b);
    EXPECT_EQ(estimateBPositive(rising, 20, 2).n, 3);
    // The cut drops events before differences are taken: 20 -> 30 is one jump of 1.0.
    const std::vector<int> withSmall = {20, 10, 30, 25, 33};
    EXPECT_EQ(estimateBPositive(withSmall, 20, 2).n, 2);  // 20->30, 25->33
}

TEST(Seismicity, MaximumCurvatureTiesAndCorrection) {
    // Bins 2.0:3, 2.1:5, 2.2:5, 2.3:1 -- a tie between 2.1 and 2.2 goes to 2.1.
    const MagnitudeBins bins(expand(20, {3, 5, 5, 1}));
    EXPECT_EQ(bins.maxCurvatureBin(), 21);
    EXPECT_EQ(mcMaxCurvature(bins, 2), 23);
    EXPECT_EQ(mcMaxCurvature(bins, 0), 21);
    EXPECT_EQ(mcMaxCurvature(bins, -1), 20);
    EXPECT_FALSE(mcMaxCurvature(MagnitudeBins{}, 2));
    EXPECT_EQ(bins.count(19), 0);
    EXPECT_EQ(bins.atOrAbove(0), 14);
    EXPECT_EQ(bins.atOrAbove(22), 6);
    EXPECT_EQ(bins.atOrAbove(24), 0);
}

TEST(Seismicity, GoodnessOfFitFindsTheCompleteTail) {
    // An incomplete ramp (2.0 ... 2.3) below a complete tail from 2.4.
    std::vector<int> counts = {3, 8, 20, 45};
    counts.insert(counts.end(), kGr.begin(), kGr.end());
    const MagnitudeBins ramp(expand(20, counts));
    const GftResult g = mcGoodnessOfFit(ramp);
    EXPECT_EQ(g.mc90, 23);
    EXPECT_EQ(g.mc95, 24);
    const GftResult pure = mcGoodnessOfFit(MagnitudeBins(expand(20, kGr)));
    EXPECT_EQ(pure.mc90, 20);
    EXPECT_EQ(pure.mc95, 20);
    // Flat counts never look like a power law: no Mc rather than a made-up one.
    const GftResult flat = mcGoodnessOfFit(MagnitudeBins(expand(20, std::vector<int>(21, 30))));
    EXPECT_FALSE(flat.mc90);
    EXPECT_FALSE(flat.mc95);
}

TEST(Seismicity, GoodnessOfFitNeeds25Events) {
    // 25 events on a steep tail: the trial at the lowest bin has exactly 25.
    const std::vector<int> m25 = expand(30, {16, 6, 2, 1});
    EXPECT_EQ(mcGoodnessOfFit(MagnitudeBins(m25)).mc90, 30);
    const std::vector<int> m24 = expand(30, {15, 6, 2, 1});
    EXPECT_FALSE(mcGoodnessOfFit(MagnitudeBins(m24)).mc90);
    EXPECT_FALSE(mcGoodnessOfFit(MagnitudeBins(m24)).mc95);
}

TEST(Seismicity, BStabilityNeeds30EventsAndAStableB) {
    std::vector<int> counts = {3, 8, 20, 45};
    counts.insert(counts.end(), kGr.begin(), kGr.end());
    const MagnitudeBins ramp(expand(20, counts));
    EXPECT_EQ(mcBStability(ramp, Estimator::Classic), 24);
    EXPECT_EQ(mcBStability(ramp, Estimator::Utsu), 24);
    EXPECT_FALSE(mcBStability(MagnitudeBins(expand(20, std::vector<int>(21, 30))), Estimator::Classic));
    // Fewer than 30 events at every cut: no trial at all.
    EXPECT_FALSE(mcBStability(MagnitudeBins(expand(30, {15, 7, 4, 2, 1})), Estimator::Classic));
    // A trial whose upper cut-offs leave b undefined fails: 30 events, nothing above 3.2.
    EXPECT_FALSE(mcBStability(MagnitudeBins(expand(30, {20, 9, 1})), Estimator::Classic));
}

TEST(Seismicity, ChooseMcAndLabels) {
    const MagnitudeBins bins(expand(20, kGr));
    EXPECT_EQ(chooseMc(bins, {McMethod::MaxCurvature, 2, 0}, Estimator::Classic), 22);
    EXPECT_EQ(chooseMc(bins, {McMethod::Fixed, 2, 31}, Estimator::Classic), 31);
    EXPECT_EQ(chooseMc(bins, {McMethod::Gft95, 2, 0}, Estimator::Classic), 20);
    EXPECT_EQ(mcChoiceLabel({McMethod::MaxCurvature, 2, 0}), "最大曲率 +0.2");
    EXPECT_EQ(mcChoiceLabel({McMethod::MaxCurvature, -3, 0}), "最大曲率 -0.3");
    EXPECT_EQ(mcChoiceLabel({McMethod::Gft90, 2, 0}), "GFT90");
}

TEST(Seismicity, AnalyseBGivesAAndA0) {
    const std::vector<int> m = expand(20, kGr);
    const BAnalysis r = analyseB(m, {McMethod::Fixed, 0, 20}, Estimator::Classic);
    ASSERT_TRUE(r.mc10 && r.a && r.a0 && r.estimate.b);
    EXPECT_EQ(r.events, static_cast<int64_t>(m.size()));
    EXPECT_NEAR(*r.a, std::log10(static_cast<double>(m.size())), 1e-12);
    EXPECT_NEAR(*r.a0, *r.a + *r.estimate.b * 2.0, 1e-12);
    EXPECT_NEAR(*r.estimate.b, 1.0, 0.1);
    // A method that finds nothing leaves every number empty.
    const BAnalysis none = analyseB(expand(20, std::vector<int>(21, 30)), {McMethod::Gft90, 2, 0},
                                    Estimator::Classic);
    EXPECT_FALSE(none.mc10);
    EXPECT_FALSE(none.estimate.b);
    EXPECT_FALSE(none.a);
    EXPECT_FALSE(none.positive.b);
}

TEST(Seismicity, DecimalYearsAndTimeOrder) {
    EXPECT_DOUBLE_EQ(decimalYear(20010101, 0), 2001.0);
    EXPECT_DOUBLE_EQ(decimalYear(20010702, 0), 2001.0 + 182.0 / 365.0);
    EXPECT_DOUBLE_EQ(decimalYear(20001231, 1200), 2000.0 + 365.5 / 366.0);
    EXPECT_DOUBLE_EQ(decimalYear(20000301, 0), 2000.0 + 60.0 / 366.0);
    EXPECT_DOUBLE_EQ(decimalYear(19000301, 0), 1900.0 + 59.0 / 365.0);  // not a leap year
    std::vector<EarthquakeRecord> r(4);
    r[0].date = 20010102;
    r[1].date = 20010101, r[1].time = 1200;
    r[2].date = 20010101, r[2].time = 1200;
    r[3].date = 20010101, r[3].time = 5;
    EXPECT_EQ(timeOrder(r), (std::vector<int>{3, 1, 2, 0}));
}

TEST(Seismicity, BOverTimeFollowsAChangeOfB) {
    // 4000 events: b = 0.8 for the first half, 1.5 for the second, Mc 2.0 throughout.
    std::vector<int> m = grSample(2000, 0.8, 20, 11);
    const std::vector<int> second = grSample(2000, 1.5, 20, 29);
    m.insert(m.end(), second.begin(), second.end());
    std::vector<double> t(m.size());
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = 2000.0 + i / 400.0;
    BTimeOptions o;  // window 500, step 20
    const BTimeResult r = bOverTime(m, t, {McMethod::Fixed, 0, 20}, Estimator::Classic, o);
    EXPECT_EQ(r.windows, (4000 - 500) / 20 + 1);
    EXPECT_EQ(r.skipped, 0);
    ASSERT_EQ(r.rows.size(), static_cast<std::size_t>(r.windows));
    EXPECT_DOUBLE_EQ(r.rows[0].time, 2000.0 + 249.5 / 400.0);
    EXPECT_DOUBLE_EQ(r.rows[1].time, 2000.0 + 269.5 / 400.0);
    EXPECT_NEAR(r.rows.front().b, 0.8, 0.08);
    EXPECT_NEAR(r.rows.back().b, 1.5, 0.15);
    EXPECT_EQ(r.rows.front().n, 500);
    EXPECT_GT(r.rows.front().bSigma, 0.0);
    // Windows wholly inside one half sit near their half's b.
    for (const BTimeRow& row : r.rows) {
        if (row.time < 2000.0 + 1500.0 / 400.0) {
            EXPECT_LT(row.b, 1.0);
        }
        if (row.time > 2000.0 + 2500.0 / 400.0) {
            EXPECT_GT(row.b, 1.25);
        }
    }
    // The maximum-curvature Mc finds the same change.
    const BTimeResult maxc = bOverTime(m, t, {McMethod::MaxCurvature, 0, 0}, Estimator::Classic, o);
    EXPECT_NEAR(maxc.rows.front().b, 0.8, 0.1);
    EXPECT_NEAR(maxc.rows.back().b, 1.5, 0.2);
}

TEST(Seismicity, BOverTimeSkipsAndShortSets) {
    const std::vector<int> m = grSample(600, 1.0, 20, 3);
    std::vector<double> t(m.size(), 2000.0);
    BTimeOptions o;
    o.window = 700;
    EXPECT_EQ(bOverTime(m, t, {}, Estimator::Classic, o).windows, 0);
    EXPECT_TRUE(bOverTime(m, t, {}, Estimator::Classic, o).rows.empty());
    // A fixed Mc above most events leaves fewer than 50: every window skipped and counted.
    o.window = 500;
    o.step = 50;
    const BTimeResult high = bOverTime(m, t, {McMethod::Fixed, 0, 40}, Estimator::Classic, o);
    EXPECT_EQ(high.windows, 3);
    EXPECT_EQ(high.skipped, 3);
    EXPECT_TRUE(high.rows.empty());
    // The 50-event rule is adjustable and decides alone here.
    o.minEvents = 1;
    EXPECT_EQ(bOverTime(m, t, {McMethod::Fixed, 0, 40}, Estimator::Classic, o).skipped, 0);
}

TEST(Seismicity, BootstrapRepeatsWithItsSeed) {
    const std::vector<int> m = grSample(1500, 1.0, 20, 5);
    std::vector<double> t(m.size());
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = 1990.0 + i / 100.0;
    BTimeOptions o;
    o.bootstrap = 40;
    o.step = 250;
    const McChoice mc{McMethod::MaxCurvature, 2, 0};
    const BTimeResult a = bOverTime(m, t, mc, Estimator::Classic, o);
    const BTimeResult b = bOverTime(m, t, mc, Estimator::Classic, o);
    ASSERT_EQ(a.rows.size(), 5u);
    ASSERT_EQ(b.rows.size(), 5u);
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        EXPECT_EQ(a.rows[i].b, b.rows[i].b);
        EXPECT_EQ(a.rows[i].mc, b.rows[i].mc);
        EXPECT_GT(a.rows[i].bSigma, 0.0);
        EXPECT_NEAR(a.rows[i].b, 1.0, 0.2);
    }
    o.seed = 7;
    const BTimeResult c = bOverTime(m, t, mc, Estimator::Classic, o);
    EXPECT_NE(a.rows[0].b, c.rows[0].b);
}
