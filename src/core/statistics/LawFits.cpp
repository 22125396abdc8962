#include "statistics/LawFits.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kavelo {

namespace {

struct BinData {
    int n = 0;
    double m[kCumulativeBins];
    double N[kCumulativeBins];
};

BinData usedBins(int m0, const CumulativeTable& c) {
    BinData d;
    for (int i = 0; i < kCumulativeBins && c[static_cast<size_t>(i)] != 0; ++i) {
        d.m[d.n] = (m0 + i) * 0.1;
        d.N[d.n] = c[static_cast<size_t>(i)];
        ++d.n;
    }
    return d;
}

LawFit tooFew() {
    LawFit f;
    f.result = 0;
    f.outcome = FitOutcome::TooFew;
    f.stdDev = 1000.0;
    f.reason = "fewer than 5 earthquakes";
    return f;
}

}  // namespace

bool fitLine(const double* x, const double* y, int n, double* alpha, double* beta) {
    double sm = 0, sm2 = 0, sy = 0, smy = 0;
    for (int i = 0; i < n; ++i) {
        sm += x[i];
        sm2 += x[i] * x[i];
        sy += y[i];
        smy += x[i] * y[i];
    }
    const double D = n * sm2 - sm * sm;
    // A single abscissa leaves the line undetermined; rounding can leave a tiny
    // non-zero D, so the count decides as well.
    if (n < 2 || D == 0.0) return false;
    *alpha = (sy * sm2 - smy * sm) / D;
    *beta = (sy * sm - n * smy) / D;
    return true;
}

LawFit fitLinearLaw(int m0, const CumulativeTable& cumCount) {
    if (cumCount[0] < 5) return tooFew();
    const BinData d = usedBins(m0, cumCount);
    double y[kCumulativeBins];
    for (int i = 0; i < d.n; ++i) y[i] = std::log(d.N[i]);
    LawFit f;
    if (!fitLine(d.m, y, d.n, &f.alpha, &f.beta)) {
        f.alpha = f.beta = 0.0;
        f.result = 0;
        f.outcome = FitOutcome::Singular;
        f.reason = "one magnitude bin only";
        return f;
    }
    double ss = 0;
    for (int i = 0; i < d.n; ++i) {
        const double e = y[i] - (f.alpha - f.beta * d.m[i]);
        ss += e * e;
    }
    f.stdDev = std::sqrt(ss / (d.n - 1));
    f.result = 1;
    f.outcome = FitOutcome::Fitted;
    return f;
}

int invertGaussJordan(double* a, int stride, int order, double tolerance) {
    std::vector<int> swapRow(static_cast<size_t>(order));
    auto at = [&](int i, int j) -> double& { return a[i * stride + j]; };
    for (int k = 0; k < order; ++k) {
        int p = k;
        double big = std::fabs(at(k, k));
        for (int i = k + 1; i < order; ++i)
            if (std::fabs(at(i, k)) > big) {
                big = std::fabs(at(i, k));
                p = i;
            }
        if (!(big > tolerance)) return 1;
        swapRow[static_cast<size_t>(k)] = p;
        if (p != k)
            for (int j = 0; j < order; ++j) std::swap(at(k, j), at(p, j));
        const double piv = at(k, k);
        at(k, k) = 1.0;
        for (int j = 0; j < order; ++j) at(k, j) /= piv;
        for (int i = 0; i < order; ++i) {
            if (i == k) continue;
            const double f = at(i, k);
            at(i, k) = 0.0;
            for (int j = 0; j < order; ++j) at(i, j) -= f * at(k, j);
        }
    }
    for (int k = order - 1; k >= 0; --k) {
        const int p = swapRow[static_cast<size_t>(k)];
        if (p != k)
            for (int i = 0; i < order; ++i) std::swap(at(i, k), at(i, p));
    }
    return 0;
}

