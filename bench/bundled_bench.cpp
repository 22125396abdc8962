// Timing on the bundled data set (data/DATA): the full map as a user first sees it (real
// coastlines, node grid and the whole catalogue), the same map saved as a PNG file, and
// the main window's listing of every record with its visible cells formatted and painted.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "catalogue/CatalogueLoader.h"
#include "map/MapDrawing.h"
#include "platform/ImageFile.h"
#include "search/ResultListModel.h"
#include "search/TForm1.h"

using namespace kavelo;
using namespace kavelo::ui;
namespace fs = std::filesystem;

namespace {

// KAVELO_DATA_DIR, else data/DATA below the current folder (make bench runs from the top).
fs::path bundledData() {
    if (const char* d = std::getenv("KAVELO_DATA_DIR"); d && *d) return d;
    return fs::current_path() / "data" / "DATA";
}

struct BundledMap {
    bool ok = false;
    MapProjection proj;
    CoastLines coasts;
    std::unique_ptr<Catalogue> cat = std::make_unique<Catalogue>();
    std::unique_ptr<SelectionList> sel = std::make_unique<SelectionList>();
    MapColors colors;
    BaseMapOptions opt;  // the window's defaults: coast width 1, 2-degree grid, land filled
    PlotStyle style;

    BundledMap() {
        const fs::path dir = bundledData();
        if (!loadMapData(dir.string(), coasts, proj.grid).ok) return;
        if (loadCatalogue((dir / "RIKA.BIN").string(), (dir / "GEPPO1.BIN").string(), *cat).status !=
            CatalogueLoadResult::Status::Ok)
            return;
        sel->setIdentity(cat->recordCount);
        style.marks.markStyle = kMarkFilled;  // the mark-style group starts at the filled mark
        style.depth.classCount = 6;           // as the format window sets it at start
        ok = true;
    }

    void draw(Canvas& c) {
        fillBackground(c, colors.seaColor);
        drawCoast(c, proj, coasts, colors, opt);
        drawGraticule(c, proj, colors, opt);
        plotSelection(c, proj, *cat, *sel, style, proj.visibleBounds(gridCellSize(opt.gridDivision)));
        drawFrame(c, proj.frame);
        drawGraticuleLabels(c, proj);
    }
};

BundledMap& bundled() {
    static BundledMap m;
    return m;
}

void BM_BundledFullMap(benchmark::State& state) {
    BundledMap& m = bundled();
    if (!m.ok) return state.SkipWithError("bundled data not found (set KAVELO_DATA_DIR)");
    Canvas c(kMapImageWidth, kMapImageHeight);
    for (auto _ : state) {
        m.draw(c);
        benchmark::DoNotOptimize(c.image().constBits());
    }
    state.counters["records"] = m.cat->recordCount;
}
BENCHMARK(BM_BundledFullMap)->Unit(benchmark::kMillisecond);

// Drawing, then saving as the PNG button does: copy of the picture, encoding, the file.
void BM_BundledFullMapAndPngFile(benchmark::State& state) {
    BundledMap& m = bundled();
    if (!m.ok) return state.SkipWithError("bundled data not found (set KAVELO_DATA_DIR)");
    const std::string path = (fs::temp_directory_path() / "kavelo-bench-map.png").string();
    Canvas c(kMapImageWidth, kMapImageHeight);
    for (auto _ : state) {
        m.draw(c);
        QImage picture = c.image().convertToFormat(QImage::Format_RGB32);
        PixelBuffer px{reinterpret_cast<const uint32_t*>(picture.constBits()), picture.width(), picture.height(),
                       static_cast<std::size_t>(picture.bytesPerLine())};
        if (!writePng(path, px).ok) return state.SkipWithError("cannot write the PNG file");
    }
    std::error_code ec;
    state.counters["bytes"] = static_cast<double>(fs::file_size(path, ec));
    fs::remove(path, ec);
}
BENCHMARK(BM_BundledFullMapAndPngFile)->Unit(benchmark::kMillisecond);

void BM_BundledPngEncode(benchmark::State& state) {
    BundledMap& m = bundled();
    if (!m.ok) return state.SkipWithError("bundled data not found (set KAVELO_DATA_DIR)");
    Canvas c(kMapImageWidth, kMapImageHeight);
    m.draw(c);
    QImage picture = c.image().convertToFormat(QImage::Format_RGB32);
    PixelBuffer px{reinterpret_cast<const uint32_t*>(picture.constBits()), picture.width(), picture.height(),
                   static_cast<std::size_t>(picture.bytesPerLine())};
    std::vector<unsigned char> out;
    for (auto _ : state) {
        encodePng(px, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(out.size());
}
BENCHMARK(BM_BundledPngEncode)->Unit(benchmark::kMillisecond);

// The real main window on the bundled data: every record listed again, then the grid
// painted once, which formats each visible cell.
void BM_ListingFormatAndPaint(benchmark::State& state) {
    const fs::path data = bundledData();
    const fs::path dir = fs::temp_directory_path() / "kavelo-listing-bench";
    std::error_code ec;
    fs::create_directories(dir / "DATA", ec);
    for (const char* f : {"RIKA.BIN", "GEPPO1.BIN", "JAP-ORIGIN.CSV"})
        fs::copy_file(data / f, dir / "DATA" / f, fs::copy_options::overwrite_existing, ec);
    if (ec) return state.SkipWithError("bundled data not found (set KAVELO_DATA_DIR)");
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.string()));
    {
        TForm1 form;
        Form1 = &form;
        form.show();
        const int n = form.catalogue.recordCount;
        for (auto _ : state) {
            form.resultModel->listAll(n);
            QPixmap shot = form.StringGrid1->grab();
            benchmark::DoNotOptimize(shot.cacheKey());
        }
        state.counters["rows"] = form.resultModel->rowCount();
        Form1 = nullptr;
    }
    QDir::setCurrent(oldDir);
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_ListingFormatAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace
