#include "search/ResultCsv.h"

#include <cstdint>
#include <cstdio>

#include "catalogue/RecordFormat.h"
#include "platform/IntText.h"
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
    const std::size_t degree = cell.find(kSjisDegree);
    const std::size_t minutes = degree == std::string_view::npos ? 5 : degree + 2;
    const int64_t min = cell.size() > minutes ? lenientToInt(cell.substr(minutes)) : 0;
    const int64_t v = deg * 100 + min;
    return static_cast<int>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
}

void appendCsvRow(const GridCells& c, std::string& out) {
    appendPadded(out, c[0], 12);
    appendPadded(out, c[1], 12);
    appendPadded(out, c[2], 12);
    appendPadded(out, c[3], 6);
    for (int k : {4, 5}) {
        appendInt(out, coordinateCellToInt(c[static_cast<std::size_t>(k)]), 6);
        out += ',';
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

// The same texts as formatListNumber and formatRecordCell, written without printf.
void recordGridCells(const Catalogue& cat, int32_t index, int row, bool searchResult,
                     GridCells& cells) {
    for (auto& c : cells) c.clear();
    const EarthquakeRecord& r = cat[index];
    appendInt(cells[0], int64_t{row} + 1, searchResult ? 6 : 5);
    appendInt(cells[1], int64_t{index} + 1, 5);
    const int32_t year = r.date / 10000;
    appendInt(cells[2], year, 4);
    cells[2] += '/';
    appendInt(cells[2], (int64_t{r.date} - int64_t{year} * 10000) / 100, 2, true);
    cells[2] += '/';
    appendInt(cells[2], r.date % 100, 2, true);
    cells[3] += ' ';
    appendInt(cells[3], r.time / 100, 2, true);
    cells[3] += ':';
    appendInt(cells[3], r.time % 100, 2, true);
    for (auto [k, v] : {std::pair{4, r.lat}, std::pair{5, r.lon}}) {
        std::string& c = cells[static_cast<std::size_t>(k)];
        appendInt(c, v / 100, 3);
        c += kSjisDegree;
        appendInt(c, v % 100, 2, true);
        c += kSjisMinute;
    }
    appendInt(cells[6], r.depth, 4);
    const int mag = r.mag;  // a negative one with its sign before the whole value
    if (mag < 0) {
        std::string whole = "-";
        appendInt(whole, -mag / 10);
        if (whole.size() < 3) cells[7].append(3 - whole.size(), ' ');
        cells[7] += whole;
    } else {
        appendInt(cells[7], mag / 10, 3);
    }
    cells[7] += '.';
    appendInt(cells[7], (mag < 0 ? -mag : mag) % 10, 1, true);
    cells[8].assign(r.originName());
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
