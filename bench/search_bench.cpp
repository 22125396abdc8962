// Catalogue search over a full 65000-record catalogue with every condition active,
// next to a plain pass that only sums one field, so the ratio is visible.

#include <benchmark/benchmark.h>

#include <QDir>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "catalogue/Catalogue.h"
#include "search/CatalogueSearch.h"
#include "search/ResultListModel.h"
#include "search/TDist.h"
#include "search/TForm1.h"

namespace {

using namespace kavelo;

const char* const kNames[] = {
    "\x8b\x7b\x8f\xe9\x8c\xa7\x89\xab",          // 宮城県沖
    "\x93\xfa\x8c\xfc\x93\xe5",                  // 日向灘
    "\x88\xef\x8f\xe9\x8c\xa7\x93\xec\x95\x94",  // 茨城県南部
    "\x8b\xfa\x98\x48\x89\xab",                  // 釧路沖
    "\x93\xfa\x96\x7b\x8a\x43\x92\x86\x95\x94",  // 日本海中部
    "\x8e\x4f\x97\xa4\x89\xab",                  // 三陸沖
    "\x88\xc0\x8c\x7c\x93\xe5",                  // 安芸灘
    "\x95\xba\x8c\xc9\x8c\xa7\x93\xec\x95\x94",  // 兵庫県南部
    "",
};

struct BenchData {
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    BenchData() {
        uint32_t s = 12345;
        auto next = [&s](uint32_t mod) {
            s = s * 1664525u + 1013904223u;
            return (s >> 8) % mod;
        };
        int date = 18850101;
        for (int i = 0; i < kCatalogueCapacity; ++i) {
            EarthquakeRecord& r = (*cat)[i];
            if (i % 480 == 0 && date < 20200000) date += 10000;  // one year every 480 records
            r.date = date + static_cast<int>(next(12)) * 100 + 1 + static_cast<int>(next(28));
            r.time = static_cast<int16_t>(next(24) * 100 + next(60));
            r.lat = static_cast<int16_t>(2400 + next(26) * 100 + next(60));
            r.lon = static_cast<int16_t>(12200 + next(30) * 100 + next(60));
            r.depth = static_cast<int16_t>(next(100) < 80 ? next(80) : next(600));
            r.mag = static_cast<int16_t>(30 + next(50));
            r.setOrigin(kNames[next(sizeof kNames / sizeof kNames[0])]);
        }
        cat->recordCount = kCatalogueCapacity;
    }
};

BenchData& data() {
    static BenchData d;
    return d;
}

SearchConditions everyCondition() {
    SearchConditions c;
    c.dateFrom = 19000101;
    c.dateTo = 20101231;
    c.lat1 = 3000;
    c.lat2 = 4000;
    c.lon1 = 13000;
    c.lon2 = 14500;
    c.mag1 = 35;
    c.mag2 = 75;
    c.depth1 = 0;
    c.depth2 = 300;
    c.origin = parseOriginPattern("\x8b\x7b\x8f\xe9|\x93\xfa\x8c\xfc|\x8e\x4f\x97\xa4").condition;
    return c;
}

void BM_PlainPassSumMagnitude(benchmark::State& state) {
    BenchData& d = data();
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < d.cat->recordCount; ++i) sum += (*d.cat)[i].mag;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * d.cat->recordCount);
}
BENCHMARK(BM_PlainPassSumMagnitude)->Unit(benchmark::kMicrosecond);

void BM_SearchEveryCondition(benchmark::State& state) {
    BenchData& d = data();
    const SearchConditions c = everyCondition();
    const DistanceCondition dist{true, 3429, 13318, 100};
    int found = 0;
    for (auto _ : state) {
        found = runCatalogueSearch(*d.cat, c, dist, *d.sel);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * d.cat->recordCount);
}
BENCHMARK(BM_SearchEveryCondition)->Unit(benchmark::kMicrosecond);

// What the search button costs apart from drawing: the scan, the SelectionList and the
// result grid's model rebuilt from it.
void BM_SearchAndListEveryCondition(benchmark::State& state) {
    BenchData& d = data();
    const SearchConditions c = everyCondition();
    const DistanceCondition dist{true, 3429, 13318, 100};
    kavelo::ui::ResultListModel model(d.cat.get());
    int found = 0;
    for (auto _ : state) {
        found = runCatalogueSearch(*d.cat, c, dist, *d.sel);
        model.listSelection(d.sel->index.data(), found);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchAndListEveryCondition)->Unit(benchmark::kMicrosecond);

// The largest listing: default conditions keep every instrumental record.
void BM_SearchAndListDefaults(benchmark::State& state) {
    BenchData& d = data();
    SearchConditions c = everyCondition();
    c.dateFrom = 18850101;
    c.dateTo = 20201231;
    c.lat1 = 2400, c.lat2 = 5000, c.lon1 = 12200, c.lon2 = 15200;
    c.mag1 = 30, c.mag2 = 90, c.depth1 = 0, c.depth2 = 600;
    c.origin = {};
    kavelo::ui::ResultListModel model(d.cat.get());
    int found = 0;
    for (auto _ : state) {
        found = runCatalogueSearch(*d.cat, c, {}, *d.sel);
        model.listSelection(d.sel->index.data(), found);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchAndListDefaults)->Unit(benchmark::kMicrosecond);

// The search button of the real main window over the same 65000 records: reading the
// edits, validation, the scan, the SelectionList, the grid model, labels and buttons.
void BM_MainWindowSearchButton(benchmark::State& state) {
    BenchData& d = data();
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "kavelo-search-bench";
    fs::create_directories(dir / "DATA");
    {
        std::ofstream(dir / "DATA" / "RIKA.BIN", std::ios::binary);
        std::ofstream geppo(dir / "DATA" / "GEPPO1.BIN", std::ios::binary);
        for (int i = 0; i < d.cat->recordCount; ++i) {
            const auto b = encodeRecord((*d.cat)[i]);
            geppo.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
        }
    }
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.string()));
    {
        TForm1 form;
        TDist dist;
        Form1 = &form;
        Dist = &dist;
        form.RadioGroup1->setItemIndex(1);
        form.date1->setText("1900");
        form.date2->setText("2010");
        form.lat1->setText("3000");
        form.lat2->setText("4000");
        form.lon1->setText("13000");
        form.lon2->setText("14500");
        form.mag1->setText("35");
        form.mag2->setText("75");
        form.depth1->setText("0");
        form.depth2->setText("300");
        form.Origin->setText("宮城|日向|三陸");
        dist.centreLat = 3429;
        dist.centreLon = 13318;
        dist.radiusKm = 100;
        dist.distanceOn = 1;
        for (auto _ : state) form.BtnSearchClick();
        state.counters["found"] = form.selection.selectionCount;
        Dist = nullptr;
        Form1 = nullptr;
    }
    QDir::setCurrent(oldDir);
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_MainWindowSearchButton)->Unit(benchmark::kMicrosecond);

// The circle tested on every record: the worst case for the distance test.
void BM_SearchDistanceOnly(benchmark::State& state) {
    BenchData& d = data();
    SearchConditions c;
    c.dateFrom = 0;
    c.dateTo = 99999999;
    c.lat1 = 0;
    c.lat2 = 9999;
    c.lon1 = 0;
    c.lon2 = 32000;
    c.mag1 = -100;
    c.mag2 = 100;
    c.depth1 = -100;
    c.depth2 = 1000;
    const DistanceCondition dist{true, 3429, 13318, 300};
    int found = 0;
    for (auto _ : state) {
        found = runCatalogueSearch(*d.cat, c, dist, *d.sel);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchDistanceOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
