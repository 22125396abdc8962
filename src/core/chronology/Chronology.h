#pragma once
// The chronology of damaging earthquakes (DATA/NENPYO.TXT): one entry per line, six
// "%"-separated fields: date YYYYMMDD, latitude ddmm, longitude dddmm, magnitude x 10,
// name, article. Names and articles stay Shift-JIS bytes; matching is byte-wise.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kavelo {

constexpr int kChronologyCapacity = 800;
constexpr std::size_t kChronologyLineMax = 797;  // bytes before the line end
// A file larger than this is not a chronology (800 lines of 799 bytes are about 640 KB).
constexpr std::size_t kChronologyFileMax = 8 * 1024 * 1024;
constexpr std::size_t kSearchTextMaxBytes = 99;
constexpr std::size_t kSearchMaxWords = 10;

struct ChronologyEntry {
    int32_t date = 0;  // YYYYMMDD; years may have fewer than four digits
    int16_t lon = 0;   // dddmm
    int16_t lat = 0;   // ddmm
    int16_t mag = 0;   // magnitude x 10
    std::string name;     // "(null)" in the file is stored empty
    std::string article;  // may contain further "%"
};

// A line the reader did not take as it stands.
struct ChronologyProblem {
    enum Kind {
        TooFewFields,  // fewer than five "%": the line is skipped
        TooLong,       // over 797 bytes: its first 797 bytes are used
        TooManyLines,  // beyond the 800th entry: the line is left out
    };
    Kind kind;
    int line;  // 1-based line number in the file
};

class ChronologyTable {
public:
    const std::vector<ChronologyEntry>& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    const ChronologyEntry& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }

    // Replaces the table by the entries of a file image; returns what was not taken as
    // it stands. Blank lines are skipped silently. CR LF or LF line ends; a last line
    // without a line end is kept whole.
    std::vector<ChronologyProblem> parse(std::string_view bytes);

    // The first entry in file order with this date whose longitude and latitude each
    // differ by less than 0.05 degree (single precision); -1 when there is none.
    int find(int32_t date, int32_t lon, int32_t lat) const;

private:
    std::vector<ChronologyEntry> entries_;
    // (date, entry index) sorted by date, file order within a date: the map's pick
    // looks up every match, so the lookup must not walk the table.
    std::vector<std::pair<int32_t, int>> byDate_;
};

// Parses one line without its line end; false when it has fewer than five "%".
bool parseChronologyLine(std::string_view line, ChronologyEntry& out);

struct ChronologyLoadResult {
    bool opened = false;  // false: the file is missing, unreadable, not a file or too large
    std::vector<ChronologyProblem> problems;
};

ChronologyLoadResult loadChronology(const std::string& path, ChronologyTable& table);

// Search words: the text cut at every "|" (never inside a double-byte character); empty
// pieces stay as empty words, which match everything; an empty text gives no words.
struct SearchWords {
    std::vector<std::string> words;
    bool ok = true;  // false: more than 99 bytes or more than 10 words
};
SearchWords splitAlternatives(std::string_view text);

// True when words is empty or one word occurs in field as a byte substring.
bool matchesAny(std::string_view field, const std::vector<std::string>& words);

// Indices of the entries, in file order, whose name matches words1 and article words2.
std::vector<int> searchChronology(const ChronologyTable& table, const std::vector<std::string>& words1,
                                  const std::vector<std::string>& words2);

// Cell texts of the list and the detail panel (Shift-JIS).
std::string chronologyNumber(int n);      // "%4d"
std::string chronologyDate(int32_t date);  // "%5d/%02d/%02d"
std::string chronologyLat(int lat);       // "%3d°%02d′"
std::string chronologyLon(int lon);       // "%4d°%02d′"
std::string chronologyMag(int mag);       // "%2d.%d"

}  // namespace kavelo
