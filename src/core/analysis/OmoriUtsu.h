#pragma once
// Omori-Utsu aftershock decay: the rate K / (t + c)^p fitted by maximum likelihood
// to the times of the aftershocks (days after the main shock) in [S, T].

#include <cstdint>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo::analysis {

// Limits of the fit: c in [kOmoriCMin, kOmoriCMax] days, p in [kOmoriPMin, kOmoriPMax].
constexpr double kOmoriCMin = 1e-5;
constexpr double kOmoriCMax = 10.0;
constexpr double kOmoriPMin = 0.2;
constexpr double kOmoriPMax = 3.0;

struct OmoriFit {
    int n = 0;                  // events used (S <= t <= T)
    double k = 0.0, c = 0.0, p = 0.0;
    double kSigma = 0.0, cSigma = 0.0, pSigma = 0.0;  // NaN when the Hessian is not definite
    double logLik = 0.0;        // ln L at the optimum
    double aic = 0.0;           // -2 ln L + 6
    double start = 0.0, end = 0.0;
    bool converged = false;
    bool atBound = false;       // c or p ended on a limit of the search box
    bool fitted = false;        // false: fewer than two events, or S >= T
};

// Integral of (t + c)^-p over [s, t], exact for every p including p near 1.
double omoriIntegral(double c, double p, double s, double t);

// ln L of the parameters for the given times (only S <= t_i <= T count).
double omoriLogLikelihood(const std::vector<double>& times, double start, double end, double k,
                          double c, double p);

// Maximum-likelihood fit. Times outside [start, end] are ignored.
OmoriFit fitOmoriUtsu(const std::vector<double>& times, double start, double end);

// Expected number of events in [S, t] for a fit: K * integral.
double omoriExpectedCount(const OmoriFit& fit, double t);

// Minutes since 0000-03-01 of a record's date and HH:MM; the day count of the
// date is the proleptic Gregorian one, so differences are exact across years.
int64_t recordMinutes(const EarthquakeRecord& r);

// The largest event of the selection (ties: the earliest); -1 when it is empty.
// Returns a catalogue index.
int32_t largestEvent(const Catalogue& cat, const SelectionList& sel);

// The largest event of the selection whose date and time are date (YYYYMMDD) and
// hhmm, the earliest on a tie; -1 when there is none.
int32_t largestEventAt(const Catalogue& cat, const SelectionList& sel, int32_t date, int hhmm);

// The aftershock times of a main shock: days after it of the other selected events
// with magnitude >= minMag10 (x 10) and a time at or after the main shock.
std::vector<double> aftershockDays(const Catalogue& cat, const SelectionList& sel,
                                   int32_t mainIndex, int minMag10);

}  // namespace kavelo::analysis
