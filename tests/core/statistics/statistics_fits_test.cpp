#include <gtest/gtest.h>

#include <cmath>

#include "statistics/LawFits.h"
#include "statistics/Probability.h"

using namespace kavelo;

namespace {

CumulativeTable table(std::initializer_list<int> counts) {
    CumulativeTable t{};
    int i = 0;
    for (int c : counts) t[static_cast<size_t>(i++)] = c;
    return t;
}

}  // namespace

// NIST StRD "Norris": certified intercept and slope.
TEST(LeastSquaresLine, NorrisCertifiedValues) {
    const double y[] = {0.1,   338.8, 118.1, 888.0, 9.2,   228.1, 668.5, 998.5, 449.1,
                        778.9, 559.2, 0.3,   0.1,   778.1, 668.8, 339.3, 448.9, 10.8,
                        557.7, 228.3, 998.0, 888.8, 119.6, 0.3,   0.6,   557.6, 339.3,
                        888.0, 998.5, 778.9, 10.2,  117.6, 228.9, 668.4, 449.2, 0.2};
    const double x[] = {0.2,   337.4, 118.2, 884.6, 10.1,  226.5, 666.3, 996.3, 448.6,
                        777.0, 558.2, 0.4,   0.6,   775.5, 666.9, 338.0, 447.5, 11.6,
                        556.0, 228.1, 995.8, 887.6, 120.2, 0.3,   0.3,   556.8, 339.1,
                        887.2, 999.0, 779.0, 11.1,  118.3, 229.2, 669.1, 448.9, 0.5};
    double alpha = 0, beta = 0;
    ASSERT_TRUE(fitLine(x, y, 36, &alpha, &beta));
    const double b0 = -0.262323073774029, b1 = 1.00211681802045;
    EXPECT_LT(std::fabs(alpha - b0) / std::fabs(b0), 1e-10);
    EXPECT_LT(std::fabs(-beta - b1) / b1, 1e-10);
    const double same[] = {2.0, 2.0, 2.0};
    EXPECT_FALSE(fitLine(same, y, 3, &alpha, &beta));
}

TEST(FitLinearLaw, HandMadeTables) {
    // N halves per 0.1: ln N = (ln 1024 + 40 ln 2) - 10 ln 2 * m exactly.
    CumulativeTable t = table({1024, 512, 256, 128, 64, 32, 16, 8, 4, 2, 1});
    LawFit f = fitLinearLaw(40, t);
    EXPECT_EQ(f.result, 1);
    EXPECT_NEAR(f.beta, 10 * std::log(2.0), 1e-9);
    EXPECT_NEAR(f.alpha, std::log(1024.0) + 40 * std::log(2.0), 1e-8);
    EXPECT_NEAR(f.stdDev, 0.0, 1e-7);

    // Three symmetric bins: slope from the ends, residuals (e, -2e, e).
    LawFit g = fitLinearLaw(40, table({20, 9, 5}));
    const double y0 = std::log(20.0), y1 = std::log(9.0), y2 = std::log(5.0);
    const double beta = (y0 - y2) / 0.2, mean = (y0 + y1 + y2) / 3;
    const double e = y0 - (mean + beta * 0.1);
    EXPECT_NEAR(g.beta, beta, 1e-9);
    EXPECT_NEAR(g.alpha, mean + beta * 4.1, 1e-9);
    EXPECT_NEAR(g.stdDev, std::sqrt(6 * e * e / 2), 1e-9);

    LawFit few = fitLinearLaw(40, table({4, 2}));
    EXPECT_EQ(few.result, 0);
    EXPECT_EQ(few.outcome, FitOutcome::TooFew);
    EXPECT_EQ(few.stdDev, 1000.0);

    // Everything at m0: no line, and no coefficients carried along.
    LawFit one = fitLinearLaw(40, table({7}));
    EXPECT_EQ(one.result, 0);
    EXPECT_EQ(one.outcome, FitOutcome::Singular);
    EXPECT_EQ(one.alpha, 0.0);
}

TEST(InvertGaussJordan, InverseWithPivotingAndSingular) {
    const double m[9] = {0, 2, 1, 1, 1, 0, 3, 0, 1};
    double a[9];
    std::copy(m, m + 9, a);
    ASSERT_EQ(invertGaussJordan(a, 3, 3, 1e-12), 0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double s = 0;
            for (int k = 0; k < 3; ++k) s += m[3 * i + k] * a[3 * k + j];
            EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-12) << i << "," << j;
        }
    double sing[9] = {1, 2, 3, 2, 4, 6, 1, 0, 1};
    EXPECT_EQ(invertGaussJordan(sing, 3, 3, 1e-12), 1);
}

