#pragma once
// Events bucketed by latitude-longitude cell, each bucket sorted by time: finds the
// events within a distance and a time span without looking at every pair.

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kavelo::analysis {

constexpr double kEarthRadiusKm = 6371.227;

// Great-circle distance in km (haversine) between two points in degrees.
double haversineKm(double lat1, double lon1, double lat2, double lon2);

class SpaceTimeIndex {
public:
    // lat, lon in degrees and days for each event; cellDegrees the bucket size.
    SpaceTimeIndex(const std::vector<double>& lat, const std::vector<double>& lon,
                   const std::vector<double>& days, double cellDegrees = 0.5);

    // Calls visit(i) for every event that may lie within radiusKm of (lat, lon) and
    // whose time is in [t0, t1]. It may also visit events a little further away
    // (the caller tests the distance), never events outside the time span.
    void query(double lat, double lon, double radiusKm, double t0, double t1,
               const std::function<void(int32_t)>& visit) const;

private:
    int64_t key(int ilat, int ilon) const { return static_cast<int64_t>(ilat) * 1000003 + ilon; }
    int latCell(double lat) const;
    int lonCell(double lon) const;

    double cell_;
    int lonCells_;
    std::vector<double> days_;
    std::vector<int32_t> order_;  // event ids grouped by cell, by time inside a cell
    std::unordered_map<int64_t, std::pair<int32_t, int32_t>> ranges_;  // cell -> [begin, end)
};

}  // namespace kavelo::analysis
