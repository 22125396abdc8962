#pragma once
// A stand-in FDSN event service over a set of catalogue records: answers fdsnws queries
// (period, box, depth and magnitude bounds) in ComCat CSV or FDSN text, refuses a query
// over its row limit as ComCat does (HTTP 400 naming the limit), and answers 204 when
// nothing matches. Served through LoopbackServer.

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "catalogue/EarthquakeRecord.h"
#include "import/CivilTime.h"
#include "import/TextFields.h"

namespace kavelo::test {

class FakeEventService {
  public:
    explicit FakeEventService(std::vector<EarthquakeRecord> records, bool csv = true)
        : csv_(csv) {
        for (const auto& r : records) rows_.push_back({utcSeconds(r), r});
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const Row& a, const Row& b) { return a.t < b.t; });
    }
    std::size_t limit = 20000;

    static double utcSeconds(const EarthquakeRecord& r) {
        const int64_t days =
            import::daysFromCivil(r.date / 10000, r.date / 100 % 100, r.date % 100);
        return static_cast<double>(days * 86400 + (r.time / 100) * 3600 + (r.time % 100) * 60 -
                                   9 * 3600);
    }

    static std::map<std::string, std::string> params(const std::string& target) {
        std::map<std::string, std::string> p;
        std::size_t q = target.find('?');
        if (q == std::string::npos) return p;
        std::string rest = target.substr(q + 1);
        std::size_t i = 0;
        while (i <= rest.size()) {
            std::size_t j = rest.find('&', i);
            if (j == std::string::npos) j = rest.size();
            const std::string kv = rest.substr(i, j - i);
            const std::size_t e = kv.find('=');
            if (e != std::string::npos) p[kv.substr(0, e)] = kv.substr(e + 1);
            i = j + 1;
        }
        return p;
    }

    HttpReply answer(const std::string& target) const {
        auto p = params(target);
        if (target.find("/fdsnws/event/1/query?") == std::string::npos)
            return {404, "Error 404: Not Found\n\nUnknown method\n"};
        import::CivilTime a, b;
        if (!import::parseIsoTime(p["starttime"], a).empty() ||
            !import::parseIsoTime(p["endtime"], b).empty())
            return {400, "Error 400: Bad Request\n\nBad starttime or endtime\n"};
        const double from = seconds(a), to = seconds(b);
        auto bound = [&](const char* key, double dflt) {
            auto v = p.count(key) ? import::parseDecimal(p[key]) : std::nullopt;
            return v ? *v : dflt;
        };
        const double latMin = bound("minlatitude", -90), latMax = bound("maxlatitude", 90);
        const double lonMin = bound("minlongitude", -180), lonMax = bound("maxlongitude", 180);
        const double dMin = bound("mindepth", -1e9), dMax = bound("maxdepth", 1e9);
        const double mMin = bound("minmagnitude", -1e9), mMax = bound("maxmagnitude", 1e9);
        std::string body;
        std::size_t n = 0;
        for (const auto& row : rows_) {
            if (row.t < from || row.t > to) continue;
            const EarthquakeRecord& r = row.r;
            const double lat = degrees(r.lat), lon = degrees(r.lon), mag = r.mag / 10.0;
            if (lat < latMin || lat > latMax || lon < lonMin || lon > lonMax || r.depth < dMin ||
                r.depth > dMax || mag < mMin - 1e-9 || mag > mMax + 1e-9)
                continue;
            ++n;
            body += line(row);
        }
        if (n > limit)
            return {400, "Error 400: Bad Request\n\n" + std::to_string(n) +
                             " matching events exceeds search limit of " + std::to_string(limit) +
                             ". Modify the search to match fewer events.\n"};
        if (n == 0) return {204, ""};
        const char* head =
            csv_ ? "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,"
                   "place,type\n"
                 : "#EventID|Time|Latitude|Longitude|Depth/km|Author|Catalog|Contributor|"
                   "ContributorID|MagType|Magnitude|MagAuthor|EventLocationName|EventType\n";
        return {200, head + body};
    }

  private:
    struct Row {
        double t;
        EarthquakeRecord r;
    };
    static double degrees(int ddmm) {
        const int a = ddmm < 0 ? -ddmm : ddmm;
        const double d = a / 100 + (a % 100) / 60.0;
        return ddmm < 0 ? -d : d;
    }
    static double seconds(const import::CivilTime& t) {
        return static_cast<double>(import::daysFromCivil(t.year, t.month, t.day) * 86400 +
                                   t.hour * 3600 + t.minute * 60) +
               t.second;
    }
    std::string line(const Row& row) const {
        const int64_t s = static_cast<int64_t>(row.t);
        const int64_t days = s >= 0 ? s / 86400 : -((-s + 86399) / 86400);
        const int64_t rest = s - days * 86400;
        int y, m, d;
        import::civilFromDays(days, y, m, d);
        char buf[256];
        const EarthquakeRecord& r = row.r;
        if (csv_)
            std::snprintf(buf, sizeof buf,
                          "%04d-%02d-%02dT%02d:%02d:%02d.250Z,%.9f,%.9f,%d,%.1f,mb,,,,,us,us%lld,,"
                          "\"near Japan, region\",earthquake\n",
                          y, m, d, static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                          static_cast<int>(rest % 60), degrees(r.lat), degrees(r.lon), r.depth,
                          r.mag / 10.0, static_cast<long long>(s));
        else
            std::snprintf(buf, sizeof buf,
                          "ev%lld|%04d-%02d-%02dT%02d:%02d:%02d.25|%.9f|%.9f|%d|A|C|C|1|M|%.1f|A|"
                          "NEAR JAPAN|earthquake\n",
                          static_cast<long long>(s), y, m, d, static_cast<int>(rest / 3600),
                          static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60),
                          degrees(r.lat), degrees(r.lon), r.depth, r.mag / 10.0);
        return buf;
    }
    bool csv_;
    std::vector<Row> rows_;
};

}  // namespace kavelo::test
