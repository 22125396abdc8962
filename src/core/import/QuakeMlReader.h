#pragma once
// QuakeML 1.2 event files: for each event its preferred origin (time, latitude,
// longitude, depth in metres) and its preferred magnitude, read with an XML parser.

#include "import/EventReader.h"

namespace kavelo::import {

class QuakeMlReader : public EventReader {
  public:
    const char* name() const override { return "quakeml"; }
    int recognise(std::string_view head) const override;
    ReadResult read(std::string_view bytes, const ReadOptions& options) const override;
};

// The same reading as a free function, for callers and fuzzers that hold a buffer.
ReadResult readQuakeMl(std::string_view bytes, const ReadOptions& options = {});

}  // namespace kavelo::import
