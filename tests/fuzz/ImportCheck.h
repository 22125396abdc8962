#pragma once
// The checks shared by the import targets: problems are counted and kept within their
// bound, events carry consistent positions and calendar times, stopping at the first
// problem reads a prefix of the full reading, and every kept event converts to a record
// that holds its position unchanged.

#include <cmath>
#include <string_view>

#include "FuzzSupport.h"
#include "catalogue/OriginNameTable.h"
#include "import/EventReader.h"
#include "import/ImportConversion.h"

namespace kavelo::fuzz {

inline bool sameEvent(const import::SourceEvent& a, const import::SourceEvent& b) {
    return a.line == b.line && a.latDdmm == b.latDdmm && a.lonDdmm == b.lonDdmm && a.time.year == b.time.year &&
           a.time.month == b.time.month && a.time.day == b.time.day && a.time.hour == b.time.hour &&
           a.time.minute == b.time.minute && a.mag == b.mag && a.depthKm == b.depthKm && a.origin == b.origin;
}

inline void checkImportRead(const import::EventReader& reader, const uint8_t* data, size_t size) {
    using namespace kavelo::import;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)reader.recognise(bytes.substr(0, 4096));
    (void)detectReader(bytes.substr(0, 4096));

    const ReadResult all = reader.read(bytes, {});
    FUZZ_CHECK(all.problems.size() == std::min<std::size_t>(all.problemCount, 1000));
    FUZZ_CHECK(!all.stopped);
    for (const SourceEvent& ev : all.events) {
        FUZZ_CHECK(ev.line >= 1);
        FUZZ_CHECK(std::isfinite(ev.latDeg) && std::isfinite(ev.lonDeg));
        FUZZ_CHECK(ev.latDeg >= -90 && ev.latDeg <= 90 && ev.lonDeg >= -180 && ev.lonDeg <= 360);
        FUZZ_CHECK(ev.latDdmm == degreesToDdmmExact(ev.latDeg) && ev.lonDdmm == degreesToDdmmExact(ev.lonDeg));
        FUZZ_CHECK(ev.time.month >= 1 && ev.time.month <= 12 && ev.time.day >= 1 && ev.time.day <= 31);
        FUZZ_CHECK(ev.time.hour >= 0 && ev.time.hour <= 24 && ev.time.minute >= 0 && ev.time.minute <= 59);
        FUZZ_CHECK(std::isfinite(ev.time.second) && ev.time.second >= 0);
        if (ev.mag) FUZZ_CHECK(std::isfinite(*ev.mag));
        if (ev.depthKm) FUZZ_CHECK(std::isfinite(*ev.depthKm));

        for (bool keepUtc : {false, true}) {
            ConvertOptions o;
            o.keepUtc = keepUtc;
            EarthquakeRecord rec;
            if (convertEvent(ev, o, rec) != Dropped::No) continue;
            FUZZ_CHECK(rec.lat == ev.latDdmm && rec.lon == ev.lonDdmm);
            const int month = rec.date / 100 % 100, day = rec.date % 100;
            FUZZ_CHECK(month >= 1 && month <= 12 && day >= 1 && day <= 31);
            FUZZ_CHECK(rec.time >= 0 && rec.time / 100 <= 23 && rec.time % 100 <= 59);
            FUZZ_CHECK(std::abs(rec.mag - *ev.mag * 10) <= 0.5 + 1e-6);
        }
        EarthquakeRecord named;
        nameRecord(ev, nullptr, named);
        FUZZ_CHECK(named.originName().size() < kOriginSize);
        FUZZ_CHECK(sjisSafePrefix(named.originName(), kOriginSize - 1) == named.originName().size());
    }

    ReadOptions stop;
    stop.stopAtFirstProblem = true;
    const ReadResult first = reader.read(bytes, stop);
    FUZZ_CHECK(first.problemCount <= 1 && first.stopped == (first.problemCount == 1));
    FUZZ_CHECK(first.stopped || all.problemCount == 0);
    FUZZ_CHECK(first.events.size() <= all.events.size());
    for (std::size_t k = 0; k < first.events.size(); ++k) FUZZ_CHECK(sameEvent(first.events[k], all.events[k]));
}

}  // namespace kavelo::fuzz
