#include "import/JmaReader.h"

#include <cmath>

#include "import/CivilTime.h"
#include "import/TextFields.h"
#include "platform/ShiftJis.h"

namespace kavelo::import {

namespace {
constexpr std::size_t kRecordLength = 96;
constexpr std::size_t kMinimumLength = 54;  // through the first magnitude

bool isHypocentreType(char c) {
    return c == 'J' || c == 'U' || c == 'I';
}
bool allDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return !s.empty();
}
bool allBlank(std::string_view s) {
    for (char c : s)
        if (c != ' ') return false;
    return true;
}

// Columns from..to (1-based, inclusive) of a line padded with blanks to 96 bytes.
std::string_view cols(std::string_view line, std::size_t from, std::size_t to) {
    return line.substr(from - 1, to - from + 1);
}

// A fixed-decimal field with implied decimals: leading blanks are ignored, blanks after
// the first digit count as zeros ("57  " is 57.00 in F4.2); an explicit point wins.
std::optional<double> fixedDecimal(std::string_view field, int decimals) {
    std::string_view t = trim(field);
    if (t.empty()) return std::nullopt;
    if (t.find('.') != std::string_view::npos) return parseDecimal(t);
    std::size_t first = field.find_first_not_of(' ');
    std::string digits(field.substr(first));
    for (char& c : digits)
        if (c == ' ') c = '0';
    auto v = parseInteger(digits);
    if (!v) return std::nullopt;
    return *v / std::pow(10.0, decimals);
}

// A degrees field: an optional sign, blanks allowed between it and the digits.
std::optional<int> signedDegrees(std::string_view field) {
    std::string_view t = trim(field);
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        std::string joined(1, t[0]);
        joined += trim(t.substr(1));
        return parseInteger(joined);
    }
    return parseInteger(t);
}

// A minutes field (F4.2); blank is zero minutes.
std::optional<double> minutesField(std::string_view field) {
    if (allBlank(field)) return 0.0;
    return fixedDecimal(field, 2);
}

// Why a line that does not start with a hypocentre type is no record at all; empty when
// it looks like a record of another type (phase, comment, end of event).
std::string notARecord(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c == 0x7f)
            return "not a record: control byte " + std::to_string(c) + " in column " +
                   std::to_string(i + 1);
    }
    const unsigned char first = static_cast<unsigned char>(line[0]);
    if (!((first >= 'A' && first <= 'Z') || (first >= '0' && first <= '9')))
        return "not a record: column 1 holds " + quoted(line.substr(0, 1)) +
               ", not a record type";
    std::size_t end = line.find_last_not_of(' ') + 1;
    if (end > kRecordLength)
        return "not a record: " + std::to_string(end) + " bytes, longer than 96 columns";
    return {};
}

// The region name without the blanks (ASCII or full-width) that pad it, never keeping
// half of a double-byte character: a lead byte whose second byte is missing or NUL
// ends the name before it.
std::string regionName(std::string_view field) {
    std::size_t start = std::string_view::npos, end = 0;
    for (std::size_t i = 0; i < field.size();) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        std::size_t w = 1;
        bool blank = c == ' ' || c == 0;
        if (isSjisLeadByte(c)) {
            if (i + 1 >= field.size() || field[i + 1] == 0) break;
            w = 2;
            blank = c == 0x81 && static_cast<unsigned char>(field[i + 1]) == 0x40;
        }
        if (!blank) {
            if (start == std::string_view::npos) start = i;
            end = i + w;
        }
        i += w;
    }
    return start == std::string_view::npos ? std::string()
                                           : std::string(field.substr(start, end - start));
}
}  // namespace

bool decodeJmaMagnitude(std::string_view f, std::optional<int>& tenths) {
    tenths.reset();
    if (f.size() != 2) return false;
    const char a = f[0], b = f[1];
    if (a == ' ' && b == ' ') return true;
    if (b < '0' || b > '9') return false;
    const int d = b - '0';
    if (a == ' ' || (a >= '0' && a <= '9')) {
        tenths = (a == ' ' ? 0 : (a - '0') * 10) + d;
    } else if (a == '-') {
        tenths = -d;
    } else if (a >= 'A' && a <= 'C') {
        tenths = -((a - 'A' + 1) * 10 + d);
    } else {
        return false;
    }
    return true;
}

