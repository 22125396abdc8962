// Loading RIKA.BIN and GEPPO1.BIN through real files, read piece by piece, gives exactly
// what the in-memory reader gives for the same bytes; a missing or unusable file is
// reported as such and stops the load.

#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "catalogue/CatalogueLoader.h"

using namespace kavelo;
using namespace kavelo::fuzz;

namespace {

// Repeats a piece so that files cross the loader's read chunks (4096 records).
std::string repeated(const std::string& piece, unsigned times) {
    std::string s;
    if (piece.empty()) return s;
    constexpr std::size_t kMaxBytes = 600 * 1024;
    while (times-- > 0 && s.size() + piece.size() <= kMaxBytes) s += piece;
    return s;
}

// A file slot as the test leaves it: real content, missing, or a folder.
enum class Kind { File, Missing, Folder };

void place(const std::string& path, Kind kind, const std::string& bytes) {
    if (kind == Kind::File) writeFile(path, bytes);
    if (kind == Kind::Folder) std::filesystem::create_directory(path);
}

Catalogue& loaded() {
    static Catalogue cat;
    return cat;
}
Catalogue& expected() {
    static Catalogue cat;
    return cat;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const uint8_t mode = in.ConsumeIntegral<uint8_t>();
    const Kind rikaKind = (mode & 0x03) == 1 ? Kind::Missing : (mode & 0x03) == 2 ? Kind::Folder : Kind::File;
    const Kind geppoKind = (mode & 0x0c) == 4 ? Kind::Missing : (mode & 0x0c) == 8 ? Kind::Folder : Kind::File;
    const unsigned rikaTimes = 1 + in.ConsumeIntegralInRange<unsigned>(0, 3);
    const unsigned geppoTimes = (mode & 0x10) ? 1 + in.ConsumeIntegralInRange<unsigned>(0, 5000) : 1;
    const std::string rika = repeated(in.ConsumeRandomLengthString(4096), rikaTimes);
    const std::string geppo = repeated(in.ConsumeRemainingBytesAsString(), geppoTimes);

    clearScratch();
    const std::string rikaPath = scratchFile("RIKA.BIN");
    const std::string geppoPath = scratchFile("GEPPO1.BIN");
    place(rikaPath, rikaKind, rika);
    place(geppoPath, geppoKind, geppo);

    Catalogue& cat = loaded();
    cat.recordCount = 12345;  // the loader starts from an empty Catalogue whatever it held
    const CatalogueLoadResult res = loadCatalogue(rikaPath, geppoPath, cat);

    Catalogue& want = expected();
    want.recordCount = 0;
    int32_t leftOut = 0;
    if (rikaKind != Kind::File) {
        FUZZ_CHECK(res.status == CatalogueLoadResult::Status::RikaMissing);
        FUZZ_CHECK(res.total() == 0);
        return 0;
    }
    const int32_t rikaTaken = appendCatalogueBytes(rika, true, want, &leftOut);
    FUZZ_CHECK(res.rikaCount == rikaTaken);
    if (geppoKind != Kind::File) {
        FUZZ_CHECK(res.status == CatalogueLoadResult::Status::GeppoMissing);
        return 0;
    }
    const int32_t geppoTaken = appendCatalogueBytes(geppo, false, want, &leftOut);
    FUZZ_CHECK(res.status == CatalogueLoadResult::Status::Ok);
    FUZZ_CHECK(res.geppoCount == geppoTaken);
    FUZZ_CHECK(res.leftOut == leftOut);
    FUZZ_CHECK(cat.recordCount == res.total());
    FUZZ_CHECK(cat.recordCount == want.recordCount);
    FUZZ_CHECK(cat.recordCount <= kCatalogueCapacity);
    for (int i = 0; i < cat.recordCount; ++i) {
        FUZZ_CHECK(encodeRecord(cat[i]) == encodeRecord(want[i]));
        FUZZ_CHECK(cat[i].rika == (i < res.rikaCount ? 1 : 0));
    }
    return 0;
}
