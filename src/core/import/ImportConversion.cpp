#include "import/ImportConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "import/CivilTime.h"
#include "platform/ShiftJis.h"

namespace kavelo::import {

namespace {
constexpr int kJstOffsetMinutes = 9 * 60;

int minutesOf(int ddmm) {
    return (ddmm / 100) * 60 + ddmm % 100;
}
int64_t timeKey(const EarthquakeRecord& r) {
    return static_cast<int64_t>(r.date) * 10000 + r.time;
}
}  // namespace

const char* describeDropped(Dropped why) {
    switch (why) {
        case Dropped::No:
            return "";
        case Dropped::NoMagnitude:
            return "without magnitude";
        case Dropped::OutsideBox:
            return "outside 24-50N 122-152E (--box)";
        case Dropped::OutsidePeriod:
            return "outside --from/--to";
        case Dropped::OutOfRange:
            return "depth or magnitude out of the record's range";
        case Dropped::NotEarthquake:
            return "not earthquakes (--all-types keeps them)";
        case Dropped::OutsideMag:
            return "outside --mag";
        case Dropped::OutsideDepth:
            return "outside --depth";
        case Dropped::OutsideLat:
            return "outside --lat";
        case Dropped::OutsideLon:
            return "outside --lon";
    }
    return "";
}

bool isEarthquakeType(std::string_view type) {
    std::string t;
    for (char c : type) t += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    while (!t.empty() && t.back() == ' ') t.pop_back();
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    // EMSC writes short codes: known, suspected and felt earthquake.
    return t.empty() || t == "earthquake" || t == "induced or triggered event" ||
           t == "not reported" || t == "induced earthquake" || t == "tectonic earthquake" ||
           t == "ke" || t == "se" || t == "fe";
}

double ddmmToDegreesExact(int ddmm) {
    const int a = std::abs(ddmm);
    const double deg = a / 100 + (a % 100) / 60.0;
    return ddmm < 0 ? -deg : deg;
}

namespace {
bool outside(const Range& r, double v) {
    // A hair of tolerance so that a bound typed in degrees (35.1) meets the minute it names.
    return r.set && (v < r.min - 1e-9 || v > r.max + 1e-9);
}
}  // namespace

Dropped convertEvent(const SourceEvent& ev, const ConvertOptions& o, EarthquakeRecord& rec) {
    rec = EarthquakeRecord{};
    if (!o.allTypes && !isEarthquakeType(ev.eventType)) return Dropped::NotEarthquake;
    const int64_t shift = ev.utc && !o.keepUtc ? kJstOffsetMinutes : 0;
    const CivilTime t = shiftedByMinutes(ev.time, shift);
    rec.date = t.year * 10000 + t.month * 100 + t.day;
    rec.time = static_cast<int16_t>(t.hour * 100 + t.minute);
    rec.lat = static_cast<int16_t>(ev.latDdmm);
    rec.lon = static_cast<int16_t>(ev.lonDdmm);
    if (!ev.mag) return Dropped::NoMagnitude;
    // Half up; the small allowance keeps 4.45 (stored as 4.4499999...) at 45.
    const double tenths = std::floor(*ev.mag * 10.0 + 0.5 + 1e-9);
    const double km = ev.depthKm ? std::floor(*ev.depthKm + 0.5) : 0.0;
    if (!(std::fabs(tenths) <= 32767) || !(std::fabs(km) <= 32767)) return Dropped::OutOfRange;
    rec.mag = static_cast<int16_t>(tenths);
    rec.depth = static_cast<int16_t>(km);
    if (o.japanBox && (rec.lat < 2400 || rec.lat > 5000 || rec.lon < 12200 || rec.lon > 15200))
        return Dropped::OutsideBox;
    if ((o.fromDate && rec.date < o.fromDate) || (o.toDate && rec.date > o.toDate))
        return Dropped::OutsidePeriod;
    if (o.mag.set && (rec.mag < std::lround(o.mag.min * 10) || rec.mag > std::lround(o.mag.max * 10)))
        return Dropped::OutsideMag;
    if (outside(o.depth, rec.depth)) return Dropped::OutsideDepth;
    if (outside(o.lat, ddmmToDegreesExact(rec.lat))) return Dropped::OutsideLat;
    if (outside(o.lon, ddmmToDegreesExact(rec.lon))) return Dropped::OutsideLon;
    return Dropped::No;
}

std::string fitOriginName(std::string_view s) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t w = isSjisLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + w > s.size() || i + w > kOriginSize - 1 || s[i] == '\0') break;
        i += w;
        end = i;
    }
    return std::string(s.substr(0, end));
}

void nameRecord(const SourceEvent& ev, const NearestNameIndex* names, EarthquakeRecord& rec) {
    if (!ev.origin.empty())
        rec.setOrigin(fitOriginName(ev.origin));
    else if (names)
        rec.setOrigin(names->find(ev.latDeg, ev.lonDeg));
    else
        rec.setOrigin({});
}

bool isDuplicate(const EarthquakeRecord& a, const EarthquakeRecord& b) {
    return a.date == b.date && a.time == b.time &&
           std::abs(minutesOf(a.lat) - minutesOf(b.lat)) <= 6 &&
           std::abs(minutesOf(a.lon) - minutesOf(b.lon)) <= 6 && std::abs(a.mag - b.mag) <= 2;
}

void sortByDateTime(std::vector<EarthquakeRecord>& records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const EarthquakeRecord& a, const EarthquakeRecord& b) {
                         return timeKey(a) < timeKey(b);
                     });
}

void DuplicateFinder::add(const std::vector<EarthquakeRecord>& records) {
    byMinute_.reserve(records_.size() + records.size());
    for (const auto& r : records) {
        byMinute_.emplace(timeKey(r), records_.size());
        records_.push_back(r);
    }
}

bool DuplicateFinder::matches(const EarthquakeRecord& r) const {
    auto [lo, hi] = byMinute_.equal_range(timeKey(r));
    for (auto it = lo; it != hi; ++it)
        if (isDuplicate(records_[it->second], r)) return true;
    return false;
}

MergeResult mergeRecords(const std::vector<EarthquakeRecord>& stored,
                         const std::vector<EarthquakeRecord>& imported) {
    DuplicateFinder known;
    known.add(stored);
    MergeResult res;
    res.records.reserve(stored.size() + imported.size());
    res.records = stored;
    for (const auto& r : imported) {
        if (known.matches(r))
            ++res.duplicates;
        else
            res.records.push_back(r);
    }
    sortByDateTime(res.records);
    return res;
}

int32_t parseDateArgument(std::string_view s) {
    auto digits = [&](std::size_t pos, std::size_t n) {
        int v = 0;
        for (std::size_t i = pos; i < pos + n; ++i) {
            if (i >= s.size() || s[i] < '0' || s[i] > '9') return -1;
            v = v * 10 + (s[i] - '0');
        }
        return v;
    };
    int y, m, d;
    if (s.size() == 8) {
        y = digits(0, 4), m = digits(4, 2), d = digits(6, 2);
    } else if (s.size() == 10 && s[4] == s[7] && (s[4] == '-' || s[4] == '/')) {
        y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    } else {
        return 0;
    }
    if (!isValidDate(y, m, d)) return 0;
    return y * 10000 + m * 100 + d;
}

}  // namespace kavelo::import
