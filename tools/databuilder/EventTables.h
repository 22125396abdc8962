#pragma once
// Tables of real earthquakes: the historical damaging events before 1885 and the
// notable events of 1885-2020. Parameters are approximate (epicentres to a few
// tenths of a degree, magnitudes as commonly quoted); texts are UTF-8 and become
// Shift-JIS when the files are written.

#include <vector>

namespace kavelo::data {

struct KnownEvent {
    int date;          // YYYYMMDD (years below 1000 have fewer digits)
    int time;          // HHMM, 0 when unknown
    double lat, lon;   // decimal degrees
    int depth;         // km, 0 when unknown
    int mag10;         // magnitude x 10
    const char* origin;   // source-region name stored in the catalogue
    const char* name;     // chronology name ("" = none)
    const char* article;  // chronology article ("" = none; nullptr = not in the chronology)
};

const std::vector<KnownEvent>& historicalEvents();  // before 1885, for RIKA.BIN
const std::vector<KnownEvent>& notableEvents();     // 1885-2020, inside GEPPO1.BIN

struct NameMapping {
    const char* stored;
    const char* shown;
};
// JAP-ORIGIN.CSV: older and abbreviated names to the names shown.
const std::vector<NameMapping>& originNameTable();

}  // namespace kavelo::data
