#pragma once
// The checks shared by the four external-list targets: the list stays within its capacity,
// every line is accounted for, stored names are whole, reading a file gives exactly what
// reading the same bytes gives, and format-specific bounds hold.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "catalogue/OriginNameTable.h"
#include "external/ExternalList.h"

namespace kavelo::fuzz {

inline ExternalList& listA() {
    static ExternalList l;
    return l;
}
inline ExternalList& listB() {
    static ExternalList l;
    return l;
}

inline int64_t lineCount(std::string_view s) {
    return static_cast<int64_t>(std::count(s.begin(), s.end(), '\n')) + (!s.empty() && s.back() != '\n' ? 1 : 0);
}

inline void checkExternalRead(const uint8_t* data, size_t size, ExternalFormat format) {
    FuzzedDataProvider in(data, size);
    ExternalReadOptions options;
    options.magnitude40 = in.ConsumeBool();
    // Now and then a long list: the file reader's 64 KB blocks and, with short lines, the
    // capacity of 50000 records are crossed.
    const bool repeat = in.ConsumeIntegral<uint8_t>() == 0xa5;
    const unsigned times = repeat ? in.ConsumeIntegralInRange<unsigned>(1, 60000) : 1;
    const std::string piece = in.ConsumeRemainingBytesAsString();
    std::string bytes;
    for (unsigned k = 0; k < times && bytes.size() + piece.size() <= 240'000; ++k) bytes += piece;

    ExternalList& a = listA();
    const ExternalReadResult r = readExternalText(bytes, format, options, a);
    FUZZ_CHECK(r.opened);
    FUZZ_CHECK(r.count == a.count && a.count >= 0 && a.count <= kExternalCapacity);
    FUZZ_CHECK(a.cells.size() == static_cast<std::size_t>(a.count));
    FUZZ_CHECK(r.lines == lineCount(bytes));
    FUZZ_CHECK(r.leftOut >= 0 && (r.leftOut == 0 || a.count == kExternalCapacity));
    const int64_t dataLines =
        format == ExternalFormat::KaveloCsv ? r.lines - r.headerLines : r.lines;
    FUZZ_CHECK(r.headerLines >= 0 && r.headerLines <= kCsvHeaderLines + 1 && r.headerLines <= r.lines);
    if (format != ExternalFormat::KaveloCsv) FUZZ_CHECK(r.headerLines == 0);
    if (format == ExternalFormat::Unified)
        FUZZ_CHECK(a.count + r.leftOut <= dataLines);
    else
        FUZZ_CHECK(a.count + r.leftOut == dataLines);  // no line of these formats is skipped

    for (int i = 0; i < a.count; ++i) {
        const EarthquakeRecord& rec = a.records[static_cast<std::size_t>(i)];
        FUZZ_CHECK(rec.rika == 0 && rec.spare == 0);
        const std::string_view name = rec.originName();
        FUZZ_CHECK(name.size() < kOriginSize && sjisSafePrefix(name, kOriginSize - 1) == name.size());
        if (format != ExternalFormat::KaveloCsv && format != ExternalFormat::Unified) FUZZ_CHECK(name.empty());
        if (format == ExternalFormat::Unified) {
            FUZZ_CHECK(rec.date != 0 && rec.mag >= 0 && (!options.magnitude40 || rec.mag >= 40));
            FUZZ_CHECK(rec.lat >= 2400 && rec.lat <= 5000 && rec.lon >= 12200 && rec.lon <= 15200);
        }
        for (int c = 0; c < RowCells::kColumns; ++c) (void)a.cells[static_cast<std::size_t>(i)].cell(c);
    }

    // The file reader, block by block, agrees with the reader of the whole text.
    clearScratch();
    const std::string path = scratchFile("list.txt");
    writeFile(path, bytes);
    ExternalList& b = listB();
    const ExternalReadResult f = readExternalFile(path, format, options, b);
    FUZZ_CHECK(f.opened && f.count == r.count && f.leftOut == r.leftOut && f.lines == r.lines &&
               f.headerLines == r.headerLines);
    for (int i = 0; i < a.count; ++i) {
        FUZZ_CHECK(encodeRecord(a.records[static_cast<std::size_t>(i)]) ==
                   encodeRecord(b.records[static_cast<std::size_t>(i)]));
        for (int c = 0; c < RowCells::kColumns; ++c)
            FUZZ_CHECK(a.cells[static_cast<std::size_t>(i)].cell(c) == b.cells[static_cast<std::size_t>(i)].cell(c));
    }
}

}  // namespace kavelo::fuzz
