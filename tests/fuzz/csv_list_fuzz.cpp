// External lists of format 3 (the program's own result CSV), through the checks of ExternalListCheck.h.

#include "ExternalListCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kavelo::fuzz::checkExternalRead(data, size, kavelo::ExternalFormat::KaveloCsv);
    return 0;
}
