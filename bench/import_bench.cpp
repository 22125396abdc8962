// Importing a downloaded catalogue: a 100000-event ComCat CSV, alone and merged into a
// 40000-record catalogue, through the whole command (read, parse, convert, name, sort, write).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "catalogue/EarthquakeRecord.h"
#include "common/FakeEventService.h"
#include "common/LoopbackServer.h"
#include "import/CivilTime.h"
#include "import/FdsnReader.h"
#include "import/ImportCommand.h"

using namespace kavelo;

namespace {
struct ImportFiles {
    std::filesystem::path dir;
    std::string csvPath, cataloguePath, csv, catalogue;
    ImportFiles() {
        dir = std::filesystem::temp_directory_path() / "kavelo-bench-import";
        std::filesystem::create_directories(dir);
        csvPath = (dir / "comcat.csv").string();
        cataloguePath = (dir / "GEPPO-40000.BIN").string();
        std::mt19937 rng(20180906);
        std::uniform_real_distribution<double> lat(24.0, 46.0), lon(122.0, 150.0),
            depth(0.0, 650.0), sec(0.0, 60.0);
        std::uniform_int_distribution<int> mag(45, 79), day(0, 27), month(1, 12), hour(0, 23),
            minute(0, 59);
        csv =
            "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type,"
            "horizontalError,depthError,magError,magNst,status,locationSource,magSource\n";
        char line[512];
        for (int i = 0; i < 100000; ++i) {
            const int year = 2018 - i / 5600;  // newest first, as ComCat lists them
            std::snprintf(
                line, sizeof line,
                "%04d-%02d-%02dT%02d:%02d:%06.3fZ,%.4f,%.4f,%.2f,%.1f,mb,%d,%d,%.3f,%.2f,us,"
                "us%08d,2022-05-03T14:32:31.040Z,\"%d km ESE of Somewhere, Japan\",earthquake,"
                "%.1f,%.1f,%.3f,%d,reviewed,us,us\n",
                year, month(rng), day(rng) + 1, hour(rng), minute(rng), sec(rng), lat(rng),
                lon(rng), depth(rng), mag(rng) / 10.0, 20 + i % 300, 20 + i % 150, 1.5, 0.9, i,
                5 + i % 90, 5.5, 1.9, 0.05, 40 + i % 60);
            csv += line;
        }
        std::ofstream(csvPath, std::ios::binary) << csv;
        for (int i = 0; i < 40000; ++i) {
            EarthquakeRecord r;
            r.date = 19230101 + (i / 400) * 10000;
            r.time = static_cast<int16_t>((i % 24) * 100 + i % 60);
            r.lat = static_cast<int16_t>(2400 + (i * 7) % 2200);
            r.lon = static_cast<int16_t>(12200 + (i * 13) % 2800);
            r.lat = static_cast<int16_t>(r.lat / 100 * 100 + r.lat % 100 % 60);
            r.lon = static_cast<int16_t>(r.lon / 100 * 100 + r.lon % 100 % 60);
            r.depth = static_cast<int16_t>(i % 500);
            r.mag = static_cast<int16_t>(40 + i % 40);
            r.setOrigin("REGION" + std::to_string(i % 181));
            auto b = encodeRecord(r);
            catalogue.append(b.begin(), b.end());
        }
        std::ofstream(cataloguePath, std::ios::binary) << catalogue;
    }
};
const ImportFiles& files() {
    static ImportFiles f;
    return f;
}
int runQuietly(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    return import::runImportCommand(args, out, err);
}
}  // namespace

static void BM_ParseComcatCsv100000(benchmark::State& state) {
    const ImportFiles& f = files();
    for (auto _ : state) benchmark::DoNotOptimize(import::readFdsnText(f.csv).events.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.csv.size()));
}
BENCHMARK(BM_ParseComcatCsv100000)->Unit(benchmark::kMillisecond);

static void BM_ImportComcatCsv100000(benchmark::State& state) {
    const ImportFiles& f = files();
    const std::string out = (f.dir / "IMPORTED.BIN").string();
    for (auto _ : state) {
        if (runQuietly({"--names", f.cataloguePath, "-o", out, f.csvPath}) != 0)
            state.SkipWithError("import failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.csv.size()));
}
BENCHMARK(BM_ImportComcatCsv100000)->Unit(benchmark::kMillisecond);

static void BM_MergeComcatCsv100000Into40000(benchmark::State& state) {
    const ImportFiles& f = files();
    const std::string out = (f.dir / "MERGED.BIN").string();
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(out, std::ios::binary | std::ios::trunc) << f.catalogue;
        state.ResumeTiming();
        if (runQuietly({"--merge", "-o", out, f.csvPath}) != 0) state.SkipWithError("merge failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.csv.size()));
}
BENCHMARK(BM_MergeComcatCsv100000Into40000)->Unit(benchmark::kMillisecond);

// Fetch-and-import of 100000 events from a stand-in event service on 127.0.0.1 through
// libcurl (kavelo-import --fdsn): pieces of at most 10000 rows, FDSN text, every page
// read, converted, named and the catalogue written. The server builds each answer from
// its records as a real service would.
namespace {
struct FetchService {
    std::vector<EarthquakeRecord> records;
    std::unique_ptr<test::FakeEventService> service;
    std::unique_ptr<test::LoopbackServer> server;
    std::filesystem::path out;
    FetchService() {
        std::mt19937 rng(20110311);
        std::uniform_int_distribution<int> lat(2400, 4559), lon(12200, 14959), depth(0, 650),
            mag(25, 79);
        for (int i = 0; i < 100000; ++i) {
            EarthquakeRecord r;
            const int day = i / 10;  // ten a day from 1990 on
            int y, m, d;
            import::civilFromDays(import::daysFromCivil(1990, 1, 1) + day, y, m, d);
            r.date = y * 10000 + m * 100 + d;
            r.time = static_cast<int16_t>((i % 10) * 200 + 100 + i % 50);
            r.lat = static_cast<int16_t>(lat(rng) / 100 * 100 + lat(rng) % 60);
            r.lon = static_cast<int16_t>(lon(rng) / 100 * 100 + lon(rng) % 60);
            r.depth = static_cast<int16_t>(depth(rng));
            r.mag = static_cast<int16_t>(mag(rng));
            records.push_back(r);
        }
        service = std::make_unique<test::FakeEventService>(records, /*csv=*/false);
        server = std::make_unique<test::LoopbackServer>(
            [this](const std::string& t) { return service->answer(t); });
        out = std::filesystem::temp_directory_path() / "kavelo-bench-fetch.BIN";
    }
};
}  // namespace

static void BM_FetchAndImport100000FromLoopback(benchmark::State& state) {
    static FetchService fs;
    for (auto _ : state) {
        std::filesystem::remove(fs.out);
        std::ostringstream out, err;
        import::FetchHooks hooks;
        hooks.settings.firstPieceSeconds = 900LL * 86400;  // about 9000 events a piece
        const int status = import::runImportCommand(
            {"--fdsn", fs.server->baseUrl(), "--from", "1990-01-01", "--to", "2017-12-31", "-o",
             fs.out.string()},
            out, err, nullptr, &hooks);
        if (status != 0) return state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(out.str());
    }
    state.counters["events"] = static_cast<double>(fs.records.size());
    std::filesystem::remove(fs.out);
}
BENCHMARK(BM_FetchAndImport100000FromLoopback)->Unit(benchmark::kMillisecond)->Iterations(3);