TEST(FitQuadraticLaw, ExactParabolaAndTooFewBins) {
    // ln N = 30 - 2 m - 0.5 m^2 sampled on 4.0 ... 4.4 (not integers: use ln).
    CumulativeTable t{};
    for (int i = 0; i < 5; ++i) {
        const double m = (40 + i) * 0.1;
        t[static_cast<size_t>(i)] = static_cast<int>(std::lround(std::exp(12.0 - 0.5 * m - 0.25 * m * m)));
    }
    LawFit f = fitQuadraticLaw(40, t);
    ASSERT_EQ(f.outcome, FitOutcome::Fitted);
    // Fitted values reproduce the integer counts closely.
    for (int i = 0; i < 5; ++i) {
        const double m = (40 + i) * 0.1;
        EXPECT_NEAR(f.alpha + f.beta * m + f.gamma * m * m, std::log(double(t[size_t(i)])), 2e-3);
    }
    EXPECT_EQ(fitQuadraticLaw(40, table({9, 3})).outcome, FitOutcome::Singular);
    LawFit few = fitQuadraticLaw(40, table({3, 2, 1}));
    EXPECT_EQ(few.outcome, FitOutcome::TooFew);
    EXPECT_EQ(few.stdDev, 1000.0);
}

TEST(Lleast, OverdeterminedAgainstNormalEquations) {
    // 6 x 3, the largest column last so that pivoting exchanges columns.
    const double rows[6][3] = {{1, 0.5, 10}, {1, 1.5, 12}, {1, 2.0, -7},
                               {1, 3.5, 4},  {1, 4.0, 9},  {1, 6.0, -3}};
    const double rhs[6] = {3, 5, -1, 7, 2, 8};
    double A[6 * 11] = {}, b[6];
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 3; ++j) A[i * 11 + j] = rows[i][j];
        b[i] = rhs[i];
    }
    ASSERT_EQ(lleast(A, 11, 1e-14, b, 3, 6, nullptr), kLleastDone);
    // Direct solution: (A^T A)^-1 A^T b.
    double N[9] = {}, r[3] = {};
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 3; ++j) {
            r[j] += rows[i][j] * rhs[i];
            for (int k = 0; k < 3; ++k) N[3 * j + k] += rows[i][j] * rows[i][k];
        }
    ASSERT_EQ(invertGaussJordan(N, 3, 3, 1e-12), 0);
    for (int j = 0; j < 3; ++j) {
        const double x = N[3 * j] * r[0] + N[3 * j + 1] * r[1] + N[3 * j + 2] * r[2];
        EXPECT_NEAR(b[j], x, 1e-12 * (1 + std::fabs(x)));
    }

    double D[3 * 11] = {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        3, 6};
    double db[3] = {1, 2, 3};
    EXPECT_EQ(lleast(D, 11, 1e-14, db, 2, 3, nullptr), kLleastRankDeficient);
    FitMessages msgs;
    EXPECT_EQ(lleast(D, 11, 1e-14, db, 3, 2, &msgs), kLleastParameterError);
    EXPECT_EQ(lleast(D, 12, 1e-14, db, 2, 3, &msgs), kLleastParameterError);
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0].text, "lleast parameter error");
    EXPECT_EQ(msgs[0].caption, "Lleast Error");
}

TEST(Nleast, RosenbrockAndExponentialConverge) {
    // Rosenbrock as residuals: minimum 0 at (1, 1).
    double p[2] = {-1.2, 1.0}, r[2];
    int evals = 0;
    double norm = -1;
    ResidualFunction rosen = [](const double* q, double* res) {
        res[0] = 10 * (q[1] - q[0] * q[0]);
        res[1] = 1 - q[0];
        return true;
    };
    ASSERT_EQ(nleast(p, 2, 2, rosen, r, 1e-14, &evals, &norm, nullptr), kNleastDone);
    EXPECT_NEAR(p[0], 1.0, 1e-7);
    EXPECT_NEAR(p[1], 1.0, 1e-7);
    EXPECT_LT(norm, 1e-7);
    EXPECT_LE(evals, kNleastMaxEvaluations);

    // y = 2 exp(-0.5 x) on 8 points from (1, 0).
    double x[8], y[8];
    for (int i = 0; i < 8; ++i) {
        x[i] = 0.5 * i;
        y[i] = 2 * std::exp(-0.5 * x[i]);
    }
    double q[2] = {1.0, 0.0}, rr[8];
    ResidualFunction expo = [&](const double* c, double* res) {
        for (int i = 0; i < 8; ++i) res[i] = y[i] - c[0] * std::exp(c[1] * x[i]);
        return true;
    };
    ASSERT_EQ(nleast(q, 2, 8, expo, rr, 1e-14, &evals, &norm, nullptr), kNleastDone);
    EXPECT_NEAR(q[0], 2.0, 1e-8);
    EXPECT_NEAR(q[1], -0.5, 1e-8);
}

