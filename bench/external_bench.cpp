// External lists and CSV output: reading a 50000-line unified list with the origin
// names borrowed from a full Catalogue, and writing the CSV of 65000 listed rows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "catalogue/Catalogue.h"
#include "external/ExternalList.h"
#include "external/NearestOrigin.h"
#include "search/ResultCsv.h"

using namespace kavelo;

namespace {

// A full Catalogue with clustered epicentres over Japan, as real catalogues have.
const Catalogue& fullCatalogue() {
    static Catalogue cat = [] {
        Catalogue c;
        std::mt19937 rng(3);
        std::uniform_real_distribution<double> lat(30.0, 45.0), lon(128.0, 146.0),
            spread(-0.3, 0.3);
        std::vector<std::pair<double, double>> centres;
        for (int i = 0; i < 400; ++i) centres.emplace_back(lat(rng), lon(rng));
        for (int i = 0; i < kCatalogueCapacity; ++i) {
            const auto& [a, b] = centres[static_cast<std::size_t>(i % 400)];
            EarthquakeRecord& r = c[c.recordCount++];
            const double la = a + spread(rng), lo = b + spread(rng);
            r.date = 19230101 + (i / 700) * 10000;
            r.lat = static_cast<int16_t>(static_cast<int>(la) * 100 +
                                         static_cast<int>((la - static_cast<int>(la)) * 60));
            r.lon = static_cast<int16_t>(static_cast<int>(lo) * 100 +
                                         static_cast<int>((lo - static_cast<int>(lo)) * 60));
            r.depth = static_cast<int16_t>(i % 600);
            r.mag = static_cast<int16_t>(40 + i % 50);
            r.setOrigin("REGION" + std::to_string(i % 2000));
        }
        return c;
    }();
    return cat;
}

std::string unifiedListFile() {
    static std::string path = [] {
        std::string p =
            (std::filesystem::temp_directory_path() / "kavelo-bench-unified.txt").string();
        std::ofstream out(p, std::ios::binary);
        std::mt19937 rng(5);
        std::uniform_real_distribution<double> lat(24.0, 46.0), lon(122.0, 150.0), sec(0, 59.99),
            mag(4.0, 7.0);
        for (int i = 0; i < 50000; ++i) {
            char buf[200];
            std::snprintf(buf, sizeof buf,
                          "%04d-%02d-%02d %02d:%02d:%05.2f   0.2  %8.4fN  1.2 %9.4fE  1.5 %6.1f  "
                          "2.0 %4.1f  v\r\n",
                          2020, 1 + i % 12, 1 + i % 28, i % 24, i % 60, sec(rng), lat(rng),
                          lon(rng), static_cast<double>(i % 300), mag(rng));
            out << buf;
        }
        return p;
    }();
    return path;
}

}  // namespace

static void BM_ReadUnifiedListWithOriginNames(benchmark::State& state) {
    const Catalogue& cat = fullCatalogue();
    const std::string path = unifiedListFile();
    static ExternalList list;
    int64_t named = 0;
    for (auto _ : state) {
        NearestOriginIndex names(cat);
        ExternalReadOptions opt;
        opt.origins = &names;
        ExternalReadResult r = readExternalFile(path, ExternalFormat::Unified, opt, list);
        benchmark::DoNotOptimize(r.count);
    }
    for (int i = 0; i < list.count; ++i)
        named += list.records[static_cast<std::size_t>(i)].origin[0] != 0;
    state.counters["records"] = list.count;
    state.counters["named"] = static_cast<double>(named);
}
BENCHMARK(BM_ReadUnifiedListWithOriginNames)->Unit(benchmark::kMillisecond);

static void BM_WriteResultCsv65000Rows(benchmark::State& state) {
    const Catalogue& cat = fullCatalogue();
    const std::string path =
        (std::filesystem::temp_directory_path() / "kavelo-bench-Listup.csv").string();
    CsvHeader h;
    h.fileName = "Listup000.csv";
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = buildResultCsv(h, cat.recordCount, [&](int row, GridCells& cells) {
            recordGridCells(cat, row, row, false, cells);
        });
        benchmark::DoNotOptimize(writeCsvFile(path, text));
        bytes = text.size();
    }
    state.counters["rows"] = cat.recordCount;
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteResultCsv65000Rows)->Unit(benchmark::kMillisecond);
