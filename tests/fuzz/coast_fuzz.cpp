// NCOAST files: an accepted coastline holds at most 1999 points read exactly from the
// bytes (they write back to the same bytes), a refused one keeps the previous line and
// says why; reading through a real file gives the same answer as reading the bytes.

#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "map/MapData.h"

using namespace kavelo;
using namespace kavelo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CoastLine line;
    line.points = {PlanePoint{1, 2}};
    const MapDataResult res = parseCoastLine(data, size, line, "NCOAST07.BIN");
    if (!res.ok) {
        FUZZ_CHECK(line.points.size() == 1 && line.points[0] == (PlanePoint{1, 2}));
        FUZZ_CHECK(res.message.find("NCOAST07.BIN") != std::string::npos);
    } else {
        const std::size_t n = line.points.size();
        FUZZ_CHECK(n <= static_cast<std::size_t>(kCoastMaxPoints));
        FUZZ_CHECK(size >= 2 + 4 * n);
        std::string back;
        back.push_back(static_cast<char>(n & 0xff));
        back.push_back(static_cast<char>(n >> 8));
        for (const PlanePoint& p : line.points) {
            FUZZ_CHECK(p.x >= INT16_MIN && p.x <= INT16_MAX && p.y >= INT16_MIN && p.y <= INT16_MAX);
            for (int v : {p.x, p.y}) {
                back.push_back(static_cast<char>(v & 0xff));
                back.push_back(static_cast<char>((v >> 8) & 0xff));
            }
        }
        FUZZ_CHECK(std::memcmp(back.data(), data, back.size()) == 0);
    }

    // The file reader takes the first 8000 bytes, all that 1999 points need.
    clearScratch();
    const std::string path = scratchFile("NCOAST07.BIN");
    writeFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    CoastLine fromFile;
    const MapDataResult fileRes = loadCoastLine(path, fromFile);
    CoastLine fromBytes;
    const MapDataResult bytesRes = parseCoastLine(data, std::min<size_t>(size, 8000), fromBytes, "NCOAST07.BIN");
    FUZZ_CHECK(fileRes.ok == bytesRes.ok);
    FUZZ_CHECK(fileRes.ok == res.ok);
    if (fileRes.ok) FUZZ_CHECK(fromFile.points == fromBytes.points && fromFile.points == line.points);
    return 0;
}
