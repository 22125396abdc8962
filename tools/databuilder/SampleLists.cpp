#include "SampleLists.h"

#include <cstdio>
#include <string_view>

#include "Sjis.h"
#include "catalogue/Catalogue.h"
#include "search/ResultCsv.h"

namespace kavelo::data {

namespace {

// Decimal degrees in the middle of the stored minute, so that reading back truncates
// to the same ddmm value.
double midMinuteDegrees(int ddmm) {
    const int d = ddmm / 100, m = ddmm % 100;
    return d + (m + 0.5) / 60.0;
}

// Seconds, which the catalogue does not keep: a fixed spread from the record's place.
double secondsFor(std::size_t i) {
    return static_cast<double>((i * 377) % 600) / 10.0;
}

std::string line(const char* fmt, auto... a) {
    char buf[256];
    const int n = std::snprintf(buf, sizeof buf, fmt, a...);
    return std::string(buf, static_cast<std::size_t>(n)) + "\r\n";
}

std::vector<std::size_t> pick(const std::vector<EarthquakeRecord>& g, int from, int to,
                              std::size_t max) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < g.size() && out.size() < max; ++i)
        if (g[i].date >= from && g[i].date <= to) out.push_back(i);
    return out;
}

// Format 1: year month day hour minute second lat lon depth mag.
std::string agencyList(const std::vector<EarthquakeRecord>& g) {
    std::string out;
    for (std::size_t i : pick(g, 20110301, 20110331, 60)) {
        const EarthquakeRecord& r = g[i];
        out += line("%04d %02d %02d %02d %02d %4.1f %6.3f %7.3f %3d %3.1f ", r.date / 10000,
                    r.date / 100 % 100, r.date % 100, r.time / 100, r.time % 100, secondsFor(i),
                    midMinuteDegrees(r.lat), midMinuteDegrees(r.lon), r.depth, r.mag / 10.0);
    }
    return out;
}

// Format 2: yyyy/mm/dd hh:mm ddmm dddmm depth mag, columns padded with ideographic spaces.
std::string ownText(const std::vector<EarthquakeRecord>& g) {
    const std::string wide = toSjis("　");
    std::string out;
    for (std::size_t i : pick(g, 20160401, 20160531, 60)) {
        const EarthquakeRecord& r = g[i];
        char buf[160];
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d%s %4d%s%s%5d%s %3d %3.1f ",
                      r.date / 10000, r.date / 100 % 100, r.date % 100, r.time / 100, r.time % 100,
                      wide.c_str(), r.lat, wide.c_str(), wide.c_str(), r.lon, wide.c_str(), r.depth,
                      r.mag / 10.0);
        out += std::string(buf) + "\r\n";
    }
    return out;
}

// Format 3: the result CSV of a search over a box in northern Honshu.
std::string resultCsv(const std::vector<EarthquakeRecord>& rika,
                      const std::vector<EarthquakeRecord>& g) {
    Catalogue cat;
    for (const auto* list : {&rika, &g})
        for (const EarthquakeRecord& r : *list)
            if (cat.recordCount < kCatalogueCapacity) cat[cat.recordCount++] = r;
    std::vector<int32_t> rows;
    for (int32_t i = 0; i < cat.recordCount && rows.size() < 80; ++i) {
        const EarthquakeRecord& r = cat[i];
        if (r.date >= 20040101 && r.date <= 20081231 && r.lat >= 3600 && r.lat < 4000 &&
            r.lon >= 13800 && r.lon < 14300 && r.mag >= 45)
            rows.push_back(i);
    }
    CsvHeader h;
    h.fileName = "Listup-sample.csv";
    h.date1 = "2004/01/01";
    h.date2 = "2008/12/31";
    h.lat1 = "3600";
    h.lat2 = "4000";
    h.lon1 = "13800";
    h.lon2 = "14300";
    h.mag1 = "45";
    h.mag2 = "90";
    h.depth1 = "0";
    h.depth2 = "600";
    return buildResultCsv(h, static_cast<int>(rows.size()), [&](int row, GridCells& cells) {
        recordGridCells(cat, rows[static_cast<std::size_t>(row)], row, true, cells);
    });
}

// Format 4: the unified list with its fixed character positions (date 1-10, time
// 12-22, latitude from 32, longitude from 46, depth from 61, magnitude 74-77). Each
// catalogue event is followed by two small events near it, most of them below M4, as
// such lists hold them.
std::string unifiedList(const std::vector<EarthquakeRecord>& g) {
    std::string out =
        "#  date      time        err    lat      err    lon      err   dep  err    mag\r\n";
    auto put = [&](int date, int hh, int mm, double sec, double lat, double lon, double depth,
                   double mag) {
        char buf[200];
        std::snprintf(
            buf, sizeof buf,
            "%04d-%02d-%02d %02d:%02d:%05.2f   0.2  %8.4fN  1.2 %9.4fE  1.5 %6.1f  2.0 %4.1f  v",
            date / 10000, date / 100 % 100, date % 100, hh, mm, sec, lat, lon, depth, mag);
        out += std::string(buf) + "\r\n";
    };
    for (std::size_t i : pick(g, 20180901, 20181031, 50)) {
        const EarthquakeRecord& r = g[i];
        const double lat = midMinuteDegrees(r.lat), lon = midMinuteDegrees(r.lon);
        put(r.date, r.time / 100, r.time % 100, secondsFor(i) * 0.49, lat, lon, r.depth + 0.4,
            r.mag / 10.0);
        const int mm = (r.time % 100 + 3) % 60;
        put(r.date, r.time / 100, mm, secondsFor(i + 1), lat + 0.03, lon - 0.02, r.depth + 2.0,
            r.mag / 10.0 - 1.4);
        put(r.date, r.time / 100, (mm + 5) % 60, secondsFor(i + 2), lat - 0.05, lon + 0.04,
            r.depth + 1.0, r.mag / 10.0 - 0.6);
    }
    return out;
}

}  // namespace

std::vector<SampleFile> buildSampleLists(const std::vector<EarthquakeRecord>& rika,
                                         const std::vector<EarthquakeRecord>& geppo) {
    return {
        {"Extra/sample1-agency.txt", agencyList(geppo)},
        {"Extra/sample2-text.txt", ownText(geppo)},
        {"Extra/Listup-sample.csv", resultCsv(rika, geppo)},
        {"Hi-net/sample4-unified.txt", unifiedList(geppo)},
    };
}

}  // namespace kavelo::data
