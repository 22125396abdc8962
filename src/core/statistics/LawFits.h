#pragma once
// Gutenberg-Richter law fits of a cumulative table: ln N = a - b m (linear),
// ln N = a + b m + c m^2 (quadratic) and ln N = a - b m - c / sqrt(m1 - m)
// (modified), with the damped Gauss-Newton solver used for the last.

#include <functional>
#include <string>
#include <vector>

#include "statistics/Cumulative.h"

namespace kavelo {

// A message the window shows in a box (ASCII text and caption).
struct FitMessage {
    std::string text;
    std::string caption;
};
using FitMessages = std::vector<FitMessage>;

enum class FitOutcome {
    Fitted,
    TooFew,     // N(m0) < 5: coefficients 0, standard deviation 1000
    Singular,   // not enough distinct magnitude bins: no coefficients
    Failed,     // non-linear fit did not converge or could not start
};

struct LawFit {
    int result = 0;  // linear: 1 fitted / 0 not; modified: code of nleast
    FitOutcome outcome = FitOutcome::Singular;
    double alpha = 0.0, beta = 0.0, gamma = 0.0;
    double m1 = 0.0;       // modified law: the upper magnitude used (or fitted)
    double stdDev = 0.0;
    int evaluations = 0;   // modified law: model evaluations
    FitMessages messages;  // modified law: messages to show
    std::string reason;    // why no coefficients came out (ASCII)
};

// Least squares line y = alpha - beta x from the plain sums; false when the
// abscissae do not determine it (fewer than two, or all equal).
bool fitLine(const double* x, const double* y, int n, double* alpha, double* beta);

LawFit fitLinearLaw(int m0, const CumulativeTable& cumCount);
LawFit fitQuadraticLaw(int m0, const CumulativeTable& cumCount);
// addMag: the added magnitude; m1 = magMax / 10 + addMag. fitM1 fits m1 as a
// fourth parameter starting at the largest data magnitude + 0.5.
LawFit fitModifiedLaw(int m0, const CumulativeTable& cumCount, int magMax, double addMag,
                      bool fitM1 = false);

// In-place Gauss-Jordan inversion with row pivoting of an order x order matrix
// stored with the given row stride. 0 = done, 1 = singular (pivot <= tolerance).
int invertGaussJordan(double* a, int stride, int order, double tolerance);

// Residuals of the modified law: r_i = ln N_i - (a - b x_i - c / sqrt(m1 - x_i)).
// p = (a, b, c) with the fixed m1, or (a, b, c, m1) when np is 4. Returns false
// (with a message) when some x_i lies above m1.
bool NRichter(const double* p, int np, const double* x, const double* N, int n, double m1,
              double* r, FitMessages* messages);

using ResidualFunction = std::function<bool(const double* p, double* r)>;

constexpr int kNleastDone = 0;
constexpr int kNleastBudget = 20;
constexpr int kNleastLinearFailed = 30;
constexpr int kNleastParameterError = 40;
constexpr int kNleastModelError = 50;  // the residual function refused the parameters
constexpr int kNleastMaxEvaluations = 500;

// Damped Gauss-Newton (Levenberg-Marquardt type) minimisation of sum r_i^2 over
// np <= 10 parameters and n <= 100 residuals. p and r are updated in place.
int nleast(double* p, int np, int n, const ResidualFunction& residuals, double* r,
           double tolerance, int* evaluations, double* norm, FitMessages* messages);

constexpr int kLleastDone = 0;
constexpr int kLleastRankDeficient = 10;
constexpr int kLleastParameterError = 11;

// Householder least squares with column pivoting: min |A x - b| for a rows x
// columns matrix with the given row stride (<= 11). A is overwritten; the
// solution is left in b[0 .. columns-1].
int lleast(double* a, int stride, double tolerance, double* b, int columns, int rows,
           FitMessages* messages);

}  // namespace kavelo
