#include "analysis/OmoriUtsu.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "import/CivilTime.h"

namespace kavelo::analysis {

namespace {

// Moments I_k = integral over y in [v, u] of y^k e^(q y), k = 0, 1, 2, where
// y = ln(t + c) and q = 1 - p: I_0 is the integral of (t + c)^-p over [S, T],
// -I_1 its derivative in p and I_2 the second one. Composite 8-point Gauss-Legendre
// on pieces where |q| * width <= 0.5 keeps them exact near p = 1 and far from it.
struct Moments {
    double i0 = 0.0, i1 = 0.0, i2 = 0.0;
};

Moments logMoments(double q, double v, double u) {
    static constexpr std::array<double, 4> x = {0.1834346424956498, 0.5255324099163290,
                                                0.7966664774136267, 0.9602898564975363};
    static constexpr std::array<double, 4> w = {0.3626837833783620, 0.3137066458778873,
                                                0.2223810344533745, 0.1012285362903763};
    Moments m;
    const double width = u - v;
    if (!(width > 0.0)) return m;
    const double span = width * std::max(1.0, std::fabs(q));
    const int pieces = std::max(1, static_cast<int>(std::ceil(span / 0.5)));
    const double h = width / pieces;
    for (int j = 0; j < pieces; ++j) {
        const double mid = v + (j + 0.5) * h;
        for (std::size_t g = 0; g < x.size(); ++g) {
            for (int sign = -1; sign <= 1; sign += 2) {
                const double y = mid + sign * x[g] * h / 2;
                const double f = w[g] * h / 2 * std::exp(q * y);
                m.i0 += f;
                m.i1 += f * y;
                m.i2 += f * y * y;
            }
        }
    }
    return m;
}

// Sums over the events of ln(t + c), 1 / (t + c) and 1 / (t + c)^2.
struct EventSums {
    double logs = 0.0, inv = 0.0, inv2 = 0.0;
};

EventSums eventSums(const std::vector<double>& t, double c) {
    EventSums s;
    for (double ti : t) {
        const double x = ti + c;
        const double r = 1.0 / x;
        s.logs += std::log(x);
        s.inv += r;
        s.inv2 += r * r;
    }
    return s;
}

// The integral A and its derivatives in c and p.
struct IntegralTerms {
    double a = 0.0, ac = 0.0, ap = 0.0, acc = 0.0, acp = 0.0, app = 0.0;
};

IntegralTerms integralTerms(double c, double p, double s, double t) {
    IntegralTerms r;
    const double u = std::log(t + c), v = std::log(s + c);
    const Moments m = logMoments(1.0 - p, v, u);
    const double eu = std::exp(-p * u), ev = std::exp(-p * v);  // (T+c)^-p, (S+c)^-p
    r.a = m.i0;
    r.ap = -m.i1;
    r.app = m.i2;
    r.ac = eu - ev;
    r.acp = -u * eu + v * ev;
    r.acc = -p * (eu / (t + c) - ev / (s + c));
    return r;
}

// -ln L with K at its optimum N / A, as a function of (x = ln c, p), with its
// gradient and Hessian in (x, p).
struct Profile {
    double value = 0.0;
    double gx = 0.0, gp = 0.0;
    double hxx = 0.0, hxp = 0.0, hpp = 0.0;
};

Profile profile(const std::vector<double>& t, double s, double e, double x, double p,
                bool derivatives) {
    const double c = std::exp(x);
    const double n = static_cast<double>(t.size());
    Profile r;
    if (!derivatives) {
        double logs = 0.0;
        for (double ti : t) logs += std::log(ti + c);
        const double a = omoriIntegral(c, p, s, e);
        r.value = n * std::log(a) - n * std::log(n) + n + p * logs;
        return r;
    }
    const EventSums es = eventSums(t, c);
    const IntegralTerms it = integralTerms(c, p, s, e);
    r.value = n * std::log(omoriIntegral(c, p, s, e)) - n * std::log(n) + n + p * es.logs;
    const double gc = n * it.ac / it.a + p * es.inv;
    r.gp = n * it.ap / it.a + es.logs;
    const double gcc = n * (it.acc / it.a - it.ac * it.ac / (it.a * it.a)) - p * es.inv2;
    const double gcp = n * (it.acp / it.a - it.ac * it.ap / (it.a * it.a)) + es.inv;
    r.hpp = n * (it.app / it.a - it.ap * it.ap / (it.a * it.a));
    r.gx = c * gc;
    r.hxx = c * c * gcc + c * gc;
    r.hxp = c * gcp;
    return r;
}

bool invert3(const double m[3][3], double out[3][3]) {
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (!std::isfinite(det) || det == 0.0) return false;
    out[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    out[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    out[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    out[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    out[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    out[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    out[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    out[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    out[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
    return true;
}

// Standard errors of (K, c, p) from the inverse of the Hessian of -ln L.
void standardErrors(const std::vector<double>& t, double s, double e, OmoriFit& f) {
    const EventSums es = eventSums(t, f.c);
    const IntegralTerms it = integralTerms(f.c, f.p, s, e);
    const double n = static_cast<double>(t.size());
    const double h[3][3] = {
        {n / (f.k * f.k), it.ac, it.ap},
        {it.ac, -f.p * es.inv2 + f.k * it.acc, es.inv + f.k * it.acp},
        {it.ap, es.inv + f.k * it.acp, f.k * it.app},
    };
    double inv[3][3];
    const double nan = std::numeric_limits<double>::quiet_NaN();
    f.kSigma = f.cSigma = f.pSigma = nan;
    if (!invert3(h, inv)) return;
    if (inv[0][0] > 0) f.kSigma = std::sqrt(inv[0][0]);
    if (inv[1][1] > 0) f.cSigma = std::sqrt(inv[1][1]);
    if (inv[2][2] > 0) f.pSigma = std::sqrt(inv[2][2]);
}

}  // namespace

double omoriIntegral(double c, double p, double s, double t) {
    const double u = std::log(t + c), v = std::log(s + c);
    const double q = 1.0 - p;
    const double d = u - v;
    if (!(d > 0.0)) return 0.0;
    // (e^(q u) - e^(q v)) / q written with expm1 so that it tends to u - v at p = 1.
    const double z = q * d;
    if (std::fabs(z) < 1e-300) return std::exp(q * v) * d;
    return std::exp(q * v) * std::expm1(z) / q;
}

double omoriLogLikelihood(const std::vector<double>& times, double start, double end, double k,
                          double c, double p) {
    double logs = 0.0;
    int n = 0;
    for (double t : times) {
        if (t < start || t > end) continue;
        logs += std::log(t + c);
        ++n;
    }
    return n * std::log(k) - p * logs - k * omoriIntegral(c, p, start, end);
}

OmoriFit fitOmoriUtsu(const std::vector<double>& times, double start, double end) {
    OmoriFit f;
    f.start = start;
    f.end = end;
    std::vector<double> t;
    t.reserve(times.size());
    for (double ti : times)
        if (ti >= start && ti <= end && std::isfinite(ti)) t.push_back(ti);
    f.n = static_cast<int>(t.size());
    if (f.n < 2 || !(start >= 0.0) || !(end > start) || !std::isfinite(end)) return f;

    const double xLo = std::log(kOmoriCMin), xHi = std::log(kOmoriCMax);
    const double pLo = kOmoriPMin, pHi = kOmoriPMax;

    // A coarse grid finds the basin; the likelihood has one maximum in practice,
    // but a bad start can make Newton wander along the flat valley in c.
    double bx = 0, bp = 1, best = std::numeric_limits<double>::infinity();
    constexpr int kGrid = 12;
    for (int i = 0; i <= kGrid; ++i) {
        const double x = xLo + (xHi - xLo) * i / kGrid;
        for (int j = 0; j <= kGrid; ++j) {
            const double p = pLo + (pHi - pLo) * j / kGrid;
            const double v = profile(t, start, end, x, p, false).value;
            if (v < best) best = v, bx = x, bp = p;
        }
    }

    // Projected Newton with backtracking: a variable sitting on a limit with the
    // gradient pushing outwards is held there and the other one moves alone.
    double x = bx, p = bp;
    Profile cur = profile(t, start, end, x, p, true);
    bool converged = false;
    for (int iter = 0; iter < 200; ++iter) {
        const bool holdX = (x <= xLo && cur.gx > 0) || (x >= xHi && cur.gx < 0);
        const bool holdP = (p <= pLo && cur.gp > 0) || (p >= pHi && cur.gp < 0);
        const double gx = holdX ? 0.0 : cur.gx, gp = holdP ? 0.0 : cur.gp;
        const double gradTol = 1e-10 * std::max(1.0, static_cast<double>(f.n));
        if (std::fabs(gx) < gradTol && std::fabs(gp) < gradTol) {
            converged = true;
            break;
        }
        double dx = 0.0, dp = 0.0;
        const double det = cur.hxx * cur.hpp - cur.hxp * cur.hxp;
        if (holdX && !holdP && cur.hpp > 0) {
            dp = -gp / cur.hpp;
        } else if (holdP && !holdX && cur.hxx > 0) {
            dx = -gx / cur.hxx;
        } else if (!holdX && !holdP && cur.hxx > 0 && det > 0) {
            dx = -(cur.hpp * gx - cur.hxp * gp) / det;
            dp = -(-cur.hxp * gx + cur.hxx * gp) / det;
        } else {
            // Not convex here: a steepest-descent step of bounded length.
            const double g = std::hypot(gx, gp);
            if (g == 0.0) break;
            dx = -gx / g * 0.5;
            dp = -gp / g * 0.1;
        }
        // Backtrack until -ln L decreases, staying inside the box.
        double step = 1.0;
        bool moved = false;
        for (int b = 0; b < 60; ++b, step *= 0.5) {
            const double nx = std::clamp(x + step * dx, xLo, xHi);
            const double np = std::clamp(p + step * dp, pLo, pHi);
            const Profile trial = profile(t, start, end, nx, np, false);
            if (trial.value <= cur.value) {
                const double change = std::fabs(nx - x) + std::fabs(np - p);
                x = nx;
                p = np;
                cur = profile(t, start, end, x, p, true);
                moved = true;
                if (change < 1e-13) converged = true;
                break;
            }
        }
        if (!moved || converged) {
            // No descent left: the point is optimal up to rounding when the
            // projected gradient is small relative to the problem's scale.
            const double scale = std::max(1.0, std::fabs(cur.value));
            converged = std::fabs(gx) < 1e-6 * scale && std::fabs(gp) < 1e-6 * scale;
            break;
        }
    }

    f.c = std::exp(x);
    f.p = p;
    const double a = omoriIntegral(f.c, f.p, start, end);
    f.k = f.n / a;
    f.logLik = omoriLogLikelihood(t, start, end, f.k, f.c, f.p);
    f.aic = -2.0 * f.logLik + 6.0;
    const double tol = 1e-9;
    f.atBound = x <= xLo + tol || x >= xHi - tol || p <= pLo + tol || p >= pHi - tol;
    f.converged = converged;
    f.fitted = true;
    standardErrors(t, start, end, f);
    return f;
}

double omoriExpectedCount(const OmoriFit& fit, double t) {
    if (!fit.fitted || t <= fit.start) return 0.0;
    return fit.k * omoriIntegral(fit.c, fit.p, fit.start, t);
}

int64_t recordMinutes(const EarthquakeRecord& r) {
    const int y = r.date / 10000, m = r.date / 100 % 100, d = r.date % 100;
    const int64_t days = import::daysFromCivil(y, m, d);
    return days * 1440 + (r.time / 100) * 60 + r.time % 100;
}

int32_t largestEvent(const Catalogue& cat, const SelectionList& sel) {
    int32_t best = -1;
    for (int i = 0; i < sel.selectionCount; ++i) {
        const int32_t idx = sel[i];
        if (best < 0) {
            best = idx;
            continue;
        }
        const EarthquakeRecord& r = cat[idx];
        const EarthquakeRecord& b = cat[best];
        if (r.mag > b.mag || (r.mag == b.mag && recordMinutes(r) < recordMinutes(b))) best = idx;
    }
    return best;
}

int32_t largestEventAt(const Catalogue& cat, const SelectionList& sel, int32_t date, int hhmm) {
    int32_t best = -1;
    for (int i = 0; i < sel.selectionCount; ++i) {
        const int32_t idx = sel[i];
        const EarthquakeRecord& r = cat[idx];
        if (r.date != date || r.time != hhmm) continue;
        // Same minute: the first one met is the earliest in the list order.
        if (best < 0 || r.mag > cat[best].mag) best = idx;
    }
    return best;
}

std::vector<double> aftershockDays(const Catalogue& cat, const SelectionList& sel,
                                   int32_t mainIndex, int minMag10) {
    std::vector<double> out;
    if (mainIndex < 0 || mainIndex >= cat.recordCount) return out;
    const int64_t t0 = recordMinutes(cat[mainIndex]);
    for (int i = 0; i < sel.selectionCount; ++i) {
        const int32_t idx = sel[i];
        if (idx == mainIndex) continue;
        const EarthquakeRecord& r = cat[idx];
        if (r.mag < minMag10) continue;
        const int64_t dt = recordMinutes(r) - t0;
        if (dt < 0) continue;
        out.push_back(static_cast<double>(dt) / 1440.0);
    }
    return out;
}

}  // namespace kavelo::analysis
