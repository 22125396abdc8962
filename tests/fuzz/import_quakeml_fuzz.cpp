// The importer's reader "quakeml", through the checks of ImportCheck.h.

#include "ImportCheck.h"
#include "import/QuakeMlReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kavelo::import::QuakeMlReader reader;
    kavelo::fuzz::checkImportRead(reader, data, size);
    return 0;
}
