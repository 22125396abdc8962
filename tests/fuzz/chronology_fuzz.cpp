// NENPYO.TXT: the table never exceeds 800 entries, every line is either an entry or a
// reported problem (blank lines aside), entries print back to lines that read the same,
// and the date index finds what a plain scan of the table finds.

#include <cmath>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "chronology/Chronology.h"
#include "platform/TextFile.h"

using namespace kavelo;

namespace {

float degrees(int v) { return static_cast<float>(v / 100) + static_cast<float>(v % 100) / 60.0f; }

int scan(const ChronologyTable& t, int32_t date, int32_t lon, int32_t lat) {
    for (int i = 0; i < t.count(); ++i) {
        const ChronologyEntry& e = t[i];
        if (e.date == date && std::fabs(degrees(e.lon) - degrees(lon)) < 0.05f &&
            std::fabs(degrees(e.lat) - degrees(lat)) < 0.05f)
            return i;
    }
    return -1;
}

std::string text(const std::string& s) { return s.empty() ? "(null)" : s; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ChronologyTable table;
    const std::vector<ChronologyProblem> problems = table.parse(bytes);
    FUZZ_CHECK(table.count() <= kChronologyCapacity);

    // Each non-blank line ends up as an entry or as a skipping problem, exactly once.
    const std::vector<std::string> lines = splitLines(bytes);
    std::size_t nonBlank = 0;
    for (const std::string& l : lines)
        if (l.find_first_not_of(" \t\r") != std::string::npos) ++nonBlank;
    std::size_t skipped = 0;
    int lastLine = 0;
    for (const ChronologyProblem& p : problems) {
        FUZZ_CHECK(p.line >= 1 && p.line <= static_cast<int>(lines.size()) && p.line >= lastLine);
        lastLine = p.line;
        if (p.kind != ChronologyProblem::TooLong) ++skipped;
    }
    FUZZ_CHECK(static_cast<std::size_t>(table.count()) + skipped == nonBlank);

    ChronologyTable again;
    std::string printed;
    for (const ChronologyEntry& e : table.entries()) {
        FUZZ_CHECK(e.name.find_first_of("%\n") == std::string::npos);
        FUZZ_CHECK(e.article.find('\n') == std::string::npos);
        FUZZ_CHECK(e.name != "(null)" && e.article != "(null)");
        printed += std::to_string(e.date) + "%" + std::to_string(e.lat) + "%" + std::to_string(e.lon) + "%" +
                   std::to_string(e.mag) + "%" + text(e.name) + "%" + text(e.article) + "\r\n";
    }
    // Entries print back to lines that read the same, as long as the lines are not cut.
    bool printable = true;
    for (const ChronologyEntry& e : table.entries())
        printable = printable && std::to_string(e.date).size() + text(e.name).size() + text(e.article).size() + 24 <=
                                     kChronologyLineMax;
    if (printable) {
        FUZZ_CHECK(again.parse(printed).empty());
        FUZZ_CHECK(again.count() == table.count());
        for (int i = 0; i < table.count(); ++i) {
            const ChronologyEntry &a = table[i], &b = again[i];
            FUZZ_CHECK(a.date == b.date && a.lat == b.lat && a.lon == b.lon && a.mag == b.mag);
            FUZZ_CHECK(a.name == b.name && a.article == b.article);
        }
    }

    // Lookups by each entry's own date and position, and slightly off it.
    for (int i = 0; i < table.count() && i < 64; ++i) {
        const ChronologyEntry& e = table[i];
        for (int d : {0, 2, 4}) {
            const int found = table.find(e.date, e.lon + d, e.lat - d);
            FUZZ_CHECK(found == scan(table, e.date, e.lon + d, e.lat - d));
            if (d == 0) FUZZ_CHECK(found >= 0 && found <= i);
        }
    }
    FUZZ_CHECK(searchChronology(table, {}, {}).size() == static_cast<std::size_t>(table.count()));
    return 0;
}
