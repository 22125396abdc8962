#include "import/FdsnReader.h"

#include <cmath>

#include "import/CivilTime.h"
#include "import/TextFields.h"
#include "platform/SjisConvert.h"

namespace kavelo::import {

namespace {
constexpr int kNone = -1;

struct Columns {
    char delimiter = ',';
    int time = 0, lat = 1, lon = 2, depth = 3, mag = 4, place = kNone;
    int magType = 5, eventType = 14;  // ComCat's columns
    int count = 5;  // fields a data line needs at least
};

Columns fdsnTextDefaults() {
    Columns c;
    c.delimiter = '|';
    c.time = 1, c.lat = 2, c.lon = 3, c.depth = 4, c.mag = 10, c.place = 12;
    c.magType = 9, c.eventType = 13;
    c.count = 11;
    return c;
}

// Splits at the delimiter. Quoted fields (CSV) lose their quotes; a doubled quote inside
// stays doubled in the view and is undone by unquote(). False on an unclosed quote.
bool split(std::string_view line, char delim, std::vector<std::string_view>& out) {
    out.clear();
    std::size_t i = 0;
    for (;;) {
        if (delim == ',' && i < line.size() && line[i] == '"') {
            std::size_t j = i + 1;
            for (;;) {
                j = line.find('"', j);
                if (j == std::string_view::npos) return false;
                if (j + 1 < line.size() && line[j + 1] == '"') {
                    j += 2;
                    continue;
                }
                break;
            }
            out.push_back(line.substr(i + 1, j - i - 1));
            i = j + 1;
            while (i < line.size() && line[i] != delim) ++i;  // text after the closing quote
        } else {
            std::size_t j = line.find(delim, i);
            if (j == std::string_view::npos) j = line.size();
            out.push_back(line.substr(i, j - i));
            i = j;
        }
        if (i >= line.size()) return true;
        ++i;  // the delimiter
        if (i == line.size()) {
            out.push_back({});
            return true;
        }
    }
}

std::string unquote(std::string_view f) {
    std::string s;
    s.reserve(f.size());
    for (std::size_t i = 0; i < f.size(); ++i) {
        s += f[i];
        if (f[i] == '"' && i + 1 < f.size() && f[i + 1] == '"') ++i;
    }
    return s;
}

// The header's column positions, or false when the line is not a header.
bool headerColumns(std::string_view line, Columns& c) {
    std::string_view l = trim(line);
    bool hash = !l.empty() && l.front() == '#';
    if (hash) l.remove_prefix(1);
    c = Columns{};
    c.delimiter = l.find('|') != std::string_view::npos ? '|' : ',';
    c.time = c.lat = c.lon = c.depth = c.mag = c.place = c.magType = c.eventType = kNone;
    std::vector<std::string_view> names;
    if (!split(l, c.delimiter, names)) return false;
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        std::string_view n = trim(names[static_cast<std::size_t>(i)]);
        auto is = [&](std::string_view w) { return equalsIgnoreCase(n, w); };
        if (is("time") && c.time == kNone)
            c.time = i;
        else if (is("latitude") && c.lat == kNone)
            c.lat = i;
        else if (is("longitude") && c.lon == kNone)
            c.lon = i;
        else if ((is("depth") || is("depth/km")) && c.depth == kNone)
            c.depth = i;
        else if ((is("mag") || is("magnitude")) && c.mag == kNone)
            c.mag = i;
        else if ((is("eventlocationname") || is("place")) && c.place == kNone)
            c.place = i;
        else if (is("magtype") && c.magType == kNone)
            c.magType = i;
        else if ((is("eventtype") || is("type")) && c.eventType == kNone)
            c.eventType = i;
    }
    if (c.time == kNone || c.lat == kNone || c.lon == kNone) return false;
    c.count = std::max({c.time, c.lat, c.lon}) + 1;
    return true;
}

bool startsWithIsoTime(std::string_view field) {
    CivilTime t;
    return parseIsoTime(field, t).empty();
}

// The layout of a file from its first line: a header, or data in a known column order.
bool layoutOf(std::string_view first, Columns& c, bool& firstIsHeader) {
    firstIsHeader = headerColumns(first, c);
    if (firstIsHeader) return true;
    std::vector<std::string_view> f;
    if (first.find('|') != std::string_view::npos) {
        c = fdsnTextDefaults();
        return split(first, '|', f) && f.size() > 1 && startsWithIsoTime(f[1]);
    }
    c = Columns{};
    return split(first, ',', f) && !f.empty() && startsWithIsoTime(f[0]);
}

std::string lineToEvent(const std::vector<std::string_view>& f, const Columns& c, SourceEvent& ev) {
    if (static_cast<int>(f.size()) < c.count)
        return std::to_string(f.size()) + " fields, " + std::to_string(c.count) + " expected";
    auto at = [&](int i) {
        return i == kNone || i >= static_cast<int>(f.size()) ? std::string_view{}
                                                             : f[static_cast<std::size_t>(i)];
    };
    ev = SourceEvent{};
    ev.utc = true;
    std::string why = parseIsoTime(at(c.time), ev.time);
    if (!why.empty()) return why;
    auto lat = parseDecimal(at(c.lat)), lon = parseDecimal(at(c.lon));
    if (!lat || *lat < -90 || *lat > 90)
        return "latitude " + quoted(at(c.lat)) + " is not a number of degrees";
    if (!lon || *lon < -180 || *lon > 360)
        return "longitude " + quoted(at(c.lon)) + " is not a number of degrees";
    ev.setPosition(*lat, *lon > 180 ? *lon - 360 : *lon);
    if (!trim(at(c.depth)).empty()) {
        auto d = parseDecimal(at(c.depth));
        if (!d || std::fabs(*d) > 10000)
            return "depth " + quoted(at(c.depth)) + " is not a number of km";
        ev.depthKm = *d;
    }
    if (!trim(at(c.mag)).empty()) {
        auto m = parseDecimal(at(c.mag));
        if (!m || std::fabs(*m) > 20)
            return "magnitude " + quoted(at(c.mag)) + " is not a magnitude";
        // Some services write 0 for a magnitude they do not have; without a magnitude
        // type it is no measurement.
        const bool typeColumn = c.magType != kNone && c.magType < static_cast<int>(f.size());
        if (!(*m == 0 && typeColumn && trim(at(c.magType)).empty())) ev.mag = *m;
    }
    ev.eventType = std::string(trim(at(c.eventType)));
    // Only a name in Japanese is worth keeping; English place texts are not region names.
    std::string_view place = trim(at(c.place));
    if (hasNonAscii(place)) {
        if (auto sjis = utf8ToSjis(unquote(place))) ev.origin = *sjis;
    }
    return {};
}
}  // namespace

