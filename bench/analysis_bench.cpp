// Seismicity analysis on 65000 records: maximum-likelihood b with every Mc method, b and Mc
// over time with and without a bootstrap, and the window's frequency-magnitude picture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "analysis/AnalysisDrawing.h"
#include "analysis/Seismicity.h"
#include "analysis/TAnalysis.h"
#include "catalogue/Catalogue.h"

namespace {

using namespace kavelo;
using namespace kavelo::analysis;

// 65000 events over 30 years: b = 1 above 2.0 with an incomplete ramp below it.
struct Events {
    std::vector<int> mags;
    std::vector<double> times;
    Catalogue cat;
    SelectionList sel;
    Events() {
        std::mt19937 rng(11);
        std::exponential_distribution<double> gr(std::log(10.0));
        std::uniform_real_distribution<double> keep(0.0, 1.0);
        while (static_cast<int>(mags.size()) < kCatalogueCapacity) {
            const double m = 1.0 + gr(rng);
            if (m < 2.0 && keep(rng) > (m - 1.0)) continue;  // detection falls off below 2.0
            mags.push_back(static_cast<int>(std::floor(m * 10.0 + 0.5)));
        }
        for (int i = 0; i < kCatalogueCapacity; ++i) {
            times.push_back(1990.0 + 30.0 * i / kCatalogueCapacity);
            EarthquakeRecord& r = cat[i];
            r.date = (1990 + i * 30 / kCatalogueCapacity) * 10000 + 101 + (i % 28);
            r.time = static_cast<int16_t>((i % 24) * 100);
            r.mag = static_cast<int16_t>(mags[static_cast<std::size_t>(i)]);
        }
        cat.recordCount = kCatalogueCapacity;
        sel.setIdentity(kCatalogueCapacity);
    }
};

Events& events() {
    static Events e;
    return e;
}

void BM_BValueEveryMcMethod(benchmark::State& state) {
    const Events& e = events();
    for (auto _ : state) {
        for (McMethod m : {McMethod::MaxCurvature, McMethod::Gft90, McMethod::Gft95, McMethod::Mbs}) {
            BAnalysis r = analyseB(e.mags, {m, 2, 0}, Estimator::Classic);
            benchmark::DoNotOptimize(r);
        }
    }
}
BENCHMARK(BM_BValueEveryMcMethod)->Unit(benchmark::kMillisecond);

void BM_BOverTime(benchmark::State& state) {
    const Events& e = events();
    BTimeOptions o;  // window 500, step 20
    o.bootstrap = static_cast<int>(state.range(0));
    for (auto _ : state) {
        BTimeResult r = bOverTime(e.mags, e.times, {McMethod::MaxCurvature, 2, 0}, Estimator::Classic, o);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_BOverTime)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond);

// The window's whole 頻度分布 drawing: the analysis of the set and the picture.
void BM_FrequencyDisplay(benchmark::State& state) {
    Events& e = events();
    TAnalysis w;
    w.takeSelection(e.cat, e.sel);
    w.readControls();
    for (auto _ : state) {
        w.drawSelected();
        benchmark::DoNotOptimize(w.Image1->canvas().image());
    }
}
BENCHMARK(BM_FrequencyDisplay)->Unit(benchmark::kMillisecond);

}  // namespace
