// Catalogue file images: every whole record is taken (or counted as left out) exactly as
// stored, the pre-1885 rule holds for RIKA.BIN, and the Catalogue never overflows.

#include <cstring>
#include <string_view>

#include "FuzzSupport.h"
#include "catalogue/CatalogueLoader.h"

using namespace kavelo;

namespace {
Catalogue& catalogue() {
    static Catalogue cat;
    return cat;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // First byte: which file the image stands for, and how full the Catalogue already is.
    const bool rika = data[0] & 1;
    const int32_t preFilled = (data[0] & 2) ? kCatalogueCapacity - (data[0] >> 2) : 0;
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    Catalogue& cat = catalogue();
    cat.recordCount = preFilled;
    int32_t leftOut = 0;
    const int32_t taken = appendCatalogueBytes(bytes, rika, cat, &leftOut);

    FUZZ_CHECK(cat.recordCount <= kCatalogueCapacity);
    FUZZ_CHECK(cat.recordCount == preFilled + taken);
    FUZZ_CHECK(taken >= 0 && leftOut >= 0);

    // Walk the image again: each eligible record lands in the next slot, field for field.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t whole = bytes.size() / kRecordSize;
    int32_t slot = preFilled;
    int32_t eligible = 0;
    for (std::size_t k = 0; k < whole; ++k) {
        const unsigned char* raw = p + k * kRecordSize;
        int32_t date = 0;
        std::memcpy(&date, raw, 4);  // the fuzz hosts are little-endian
        if (rika && date > kRikaLastDate) continue;
        ++eligible;
        if (slot >= kCatalogueCapacity) continue;
        const EarthquakeRecord& r = cat[slot++];
        unsigned char back[kRecordSize];
        encodeRecord(r, back);
        FUZZ_CHECK(std::memcmp(back, raw, 46) == 0);  // bytes 46 and 47 are the loader's
        FUZZ_CHECK(r.rika == (rika ? 1 : 0));
        FUZZ_CHECK(r.spare == 0);
        FUZZ_CHECK(r.originName().size() <= kOriginSize);
        if (rika) FUZZ_CHECK(r.date <= kRikaLastDate);
    }
    FUZZ_CHECK(slot == cat.recordCount);
    FUZZ_CHECK(taken + leftOut == eligible);
    return 0;
}
