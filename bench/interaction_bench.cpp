// Timing of the map's pointer tools with the real windows over 65000 selected records:
// a hypocentre pick (walk, match, chronology lookup, parameter-window rows), one rubber-line
// and one zoom-box update (erase, draw, distance, repaint of the touched pixels), and the
// window's full drawing with a zone in force for comparison.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "../tests/core/map/SyntheticMap.h"
#include "chronology/TRikaNenpyo.h"
#include "map/TMap.h"
#include "map/TZone.h"
#include "search/TForm1.h"
#include "search/TOrigin.h"
#include "sections/TDepthChart.h"
#include "sections/TRotate.h"
#include "sections/TSection.h"

using namespace kavelo;

namespace {

namespace fs = std::filesystem;

// 64500 records spread over the map and 500 aftershocks around one epicentre (34.6N
// 135.05E); a full chronology of 800 entries, 500 of them on the aftershocks' dates.
class Windows {
public:
    Windows() : dir_(fs::temp_directory_path() / "kavelo-interaction-bench"), oldDir_(QDir::currentPath()) {
        fs::create_directories(dir_ / "DATA");
        std::mt19937 rng(9);
        std::uniform_int_distribution<int> lat(2400, 4600), lon(12200, 15000), mag(30, 80), depth(0, 600),
            near(-6, 6);
        std::string nenpyo;
        int entries = 0;
        {
            std::ofstream(dir_ / "DATA" / "RIKA.BIN", std::ios::binary);
            std::ofstream geppo(dir_ / "DATA" / "GEPPO1.BIN", std::ios::binary);
            for (int i = 0; i < kCatalogueCapacity; ++i) {
                EarthquakeRecord r;
                r.date = 19000101 + (i / 1000) * 10000 + (i % 300) / 28 * 100 + i % 28;
                const bool cluster = i % 130 == 0;
                r.lat = static_cast<int16_t>(cluster ? 3436 + near(rng) : lat(rng) / 100 * 100 + lat(rng) % 60);
                r.lon = static_cast<int16_t>(cluster ? 13503 + near(rng) : lon(rng) / 100 * 100 + lon(rng) % 60);
                r.mag = static_cast<int16_t>(mag(rng));
                r.depth = static_cast<int16_t>(depth(rng));
                r.setOrigin("\x95\xba\x8c\xc9\x8c\xa7\x93\xec\x95\x94");
                if (cluster && ++entries)
                    nenpyo += std::to_string(r.date) + "%" + std::to_string(r.lat) + "%" + std::to_string(r.lon) +
                              "%70%name%" + std::string(40, 'a') + "\r\n";
                const auto b = encodeRecord(r);
                geppo.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
            }
        }
        for (; entries < kChronologyCapacity; ++entries) nenpyo += "18000101%3000%13000%70%name%article\r\n";
        std::ofstream(dir_ / "DATA" / "NENPYO.TXT", std::ios::binary) << nenpyo;
        mapfixture::writeMapData(dir_ / "DATA");
        QDir::setCurrent(QString::fromStdString(dir_.string()));

        Form1 = new TForm1;
        Map = new TMap;
        Origin = new TOrigin;
        RikaNenpyo = new TRikaNenpyo;
        Zone = new TZone;
        DepthChart = new TDepthChart;
        Section = new TSection;
        Rotate = new TRotate;
        Map->show();
        Map->BtnMapDrawClick();
        QApplication::processEvents();
    }
    ~Windows() {
        delete Rotate;
        delete Section;
        delete DepthChart;
        delete Zone;
        delete RikaNenpyo;
        delete Origin;
        delete Map;
        delete Form1;
        Rotate = nullptr;
        Section = nullptr;
        DepthChart = nullptr;
        Zone = nullptr;
        RikaNenpyo = nullptr;
        Origin = nullptr;
        Map = nullptr;
        Form1 = nullptr;
        QDir::setCurrent(oldDir_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    static QPoint at(int lat, int lon) {
        auto s = Map->geoToScreen(lon, lat);
        return s ? QPoint(s->x, s->y) : QPoint();
    }
    static void send(QEvent::Type type, QPoint p, Qt::MouseButton b = Qt::NoButton) {
        QMouseEvent e(type, QPointF(p), Map->Image1->mapToGlobal(QPointF(p)), b,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b), Qt::NoModifier);
        QApplication::sendEvent(Map->Image1, &e);
    }

private:
    fs::path dir_;
    QString oldDir_;
};

void BM_HypocentrePick65000(benchmark::State& state) {
    Windows w;
    const QPoint kobe = Windows::at(3436, 13503);
    Windows::send(QEvent::MouseMove, kobe);
    int found = 0;
    for (auto _ : state) {
        Map->Image1Click();
        found = Origin->StringGrid1->rowCount();
    }
    state.counters["selected"] = Form1->selection.selectionCount;
    state.counters["matches"] = found;
    state.counters["article"] = Origin->Memo1->toPlainText().isEmpty() ? 0 : 1;
}
BENCHMARK(BM_HypocentrePick65000)->Unit(benchmark::kMillisecond);

void BM_RubberLineUpdate(benchmark::State& state) {
    Windows w;
    Map->BtnZoneClick();
    const QPoint p1 = Windows::at(3300, 13000);
    Windows::send(QEvent::MouseMove, p1);
    Windows::send(QEvent::MouseButtonPress, p1, Qt::LeftButton);
    const QPoint ends[2] = {Windows::at(4300, 14300), Windows::at(4100, 14000)};
    Windows::send(QEvent::MouseMove, ends[1]);
    int k = 0;
    for (auto _ : state) {
        Windows::send(QEvent::MouseMove, ends[k ^= 1]);
        QApplication::processEvents();  // the repaint of the touched rectangle
    }
    state.SetLabel("erase, draw, distance, repaint");
}
BENCHMARK(BM_RubberLineUpdate)->Unit(benchmark::kMicrosecond);

void BM_ZoomBoxUpdate(benchmark::State& state) {
    Windows w;
    Map->SelectGroup->setItemIndex(4);  // the largest box, 300 pixels
    const QPoint at[2] = {QPoint(300, 300), QPoint(330, 290)};
    int k = 0;
    for (auto _ : state) {
        Windows::send(QEvent::MouseMove, at[k ^= 1]);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ZoomBoxUpdate)->Unit(benchmark::kMicrosecond);

void BM_MapWindowFullDrawingWithZone(benchmark::State& state) {
    Windows w;
    Map->BtnZoneClick();
    Zone->CBDepth->setChecked(false);
    const QPoint a = Windows::at(3300, 13000), b = Windows::at(4300, 14300);
    Windows::send(QEvent::MouseMove, a);
    Windows::send(QEvent::MouseButtonPress, a, Qt::LeftButton);
    Windows::send(QEvent::MouseMove, b);
    Windows::send(QEvent::MouseButtonRelease, b, Qt::LeftButton);
    Form1->selection.setIdentity(Form1->catalogue.recordCount);
    for (auto _ : state) Map->BtnMapDrawClick();
    state.counters["zone"] = Map->zoneSet ? 1 : 0;
}
BENCHMARK(BM_MapWindowFullDrawingWithZone)->Unit(benchmark::kMillisecond);

}  // namespace