LawFit fitQuadraticLaw(int m0, const CumulativeTable& cumCount) {
    if (cumCount[0] < 5) return tooFew();
    const BinData d = usedBins(m0, cumCount);
    LawFit f;
    // Three coefficients need three distinct magnitudes; with fewer the normal
    // matrix is singular but rounding may hide it from the pivot test.
    if (d.n < 3) {
        f.outcome = FitOutcome::Singular;
        f.reason = "fewer than 3 magnitude bins";
        return f;
    }
    double s[5] = {0, 0, 0, 0, 0}, t[3] = {0, 0, 0};
    for (int i = 0; i < d.n; ++i) {
        const double m = d.m[i], y = std::log(d.N[i]);
        double pw = 1.0;
        for (int k = 0; k < 5; ++k) {
            s[k] += pw;
            if (k < 3) t[k] += y * pw;
            pw *= m;
        }
    }
    double a[9] = {s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]};
    if (invertGaussJordan(a, 3, 3, 1e-12) != 0) {
        f.outcome = FitOutcome::Singular;
        f.reason = "singular normal equations";
        return f;
    }
    double c[3];
    for (int i = 0; i < 3; ++i) c[i] = a[3 * i] * t[0] + a[3 * i + 1] * t[1] + a[3 * i + 2] * t[2];
    f.alpha = c[0];
    f.beta = c[1];
    f.gamma = c[2];
    double ss = 0;
    for (int i = 0; i < d.n; ++i) {
        const double m = d.m[i];
        const double e = std::log(d.N[i]) - (f.alpha + f.beta * m + f.gamma * m * m);
        ss += e * e;
    }
    f.stdDev = std::sqrt(ss / (d.n - 1));
    f.result = 1;
    f.outcome = FitOutcome::Fitted;
    return f;
}

bool NRichter(const double* p, int np, const double* x, const double* N, int n, double m1,
              double* r, FitMessages* messages) {
    if (np >= 4) {
        m1 = p[3];
        for (int i = 0; i < n; ++i)
            if (!(m1 >= x[i])) {
                if (messages) messages->push_back({"max mag is smaller", "NRichter Error"});
                return false;
            }
    }
    for (int i = 0; i < n; ++i)
        r[i] = std::log(N[i]) - (p[0] - p[1] * x[i] - p[2] / std::sqrt(m1 - x[i]));
    return true;
}

LawFit fitModifiedLaw(int m0, const CumulativeTable& cumCount, int magMax, double addMag,
                      bool fitM1) {
    const BinData d = usedBins(m0, cumCount);
    LawFit f;
    f.outcome = FitOutcome::Failed;
    const int np = fitM1 ? 4 : 3;
    f.m1 = magMax * 0.1 + addMag;
    double p[4] = {20.0, 2.0, 0.1, 0.0};
    if (fitM1) p[3] = d.m[std::max(d.n - 1, 0)] + 0.5;
    // The model needs every magnitude below m1 and more bins than one for a
    // standard deviation; anything else cannot be fitted.
    if (d.n < 2) {
        f.result = kNleastParameterError;
        f.reason = "fewer than 2 magnitude bins";
    } else if (!fitM1 && !(f.m1 > d.m[d.n - 1])) {
        f.result = kNleastParameterError;
        f.reason = "m1 not above the largest magnitude";
    } else {
        double r[100];
        const double m1 = f.m1;
        ResidualFunction model = [&](const double* q, double* res) {
            return NRichter(q, np, d.m, d.N, d.n, m1, res, &f.messages);
        };
        double norm = 0.0;
        f.result = nleast(p, np, d.n, model, r, 1e-14, &f.evaluations, &norm, &f.messages);
        if (f.result == kNleastDone) {
            f.stdDev = std::sqrt(norm * norm / (d.n - 1));
            if (!std::isfinite(f.stdDev) || !std::isfinite(p[0]) || !std::isfinite(p[1]) ||
                !std::isfinite(p[2])) {
                f.result = kNleastModelError;
                f.reason = "no finite solution";
            }
        } else {
            f.reason = "non-linear fit code " + std::to_string(f.result);
        }
    }
    if (f.result != kNleastDone) {
        f.messages.push_back({"Non linear LSQ failed", "Nleast Error"});
        f.stdDev = 0.0;
        return f;
    }
    f.alpha = p[0];
    f.beta = p[1];
    f.gamma = p[2];
    if (fitM1) f.m1 = p[3];
    f.outcome = FitOutcome::Fitted;
    return f;
}

