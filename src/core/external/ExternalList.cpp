#include "external/ExternalList.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "external/FieldSplit.h"
#include "external/NearestOrigin.h"
#include "platform/IntText.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

namespace kavelo {

namespace {

int16_t clamp16(int64_t v) {
    return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}
int32_t clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
// Truncation toward zero of a value that may lie far outside every integer range.
int64_t truncate64(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int64_t>(std::clamp(v, -1e15, 1e15));
}

std::string_view from(std::string_view s, std::size_t pos) {
    return pos < s.size() ? s.substr(pos) : std::string_view();
}
std::string_view part(std::string_view s, std::size_t pos, std::size_t n) {
    return pos < s.size() ? s.substr(pos, n) : std::string_view();
}
int fieldInt(const std::vector<std::string>& f, std::size_t k) {
    return k < f.size() ? lenientToInt(f[k]) : 0;
}
double fieldDecimal(const std::vector<std::string>& f, std::size_t k) {
    return k < f.size() ? lenientToDecimal(f[k]) : 0.0;
}
std::string_view fieldText(const std::vector<std::string>& f, std::size_t k) {
    return k < f.size() ? std::string_view(f[k]) : std::string_view();
}

// Magnitude of formats 1 and 2: the value nudged by 0.0001 against binary fractions
// just below a tenth, then tenths truncated.
double nudgedMagnitude(double v) {
    return v + 0.0001;
}

// Small formatted texts without allocation.
struct Text {
    char buf[64];
    int n = 0;
    template <typename... A>
    std::string_view operator()(const char* fmt, A... a) {
        n = std::snprintf(buf, sizeof buf, fmt, a...);
        n = std::clamp(n, 0, static_cast<int>(sizeof buf) - 1);
        return {buf, static_cast<std::size_t>(n)};
    }
};

std::string withBlanks(std::string_view blanks, std::string_view text) {
    std::string s(blanks);
    s.append(text);
    return s;
}

}  // namespace

// ---------------------------------------------------------------- helpers

std::size_t externalLineLimit(ExternalFormat f) {
    switch (f) {
        case ExternalFormat::Unified:
            return 1499;
        // The result CSV's own lines reach 102 bytes with a 31-byte name; the limit
        // keeps them whole so that a list written and read back keeps its names.
        case ExternalFormat::KaveloCsv:
            return 127;
        default:
            return 99;
    }
}

int32_t decimalDegreesToDdmm(double v) {
    if (!std::isfinite(v)) return 0;
    v = std::clamp(v, -1e9, 1e9);
    const double d = std::trunc(v);
    const int64_t minutes = truncate64((v - d) * 60.0);
    return clamp32(truncate64(d) * 100 + minutes);
}

std::string_view cutSjis(std::string_view text, std::size_t maxBytes) {
    // A lead byte without its second byte (a field cut by the line limit) is dropped too.
    const std::size_t limit = std::min(text.size(), maxBytes);
    std::size_t i = 0;
    while (i < limit) {
        const std::size_t w = isSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + w > limit) break;
        i += w;
    }
    return text.substr(0, i);
}

std::string_view RowCells::cell(int c) const {
    if (c < 0 || c >= kColumns) return {};
    const auto i = static_cast<std::size_t>(c);
    return std::string_view(text_).substr(start_[i], start_[i + 1] - start_[i]);
}

void RowCells::assign(const std::array<std::string_view, kColumns>& cells) {
    std::size_t total = 0;
    for (auto c : cells) total += c.size();
    text_.clear();
    text_.reserve(total);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        start_[i] = static_cast<uint32_t>(text_.size());
        text_.append(cells[i]);
    }
    start_[kColumns] = static_cast<uint32_t>(text_.size());
}

// ---------------------------------------------------------------- format 1