TEST(Nleast, BudgetAndParameterChecks) {
    // exp(-p) keeps improving for ever: the evaluation budget stops it.
    double p[1] = {0.0}, r[1];
    int evals = 0;
    double norm = 0;
    ResidualFunction decay = [](const double* q, double* res) {
        res[0] = std::exp(-q[0]);
        return true;
    };
    EXPECT_EQ(nleast(p, 1, 1, decay, r, 0.0, &evals, &norm, nullptr), kNleastBudget);
    EXPECT_LE(evals, kNleastMaxEvaluations);
    EXPECT_GT(evals, kNleastMaxEvaluations - 2);
    EXPECT_GT(p[0], 10.0);

    FitMessages msgs;
    double big[11] = {};
    double res[101];
    EXPECT_EQ(nleast(big, 11, 5, decay, res, 1e-14, &evals, &norm, &msgs), kNleastParameterError);
    EXPECT_EQ(nleast(big, 1, 101, decay, res, 1e-14, &evals, &norm, &msgs), kNleastParameterError);
    EXPECT_EQ(nleast(big, 1, 1, decay, res, -1.0, &evals, &norm, &msgs), kNleastParameterError);
    EXPECT_EQ(nleast(big, 1, 0, decay, res, 1e-14, &evals, &norm, &msgs), kNleastParameterError);
    ASSERT_EQ(msgs.size(), 4u);
    EXPECT_EQ(msgs[0].text, "nleast parameter error");
    EXPECT_EQ(msgs[0].caption, "NLEAST ERROR");
}

TEST(FitModifiedLaw, RecoversCurvedTableAndRefusesDegenerateOnes) {
    // Counts from ln N = 14 - 1.5 m - 2 / sqrt(8.2 - m), m1 = 7.9 + 0.3.
    CumulativeTable t{};
    for (int i = 0; i < 50; ++i) {
        const double m = (40 + i) * 0.1;
        if (m >= 8.2) break;
        t[size_t(i)] = static_cast<int>(std::lround(std::exp(14 - 1.5 * m - 2 / std::sqrt(8.2 - m))));
    }
    LawFit f = fitModifiedLaw(40, t, 79, 0.3);
    ASSERT_EQ(f.result, kNleastDone) << f.reason;
    EXPECT_EQ(f.outcome, FitOutcome::Fitted);
    EXPECT_DOUBLE_EQ(f.m1, 7.9 + 0.3);
    EXPECT_LE(f.evaluations, kNleastMaxEvaluations);
    EXPECT_LT(f.stdDev, 0.2);
    EXPECT_NEAR(f.alpha, 14, 1.0);
    EXPECT_NEAR(f.beta, 1.5, 0.3);
    EXPECT_NEAR(f.gamma, 2, 0.5);
    // Residuals agree with the reported standard deviation.
    const int n = CumulativeCount{t}.usedBins();
    double x[50], N[50], r[50];
    for (int i = 0; i < n; ++i) {
        x[i] = (40 + i) * 0.1;
        N[i] = t[size_t(i)];
    }
    const double p[3] = {f.alpha, f.beta, f.gamma};
    ASSERT_TRUE(NRichter(p, 3, x, N, n, f.m1, r, nullptr));
    double ss = 0;
    for (int i = 0; i < n; ++i) ss += r[i] * r[i];
    EXPECT_NEAR(f.stdDev, std::sqrt(ss / (n - 1)), 1e-9);

    // One bin, or m1 not above the data: a failure with the message, no coefficients.
    LawFit one = fitModifiedLaw(40, table({7}), 0, 0.3);
    EXPECT_NE(one.result, kNleastDone);
    EXPECT_EQ(one.outcome, FitOutcome::Failed);
    ASSERT_FALSE(one.messages.empty());
    EXPECT_EQ(one.messages.back().text, "Non linear LSQ failed");
    EXPECT_EQ(one.messages.back().caption, "Nleast Error");
    EXPECT_EQ(one.alpha, 0.0);
    EXPECT_NE(fitModifiedLaw(40, table({9, 5, 2}), 0, 0.1).result, kNleastDone);

    // m1 as a fourth parameter must stay above the data.
    double p4[4] = {1, 1, 1, 4.0};
    FitMessages msgs;
    EXPECT_FALSE(NRichter(p4, 4, x, N, n, 0.0, r, &msgs));
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(msgs[0].text, "max mag is smaller");
}

TEST(GumbelVariate, InsideAndOutsideTheUnitInterval) {
    ASSERT_TRUE(gumbelVariate(0.5).has_value());
    EXPECT_NEAR(*gumbelVariate(0.5), 0.3665129, 1e-7);
    EXPECT_NEAR(*gumbelVariate(0.998), 6.2136, 1e-4);
    EXPECT_FALSE(gumbelVariate(0.0).has_value());
    EXPECT_FALSE(gumbelVariate(1.0).has_value());
    EXPECT_FALSE(gumbelVariate(-0.2).has_value());
    EXPECT_FALSE(gumbelVariate(NAN).has_value());
    EXPECT_EQ(probabilityTicks.size(), 14u);
    EXPECT_EQ(probabilityTicks[13], 0.998);
    // The 0.5 tick on the frame of m0 = 4.0.
    EXPECT_EQ(static_cast<int>(400 - (*gumbelVariate(0.5) + 1) * 51), 330);
}
