// Start-up costs: loading a full catalogue with name substitution, and the listing model.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "catalogue/CatalogueLoader.h"
#include "catalogue/OriginNameTable.h"
#include "search/ResultListModel.h"

using namespace kavelo;

namespace {
struct Files {
    std::filesystem::path dir;
    std::string rika, geppo, table;
    Files() {
        dir = std::filesystem::temp_directory_path() / "kavelo-bench-catalogue";
        std::filesystem::create_directories(dir);
        rika = (dir / "RIKA.BIN").string();
        geppo = (dir / "GEPPO1.BIN").string();
        std::string bytes;
        for (int i = 0; i < kCatalogueCapacity; ++i) {
            EarthquakeRecord r;
            r.date = 18850101 + (i / 500) * 10000;
            r.time = static_cast<int16_t>(i % 2400);
            r.lat = static_cast<int16_t>(2400 + i % 2600);
            r.lon = static_cast<int16_t>(12200 + i % 3000);
            r.depth = static_cast<int16_t>(i % 600);
            r.mag = static_cast<int16_t>(40 + i % 50);
            r.setOrigin("REGION" + std::to_string(i % 3000));
            auto b = encodeRecord(r);
            bytes.append(b.begin(), b.end());
        }
        std::ofstream(geppo, std::ios::binary) << bytes;
        std::ofstream(rika, std::ios::binary) << "";
        for (int k = 0; k < kOriginTableCapacity; ++k)
            table += "REGION" + std::to_string(k) + ",NAME" + std::to_string(k) + "\r\n";
    }
};
const Files& files() {
    static Files f;
    return f;
}
}  // namespace

static void BM_LoadCatalogueAndSubstituteNames(benchmark::State& state) {
    const Files& f = files();
    Catalogue cat;
    for (auto _ : state) {
        loadCatalogue(f.rika, f.geppo, cat);
        auto table = parseOriginNameTable(f.table, nullptr);
        benchmark::DoNotOptimize(applyOriginNames(table, cat, nullptr));
    }
    state.counters["records"] = cat.recordCount;
}
BENCHMARK(BM_LoadCatalogueAndSubstituteNames)->Unit(benchmark::kMillisecond);

static void BM_BuildFullListing(benchmark::State& state) {
    const Files& f = files();
    Catalogue cat;
    loadCatalogue(f.rika, f.geppo, cat);
    kavelo::ui::ResultListModel model(&cat);
    for (auto _ : state) {
        model.listAll(cat.recordCount);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_BuildFullListing)->Unit(benchmark::kMillisecond);


// The two start-up steps apart: reading the catalogue files only, and reading the name
// table and substituting the names of the loaded records (restored between rounds).
static void BM_LoadCatalogueOnly(benchmark::State& state) {
    const Files& f = files();
    Catalogue cat;
    for (auto _ : state) {
        loadCatalogue(f.rika, f.geppo, cat);
        benchmark::DoNotOptimize(cat.recordCount);
    }
    state.counters["records"] = cat.recordCount;
}
BENCHMARK(BM_LoadCatalogueOnly)->Unit(benchmark::kMillisecond);

static void BM_SubstituteNamesOnly(benchmark::State& state) {
    const Files& f = files();
    Catalogue loaded;
    loadCatalogue(f.rika, f.geppo, loaded);
    Catalogue cat;
    int renamed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        cat.records = loaded.records;
        cat.recordCount = loaded.recordCount;
        state.ResumeTiming();
        auto table = parseOriginNameTable(f.table, nullptr);
        renamed = applyOriginNames(table, cat, nullptr);
        benchmark::DoNotOptimize(renamed);
    }
    state.counters["renamed"] = renamed;
}
BENCHMARK(BM_SubstituteNamesOnly)->Unit(benchmark::kMillisecond);
