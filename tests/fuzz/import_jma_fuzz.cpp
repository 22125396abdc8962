// The importer's reader "jma", through the checks of ImportCheck.h.

#include "ImportCheck.h"
#include "import/JmaReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kavelo::import::JmaReader reader;
    kavelo::fuzz::checkImportRead(reader, data, size);
    return 0;
}
