// Mycolor files: an accepted file yields at most eight classes that write back to a file
// reading the same, a damaged one names its first bad line, and a save that cannot be
// written leaves the old file byte-identical.

#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "map/ColourFile.h"

using namespace kavelo;
using namespace kavelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ColourFileRead r = parseColourFile(bytes);
    FUZZ_CHECK(r.lineCount >= 0 && r.lineCount <= kColourFileMaxLines);
    if (r.status == ColourFileStatus::Damaged)
        FUZZ_CHECK(r.lineCount == 0 && r.badLine >= 1 && r.badLine <= kColourFileMaxLines);
    if (r.status != ColourFileStatus::Ok) {
        FUZZ_CHECK(r.status == ColourFileStatus::Damaged || r.status == ColourFileStatus::Empty);
        return 0;
    }
    FUZZ_CHECK(r.lineCount >= 1);

    // The classes as the window takes them, written out and read again.
    DepthClasses classes;
    for (int i = 0; i < r.lineCount; ++i) {
        classes.bounds[static_cast<std::size_t>(i + 1)] = r.limits[static_cast<std::size_t>(i)];
        classes.colors[static_cast<std::size_t>(i)] = r.colors[static_cast<std::size_t>(i)];
    }
    if (r.lineCount < kColourFileMaxLines) classes.bounds[static_cast<std::size_t>(r.lineCount + 1)] = 0;
    const std::string text = formatColourFile(classes);
    const ColourFileRead back = parseColourFile(text);
    FUZZ_CHECK(back.status == ColourFileStatus::Ok);
    int kept = 0;  // lines up to and including the first open (0) limit
    while (kept < r.lineCount && r.limits[static_cast<std::size_t>(kept)] != 0) ++kept;
    if (kept < r.lineCount) ++kept;
    FUZZ_CHECK(back.lineCount == kept || (kept == r.lineCount && back.lineCount == r.lineCount + 1));
    for (int i = 0; i < kept; ++i) {
        FUZZ_CHECK(back.limits[static_cast<std::size_t>(i)] == r.limits[static_cast<std::size_t>(i)]);
        FUZZ_CHECK(back.colors[static_cast<std::size_t>(i)] == r.colors[static_cast<std::size_t>(i)]);
    }

    // Saving: refused when the scratch file cannot be made, the old file then untouched.
    clearScratch();
    const std::string path = scratchFile("Mycolor1.txt");
    writeFile(path, bytes);
    std::filesystem::create_directory(path + ".tmp");
    writeFile(path + ".tmp/keep", "x");
    FUZZ_CHECK(!writeColourFile(path, classes));
    FUZZ_CHECK(readFile(path) == bytes);
    std::filesystem::remove_all(path + ".tmp");
    FUZZ_CHECK(writeColourFile(path, classes));
    FUZZ_CHECK(readFile(path) == text);
    const ColourFileRead fromFile = readColourFile(path);
    FUZZ_CHECK(fromFile.status == ColourFileStatus::Ok && fromFile.lineCount == back.lineCount);
    return 0;
}
