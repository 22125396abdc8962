#pragma once
// Builds small catalogue files for tests.

#include <string>
#include <vector>

#include "catalogue/EarthquakeRecord.h"

namespace kavelo::test {

inline EarthquakeRecord quake(int32_t date, int16_t time, int16_t lat, int16_t lon, int16_t depth,
                              int16_t mag, const std::string& origin = "") {
    EarthquakeRecord r;
    r.date = date;
    r.time = time;
    r.lat = lat;
    r.lon = lon;
    r.depth = depth;
    r.mag = mag;
    r.setOrigin(origin);
    return r;
}

inline std::string fileOf(const std::vector<EarthquakeRecord>& recs) {
    std::string s;
    for (const auto& r : recs) {
        auto b = encodeRecord(r);
        s.append(b.begin(), b.end());
    }
    return s;
}

}  // namespace kavelo::test
