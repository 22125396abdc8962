#pragma once
// Cell texts of the result list (Shift-JIS bytes), shared by the grid and file output.

#include <string>

#include "catalogue/EarthquakeRecord.h"

namespace kavelo {

// Shift-JIS degree and minute signs used in positions.
inline constexpr const char* kSjisDegree = "\x81\x4b";  // ゜
inline constexpr const char* kSjisMinute = "\x81\x4c";  // ´

// "%5d" sequence number of a full listing, "%6d" of a search result listing.
std::string formatListNumber(int number, bool searchResult);

// Columns 1 ... 8 of a row: earthquake number, date, time, latitude, longitude,
// depth, magnitude, origin name. catalogueIndex is 0-based.
std::string formatRecordCell(const EarthquakeRecord& r, int catalogueIndex, int column);

}  // namespace kavelo