int nleast(double* p, int np, int n, const ResidualFunction& residuals, double* r,
           double tolerance, int* evaluations, double* norm, FitMessages* messages) {
    constexpr double kDelta = 1.6e-14;
    const double h = std::sqrt(kDelta);
    constexpr double kLambdaMax = 1.0 / kDelta;
    constexpr int kStride = 11;
    // n = 0 would divide by zero in the first damping value.
    if (np < 0 || np > 10 || n < 1 || n > 100 || tolerance < 0.0) {
        if (messages) messages->push_back({"nleast parameter error", "NLEAST ERROR"});
        return kNleastParameterError;
    }
    std::vector<double> A(110 * kStride, 0.0), J(100 * 10, 0.0), q(10, 0.0), w(110, 0.0),
        t(100, 0.0);
    int evals = 1;
    auto finish = [&](int code, double s) {
        if (evaluations) *evaluations = evals;
        if (norm) *norm = std::sqrt(s);
        return code;
    };
    if (!residuals(p, r)) return finish(kNleastModelError, 0.0);
    int k = 0;
    double lambda = 0.0, lambdaPrev = 0.0;
    bool zeroStepShown = false;
    for (;;) {
        ++k;
        double S0 = 0.0, P = 0.0;
        for (int i = 0; i < n; ++i) S0 += r[i] * r[i];
        for (int j = 0; j < np; ++j) P += p[j] * p[j];
        P = std::sqrt(P);
        if (evals + np > kNleastMaxEvaluations) return finish(kNleastBudget, S0);
        evals += np;
        for (int j = 0; j < np; ++j) {
            const double keep = p[j];
            p[j] += h;
            const bool ok = residuals(p, t.data());
            p[j] = keep;
            if (!ok) return finish(kNleastModelError, S0);
            for (int i = 0; i < n; ++i) J[static_cast<size_t>(i * 10 + j)] = (t[static_cast<size_t>(i)] - r[i]) / h;
        }
        if (k == 1) {
            double mx = 0.0;
            for (int j = 0; j < np; ++j) {
                double c = 0.0;
                for (int i = 0; i < n; ++i) c += J[static_cast<size_t>(i * 10 + j)] * J[static_cast<size_t>(i * 10 + j)];
                mx = std::max(mx, c / n);
            }
            lambda = std::sqrt(mx);
            lambdaPrev = lambda;
        }
        for (;;) {
            std::fill(A.begin(), A.end(), 0.0);
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < np; ++j)
                    A[static_cast<size_t>(i * kStride + j)] = J[static_cast<size_t>(i * 10 + j)];
                w[static_cast<size_t>(i)] = -r[i];
            }
            for (int j = 0; j < np; ++j) {
                A[static_cast<size_t>((n + j) * kStride + j)] = lambda;
                w[static_cast<size_t>(n + j)] = 0.0;
            }
            if (lleast(A.data(), kStride, tolerance, w.data(), np, n + np, messages) != kLleastDone)
                return finish(kNleastLinearFailed, S0);
            double X = 0.0;
            for (int j = 0; j < np; ++j) {
                q[static_cast<size_t>(j)] = p[j] + w[static_cast<size_t>(j)];
                X += w[static_cast<size_t>(j)] * w[static_cast<size_t>(j)];
            }
            if (X == 0.0 && !zeroStepShown) {
                if (messages) messages->push_back({"xnr2 is zero in nleast", "NLEAST Error"});
                zeroStepShown = true;
            }
            X = std::sqrt(X);
            if (evals + 1 > kNleastMaxEvaluations) return finish(kNleastBudget, S0);
            ++evals;
            if (!residuals(q.data(), t.data())) return finish(kNleastModelError, S0);
            double S1 = 0.0;
            for (int i = 0; i < n; ++i) S1 += t[static_cast<size_t>(i)] * t[static_cast<size_t>(i)];
            if (S1 < S0) {
                const bool done = std::max(1.0, P) * tolerance >= X;
                for (int j = 0; j < np; ++j) p[j] = q[static_cast<size_t>(j)];
                for (int i = 0; i < n; ++i) r[i] = t[static_cast<size_t>(i)];
                if (done) return finish(kNleastDone, S1);
                if (lambda == lambdaPrev) lambda /= 2.0;
                lambdaPrev = lambda;
                break;  // next iteration with a new Jacobian
            }
            lambda *= 2.0;
            if (!(lambda < kLambdaMax)) return finish(kNleastDone, S0);
        }
    }
}

