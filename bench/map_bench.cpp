// Timing of the epicentre map: the base map alone, the full map with 65000 marks, the
// energy map of the same 65000 records, and the PNG encoding of the 720 x 600 picture.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "../tests/core/map/SyntheticMap.h"
#include "map/EnergyDrawing.h"
#include "map/EnergyGrid.h"
#include "map/MapDrawing.h"
#include "platform/ImageFile.h"

using namespace kavelo;
using namespace kavelo::ui;

namespace {

struct MapFixture {
    MapProjection proj;
    CoastLines coasts;
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    MapColors colors;
    BaseMapOptions opt;
    PlotStyle style;

    MapFixture() {
        proj.grid = mapfixture::conicGrid();
        // Twenty wiggly coastlines of 1999 points each, the most a file may hold.
        for (int i = 0; i < kCoastFileCount; ++i) {
            double lat0 = 26.0 + i * 1.0, lon0 = 125.0 + i * 1.2;
            PlanePoint c = mapfixture::conicPoint(lat0, lon0);
            auto& pts = coasts[static_cast<std::size_t>(i)].points;
            for (int k = 0; k < kCoastMaxPoints; ++k) {
                double a = k * 2.0 * 3.141592653589793 / kCoastMaxPoints;
                double rad = 180.0 + 40.0 * std::sin(a * 23.0) + 15.0 * std::cos(a * 71.0);
                pts.push_back(PlanePoint{c.x + static_cast<int32_t>(rad * std::cos(a) * 1.6),
                                         c.y + static_cast<int32_t>(rad * std::sin(a))});
            }
        }
        fillCatalogue(false);
        sel->setIdentity(kCatalogueCapacity);
        opt.gridDivision = 5;  // 10 minutes
        style.marks.markStyle = kMarkFilled;
        style.depth.classCount = 6;
    }

    // Magnitudes as a catalogue has them (Gutenberg-Richter, b = 1, from M4.0), or spread
    // evenly over M1.0-8.0 as a worst case of large marks.
    void fillCatalogue(bool uniformMagnitudes) {
        std::mt19937 rng(5);
        std::uniform_int_distribution<int> lat(2400, 4600), lon(12200, 15000), mag(10, 80), depth(0, 700);
        std::uniform_real_distribution<double> u(1e-9, 1.0);
        for (int i = 0; i < kCatalogueCapacity; ++i) {
            EarthquakeRecord& r = (*cat)[i];
            r.date = 19230901 + (i % 80) * 10000;
            r.lat = static_cast<int16_t>(lat(rng) / 100 * 100 + lat(rng) % 60);
            r.lon = static_cast<int16_t>(lon(rng) / 100 * 100 + lon(rng) % 60);
            int m = uniformMagnitudes ? mag(rng) : 40 + static_cast<int>(-std::log10(u(rng)) * 10.0);
            r.mag = static_cast<int16_t>(std::min(m, 89));
            r.depth = static_cast<int16_t>(depth(rng));
        }
        cat->recordCount = kCatalogueCapacity;
    }

    void baseMap(Canvas& c) {
        fillBackground(c, colors.seaColor);
        drawCoast(c, proj, coasts, colors, opt);
        drawGraticule(c, proj, colors, opt);
        drawFrame(c, proj.frame);
        drawGraticuleLabels(c, proj);
    }

    void fullMap(Canvas& c) {
        fillBackground(c, colors.seaColor);
        drawCoast(c, proj, coasts, colors, opt);
        drawGraticule(c, proj, colors, opt);
        plotSelection(c, proj, *cat, *sel, style, proj.visibleBounds(gridCellSize(opt.gridDivision)));
        drawFrame(c, proj.frame);
        drawGraticuleLabels(c, proj);
    }

    // The energy drawing: coast without land, the grid over the visible box, the totals,
    // every cell with energy, then graticule and coast over the cells.
    int energyMap(Canvas& c, EnergyGrid& grid) {
        BaseMapOptions noLand = opt;
        noLand.fillLand = false;
        fillBackground(c, colors.seaColor);
        drawCoast(c, proj, coasts, colors, noLand);
        drawGraticule(c, proj, colors, noLand);
        const int cellSize = gridCellSize(opt.gridDivision);
        grid.build(cellSize, proj.visibleBounds(cellSize));
        grid.accumulate(*cat, *sel);
        const EnergyColors levels;
        drawEnergyCells(c, proj, grid, [&](float e) { return energyLevelColor(e, cellSize, false, levels); });
        drawGraticule(c, proj, colors, noLand);
        drawCoast(c, proj, coasts, colors, noLand);
        drawFrame(c, proj.frame);
        drawGraticuleLabels(c, proj);
        int filled = 0;
        for (float e : grid.cellEnergy) filled += e > 0.0f ? 1 : 0;
        return filled;
    }
};

MapFixture& fixture() {
    static MapFixture f;
    return f;
}

void BM_BaseMap(benchmark::State& state) {
    MapFixture& f = fixture();
    Canvas c(kMapImageWidth, kMapImageHeight);
    for (auto _ : state) {
        f.baseMap(c);
        benchmark::DoNotOptimize(c.image().constBits());
    }
}
BENCHMARK(BM_BaseMap)->Unit(benchmark::kMillisecond);

// Args: mark style, 1 for evenly spread magnitudes (stress case).
void BM_FullMap65000(benchmark::State& state) {
    MapFixture& f = fixture();
    f.style.marks.markStyle = static_cast<uint8_t>(state.range(0));
    f.fillCatalogue(state.range(1) != 0);
    Canvas c(kMapImageWidth, kMapImageHeight);
    for (auto _ : state) {
        f.fullMap(c);
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.SetLabel(std::string(state.range(0) == kMarkFilled ? "filled" : "hollow") +
                   (state.range(1) ? " marks, M1-8 evenly" : " marks, G-R magnitudes"));
    f.fillCatalogue(false);
}
BENCHMARK(BM_FullMap65000)
    ->Args({kMarkFilled, 0})
    ->Args({kMarkHollow, 0})
    ->Args({kMarkFilled, 1})
    ->Args({kMarkHollow, 1})
    ->Unit(benchmark::kMillisecond);

// 10' cells over the full view; the records are spread over the whole box, so nearly
// every cell receives energy and is drawn.
void BM_EnergyMap65000(benchmark::State& state) {
    MapFixture& f = fixture();
    Canvas c(kMapImageWidth, kMapImageHeight);
    EnergyGrid grid;
    int filled = 0;
    for (auto _ : state) {
        filled = f.energyMap(c, grid);
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.counters["cells"] = static_cast<double>(grid.cellEnergy.size());
    state.counters["drawn"] = static_cast<double>(filled);
    state.SetLabel("10' cells, full view");
}
BENCHMARK(BM_EnergyMap65000)->Unit(benchmark::kMillisecond);

void BM_PngEncode(benchmark::State& state) {
    MapFixture& f = fixture();
    Canvas c(kMapImageWidth, kMapImageHeight);
    f.fullMap(c);
    QImage img = c.image().convertToFormat(QImage::Format_RGB32);
    PixelBuffer px{reinterpret_cast<const uint32_t*>(img.constBits()), img.width(), img.height(),
                   static_cast<std::size_t>(img.bytesPerLine())};
    std::vector<unsigned char> out;
    for (auto _ : state) {
        encodePng(px, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(out.size());
}
BENCHMARK(BM_PngEncode)->Unit(benchmark::kMillisecond);

}  // namespace

