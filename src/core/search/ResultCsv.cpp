#include "search/ResultCsv.h"

#include <cstdint>
#include <cstdio>

#include "catalogue/RecordFormat.h"
#include "platform/Numbers.h"

namespace kavelo {

namespace {
void appendLine(std::string& out, std::string_view a) {
    out.append(a);
    out.append("\r\n");
}
std::string pair(const char* label, const std::string& a, const std::string& b) {
    std::string s(label);
    s += ',';
    s += a;
    s += ',';
    s += b;
    return s;
}
void appendPadded(std::string& out, std::string_view cell, std::size_t width) {
    if (cell.size() < width) out.append(width - cell.size(), ' ');
    out.append(cell);
    out += ',';
}
}  // namespace

int coordinateCellToInt(std::string_view cell) {
    const int64_t deg = lenientToInt(cell);
    const int64_t min = cell.size() > 5 ? lenientToInt(cell.substr(5)) : 0;
    const int64_t v = deg * 100 + min;
    return static_cast<int>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
}

void appendCsvRow(const GridCells& c, std::string& out) {
    appendPadded(out, c[0], 12);
    appendPadded(out, c[1], 12);
    appendPadded(out, c[2], 12);
    appendPadded(out, c[3], 6);
    char buf[32];
    for (int k : {4, 5}) {
        const int n = std::snprintf(buf, sizeof buf, "%6d,", coordinateCellToInt(c[static_cast<std::size_t>(k)]));
        out.append(buf, static_cast<std::size_t>(n));
    }
    out.append(c[6]);
    out += ',';
    out.append(c[7]);
    out += ',';
    appendLine(out, c[8]);
}

std::string buildResultCsv(const CsvHeader& h, int rowCount, const GridRowSource& rows) {
    std::string out;
    out.reserve(512 + static_cast<std::size_t>(rowCount > 0 ? rowCount : 0) * 96);
    appendLine(out, h.fileName + (h.zone ? ",Zone" : ",District"));
    appendLine(out, pair("Date", h.date1, h.date2));
    char buf[96];
    if (h.zone) {
        std::snprintf(buf, sizeof buf, "P1.lat P1.lon,%d,%d", h.zone->p1Lat, h.zone->p1Lon);
        appendLine(out, buf);
        std::snprintf(buf, sizeof buf, "P2.lat P2.lon,%d,%d", h.zone->p2Lat, h.zone->p2Lon);
        appendLine(out, buf);
        std::snprintf(buf, sizeof buf, "Width,%d", h.zone->width);
        appendLine(out, buf);
    } else {
        appendLine(out, pair("Latitude", h.lat1, h.lat2));
        appendLine(out, pair("Longitude", h.lon1, h.lon2));
    }
    appendLine(out, pair("Magnitude", h.mag1, h.mag2));
    appendLine(out, pair("Depth", h.depth1, h.depth2));
    appendLine(out, "Origin," + h.origin);
    std::snprintf(buf, sizeof buf, "Count,%d", rowCount);
    appendLine(out, buf);
    appendLine(out, "");
    appendLine(out, "No,EqNo,Date,Time,Latitude,Longitude,Depth,Magnitude,Origin");
    GridCells cells;
    for (int r = 0; r < rowCount; ++r) {
        for (auto& c : cells) c.clear();
        rows(r, cells);
        appendCsvRow(cells, out);
    }
    return out;
}

void recordGridCells(const Catalogue& cat, int32_t index, int row, bool searchResult, GridCells& cells) {
    cells[0] = formatListNumber(row + 1, searchResult);
    const EarthquakeRecord& r = cat[index];
    for (int k = 1; k < 9; ++k) cells[static_cast<std::size_t>(k)] = formatRecordCell(r, index, k);
}

CsvWriteStatus writeCsvFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return CsvWriteStatus::CannotCreate;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        std::remove(path.c_str());
        return CsvWriteStatus::WriteFailed;
    }
    return CsvWriteStatus::Ok;
}

}  // namespace kavelo
