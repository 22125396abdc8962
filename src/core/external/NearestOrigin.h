#pragma once
// Source-region names borrowed from the Catalogue for lists that carry none: the name
// of the latest Catalogue record (the one searched first, from the end backwards) whose
// latitude and longitude each lie less than 0.1 degree from the given position.

#include <cstdint>
#include <string_view>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo {

// The test of one Catalogue record against a position in decimal degrees.
bool withinTenthDegree(const EarthquakeRecord& r, double latDeg, double lonDeg);

// Reference scan: the Catalogue from its last record backwards; -1 when none is near.
int32_t nearestOriginRecordScan(const Catalogue& cat, double latDeg, double lonDeg);

// The same answer through an index built once over the Catalogue, so that a list of
// tens of thousands of lines does not scan the Catalogue once per line. The index
// refers to the Catalogue, which must stay unchanged while it is used.
class NearestOriginIndex {
  public:
    explicit NearestOriginIndex(const Catalogue& cat);
    // Catalogue index of the record the scan would find, -1 when none.
    int32_t find(double latDeg, double lonDeg) const;
    // Its origin name (empty when none).
    std::string_view originName(double latDeg, double lonDeg) const;

  private:
    struct Column {  // every record at one exact latitude value
        float latDeg;
        uint32_t begin;  // range in entries_, sorted by longitude
        uint32_t end;
    };
    struct Entry {  // every record at one exact position: the latest of them
        float lonDeg;
        int32_t latest;
    };
    const Catalogue* cat_;
    std::vector<Column> columns_;  // sorted by latitude
    std::vector<Entry> entries_;
};

}  // namespace kavelo