int FdsnReader::recognise(std::string_view head) const {
    const ReadOptions quiet;
    LineCursor cur(head, quiet);
    std::string_view line;
    while (cur.next(line)) {
        if (trim(line).empty()) continue;
        Columns c;
        bool header = false;
        if (layoutOf(line, c, header)) return header ? 90 : 40;
        if (trim(line).front() != '#') return 0;
    }
    return 0;
}

ReadResult FdsnReader::read(std::string_view bytes, const ReadOptions& options) const {
    ReadResult res;
    LineCursor cur(bytes, options);
    std::string_view line;
    Columns c;
    bool haveLayout = false;
    std::vector<std::string_view> fields;
    while (cur.next(line)) {
        if (trim(line).empty()) {
            ++res.ignored["blank line"];
            continue;
        }
        if (!haveLayout) {
            bool header = false;
            if (!layoutOf(line, c, header)) {
                if (trim(line).front() == '#') {  // a remark before the header
                    ++res.ignored["comment line"];
                    continue;
                }
                res.error =
                    "line " + std::to_string(cur.lineNumber()) +
                    " is neither a header naming time, latitude and longitude nor an event line";
                break;
            }
            haveLayout = true;
            if (header) {
                ++res.ignored["header line"];
                continue;
            }
        }
        if (trim(line).front() == '#') {
            ++res.ignored["comment line"];
            continue;
        }
        SourceEvent ev;
        std::string why;
        if (!split(line, c.delimiter, fields))
            why = "a quoted field is not closed";
        else
            why = lineToEvent(fields, c, ev);
        if (!why.empty()) {
            if (res.problem(cur.lineNumber(), std::move(why), options)) break;
            continue;
        }
        ev.line = cur.lineNumber();
        res.events.push_back(std::move(ev));
    }
    res.linesRead = cur.lineNumber();
    if (!res.stopped && res.error.empty()) cur.finish();
    return res;
}

ReadResult readFdsnText(std::string_view bytes, const ReadOptions& options) {
    return FdsnReader().read(bytes, options);
}

}  // namespace kavelo::import
