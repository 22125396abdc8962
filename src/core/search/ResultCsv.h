#pragma once
// The result list as a CSV file: a header with the search conditions (or the zone),
// then one line per grid row built from the row's nine cell texts. Shift-JIS, CR LF.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Catalogue.h"

namespace kavelo {

struct CsvZone {
    int p1Lat = 0, p1Lon = 0;  // ddmm, dddmm
    int p2Lat = 0, p2Lon = 0;
    int width = 0;
};

// Texts of the condition fields as typed (Shift-JIS) and the zone in force, if any.
struct CsvHeader {
    std::string fileName;  // without directory
    std::string date1, date2, lat1, lat2, lon1, lon2, mag1, mag2, depth1, depth2, origin;
    std::optional<CsvZone> zone;
};

using GridCells = std::array<std::string, 9>;
// Fills the cells of grid row r.
using GridRowSource = std::function<void(int row, GridCells& cells)>;

// A coordinate cell "%3d゜%02d´" back to ddmm: the leading integer x 100 plus the
// leading integer from the sixth byte on.
int coordinateCellToInt(std::string_view cell);

// Appends one data line (with CR LF) for the cells of a row.
void appendCsvRow(const GridCells& cells, std::string& out);

// The whole file.
std::string buildResultCsv(const CsvHeader& header, int rowCount, const GridRowSource& rows);

// The cells of a listed record, as the result grid shows them: the sequence number of
// row (1-based in the text), then columns 1 ... 8 of Catalogue[index].
void recordGridCells(const Catalogue& cat, int32_t index, int row, bool searchResult,
                     GridCells& cells);

enum class CsvWriteStatus { Ok, CannotCreate, WriteFailed };
// Replaces the file with the bytes. A failed write removes what was written, so that
// no cut-off list is left behind.
CsvWriteStatus writeCsvFile(const std::string& path, std::string_view bytes);

}  // namespace kavelo
