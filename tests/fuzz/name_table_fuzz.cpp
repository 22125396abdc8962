// The source-region name table: entry and message counts follow the lines of the file,
// columns stay within 30 bytes without a split double-byte character, and substitution
// gives each record the displayed name of the first entry with its stored name.

#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "FuzzSupport.h"
#include "catalogue/OriginNameTable.h"

using namespace kavelo;

namespace {

Catalogue& catalogue() {
    static Catalogue cat;
    return cat;
}

// Counts what a reader of the lines must report, independently of the parser.
struct Expected {
    std::size_t entries = 0;
    std::size_t tooLong = 0;
    std::size_t tooMany = 0;
};

Expected expectedFor(std::string_view bytes) {
    Expected e;
    std::size_t pos = 0;
    while (pos < bytes.size() && e.entries < kOriginTableCapacity) {
        std::size_t lf = bytes.find('\n', pos);
        std::string_view line = bytes.substr(pos, (lf == std::string_view::npos ? bytes.size() : lf) - pos);
        pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = line.substr(0, kOriginLineMax);
        if (line.empty()) continue;
        ++e.entries;
        std::size_t col = 0, start = 0;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line[i] != ',') continue;
            if (col < 2 && i - start > kOriginColumnMax) e.tooLong += i - start - kOriginColumnMax;
            if (i < line.size() && col >= 1) ++e.tooMany;
            ++col;
            start = i + 1;
        }
    }
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Expected got;
    const OriginNameTable table = parseOriginNameTable(bytes, [&](NameTableMessage m) {
        if (m == NameTableMessage::TooLongLetters) ++got.tooLong;
        if (m == NameTableMessage::TooManyLetters) ++got.tooMany;
    });
    const Expected want = expectedFor(bytes);
    FUZZ_CHECK(table.entries.size() == want.entries);
    FUZZ_CHECK(got.tooLong == want.tooLong);
    FUZZ_CHECK(got.tooMany == want.tooMany);
    FUZZ_CHECK(table.entries.size() <= static_cast<std::size_t>(kOriginTableCapacity));
    for (const auto& [stored, shown] : table.entries) {
        for (const std::string* col : {&stored, &shown}) {
            FUZZ_CHECK(col->size() <= kOriginColumnMax);
            FUZZ_CHECK(sjisSafePrefix(*col, kOriginColumnMax) == col->size());
            FUZZ_CHECK(col->find_first_of(",\n") == std::string::npos);
        }
    }

    // Records named after the table's own columns (and after nothing in it).
    Catalogue& cat = catalogue();
    cat.recordCount = 0;
    for (const auto& [stored, shown] : table.entries) {
        if (cat.recordCount + 2 > 4000) break;
        cat[cat.recordCount++].setOrigin(stored);
        cat[cat.recordCount++].setOrigin(shown);
    }
    cat[cat.recordCount++].setOrigin("\x96\xbc\x8f\xcc\x82\xc8\x82\xb5");  // a name in no line
    std::vector<std::string> before;
    for (int i = 0; i < cat.recordCount; ++i) before.emplace_back(cat[i].originName());

    std::unordered_map<std::string, std::string> first;
    for (const auto& [stored, shown] : table.entries) first.emplace(stored, shown);
    int illegal = 0;
    const int renamed = applyOriginNames(table, cat, [&](int i) {
        FUZZ_CHECK(cat[i].originName() == "IDO");
        ++illegal;
    });
    int wantRenamed = 0, wantIllegal = 0;
    for (int i = 0; i < cat.recordCount; ++i) {
        auto it = first.find(before[static_cast<std::size_t>(i)]);
        if (it == first.end()) {
            FUZZ_CHECK(cat[i].originName() == before[static_cast<std::size_t>(i)]);
            continue;
        }
        ++wantRenamed;
        if (it->second == "IDO") ++wantIllegal;
        EarthquakeRecord named;  // the stored form of the displayed name (31 bytes, to a NUL)
        named.setOrigin(it->second);
        FUZZ_CHECK(cat[i].originName() == named.originName());
    }
    FUZZ_CHECK(renamed == wantRenamed);
    FUZZ_CHECK(illegal == wantIllegal);
    return 0;
}
