// External lists of format 1 (year month day hour minute second, decimal degrees), through the checks of ExternalListCheck.h.

#include "ExternalListCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kavelo::fuzz::checkExternalRead(data, size, kavelo::ExternalFormat::AgencyList);
    return 0;
}
