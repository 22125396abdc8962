// Region%d.txt condition slots: a slot reads as eleven lines or says why not, a slot read
// and saved again reads back the same (line breaks inside a text dropped, CR LF on disk),
// and a save that cannot be written leaves the old slot byte-identical.

#include <algorithm>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "search/ConditionMemory.h"

using namespace kavelo;
using namespace kavelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    clearScratch();
    const std::string path = scratchFile("Region1.txt");
    writeFile(path, bytes);

    const SlotRead read = readConditionSlot(path);
    if (size > 64 * 1024) {  // far larger than any slot: not read at all
        FUZZ_CHECK(read.status == SlotReadStatus::Unreadable);
        return 0;
    }
    // Lines as a text reader counts them: one per LF, plus a last one without it.
    const std::size_t lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
                              (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
    FUZZ_CHECK(read.linesFound == std::min(lines, kConditionLineCount));
    if (lines < kConditionLineCount) {
        FUZZ_CHECK(read.status == SlotReadStatus::Incomplete);
        return 0;
    }
    FUZZ_CHECK(read.status == SlotReadStatus::Ok);
    std::string written;
    for (const std::string& t : read.texts) {
        FUZZ_CHECK(t.find('\n') == std::string::npos);
        std::string plain;
        std::copy_if(t.begin(), t.end(), std::back_inserter(plain), [](char c) { return c != '\r'; });
        written += plain + "\r\n";
    }

    // A save that fails (its scratch file cannot be created) keeps the slot as it was.
    std::filesystem::create_directory(path + ".tmp");
    writeFile(path + ".tmp/keep", "x");
    FUZZ_CHECK(writeConditionSlot(path, read.texts) == SlotWriteStatus::CannotWrite);
    FUZZ_CHECK(readFile(path) == bytes);
    std::filesystem::remove_all(path + ".tmp");

    FUZZ_CHECK(writeConditionSlot(path, read.texts) == SlotWriteStatus::Ok);
    FUZZ_CHECK(readFile(path) == written);
    FUZZ_CHECK(!std::filesystem::exists(path + ".tmp"));
    const SlotRead again = readConditionSlot(path);
    FUZZ_CHECK(again.status == SlotReadStatus::Ok);
    for (std::size_t k = 0; k < kConditionLineCount; ++k) {
        std::string plain;
        std::copy_if(read.texts[k].begin(), read.texts[k].end(), std::back_inserter(plain),
                     [](char c) { return c != '\r'; });
        FUZZ_CHECK(again.texts[k] == plain);
    }
    return 0;
}