void parseAgencyLine(std::string_view line, int row, EarthquakeRecord& rec, RowCells* cells) {
    thread_local std::vector<std::string> f;
    splitFields(line, f);
    const int year = fieldInt(f, 0), month = fieldInt(f, 1), day = fieldInt(f, 2);
    const int hour = fieldInt(f, 3), minute = fieldInt(f, 4);
    const double mag = nudgedMagnitude(fieldDecimal(f, 9));
    rec = EarthquakeRecord{};
    rec.date = clamp32(int64_t{year} * 10000 + int64_t{month} * 100 + day);
    rec.time = clamp16(int64_t{hour} * 100 + minute);
    rec.lat = clamp16(decimalDegreesToDdmm(fieldDecimal(f, 6)));
    rec.lon = clamp16(decimalDegreesToDdmm(fieldDecimal(f, 7)));
    rec.depth = clamp16(fieldInt(f, 8));
    rec.mag = clamp16(truncate64(mag * 10.0));
    if (!cells) return;
    Text c0, c2, c3, c4, c5, c6, c7;
    cells->assign({c0("%4d", row + 1),
                   {},
                   c2(" %4d/%02d/%02d", year, month, day),
                   c3("  %02d:%02d", hour, minute),
                   c4("%6d", rec.lat),
                   c5("%6d", rec.lon),
                   c6("%5d", rec.depth),
                   c7("%5.1f", std::clamp(mag, -1e6, 1e6)),
                   {}});
}

// ---------------------------------------------------------------- format 2

void parseOwnTextLine(std::string_view line, int row, EarthquakeRecord& rec, RowCells* cells) {
    thread_local std::vector<std::string> f;
    splitFields(line, f);
    const int year = lenientToInt(part(line, 0, 4)), month = lenientToInt(part(line, 5, 2)),
              day = lenientToInt(part(line, 8, 2));
    const std::string_view timeField = fieldText(f, 1);
    const int hour = lenientToInt(part(timeField, 0, 2)), minute = lenientToInt(from(timeField, 3));
    const double mag = nudgedMagnitude(fieldDecimal(f, 5));
    rec = EarthquakeRecord{};
    rec.date = clamp32(int64_t{year} * 10000 + int64_t{month} * 100 + day);
    rec.time = clamp16(int64_t{hour} * 100 + minute);
    rec.lat = clamp16(fieldInt(f, 2));
    rec.lon = clamp16(fieldInt(f, 3));
    rec.depth = clamp16(fieldInt(f, 4));
    rec.mag = clamp16(truncate64(mag * 10.0));
    if (!cells) return;
    Text c0, c7;
    const std::string c2 = withBlanks(" ", fieldText(f, 0)), c3 = withBlanks("  ", fieldText(f, 1)),
                      c4 = withBlanks("  ", fieldText(f, 2)),
                      c5 = withBlanks("  ", fieldText(f, 3)),
                      c6 = withBlanks("  ", fieldText(f, 4));
    cells->assign(
        {c0("%4d", row + 1), {}, c2, c3, c4, c5, c6, c7("%5.1f", std::clamp(mag, -1e6, 1e6)), {}});
}

// ---------------------------------------------------------------- format 3

