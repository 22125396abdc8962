#include "analysis/SpaceTimeIndex.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kavelo::analysis {

double haversineKm(double lat1, double lon1, double lat2, double lon2) {
    constexpr double rad = 3.14159265358979323846 / 180.0;
    const double dlat = (lat2 - lat1) * rad, dlon = (lon2 - lon1) * rad;
    const double s1 = std::sin(dlat / 2), s2 = std::sin(dlon / 2);
    const double a = s1 * s1 + std::cos(lat1 * rad) * std::cos(lat2 * rad) * s2 * s2;
    return 2.0 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

SpaceTimeIndex::SpaceTimeIndex(const std::vector<double>& lat, const std::vector<double>& lon,
                               const std::vector<double>& days, double cellDegrees)
    : cell_(cellDegrees), lonCells_(static_cast<int>(std::ceil(360.0 / cellDegrees))), days_(days) {
    const std::size_t n = days.size();
    std::vector<int64_t> keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i] = key(latCell(lat[i]), lonCell(lon[i]));
    order_.resize(n);
    std::iota(order_.begin(), order_.end(), 0);
    std::sort(order_.begin(), order_.end(), [&](int32_t a, int32_t b) {
        if (keys[a] != keys[b]) return keys[a] < keys[b];
        if (days[a] != days[b]) return days[a] < days[b];
        return a < b;
    });
    for (std::size_t b = 0; b < n;) {
        std::size_t e = b;
        while (e < n && keys[order_[e]] == keys[order_[b]]) ++e;
        ranges_[keys[order_[b]]] = {static_cast<int32_t>(b), static_cast<int32_t>(e)};
        b = e;
    }
}

int SpaceTimeIndex::latCell(double lat) const {
    return static_cast<int>(std::floor((std::clamp(lat, -90.0, 90.0) + 90.0) / cell_));
}

int SpaceTimeIndex::lonCell(double lon) const {
    double l = std::fmod(lon + 180.0, 360.0);
    if (l < 0) l += 360.0;
    return std::min(lonCells_ - 1, static_cast<int>(std::floor(l / cell_)));
}

void SpaceTimeIndex::query(double lat, double lon, double radiusKm, double t0, double t1,
                           const std::function<void(int32_t)>& visit) const {
    if (!(radiusKm >= 0) || !(t1 >= t0) || !std::isfinite(lat) || !std::isfinite(lon)) return;
    constexpr double kmPerDegree = kEarthRadiusKm * 3.14159265358979323846 / 180.0;
    const double dlat = radiusKm / kmPerDegree + 1e-9;
    const double lat0 = std::max(-90.0, lat - dlat), lat1 = std::min(90.0, lat + dlat);
    // The widest longitude span of the disc is at its latitude furthest from the equator.
    const double edge = std::max(std::fabs(lat0), std::fabs(lat1));
    const double cosEdge = std::cos(edge * 3.14159265358979323846 / 180.0);
    int lonFirst = 0, lonCount = lonCells_;
    if (edge < 89.9 && cosEdge > 0) {
        const double dlon = dlat / cosEdge;
        if (2 * dlon + 2 * cell_ < 360.0) {
            lonFirst = static_cast<int>(std::floor((lon - dlon + 180.0) / cell_));
            lonCount = static_cast<int>(std::floor((lon + dlon + 180.0) / cell_)) - lonFirst + 1;
        }
    }
    for (int ia = latCell(lat0); ia <= latCell(lat1); ++ia) {
        for (int c = 0; c < lonCount; ++c) {
            int io = (lonFirst + c) % lonCells_;
            if (io < 0) io += lonCells_;
            const auto it = ranges_.find(key(ia, io));
            if (it == ranges_.end()) continue;
            auto begin = order_.begin() + it->second.first, end = order_.begin() + it->second.second;
            auto from = std::lower_bound(begin, end, t0,
                                         [&](int32_t e, double t) { return days_[e] < t; });
            for (; from != end && days_[*from] <= t1; ++from) visit(*from);
        }
    }
}

}  // namespace kavelo::analysis
