#pragma once
// FDSN event text ("#EventID|Time|Latitude|Longitude|Depth/km|...|Magnitude|...") and
// USGS ComCat CSV ("time,latitude,longitude,depth,mag,..."), times in ISO-8601 UTC.
// Columns are found by their header names; a file without a header is read in the
// column order of its format.

#include "import/EventReader.h"

namespace kavelo::import {

class FdsnReader : public EventReader {
  public:
    const char* name() const override { return "fdsn"; }
    int recognise(std::string_view head) const override;
    ReadResult read(std::string_view bytes, const ReadOptions& options) const override;
};

// The same reading as a free function, for callers and fuzzers that hold a buffer.
ReadResult readFdsnText(std::string_view bytes, const ReadOptions& options = {});

}  // namespace kavelo::import