int lleast(double* a, int stride, double tolerance, double* b, int columns, int rows,
           FitMessages* messages) {
    if (rows < columns || stride > 11 || columns < 1 || columns > stride) {
        if (messages) messages->push_back({"lleast parameter error", "Lleast Error"});
        return kLleastParameterError;
    }
    auto at = [&](int i, int j) -> double& { return a[i * stride + j]; };
    double c[11], sigma[11];
    int order[11];
    double cmax = 0.0;
    for (int j = 0; j < columns; ++j) {
        double s = 0.0;
        for (int i = 0; i < rows; ++i) s += at(i, j) * at(i, j);
        c[j] = s;
        order[j] = j;
        cmax = std::max(cmax, s);
    }
    const double threshold = tolerance * tolerance * cmax;
    for (int k = 0; k < columns; ++k) {
        int l = k;
        double best = -1.0;
        for (int j = k; j < columns; ++j)
            if (c[j] >= best) {
                best = c[j];
                l = j;
            }
        if (l != k) {
            order[k] = l;
            c[l] = c[k];
            for (int i = 0; i < rows; ++i) std::swap(at(i, k), at(i, l));
        }
        double s = 0.0;
        for (int i = k; i < rows; ++i) s += at(i, k) * at(i, k);
        if (!(s > threshold)) return kLleastRankDeficient;
        const double aa = at(k, k);
        const double sg = aa >= 0.0 ? -std::sqrt(s) : std::sqrt(s);
        sigma[k] = sg;
        at(k, k) = aa - sg;
        const double denom = s - sg * aa;
        for (int j = k + 1; j < columns; ++j) {
            double t = 0.0;
            for (int i = k; i < rows; ++i) t += at(i, j) * at(i, k);
            t /= denom;
            for (int i = k; i < rows; ++i) at(i, j) -= at(i, k) * t;
            c[j] -= at(k, j) * at(k, j);
        }
    }
    for (int k = 0; k < columns; ++k) {
        double t = 0.0;
        for (int i = k; i < rows; ++i) t += at(i, k) * b[i];
        t /= sigma[k] * at(k, k);
        for (int i = k; i < rows; ++i) b[i] += t * at(i, k);
    }
    const int last = columns - 1;
    b[last] /= sigma[last];
    for (int i = last - 1; i >= 0; --i) {
        double s = b[i];
        for (int j = i + 1; j < columns; ++j) s -= at(i, j) * b[j];
        b[i] = s / sigma[i];
    }
    for (int q = 0; q < columns; ++q) {
        const int h = columns - 1 - q;
        std::swap(b[h], b[order[h]]);
    }
    return kLleastDone;
}

}  // namespace kavelo
