#include "chronology/Chronology.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "catalogue/CatalogueLoader.h"
#include "catalogue/OriginNameTable.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"

namespace kavelo {

namespace {

int16_t toInt16(int v) {
    return static_cast<int16_t>(std::clamp<int>(v, std::numeric_limits<int16_t>::min(),
                                                std::numeric_limits<int16_t>::max()));
}

std::string textField(std::string_view s) {
    if (s == "(null)") return {};
    return std::string(s);
}

float toDegrees(int v) { return static_cast<float>(v / 100) + static_cast<float>(v % 100) / 60.0f; }

bool isBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

std::string format(const char* fmt, int a, int b = 0, int c = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a, b, c);
    return buf;
}

}  // namespace

bool parseChronologyLine(std::string_view line, ChronologyEntry& out) {
    std::size_t cut[5];
    std::size_t from = 0;
    for (std::size_t& c : cut) {
        c = line.find('%', from);
        if (c == std::string_view::npos) return false;
        from = c + 1;
    }
    out.date = lenientToInt(line.substr(0, cut[0]));
    out.lat = toInt16(lenientToInt(line.substr(cut[0] + 1, cut[1] - cut[0] - 1)));
    out.lon = toInt16(lenientToInt(line.substr(cut[1] + 1, cut[2] - cut[1] - 1)));
    out.mag = toInt16(lenientToInt(line.substr(cut[2] + 1, cut[3] - cut[2] - 1)));
    out.name = textField(line.substr(cut[3] + 1, cut[4] - cut[3] - 1));
    out.article = textField(line.substr(cut[4] + 1));
    return true;
}

std::vector<ChronologyProblem> ChronologyTable::parse(std::string_view bytes) {
    std::vector<ChronologyProblem> problems;
    entries_.clear();
    byDate_.clear();
    const std::vector<std::string> lines = splitLines(bytes);
    int lineNo = 0;
    for (const std::string& whole : lines) {
        ++lineNo;
        std::string_view line = whole;
        if (isBlank(line)) continue;
        if (count() == kChronologyCapacity) {
            problems.push_back({ChronologyProblem::TooManyLines, lineNo});
            continue;
        }
        if (line.size() > kChronologyLineMax) {
            line = line.substr(0, sjisSafePrefix(line, kChronologyLineMax));
            problems.push_back({ChronologyProblem::TooLong, lineNo});
        }
        ChronologyEntry e;
        if (!parseChronologyLine(line, e)) {
            problems.push_back({ChronologyProblem::TooFewFields, lineNo});
            continue;
        }
        entries_.push_back(std::move(e));
    }
    byDate_.reserve(entries_.size());
    for (int i = 0; i < count(); ++i) byDate_.emplace_back(entries_[static_cast<std::size_t>(i)].date, i);
    std::stable_sort(byDate_.begin(), byDate_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return problems;
}

int ChronologyTable::find(int32_t date, int32_t lon, int32_t lat) const {
    auto it = std::lower_bound(byDate_.begin(), byDate_.end(), date,
                               [](const auto& a, int32_t d) { return a.first < d; });
    if (it == byDate_.end() || it->first != date) return -1;
    const float lonDeg = toDegrees(lon), latDeg = toDegrees(lat);
    for (; it != byDate_.end() && it->first == date; ++it) {
        const ChronologyEntry& e = entries_[static_cast<std::size_t>(it->second)];
        if (std::fabs(toDegrees(e.lon) - lonDeg) < 0.05f && std::fabs(toDegrees(e.lat) - latDeg) < 0.05f)
            return it->second;
    }
    return -1;
}

ChronologyLoadResult loadChronology(const std::string& path, ChronologyTable& table) {
    ChronologyLoadResult r;
    std::string bytes;
    if (!readWholeFile(path, bytes, kChronologyFileMax)) return r;
    r.opened = true;
    r.problems = table.parse(bytes);
    return r;
}

SearchWords splitAlternatives(std::string_view text) {
    SearchWords out;
    if (text.empty()) return out;
    if (text.size() > kSearchTextMaxBytes) {
        out.ok = false;
        return out;
    }
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (isSjisLeadByte(c) && i + 1 < text.size()) {
            // A double-byte character: its trail byte may be 0x7C and is not a bar.
            current.push_back(text[i]);
            current.push_back(text[++i]);
        } else if (c == '|') {
            out.words.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(text[i]);
        }
    }
    out.words.push_back(std::move(current));
    if (out.words.size() > kSearchMaxWords) {
        out.words.clear();
        out.ok = false;
    }
    return out;
}

bool matchesAny(std::string_view field, const std::vector<std::string>& words) {
    if (words.empty()) return true;
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return field.find(w) != std::string_view::npos; });
}

std::vector<int> searchChronology(const ChronologyTable& table, const std::vector<std::string>& words1,
                                  const std::vector<std::string>& words2) {
    std::vector<int> rows;
    for (int j = 0; j < table.count(); ++j)
        if (matchesAny(table[j].name, words1) && matchesAny(table[j].article, words2)) rows.push_back(j);
    return rows;
}

std::string chronologyNumber(int n) { return format("%4d", n); }

std::string chronologyDate(int32_t date) {
    const int year = date / 10000;
    return format("%5d/%02d/%02d", year, (date - year * 10000) / 100, date % 100);
}

std::string chronologyLat(int lat) { return format("%3d\x81\x8b%02d\x81\x8c", lat / 100, lat % 100); }
std::string chronologyLon(int lon) { return format("%4d\x81\x8b%02d\x81\x8c", lon / 100, lon % 100); }

std::string chronologyMag(int mag) { return format("%2d.%d", mag / 10, mag % 10); }

}  // namespace kavelo
