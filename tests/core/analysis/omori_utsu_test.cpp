#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/OmoriUtsu.h"
#include "core/analysis/SharedData.h"

using namespace kavelo;
using namespace kavelo::analysis;

namespace {

// Times of a non-homogeneous Poisson process with rate K / (t + c)^p on [s, e],
// drawn by inverting the expected count.
std::vector<double> simulateOmori(double k, double c, double p, double s, double e, unsigned seed) {
    std::mt19937 rng(seed);
    std::exponential_distribution<double> gap(1.0);
    std::vector<double> t;
    const double total = k * omoriIntegral(c, p, s, e);
    double acc = 0.0;
    for (;;) {
        acc += gap(rng);
        if (acc > total) break;
        // Solve K * integral(s, x) = acc for x by bisection.
        double lo = s, hi = e;
        for (int i = 0; i < 100; ++i) {
            const double mid = 0.5 * (lo + hi);
            (k * omoriIntegral(c, p, s, mid) < acc ? lo : hi) = mid;
        }
        t.push_back(0.5 * (lo + hi));
    }
    return t;
}

}  // namespace

TEST(OmoriIntegral, ExactAcrossPEqualsOne) {
    // At p = 1 the integral is ln((T + c) / (S + c)); just beside it the general form
    // must agree to rounding rather than blow up.
    const double ln = std::log((18.68 + 0.06) / (0.01 + 0.06));
    EXPECT_NEAR(omoriIntegral(0.06, 1.0, 0.01, 18.68), ln, 1e-14);
    EXPECT_NEAR(omoriIntegral(0.06, 1.0 + 1e-12, 0.01, 18.68), ln, 1e-10);
    EXPECT_NEAR(omoriIntegral(0.06, 1.0 - 1e-9, 0.01, 18.68), ln, 1e-7);
    const double p = 1.3;
    const double closed = (std::pow(10.5, 1 - p) - std::pow(0.5, 1 - p)) / (1 - p);
    EXPECT_NEAR(omoriIntegral(0.5, p, 0.0, 10.0), closed, 1e-12);
    EXPECT_EQ(omoriIntegral(0.5, p, 3.0, 3.0), 0.0);
}

TEST(OmoriFit, ReproducesTheMiyagi2003Reference) {
    const std::string path = testdata::sharedDataFile("reference/sapp/main2003JUL26.csv");
    if (path.empty()) GTEST_SKIP() << "shared reference data not present";
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // header
    std::vector<double> t;
    while (std::getline(in, line)) {
        std::stringstream ss(line);
        std::string f[6];
        for (auto& x : f) std::getline(ss, x, ',');
        const double mag = std::stod(f[3]), time = std::stod(f[4]);
        if (mag >= 2.5 && time > 0.0) t.push_back(time);
    }
    const OmoriFit fit = fitOmoriUtsu(t, 0.01, 18.68);
    ASSERT_TRUE(fit.fitted);
    EXPECT_EQ(fit.n, 536);
    EXPECT_NEAR(fit.k, 95.3759, 95.3759 * 1e-4);
    EXPECT_NEAR(fit.c, 0.0596003, 0.0596003 * 1e-4);
    EXPECT_NEAR(fit.p, 0.974062, 0.974062 * 1e-4);
    EXPECT_NEAR(-fit.logLik, -1802.3242186, 1802.3242186 * 1e-4);
    EXPECT_NEAR(fit.aic, -2 * 1802.3242186 + 6, 1e-2);
    EXPECT_TRUE(fit.converged);
    EXPECT_FALSE(fit.atBound);
    // The window prints K = 95.376 +- 7.4, c = 0.0596 +- 0.024, p = 0.974 +- 0.048.
    EXPECT_NEAR(fit.kSigma, 7.4, 0.05);
    EXPECT_NEAR(fit.cSigma, 0.024, 0.0005);
    EXPECT_NEAR(fit.pSigma, 0.048, 0.0005);
}

