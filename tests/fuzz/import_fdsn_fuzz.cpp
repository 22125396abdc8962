// The importer's reader "fdsn", through the checks of ImportCheck.h.

#include "ImportCheck.h"
#include "import/FdsnReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kavelo::import::FdsnReader reader;
    kavelo::fuzz::checkImportRead(reader, data, size);
    return 0;
}