namespace {

// The leading integers of the first three pieces of a field between its separators:
// "416/08/23" as well as "2001/06/03" (the grid writes years below 1000 with fewer
// digits, and negative months, days and minutes with a sign).
std::array<int, 3> csvPieces(std::string_view field, char separator) {
    std::array<int, 3> v{};
    std::size_t pos = 0;
    for (int& x : v) {
        x = lenientToInt(from(field, pos));
        const std::size_t next = field.find(separator, pos);
        if (next == std::string_view::npos) break;
        pos = next + 1;
    }
    return v;
}

// The magnitude in tenths from its cell text. The grid's texts "6.5", "10.5", "-0.5"
// (and the older "0.-5" and "-1.-5" of negative values) read as sign, whole part and
// tenths digit. Any other text keeps the short rule: the third character takes the
// place of the second and the first two are read ("6" -> 6).
int csvMagnitude(std::string_view m) {
    std::size_t i = 0;
    const bool negative = i < m.size() && m[i] == '-';
    if (i < m.size() && (m[i] == '-' || m[i] == '+')) ++i;
    int64_t whole = 0;
    const std::size_t digits = i;
    for (; i < m.size() && m[i] >= '0' && m[i] <= '9'; ++i) whole = std::min<int64_t>(whole * 10 + (m[i] - '0'), 1'000'000);
    if (i > digits && i < m.size() && m[i] == '.') {
        ++i;
        const bool negativeTenths = i < m.size() && m[i] == '-';
        if (negativeTenths) ++i;
        if (i < m.size() && m[i] >= '0' && m[i] <= '9') {
            const int tenths = m[i] - '0';
            if (negativeTenths) return clamp32((negative ? -whole : whole) * 10 - tenths);
            return clamp32((negative ? -1 : 1) * (whole * 10 + tenths));
        }
    }
    char mag[3] = {0, 0, 0};
    for (std::size_t k = 0; k < 3 && k < m.size(); ++k) mag[k] = m[k];
    mag[1] = mag[2];
    return lenientToInt(std::string_view(mag, mag[0] == 0 ? 0 : mag[1] == 0 ? 1 : 2));
}

}  // namespace

void parseCsvLine(std::string_view line, int row, EarthquakeRecord& rec, RowCells* cells) {
    thread_local std::vector<std::string> f;
    splitCommaFields(line, f);
    const std::string_view date = fieldText(f, 2), time = fieldText(f, 3);
    // Without separators the fixed character positions of "yyyy/mm/dd" and "hh:mm".
    const std::array<int, 3> ymd =
        date.find('/') != std::string_view::npos
            ? csvPieces(date, '/')
            : std::array<int, 3>{lenientToInt(part(date, 0, 4)), lenientToInt(part(date, 5, 2)),
                                 lenientToInt(part(date, 8, 2))};
    const std::array<int, 3> hm =
        time.find(':') != std::string_view::npos
            ? csvPieces(time, ':')
            : std::array<int, 3>{lenientToInt(part(time, 0, 2)), lenientToInt(from(time, 3)), 0};
    const int year = ymd[0], month = ymd[1], day = ymd[2], hour = hm[0], minute = hm[1];
    rec = EarthquakeRecord{};
    rec.date = clamp32(int64_t{year} * 10000 + int64_t{month} * 100 + day);
    rec.time = clamp16(int64_t{hour} * 100 + minute);
    rec.lat = clamp16(fieldInt(f, 4));
    rec.lon = clamp16(fieldInt(f, 5));
    rec.depth = clamp16(fieldInt(f, 6));
    rec.mag = clamp16(csvMagnitude(fieldText(f, 7)));
    rec.setOrigin(cutSjis(fieldText(f, 8), kOriginSize - 1));
    if (!cells) return;
    Text c0, c1;
    std::array<std::string, 6> rest;
    for (std::size_t k = 0; k < rest.size(); ++k) rest[k] = withBlanks("  ", fieldText(f, 3 + k));
    cells->assign({c0("%4d", row + 1), c1("%5d", fieldInt(f, 1)), date, rest[0], rest[1], rest[2],
                   rest[3], rest[4], rest[5]});
}

// ---------------------------------------------------------------- format 4

