#include "catalogue/NearestName.h"

#include <cmath>

namespace kavelo {

namespace {
bool isClose(const EarthquakeRecord& r, double latDeg, double lonDeg) {
    return std::fabs(static_cast<double>(ddmmToDegrees(r.lat)) - latDeg) < 0.1 &&
           std::fabs(static_cast<double>(ddmmToDegrees(r.lon)) - lonDeg) < 0.1;
}
int cellOf(double deg) {
    return static_cast<int>(std::floor(deg * 10.0));
}
}  // namespace

std::string_view nearestOriginName(const EarthquakeRecord* records, std::size_t count,
                                   double latDeg, double lonDeg) {
    for (std::size_t i = count; i-- > 0;)
        if (isClose(records[i], latDeg, lonDeg)) return records[i].originName();
    return {};
}

int64_t NearestNameIndex::key(int latCell, int lonCell) {
    return (static_cast<int64_t>(latCell) << 32) ^ static_cast<uint32_t>(lonCell);
}

NearestNameIndex::NearestNameIndex(const std::vector<EarthquakeRecord>& records)
    : records_(records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const float lat = ddmmToDegrees(records[i].lat), lon = ddmmToDegrees(records[i].lon);
        cells_[key(cellOf(lat), cellOf(lon))].push_back({lat, lon, static_cast<int32_t>(i)});
    }
}

std::string_view NearestNameIndex::find(double latDeg, double lonDeg) const {
    if (!std::isfinite(latDeg) || !std::isfinite(lonDeg) || std::fabs(latDeg) > 1e6 ||
        std::fabs(lonDeg) > 1e6)
        return {};
    // A close record lies in one of the cells spanned by +-0.1 degree; the small allowance
    // covers rounding at cell edges, the exact test decides.
    constexpr double kReach = 0.1 + 1e-9;
    const int lat0 = cellOf(latDeg - kReach), lat1 = cellOf(latDeg + kReach);
    const int lon0 = cellOf(lonDeg - kReach), lon1 = cellOf(lonDeg + kReach);
    int32_t best = -1;
    for (int a = lat0; a <= lat1; ++a) {
        for (int o = lon0; o <= lon1; ++o) {
            auto it = cells_.find(key(a, o));
            if (it == cells_.end()) continue;
            const auto& entries = it->second;
            for (auto k = entries.size(); k-- > 0;) {
                const Entry& e = entries[k];
                if (e.index <= best) break;
                if (std::fabs(static_cast<double>(e.lat) - latDeg) < 0.1 &&
                    std::fabs(static_cast<double>(e.lon) - lonDeg) < 0.1) {
                    best = e.index;
                    break;
                }
            }
        }
    }
    return best < 0 ? std::string_view{} : records_[static_cast<std::size_t>(best)].originName();
}

}  // namespace kavelo