std::string parseJmaRecord(std::string_view raw, SourceEvent& ev) {
    if (raw.size() < kMinimumLength)
        return "record of " + std::to_string(raw.size()) + " bytes is too short (96 expected)";
    std::string padded(raw.substr(0, kRecordLength));
    padded.resize(kRecordLength, ' ');
    const std::string_view line = padded;

    ev = SourceEvent{};
    ev.utc = false;
    CivilTime& t = ev.time;
    std::string_view y = cols(line, 2, 5), mo = cols(line, 6, 7), d = cols(line, 8, 9);
    if (!allDigits(y) || !allDigits(mo) || !allDigits(d))
        return "date " + quoted(cols(line, 2, 9)) + " is not YYYYMMDD";
    t.year = *parseInteger(y);
    t.month = *parseInteger(mo);
    t.day = *parseInteger(d);
    if (!isValidDate(t.year, t.month, t.day)) return "no such date " + quoted(cols(line, 2, 9));
    auto h = parseInteger(cols(line, 10, 11)), mi = parseInteger(cols(line, 12, 13));
    if (!h || !mi || *h < 0 || *h > 23 || *mi < 0 || *mi > 59)
        return "time " + quoted(cols(line, 10, 13)) + " is not hhmm";
    t.hour = *h;
    t.minute = *mi;
    auto s = fixedDecimal(cols(line, 14, 17), 2);
    if (!allBlank(cols(line, 14, 17)) && (!s || *s < 0 || *s >= 61))
        return "seconds " + quoted(cols(line, 14, 17)) + " are not ss.ss";
    t.second = s.value_or(0);

    // Degrees may carry their sign apart from the digits ("- 9"); minutes left blank in
    // old records are whole degrees.
    auto latD = signedDegrees(cols(line, 22, 24));
    auto lonD = signedDegrees(cols(line, 33, 36));
    auto latM = minutesField(cols(line, 25, 28));
    auto lonM = minutesField(cols(line, 37, 40));
    if (!latD || !latM || std::abs(*latD) > 90 || *latM < 0 || *latM >= 60)
        return "latitude " + quoted(cols(line, 22, 28)) + " is not degrees and minutes";
    if (!lonD || !lonM || std::abs(*lonD) > 180 || *lonM < 0 || *lonM >= 60)
        return "longitude " + quoted(cols(line, 33, 40)) + " is not degrees and minutes";
    const bool south = cols(line, 22, 24).find('-') != std::string_view::npos;
    const bool west = cols(line, 33, 36).find('-') != std::string_view::npos;
    const int latWhole = std::abs(*latD), lonWhole = std::abs(*lonD);
    ev.latDeg = (latWhole + *latM / 60.0) * (south ? -1 : 1);
    ev.lonDeg = (lonWhole + *lonM / 60.0) * (west ? -1 : 1);
    ev.latDdmm = (latWhole * 100 + static_cast<int>(*latM)) * (south ? -1 : 1);
    ev.lonDdmm = (lonWhole * 100 + static_cast<int>(*lonM)) * (west ? -1 : 1);
    if (std::fabs(ev.latDeg) > 90 || std::fabs(ev.lonDeg) > 180)
        return "position " + quoted(cols(line, 22, 40)) + " is out of range";

    std::string_view depth = cols(line, 45, 49);
    if (!allBlank(depth)) {
        // A fixed depth is written as whole kilometres in columns 45-47.
        std::optional<double> km = allBlank(cols(line, 48, 49)) ? parseDecimal(cols(line, 45, 47))
                                                                : fixedDecimal(depth, 2);
        if (!km) return "depth " + quoted(depth) + " is not a number";
        ev.depthKm = *km;
    }

    std::optional<int> tenths;
    if (!decodeJmaMagnitude(cols(line, 53, 54), tenths))
        return "magnitude " + quoted(cols(line, 53, 54)) + " is not a magnitude code";
    if (tenths) ev.mag = *tenths / 10.0;
    ev.origin = regionName(cols(line, 69, 92));
    return {};
}

int JmaReader::recognise(std::string_view head) const {
    // Most lines look like records: a type letter, then twelve digits of date and time.
    // A file of arrival times holds many other lines, but starts with a hypocentre.
    int records = 0, lines = 0;
    bool firstIsHypocentre = false;
    const ReadOptions quiet;
    LineCursor cur(head, quiet);
    std::string_view line;
    while (cur.next(line) && lines < 20) {
        if (trim(line).empty()) continue;
        const bool record = line.size() >= kMinimumLength && line.size() <= kRecordLength + 8 &&
                            line[0] >= 'A' && line[0] <= 'Z' && allDigits(line.substr(1, 12));
        if (lines == 0) firstIsHypocentre = record && isHypocentreType(line[0]);
        ++lines;
        if (record) ++records;
    }
    if (lines == 0 || (!firstIsHypocentre && records * 2 < lines)) return 0;
    return 50 + records;
}

ReadResult JmaReader::read(std::string_view bytes, const ReadOptions& options) const {
    ReadResult res;
    LineCursor cur(bytes, options);
    std::string_view line;
    while (cur.next(line)) {
        if (trim(line).empty()) {
            ++res.ignored["blank line"];
            continue;
        }
        if (!isHypocentreType(line[0])) {
            if (std::string why = notARecord(line); !why.empty()) {
                if (res.problem(cur.lineNumber(), std::move(why), options)) break;
                continue;
            }
            ++res.ignored[std::string("record type ") + quoted(line.substr(0, 1)) +
                          " (not a hypocentre)"];
            continue;
        }
        SourceEvent ev;
        std::string why = parseJmaRecord(line, ev);
        if (!why.empty()) {
            if (res.problem(cur.lineNumber(), std::move(why), options)) break;
            continue;
        }
        ev.line = cur.lineNumber();
        res.events.push_back(std::move(ev));
    }
    res.linesRead = cur.lineNumber();
    if (!res.stopped) cur.finish();
    return res;
}

ReadResult readJmaRecords(std::string_view bytes, const ReadOptions& options) {
    return JmaReader().read(bytes, options);
}

}  // namespace kavelo::import
