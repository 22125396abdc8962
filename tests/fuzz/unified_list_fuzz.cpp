// External lists of format 4 (the unified hypocentre list, fixed positions), through the checks of ExternalListCheck.h.

#include "ExternalListCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kavelo::fuzz::checkExternalRead(data, size, kavelo::ExternalFormat::Unified);
    return 0;
}