TEST(OmoriFit, RecoversSimulatedParametersAndIsAMaximum) {
    const std::vector<double> t = simulateOmori(200.0, 0.05, 1.1, 0.01, 100.0, 3);
    ASSERT_GT(t.size(), 500u);
    const OmoriFit fit = fitOmoriUtsu(t, 0.01, 100.0);
    ASSERT_TRUE(fit.converged);
    EXPECT_FALSE(fit.atBound);
    EXPECT_NEAR(fit.p, 1.1, 4 * fit.pSigma);
    EXPECT_NEAR(fit.c, 0.05, 4 * fit.cSigma);
    EXPECT_NEAR(fit.k, 200.0, 4 * fit.kSigma);
    // Every nearby parameter set is less likely.
    for (double dk : {-0.01, 0.01})
        for (double dc : {-0.01, 0.01})
            for (double dp : {-0.002, 0.002})
                EXPECT_LT(omoriLogLikelihood(t, 0.01, 100.0, fit.k * (1 + dk), fit.c * (1 + dc), fit.p + dp),
                          fit.logLik);
    // K is N / A: the expected count over [S, T] is N.
    EXPECT_NEAR(omoriExpectedCount(fit, 100.0), fit.n, 1e-9 * fit.n);
}

TEST(OmoriFit, ReportsBoundsAndRefusesTooLittleData) {
    // A rate that grows with time pushes p to its lower limit.
    std::vector<double> growing;
    for (int i = 1; i <= 400; ++i) growing.push_back(10.0 * std::sqrt(i / 400.0));
    const OmoriFit up = fitOmoriUtsu(growing, 0.01, 10.0);
    ASSERT_TRUE(up.fitted);
    EXPECT_TRUE(up.atBound);
    EXPECT_DOUBLE_EQ(up.p, kOmoriPMin);

    EXPECT_FALSE(fitOmoriUtsu({1.0}, 0.01, 10.0).fitted);
    EXPECT_FALSE(fitOmoriUtsu({1.0, 2.0}, 5.0, 5.0).fitted);
    EXPECT_FALSE(fitOmoriUtsu({1.0, 2.0}, -1.0, 5.0).fitted);
    // Times outside [S, T] are not counted.
    EXPECT_EQ(fitOmoriUtsu({0.001, 1.0, 2.0, 3.0, 50.0}, 0.01, 10.0).n, 3);
}

TEST(OmoriMainShock, LargestEarliestAndAftershockDays) {
    Catalogue cat;
    auto put = [&](int i, int date, int time, int mag) {
        cat[i].date = date;
        cat[i].time = static_cast<int16_t>(time);
        cat[i].mag = static_cast<int16_t>(mag);
    };
    put(0, 20110309, 1145, 73);
    put(1, 20110311, 1446, 90);
    put(2, 20110311, 1515, 76);
    put(3, 20110101, 1200, 90);  // as large, earlier: the main shock
    put(4, 20110311, 1446, 50);
    put(5, 20120311, 1446, 30);
    cat.recordCount = 6;
    SelectionList sel;
    sel.setIdentity(6);
    EXPECT_EQ(largestEvent(cat, sel), 3);
    EXPECT_EQ(largestEventAt(cat, sel, 20110311, 1446), 1);
    EXPECT_EQ(largestEventAt(cat, sel, 20110311, 1447), -1);
    sel.selectionCount = 0;
    EXPECT_EQ(largestEvent(cat, sel), -1);

    sel.setIdentity(6);
    const std::vector<double> d = aftershockDays(cat, sel, 1, 40);
    // Event 0 and 3 precede, 4 is the same minute, 5 is a leap year later; 5 has M3.0 < 4.0.
    ASSERT_EQ(d.size(), 2u);
    EXPECT_NEAR(d[0], 29.0 / 1440.0, 1e-12);
    EXPECT_EQ(d[1], 0.0);
    EXPECT_NEAR(aftershockDays(cat, sel, 1, 0).back(), 366.0, 1e-12);
}
