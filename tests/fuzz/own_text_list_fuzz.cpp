// External lists of format 2 (yyyy/mm/dd hh:mm ddmm dddmm), through the checks of ExternalListCheck.h.

#include "ExternalListCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kavelo::fuzz::checkExternalRead(data, size, kavelo::ExternalFormat::OwnText);
    return 0;
}
