// Declustering and the Omori-Utsu fit on catalogue-sized inputs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/Declustering.h"
#include "analysis/OmoriUtsu.h"

namespace {

using kavelo::analysis::DeclusterEvent;

// 65000 events over Japan (30-46 N, 128-146 E) and 100 years, magnitudes from 3.0
// with b = 1; a fifth of them in 40 aftershock sequences of 325 events each.
const std::vector<DeclusterEvent>& japanCentury() {
    static const std::vector<DeclusterEvent> events = [] {
        std::mt19937 rng(11);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        std::exponential_distribution<double> mag(std::log(10.0));
        std::vector<DeclusterEvent> e;
        const int sequences = 40, perSequence = 325, total = 65000;
        const int background = total - sequences * perSequence;
        for (int i = 0; i < background; ++i) {
            DeclusterEvent x;
            x.days = u(rng) * 36525.0;
            x.lat = 30.0 + 16.0 * u(rng);
            x.lon = 128.0 + 18.0 * u(rng);
            x.depth = 80.0 * u(rng);
            x.mag = std::min(8.5, 3.0 + std::floor(mag(rng) * 10) / 10);
            e.push_back(x);
        }
        for (int s = 0; s < sequences; ++s) {
            DeclusterEvent m;
            m.days = u(rng) * 36000.0;
            m.lat = 31.0 + 14.0 * u(rng);
            m.lon = 129.0 + 16.0 * u(rng);
            m.depth = 30.0;
            m.mag = 6.5 + 1.5 * u(rng);
            e.push_back(m);
            for (int k = 1; k < perSequence; ++k) {
                DeclusterEvent a = m;
                a.days = m.days + 0.05 * (std::pow(1.0 - u(rng), -1.0 / 0.1) - 1.0) / 1e3;  // heavy tail
                a.lat += 0.5 * (u(rng) - 0.5);
                a.lon += 0.5 * (u(rng) - 0.5);
                a.mag = std::min(m.mag - 0.5, 3.0 + std::floor(mag(rng) * 10) / 10);
                e.push_back(a);
            }
        }
        return e;
    }();
    return events;
}

void BM_DeclusterGardnerKnopoff(benchmark::State& state) {
    const auto& e = japanCentury();
    for (auto _ : state) {
        auto r = kavelo::analysis::decluster(e, kavelo::analysis::DeclusterMethod::GardnerKnopoff);
        benchmark::DoNotOptimize(r);
        state.counters["clusters"] = r.clusters;
        state.counters["mainshocks"] = r.mainshocks;
    }
}
BENCHMARK(BM_DeclusterGardnerKnopoff)->Unit(benchmark::kMillisecond);

void BM_DeclusterReasenberg(benchmark::State& state) {
    const auto& e = japanCentury();
    for (auto _ : state) {
        auto r = kavelo::analysis::decluster(e, kavelo::analysis::DeclusterMethod::Reasenberg);
        benchmark::DoNotOptimize(r);
        state.counters["clusters"] = r.clusters;
        state.counters["mainshocks"] = r.mainshocks;
    }
}
BENCHMARK(BM_DeclusterReasenberg)->Unit(benchmark::kMillisecond);

// 5000 aftershock times drawn from K = 500, c = 0.05, p = 1.1 over 1000 days.
void BM_OmoriFit5000(benchmark::State& state) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<double> t;
    const double c = 0.05, p = 1.1, s = 0.01, end = 1000.0;
    const double a = std::pow(s + c, 1 - p), b = std::pow(end + c, 1 - p);
    for (int i = 0; i < 5000; ++i) t.push_back(std::pow(a + (b - a) * u(rng), 1 / (1 - p)) - c);
    for (auto _ : state) {
        auto f = kavelo::analysis::fitOmoriUtsu(t, s, end);
        benchmark::DoNotOptimize(f);
        state.counters["p"] = f.p;
    }
}
BENCHMARK(BM_OmoriFit5000)->Unit(benchmark::kMillisecond);

}  // namespace
