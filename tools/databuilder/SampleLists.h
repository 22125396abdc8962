#pragma once
// One small external list per reader format, cut from the bundled catalogue, so that
// every reader can be tried on data that is already there.

#include <string>
#include <vector>

#include "catalogue/EarthquakeRecord.h"

namespace kavelo::data {

struct SampleFile {
    std::string path;   // relative to the working folder: Extra/... or Hi-net/...
    std::string bytes;  // Shift-JIS, CR LF
};

// rika and geppo are the two catalogue files' records in file order.
std::vector<SampleFile> buildSampleLists(const std::vector<EarthquakeRecord>& rika,
                                         const std::vector<EarthquakeRecord>& geppo);

}  // namespace kavelo::data