bool parseUnifiedLine(std::string_view line, int row, const ExternalReadOptions& options,
                      EarthquakeRecord& rec, RowCells* cells) {
    if (line.size() < 17 || line[4] != '-' || line[7] != '-' || line[13] != ':' || line[16] != ':')
        return false;
    const double magValue = lenientToDecimal(part(line, 73, 4));
    if (magValue < 0) return false;
    const int64_t mag = truncate64((magValue + 0.05) * 10.0);
    if (options.magnitude40 && mag < 40) return false;

    const int year = lenientToInt(part(line, 0, 4)), month = lenientToInt(part(line, 5, 2)),
              day = lenientToInt(part(line, 8, 2));
    const int32_t date = clamp32(int64_t{year} * 10000 + int64_t{month} * 100 + day);
    if (date == 0) return false;

    // Seconds of 30 or more round up to the next minute (the hour is not carried).
    const int hour = lenientToInt(from(line, 11));
    const int64_t minute =
        int64_t{lenientToInt(from(line, 14))} + truncate64(lenientToDecimal(from(line, 17)) / 30.0);

    const double latDeg = lenientToDecimal(from(line, 31));
    const int32_t lat = decimalDegreesToDdmm(latDeg);
    if (lat < 2400 || lat > 5000) return false;
    const double lonDeg = lenientToDecimal(from(line, 45));
    const int32_t lon = decimalDegreesToDdmm(lonDeg);
    if (lon < 12200 || lon > 15200) return false;

    // The depth as "%5.0f" writes it: the nearest whole number, halves to even (the
    // default rounding mode, as printf uses it), and "-0" for a small negative value.
    const double depthValue =
        std::nearbyint(std::clamp(lenientToDecimal(from(line, 60)), -1e6, 1e6));
    std::string depth;
    if (depthValue == 0 && std::signbit(depthValue))
        depth = "   -0";
    else
        appendInt(depth, static_cast<int64_t>(depthValue), 5);

    rec = EarthquakeRecord{};
    rec.date = date;
    rec.time = clamp16(int64_t{hour} * 100 + minute);
    rec.lat = static_cast<int16_t>(lat);
    rec.lon = static_cast<int16_t>(lon);
    rec.depth = clamp16(lenientToInt(depth));
    rec.mag = clamp16(mag);
    if (options.origins) rec.setOrigin(options.origins->originName(latDeg, lonDeg));
    if (!cells) return true;
    // Short texts that stay in the strings' own storage: no allocation per line.
    std::string c0, c2, c3 = "  ", c4 = "  ", c5 = "  ", c7;
    appendInt(c0, int64_t{row} + 1, 4);
    appendInt(c2, year);
    c2 += '/';
    appendInt(c2, month, 2, true);
    c2 += '/';
    appendInt(c2, day, 2, true);
    appendInt(c3, hour, 2, true);
    c3 += ':';
    appendInt(c3, minute, 2, true);
    appendInt(c4, lat);
    appendInt(c5, lon);
    appendInt(c7, rec.mag, 4);
    cells->assign({c0, {}, c2, c3, c4, c5, depth, c7, rec.originName()});
    return true;
}

// ---------------------------------------------------------------- whole lists

namespace {

class ListReader {
  public:
    ListReader(ExternalFormat format, const ExternalReadOptions& options, ExternalList& out)
        : format_(format), options_(options), out_(out) {
        // Past the capacity lines are only counted: no names, no progress.
        counting_.magnitude40 = options.magnitude40;
        out_.clear();
        out_.format = format;
        out_.cells.reserve(4096);
    }

