#include "statistics/Frequency.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kavelo {

const std::array<uint32_t, kMagnitudeClasses> classColors = {
    0x00FFFF00u,  // (0,255,255)
    0x00FF0000u,  // (0,0,255)
    0x0000FFFFu,  // (255,255,0)
    0x00800080u,  // (128,0,128)
    0x000000FFu,  // (255,0,0)
};

int magnitudeClass(int mag10) {
    if (mag10 < 40 || mag10 >= 90) return -1;
    return (mag10 - 40) / 10;
}

double frequencyStep(double maxValue) {
    if (!(maxValue > 0.0) || !std::isfinite(maxValue)) return 1.0;
    static const double mant[] = {1.0, 1.5, 2.0, 2.5, 5.0};
    double p = 1e-10;
    for (int pass = 0; pass < 40; ++pass, p *= 10.0) {
        for (double s : mant) {
            const double v = s * p;
            if (3.0 * v * 0.5 < maxValue && maxValue <= 3.0 * v) return v;
        }
    }
    return 1.0;
}

std::string frequencyLabel(double value, double step, double epsilon) {
    char buf[64];
    const long long tenths = static_cast<long long>((step + epsilon) * 10.0);
    std::snprintf(buf, sizeof buf, (tenths % 10 != 0) ? "%4.1f" : "%4.0f", value);
    return buf;
}

int FrequencyTables::maxYearly() const {
    return yearly.empty() ? 0 : *std::max_element(yearly.begin(), yearly.end());
}

int FrequencyTables::maxMonthly() const {
    return monthly.empty() ? 0 : *std::max_element(monthly.begin(), monthly.end());
}

FrequencyTables countFrequencies(const Catalogue& cat, const SelectionList& sel, int startYear,
                                 int maxEndYear) {
    FrequencyTables t;
    t.startYear = startYear;
    const int from = startYear * 10000;
    int latest = kFrequencyBaseEndYear;
    for (int k = 0; k < sel.selectionCount; ++k) {
        const int d = cat[sel[k]].date;
        if (d >= from) latest = std::max(latest, d / 10000);
    }
    const int endYear = std::max(startYear, std::min(latest, maxEndYear));
    t.years = endYear - startYear + 1;
    t.yearly.assign(static_cast<size_t>(t.years), 0);
    t.monthly.assign(static_cast<size_t>(t.years) * 12, 0);
    t.classes.assign(static_cast<size_t>(t.years), {});
    for (int k = 0; k < sel.selectionCount; ++k) {
        const EarthquakeRecord& r = cat[sel[k]];
        if (r.date < from) continue;
        ++t.total;
        const int y = r.date / 10000 - startYear;
        if (y >= t.years) {
            ++t.leftOut;
            continue;
        }
        const int month = (r.date % 10000) / 100 - 1;
        t.yearly[static_cast<size_t>(y)] += 1;
        if (month >= 0 && month < 12)
            t.monthly[static_cast<size_t>(12 * y + month)] += 1;
        else
            ++t.badMonth;
        const int c = magnitudeClass(r.mag);
        if (c >= 0) t.classes[static_cast<size_t>(y)][static_cast<size_t>(c)] += 1;
    }
    return t;
}

int yearlyLastYear(int startYear, int barWidth, int pictureWidth) {
    const int usable = pictureWidth - 80 - 20;
    const int n = barWidth > 0 ? usable / barWidth : 0;
    return startYear + n - 1;
}

}  // namespace kavelo
