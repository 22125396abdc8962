// Timing of the depth views: both depth charts over 65000 selected hypocentres, the
// cross-section over the same selection, and one step of the rotating section over a
// 65000-record Catalogue through the real windows (erase, new strip, selection, marks,
// compass).

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "../tests/core/map/SyntheticMap.h"
#include "catalogue/Catalogue.h"
#include "map/TMap.h"
#include "map/Zone.h"
#include "map/TZone.h"
#include "search/TForm1.h"
#include "sections/DepthChartDrawing.h"
#include "sections/SectionDrawing.h"
#include "sections/TRotate.h"

using namespace kavelo;
using namespace kavelo::ui;

namespace {

// 65000 hypocentres over Japan with slab-like depths, in date order.
struct SectionData {
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    // dense: every record within 2 degrees of Tokyo, so that a strip holds its full 3000.
    explicit SectionData(bool dense = false) {
        std::mt19937 rng(11);
        std::uniform_int_distribution<int> deg(0, 59), latD(dense ? 34 : 30, dense ? 36 : 44),
            lonD(dense ? 138 : 130, dense ? 140 : 145), shallow(0, 60), deep(0, 650);
        std::uniform_real_distribution<double> u(1e-9, 1.0);
        for (int i = 0; i < kCatalogueCapacity; ++i) {
            EarthquakeRecord& r = (*cat)[i];
            r.date = 19230101 + (i / 700) * 10000;
            r.lat = static_cast<int16_t>(latD(rng) * 100 + deg(rng));
            r.lon = static_cast<int16_t>(lonD(rng) * 100 + deg(rng));
            r.depth = static_cast<int16_t>(i % 3 == 0 ? deep(rng) : shallow(rng));
            r.mag = static_cast<int16_t>(std::min(89, 30 + static_cast<int>(-std::log10(u(rng)) * 10.0)));
        }
        cat->recordCount = kCatalogueCapacity;
        sel->setIdentity(kCatalogueCapacity);
    }
};

SectionData& data(bool dense = false) {
    static SectionData d;
    static SectionData near(true);
    return dense ? near : d;
}

// A 2-degree strip from 38N 138E to 40N 144E.
ZoneCorners northernHonshu() { return buildZoneCorners({3800, 13800}, {4000, 14400}, 200).corners; }

void BM_DepthCharts65000(benchmark::State& state) {
    SectionData& d = data();
    Canvas left(kDepthChartSize, kDepthChartSize), right(kDepthChartSize, kDepthChartSize);
    DepthChartInput in;
    in.catalogue = d.cat.get();
    in.selection = d.sel.get();
    in.corners = northernHonshu();
    in.p1 = {3800, 13800};
    in.p2 = {4000, 14400};
    in.widthItem = "   2°";
    in.depth.classCount = 6;
    in.options.equalDistance = state.range(0) != 0;
    for (auto _ : state) {
        drawDepthCharts(left, right, in);
        benchmark::DoNotOptimize(left.image().constBits());
    }
    state.counters["marks"] = d.sel->selectionCount;
}
BENCHMARK(BM_DepthCharts65000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CrossSection65000(benchmark::State& state) {
    SectionData& d = data();
    Canvas c(kSectionWidth, kSectionHeight);
    SectionInput in;
    in.catalogue = d.cat.get();
    in.selection = d.sel.get();
    in.p1 = in.start = {3800, 13800};
    in.p2 = in.end = {4000, 14400};
    in.widthItem = "   2°";
    in.depth.classCount = 6;
    for (auto _ : state) {
        drawCrossSection(c, in);
        benchmark::DoNotOptimize(c.image().constBits());
    }
}
BENCHMARK(BM_CrossSection65000)->Unit(benchmark::kMillisecond);

// The rotating section's timer step with the main window, the map and the zone window
// over a scratch DATA folder holding the 65000 records; centre near Tokyo, 2-degree
// strip, radius 4 degrees: the widest strip the window allows. Argument 1: a Catalogue
// crowded around Tokyo, so that every step plots (and erases) the full 3000 marks.
void BM_RotatingSectionStep(benchmark::State& state) {
    SectionData& d = data(state.range(0) != 0);
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "kavelo-sections-bench";
    fs::create_directories(dir / "DATA");
    {
        std::ofstream(dir / "DATA" / "RIKA.BIN", std::ios::binary);
        std::ofstream geppo(dir / "DATA" / "GEPPO1.BIN", std::ios::binary);
        for (int i = 0; i < d.cat->recordCount; ++i) {
            const auto b = encodeRecord((*d.cat)[i]);
            geppo.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
        }
    }
    mapfixture::writeMapData(dir / "DATA");
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.string()));
    {
        TForm1 form;
        Form1 = &form;
        TMap map;
        Map = &map;
        TZone zone;
        Zone = &zone;
        TRotate rotate;
        Rotate = &rotate;
        map.BtnMapDrawClick();
        rotate.RadioGroup1->setItemIndex(4);
        rotate.RadioGroup3->setItemIndex(2);
        rotate.waitForCentre();
        rotate.centreChosen(3545, 13945);
        rotate.Timer1->stop();  // the benchmark drives the steps
        int strip = 0;
        for (auto _ : state) {
            rotate.step();
            strip = form.selection.selectionCount;
        }
        state.counters["strip"] = strip;
        rotate.Button3Click();
        Rotate = nullptr;
        Zone = nullptr;
        Map = nullptr;
        Form1 = nullptr;
    }
    QDir::setCurrent(oldDir);
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_RotatingSectionStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
