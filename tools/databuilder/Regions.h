#pragma once
// Epicentral region names in the style of the national agency's monthly reports,
// chosen for a position by the nearest reference point of a fixed table.

#include <string>

namespace kavelo::data {

// UTF-8 name of the region nearest to (lat, lon), in decimal degrees.
std::string regionName(double lat, double lon);

// Number of reference points (for the tests).
int regionCount();
std::string regionNameAt(int i);

}  // namespace kavelo::data
