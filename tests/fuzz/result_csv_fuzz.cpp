// The result CSV read back as an external list (format 3): every listed record comes back
// with its date, time, position, depth, magnitude and name, whatever the header texts,
// and the header of a zone file (one line longer) is skipped whole.

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "catalogue/OriginNameTable.h"
#include "external/ExternalList.h"
#include "search/ResultCsv.h"

using namespace kavelo;

namespace {

Catalogue& catalogue() {
    static Catalogue cat;
    return cat;
}
ExternalList& list() {
    static ExternalList l;
    return l;
}

// A name as a record can hold one that the CSV keeps: no separators or line ends, no
// leading blank, whole double-byte characters.
std::string csvSafeName(std::string s) {
    std::string out;
    for (char c : s)
        if (c != ',' && c != '\r' && c != '\n' && c != '\0') out += c;
    out.erase(0, out.find_first_not_of(" \t"));
    return out.substr(0, sjisSafePrefix(out, kOriginSize - 1));
}

std::string headerText(FuzzedDataProvider& in) {
    std::string s = in.ConsumeRandomLengthString(24);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    CsvHeader h;
    h.fileName = "Listup001.csv";
    for (std::string* t : {&h.date1, &h.date2, &h.lat1, &h.lat2, &h.lon1, &h.lon2, &h.mag1, &h.mag2, &h.depth1,
                           &h.depth2, &h.origin})
        *t = headerText(in);
    const bool zone = in.ConsumeBool();
    if (zone) h.zone = CsvZone{in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>(),
                               in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>()};
    const bool searchResult = in.ConsumeBool();

    // Records over the whole range a record holds: calendar dates from year 1 on or any
    // 32-bit date, any 16-bit time, position, depth and magnitude (negative ones too).
    Catalogue& cat = catalogue();
    cat.recordCount = 0;
    while (in.remaining_bytes() > 0 && cat.recordCount < 2000) {
        EarthquakeRecord& r = cat[cat.recordCount++];
        r = EarthquakeRecord{};
        const uint8_t shape = in.ConsumeIntegral<uint8_t>();
        if (shape & 1)
            r.date = in.ConsumeIntegral<int32_t>();
        else
            r.date = in.ConsumeIntegralInRange(1, 214747) * 10000 + in.ConsumeIntegralInRange(1, 12) * 100 +
                     in.ConsumeIntegralInRange(1, 31);
        if (shape & 2)
            r.time = in.ConsumeIntegral<int16_t>();
        else
            r.time = static_cast<int16_t>(in.ConsumeIntegralInRange(0, 23) * 100 + in.ConsumeIntegralInRange(0, 59));
        r.lat = in.ConsumeIntegral<int16_t>();
        r.lon = in.ConsumeIntegral<int16_t>();
        r.depth = in.ConsumeIntegral<int16_t>();
        r.mag = in.ConsumeIntegral<int16_t>();
        r.setOrigin(csvSafeName(in.ConsumeRandomLengthString(40)));
    }
    const std::string csv = buildResultCsv(h, cat.recordCount, [&](int row, GridCells& cells) {
        recordGridCells(cat, row, row, searchResult, cells);
    });

    ExternalList& l = list();
    const ExternalReadResult res = readExternalText(csv, ExternalFormat::KaveloCsv, {}, l);
    FUZZ_CHECK(res.headerLines == kCsvHeaderLines + (zone ? 1 : 0));
    FUZZ_CHECK(res.lines == res.headerLines + cat.recordCount);
    FUZZ_CHECK(l.count == cat.recordCount);
    for (int i = 0; i < cat.recordCount; ++i) {
        const EarthquakeRecord& want = cat[i];
        const EarthquakeRecord& got = l.records[static_cast<std::size_t>(i)];
        FUZZ_CHECK(got.date == want.date && got.time == want.time);
        FUZZ_CHECK(got.lat == want.lat && got.lon == want.lon);
        FUZZ_CHECK(got.depth == want.depth && got.mag == want.mag);
        FUZZ_CHECK(got.originName() == want.originName());
    }
    return 0;
}
