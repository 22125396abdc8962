#pragma once
// The agency's hypocentre catalogue: fixed 96-column records, Shift-JIS, times in JST.
//   col  1     record type (J = agency, U = USGS, I = ISC hypocentre; others are not hypocentres)
//   2-5 year, 6-7 month, 8-9 day, 10-11 hour, 12-13 minute, 14-17 seconds (F4.2)
//   22-24 latitude degrees, 25-28 minutes (F4.2); 33-36 longitude degrees, 37-40 minutes (F4.2)
//   45-49 depth km (F5.2, or F3.0 in 45-47 when the depth was fixed; blank when unknown)
//   53-54 first magnitude (F2.1; -0.1 ... -0.9 as "-1" ... "-9", -1.0 ... -3.9 as
//         "A0" ... "C9"; blank when none), 69-92 region name (24 bytes)

#include "import/EventReader.h"

namespace kavelo::import {

class JmaReader : public EventReader {
  public:
    const char* name() const override { return "jma"; }
    int recognise(std::string_view head) const override;
    ReadResult read(std::string_view bytes, const ReadOptions& options) const override;
};

// The same reading as a free function, for callers and fuzzers that hold a buffer.
ReadResult readJmaRecords(std::string_view bytes, const ReadOptions& options = {});

// One record line (without its line end) to an event; an empty string on success,
// otherwise why the line is not a usable hypocentre record.
std::string parseJmaRecord(std::string_view line, SourceEvent& ev);

// The first-magnitude field (two characters) times ten; nothing when blank; false when
// the field is not a magnitude.
bool decodeJmaMagnitude(std::string_view field, std::optional<int>& tenths);

}  // namespace kavelo::import
