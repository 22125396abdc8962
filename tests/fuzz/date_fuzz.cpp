// Typed dates: never fail, a start never lies after the end for the same text, and a
// plain "Y/M/D" (or "Y/M", "Y") reads as its numbers with the missing parts filled in.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzSupport.h"
#include "search/SearchConditions.h"

using namespace kavelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int32_t from = parseSearchDate(text, DateRole::Start);
    const int32_t to = parseSearchDate(text, DateRole::End);
    FUZZ_CHECK(from <= to);

    // The same bytes read as numbers give a well-formed date text.
    FuzzedDataProvider in(data, size);
    const int y = in.ConsumeIntegralInRange(0, 9999);
    const int m = in.ConsumeIntegralInRange(0, 12);
    const int d = in.ConsumeIntegralInRange(0, 31);
    const int parts = in.ConsumeIntegralInRange(1, 3);
    std::string typed = std::to_string(y);
    if (parts >= 2) typed += "/" + std::to_string(m);
    if (parts >= 3) typed += "/" + std::to_string(d);
    const int mm = parts >= 2 ? m : 0, dd = parts >= 3 ? d : 0;
    FUZZ_CHECK(parseSearchDate(typed, DateRole::Start) == y * 10000 + (mm ? mm : 1) * 100 + (dd ? dd : 1));
    FUZZ_CHECK(parseSearchDate(typed, DateRole::End) == y * 10000 + (mm ? mm : 12) * 100 + (dd ? dd : 31));
    // Parts after the third and blanks before a number change nothing.
    FUZZ_CHECK(parseSearchDate(" " + typed + (parts == 3 ? "/77" : ""), DateRole::End) ==
               parseSearchDate(typed, DateRole::End));
    return 0;
}
