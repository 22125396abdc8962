#pragma once
// From source events to catalogue records, and the merge of imported records into a catalogue.
//   time: UTC sources move to Japan time (+9 h) unless kept in UTC; whole minutes, the
//         seconds dropped (12:34:59.7 is 1234)
//   magnitude: x 10 rounded half up (4.45 is 45, -0.15 is -1); an event without one is dropped
//   depth: rounded to whole km (half up); unknown depth is 0
//   position: ddmm / dddmm with whole minutes

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/EarthquakeRecord.h"
#include "catalogue/NearestName.h"
#include "import/EventReader.h"

namespace kavelo::import {

// An inclusive range of values; an unset range lets everything through.
struct Range {
    bool set = false;
    double min = 0, max = 0;
};

struct ConvertOptions {
    bool keepUtc = false;   // UTC sources stay in UTC
    bool japanBox = false;  // drop events outside 24-50 N, 122-152 E
    int32_t fromDate = 0;   // YYYYMMDD of the converted time, 0 = open
    int32_t toDate = 0;     // inclusive, 0 = open
    bool allTypes = false;  // keep explosions, quarry blasts and other non-earthquakes
    // Applied to the converted record: magnitude as stored (x 10, compared with the bounds
    // x 10 rounded), whole km, and ddmm read back as degrees.
    Range mag, depth, lat, lon;
};

// Reasons in the order the summary lists them; new ones go at the end.
enum class Dropped {
    No,
    NoMagnitude,
    OutsideBox,
    OutsidePeriod,
    OutOfRange,
    NotEarthquake,
    OutsideMag,
    OutsideDepth,
    OutsideLat,
    OutsideLon
};

// False for event types that are not earthquakes (explosions, quarry blasts, collapses...);
// an empty or unreported type counts as an earthquake.
bool isEarthquakeType(std::string_view type);

// ddmm / dddmm read back as decimal degrees.
double ddmmToDegreesExact(int ddmm);
const char* describeDropped(Dropped why);

// Converts the event's time, position, depth and magnitude into rec (the name is left
// empty). Dropped::No when the event is to be kept.
Dropped convertEvent(const SourceEvent& ev, const ConvertOptions& options, EarthquakeRecord& rec);

// The record's region name: the source's own, else the one borrowed from names
// (nullptr: none), else empty.
void nameRecord(const SourceEvent& ev, const NearestNameIndex* names, EarthquakeRecord& rec);

// A name cut to the 31 bytes a record holds, never in the middle of a double-byte character.
std::string fitOriginName(std::string_view sjis);

// Same minute, latitude and longitude each within 0.1 degree (6'), magnitude within 0.2.
bool isDuplicate(const EarthquakeRecord& a, const EarthquakeRecord& b);

// Date-time order, records of equal time keeping their order.
void sortByDateTime(std::vector<EarthquakeRecord>& records);

// Finds records that duplicate one of those added before.
class DuplicateFinder {
  public:
    void add(const std::vector<EarthquakeRecord>& records);
    bool matches(const EarthquakeRecord& r) const;

  private:
    std::vector<EarthquakeRecord> records_;
    std::unordered_multimap<int64_t, std::size_t> byMinute_;
};

struct MergeResult {
    std::vector<EarthquakeRecord> records;  // in date-time order
    std::size_t duplicates = 0;             // imported records dropped as already stored
};
// The union of the stored and the imported records; an imported record that duplicates a
// stored one is dropped (the stored one stays as it is).
MergeResult mergeRecords(const std::vector<EarthquakeRecord>& stored,
                         const std::vector<EarthquakeRecord>& imported);

// "YYYY-MM-DD", "YYYY/MM/DD" or "YYYYMMDD" as YYYYMMDD; 0 when not a valid date.
int32_t parseDateArgument(std::string_view text);

}  // namespace kavelo::import