    void line(std::string_view l) {
        ++res_.lines;
        // A NUL byte ends what is readable of a line.
        if (const void* nul = std::memchr(l.data(), 0, l.size()))
            l = l.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - l.data()));
        if (format_ == ExternalFormat::KaveloCsv && csvHeaderLine(l)) {
            ++res_.headerLines;
            return;
        }
        const bool full = out_.count >= kExternalCapacity;
        EarthquakeRecord scratch;
        EarthquakeRecord& rec = full ? scratch : out_.records[static_cast<std::size_t>(out_.count)];
        RowCells* cells = nullptr;
        if (!full) cells = &out_.cells.emplace_back();
        bool taken = true;
        switch (format_) {
            case ExternalFormat::AgencyList:
                parseAgencyLine(l, out_.count, rec, cells);
                break;
            case ExternalFormat::OwnText:
                parseOwnTextLine(l, out_.count, rec, cells);
                break;
            case ExternalFormat::KaveloCsv:
                parseCsvLine(l, out_.count, rec, cells);
                break;
            case ExternalFormat::Unified:
                taken = parseUnifiedLine(l, out_.count, full ? counting_ : options_, rec, cells);
                break;
        }
        if (!taken) {
            if (cells) out_.cells.pop_back();
            return;
        }
        if (full) {
            ++res_.leftOut;
            return;
        }
        ++out_.count;
        if (options_.progress && options_.progressStep > 0 &&
            out_.count % options_.progressStep == 0)
            options_.progress(out_.count);
    }

    // The result CSV's header: ten lines, or eleven when a zone was in force (its two
    // end points and width take the place of the latitude and longitude lines), which
    // shows in the column-name line falling on line 11.
    bool csvHeaderLine(std::string_view l) const {
        if (res_.lines <= kCsvHeaderLines) return true;
        return res_.lines == kCsvHeaderLines + 1 && l.substr(0, kCsvColumnNames.size()) == kCsvColumnNames;
    }

    ExternalReadResult finish() {
        res_.count = out_.count;
        return res_;
    }

  private:
    ExternalFormat format_;
    const ExternalReadOptions& options_;
    ExternalReadOptions counting_;
    ExternalList& out_;
    ExternalReadResult res_;
};

// Feeds the lines of a text to the reader: LF ends a line, a CR before it is dropped,
// bytes past the limit are dropped up to the line end.
void feedLines(std::string_view bytes, std::size_t limit, ListReader& reader) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t lf = bytes.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view l = bytes.substr(pos, end - pos);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        reader.line(l.substr(0, std::min(l.size(), limit)));
        pos = end + 1;
    }
}

}  // namespace

ExternalReadResult readExternalText(std::string_view bytes, ExternalFormat format,
                                    const ExternalReadOptions& options, ExternalList& out) {
    ListReader reader(format, options, out);
    feedLines(bytes, externalLineLimit(format), reader);
    return reader.finish();
}

ExternalReadResult readExternalFile(const std::string& path, ExternalFormat format,
                                    const ExternalReadOptions& options, ExternalList& out) {
    ListReader reader(format, options, out);
    const std::size_t limit = externalLineLimit(format);
    // Regular files only: a folder or a pipe is no list (and a pipe would block).
    struct stat st {};
    std::FILE* f = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)
                       ? std::fopen(path.c_str(), "rb")
                       : nullptr;
    if (!f) {
        ExternalReadResult r = reader.finish();
        r.opened = false;
        return r;
    }
    // Read in blocks. Of each line the first limit + 1 bytes are kept (enough to know
    // whether a CR ends what the limit keeps), however long the line runs.
    std::string pending;
    std::size_t total = 0;
    char last = 0;
    auto endLine = [&] {
        const std::size_t content = total - (last == '\r' ? 1 : 0);
        reader.line(std::string_view(pending).substr(0, std::min(content, limit)));
        pending.clear();
        total = 0;
        last = 0;
    };
    std::vector<char> buf(1 << 16);
    bool readError = false;
    for (;;) {
        const std::size_t n = std::fread(buf.data(), 1, buf.size(), f);
        if (n == 0) {
            readError = std::ferror(f) != 0;
            break;
        }
        const std::string_view chunk(buf.data(), n);
        std::size_t pos = 0;
        while (pos < chunk.size()) {
            const std::size_t lf = chunk.find('\n', pos);
            const std::size_t end = lf == std::string_view::npos ? chunk.size() : lf;
            if (end > pos) {
                const std::size_t room =
                    limit + 1 > pending.size() ? limit + 1 - pending.size() : 0;
                pending.append(chunk.substr(pos, std::min(room, end - pos)));
                total += end - pos;
                last = chunk[end - 1];
            }
            if (lf == std::string_view::npos) break;
            endLine();
            pos = lf + 1;
        }
    }
    if (total > 0) endLine();
    std::fclose(f);
    ExternalReadResult r = reader.finish();
    if (readError) r.opened = false;
    return r;
}

}  // namespace kavelo
