// Cumulative magnitude-frequency display on a full selection of 65000 records.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "catalogue/Catalogue.h"
#include "statistics/Cumulative.h"
#include "statistics/LawFits.h"
#include "statistics/TStatistics.h"

namespace {

// 65000 records from 1885 on with magnitudes 4.0 ... 8.4 following b = 1.
struct FullSelection {
    kavelo::Catalogue cat;
    kavelo::SelectionList sel;
    FullSelection() {
        std::mt19937 rng(7);
        std::exponential_distribution<double> mag(std::log(10.0));
        for (int i = 0; i < kavelo::kCatalogueCapacity; ++i) {
            kavelo::EarthquakeRecord& r = cat[i];
            r.date = (1885 + i * 136 / kavelo::kCatalogueCapacity) * 10000 + 101;
            r.mag = static_cast<int16_t>(std::min(84.0, 40 + std::floor(mag(rng) * 10)));
        }
        cat.recordCount = kavelo::kCatalogueCapacity;
        sel.setIdentity(cat.recordCount);
    }
};

FullSelection& selection() {
    static FullSelection s;
    return s;
}

void BM_CountCumulative(benchmark::State& state) {
    FullSelection& s = selection();
    for (auto _ : state) {
        auto c = kavelo::countCumulative(s.cat, s.sel, 40);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_CountCumulative)->Unit(benchmark::kMicrosecond);

void BM_CountAndFitModified(benchmark::State& state) {
    FullSelection& s = selection();
    for (auto _ : state) {
        auto c = kavelo::countCumulative(s.cat, s.sel, 40);
        auto lin = kavelo::fitLinearLaw(40, c.cumCount);
        auto mod = kavelo::fitModifiedLaw(40, c.cumCount, c.magMax, 0.3);
        benchmark::DoNotOptimize(lin);
        benchmark::DoNotOptimize(mod);
    }
}
BENCHMARK(BM_CountAndFitModified)->Unit(benchmark::kMicrosecond);

// The whole cumulative display of the window: count, axes, points, Richter
// line, modified fit and curve, result texts.
void BM_CumulativeDisplayModified(benchmark::State& state) {
    FullSelection& s = selection();
    auto w = std::make_unique<TStatistics>();
    w->RadioGroup2->setItemIndexSilently(2);
    for (auto _ : state) {
        w->cumulativeDisplay(s.cat, s.sel, 40);
        benchmark::DoNotOptimize(w->alpha);
    }
    if (!w->fitOk) state.SkipWithError("modified fit failed");
}
BENCHMARK(BM_CumulativeDisplayModified)->Unit(benchmark::kMillisecond);

}  // namespace
