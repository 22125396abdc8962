#pragma once
// External hypocentre lists: four text formats read into a list of up to 50000
// EarthquakeRecords, each with the nine cell texts its format shows in the grid.
//
// Every reader works on bytes (readExternalText) as well as on a file
// (readExternalFile); the per-line parsers below are the units both use.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EarthquakeRecord.h"
#include "platform/Numbers.h"

namespace kavelo {

class NearestOriginIndex;

constexpr int32_t kExternalCapacity = 50000;

enum class ExternalFormat : int {
    AgencyList = 1,  // year month day hour minute second lat lon depth mag, decimal degrees
    OwnText = 2,     // yyyy/mm/dd hh:mm ddmm dddmm depth mag
    KaveloCsv = 3,   // the result CSV of this program
    Unified = 4,     // the unified hypocentre list, fixed character positions
};

// Bytes of a line that a format reads; the rest of a longer line is dropped (it never
// becomes a line of its own).
std::size_t externalLineLimit(ExternalFormat f);

// Header lines of the result CSV that format 3 skips; a CSV written while a zone was in
// force has one more, recognised by its column-name line coming one line later.
constexpr int kCsvHeaderLines = 10;
constexpr std::string_view kCsvColumnNames = "No,EqNo,Date,Time,Latitude,Longitude,Depth,Magnitude,Origin";

// The nine grid cells of one row (Shift-JIS), kept in one string.
class RowCells {
  public:
    static constexpr int kColumns = 9;
    std::string_view cell(int column) const;
    void assign(const std::array<std::string_view, kColumns>& cells);

  private:
    std::string text_;
    std::array<uint32_t, kColumns + 1> start_{};
};

struct ExternalList {
    std::vector<EarthquakeRecord> records;  // kExternalCapacity slots
    std::vector<RowCells> cells;            // one per record read
    int32_t count = 0;
    ExternalFormat format = ExternalFormat::AgencyList;

    ExternalList() : records(static_cast<std::size_t>(kExternalCapacity)) {}
    void clear() {
        count = 0;
        cells.clear();
    }
};

struct ExternalReadOptions {
    // Format 4: keep magnitudes of 4.0 and over only.
    bool magnitude40 = true;
    // Format 4: where origin names are borrowed from (none: names stay empty).
    const NearestOriginIndex* origins = nullptr;
    // Format 4: called with the running count after every progressStep records.
    std::function<void(int32_t)> progress;
    int32_t progressStep = 500;
};

struct ExternalReadResult {
    bool opened = true;   // false: the file could not be opened or read
    int32_t count = 0;    // records in the list
    int64_t leftOut = 0;  // records past the capacity, not kept
    int64_t lines = 0;    // lines read
    int64_t headerLines = 0;  // of them skipped as the result CSV's header (format 3)
};

// Reads a whole list, replacing the content of out from index 0.
ExternalReadResult readExternalText(std::string_view bytes, ExternalFormat format,
                                    const ExternalReadOptions& options, ExternalList& out);
ExternalReadResult readExternalFile(const std::string& path, ExternalFormat format,
                                    const ExternalReadOptions& options, ExternalList& out);

// ---- One line of each format (without its line end). row is the 0-based list position
// the line would take. The first three formats take every line; the unified list
// returns false for a line it skips.
void parseAgencyLine(std::string_view line, int row, EarthquakeRecord& rec, RowCells* cells);
void parseOwnTextLine(std::string_view line, int row, EarthquakeRecord& rec, RowCells* cells);
void parseCsvLine(std::string_view line, int row, EarthquakeRecord& rec, RowCells* cells);
bool parseUnifiedLine(std::string_view line, int row, const ExternalReadOptions& options,
                      EarthquakeRecord& rec, RowCells* cells);

// ---- Number reading used by the readers.
// lenientToDecimal (platform/Numbers.h) reads the decimal fields.
// Decimal degrees to degree-minutes: whole degrees x 100 + truncated minutes.
int32_t decimalDegreesToDdmm(double degrees);
// A name cut to at most maxBytes without splitting a double-byte character.
std::string_view cutSjis(std::string_view text, std::size_t maxBytes);

}  // namespace kavelo
