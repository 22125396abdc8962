#pragma once
// Region names borrowed from a catalogue for events whose source has none: the name of
// the latest record (highest index) whose latitude and longitude each lie less than
// 0.1 degree from the event's, the same rule as a backward scan of the catalogue.

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/EarthquakeRecord.h"

namespace kavelo {

// The backward scan itself: records[count-1] ... records[0]; empty when none is close.
std::string_view nearestOriginName(const EarthquakeRecord* records, std::size_t count,
                                   double latDeg, double lonDeg);

// Same answers as nearestOriginName over the whole vector, through a grid of 0.1-degree
// cells, for many look-ups. The records must outlive the index and stay unchanged.
class NearestNameIndex {
  public:
    explicit NearestNameIndex(const std::vector<EarthquakeRecord>& records);
    std::string_view find(double latDeg, double lonDeg) const;
    bool empty() const { return records_.empty(); }

  private:
    struct Entry {
        float lat, lon;  // degrees, as the backward scan converts them
        int32_t index;
    };
    static int64_t key(int latCell, int lonCell);
    const std::vector<EarthquakeRecord>& records_;
    std::unordered_map<int64_t, std::vector<Entry>> cells_;  // indices ascending
};

}  // namespace kavelo
