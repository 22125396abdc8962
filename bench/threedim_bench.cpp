// Timing of the 3-D hypocentre view: the background scene that every track-bar move
// redraws (planes, land, ticks, depth scale, centre cross), and the hypocentres of a
// full selection of 65000 records.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "../tests/core/map/SyntheticMap.h"
#include "sections/ThreeDimDrawing.h"

using namespace kavelo;
using namespace kavelo::ui;

namespace {

struct ThreeDimFixture {
    MapProjection proj;
    CoastLines coasts;
    std::vector<PlanePoint> outline;
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    HypocentreStyle style;

    ThreeDimFixture() {
        proj.grid = mapfixture::conicGrid();
        outline = frameOutline(proj.grid);
        // Twenty wiggly coastlines of 1999 points each, the most a file may hold.
        for (int i = 0; i < kCoastFileCount; ++i) {
            PlanePoint c = mapfixture::conicPoint(26.0 + i * 1.0, 125.0 + i * 1.2);
            auto& pts = coasts[static_cast<std::size_t>(i)].points;
            for (int k = 0; k < kCoastMaxPoints; ++k) {
                double a = k * 2.0 * 3.141592653589793 / kCoastMaxPoints;
                double rad = 180.0 + 40.0 * std::sin(a * 23.0) + 15.0 * std::cos(a * 71.0);
                pts.push_back(PlanePoint{c.x + static_cast<int32_t>(rad * std::cos(a) * 1.6),
                                         c.y + static_cast<int32_t>(rad * std::sin(a))});
            }
        }
        // Catalogue-like magnitudes (b = 1 from M4.0), depths 1-700 km.
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> lat(2400, 4900), lon(12200, 15100), depth(1, 700);
        std::uniform_real_distribution<double> u(1e-9, 1.0);
        for (int i = 0; i < kCatalogueCapacity; ++i) {
            EarthquakeRecord& r = (*cat)[i];
            r.date = 19230901;
            r.lat = static_cast<int16_t>(lat(rng) / 100 * 100 + lat(rng) % 60);
            r.lon = static_cast<int16_t>(lon(rng) / 100 * 100 + lon(rng) % 60);
            r.mag = static_cast<int16_t>(std::min(89, 40 + static_cast<int>(-std::log10(u(rng)) * 10.0)));
            r.depth = static_cast<int16_t>(depth(rng));
        }
        cat->recordCount = kCatalogueCapacity;
        sel->setIdentity(kCatalogueCapacity);
        style.marks.markStyle = kMarkFilled;
        style.depth.classCount = 6;
    }

    ThreeDimScene scene(int alp, int bet, int gam) const {
        ViewControls v;
        v.alp = alp;
        v.bet = bet;
        v.gam = gam;
        ThreeDimScene s;
        s.view = ViewProjection{buildViewMatrix(v), kDefaultCentreX, kDefaultCentreY};
        s.fromAbove = viewedFromAbove(alp, bet);
        s.outline = &outline;
        s.coasts = &coasts;
        s.proj = &proj;
        return s;
    }
};

ThreeDimFixture& fixture() {
    static ThreeDimFixture f;
    return f;
}

// Args: rotation X, Y, Z. What one track-bar step costs: the matrix, the scene, the cross.
void BM_ThreeDimBackground(benchmark::State& state) {
    ThreeDimFixture& f = fixture();
    Canvas c(kThreeDimImageWidth, kThreeDimImageHeight);
    const int alp = static_cast<int>(state.range(0)), bet = static_cast<int>(state.range(1)),
              gam = static_cast<int>(state.range(2));
    for (auto _ : state) {
        ThreeDimScene s = f.scene(alp, bet, gam);
        drawBackgroundScene(c, s);
        drawCentreCross(c, s.view);
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.SetLabel(f.scene(alp, bet, gam).fromAbove ? "from above" : "from below");
}
BENCHMARK(BM_ThreeDimBackground)->Args({0, 0, 0})->Args({30, 10, -20})->Args({70, 0, 0})->Unit(benchmark::kMillisecond);

// Args: drop lines on. The whole hypocentre drawing: scene, land, 65000 discs, land again.
void BM_ThreeDimHypocentres65000(benchmark::State& state) {
    ThreeDimFixture& f = fixture();
    f.style.dropLines = state.range(0) != 0;
    Canvas c(kThreeDimImageWidth, kThreeDimImageHeight);
    int calls = 0;
    for (auto _ : state) {
        ThreeDimScene s = f.scene(30, 10, -20);
        drawBackgroundScene(c, s);
        drawHypocentres(c, s, *f.cat, *f.sel, f.style, [&calls](int) { ++calls; });
        benchmark::DoNotOptimize(c.image().constBits());
    }
    benchmark::DoNotOptimize(calls);
    state.SetLabel(f.style.dropLines ? "with dotted drop lines" : "discs only");
    f.style.dropLines = false;
}
BENCHMARK(BM_ThreeDimHypocentres65000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
