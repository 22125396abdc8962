#include "catalogue/CatalogueLoader.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kavelo {

int32_t appendCatalogueBytes(std::string_view bytes, bool rika, Catalogue& cat, int32_t* leftOut) {
    int32_t taken = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t whole = bytes.size() / kRecordSize;
    for (std::size_t k = 0; k < whole; ++k) {
        EarthquakeRecord r = decodeRecord(p + k * kRecordSize);
        if (rika && r.date > kRikaLastDate) continue;
        if (cat.recordCount >= kCatalogueCapacity) {
            if (leftOut && *leftOut < INT32_MAX) ++*leftOut;
            continue;
        }
        r.rika = rika ? 1 : 0;
        r.spare = 0;
        cat[cat.recordCount++] = r;
        ++taken;
    }
    return taken;
}

namespace {

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && !ec;
}

// Reads up to n bytes; fewer only at the end of the file. False on a read error.
bool readChunk(std::ifstream& in, char* buf, std::size_t n, std::size_t& got) {
    in.read(buf, static_cast<std::streamsize>(n));
    got = static_cast<std::size_t>(in.gcount());
    return !in.bad();
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    out.clear();
    // Regular files only: a folder opens as a stream here and reports an absurd size,
    // and a named pipe blocks on opening. The size is not trusted either; the bytes are
    // read until the end.
    if (!isRegularFile(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    constexpr std::size_t kChunk = 1 << 16;
    for (;;) {
        const std::size_t have = out.size();
        if (have > maxBytes) break;
        // One byte beyond the limit tells a file that is too large from one that fits.
        const std::size_t room = maxBytes - have;
        const std::size_t want = room >= kChunk ? kChunk : room + 1;
        out.resize(have + want);
        std::size_t got = 0;
        const bool ok = readChunk(in, out.data() + have, want, got);
        out.resize(have + got);
        if (!ok) {
            out.clear();
            return false;
        }
        if (got < want) break;
    }
    if (out.size() > maxBytes) {
        out.clear();
        return false;
    }
    return true;
}

bool appendCatalogueFile(const std::string& path, bool rika, Catalogue& cat, int32_t* taken,
                         int32_t* leftOut) {
    if (!isRegularFile(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string buf(kRecordSize * 4096, '\0');
    for (;;) {
        std::size_t got = 0;
        if (!readChunk(in, buf.data(), buf.size(), got)) return false;
        // Whole chunks hold whole records, so only a partial record at the very end is lost.
        const int32_t n = appendCatalogueBytes(std::string_view(buf.data(), got), rika, cat, leftOut);
        if (taken) *taken += n;
        if (got < buf.size()) return true;
    }
}

CatalogueLoadResult loadCatalogue(const std::string& rikaPath, const std::string& geppoPath,
                                  Catalogue& cat) {
    CatalogueLoadResult res;
    cat.recordCount = 0;
    if (!appendCatalogueFile(rikaPath, true, cat, &res.rikaCount, &res.leftOut)) {
        res.status = CatalogueLoadResult::Status::RikaMissing;
        return res;
    }
    if (!appendCatalogueFile(geppoPath, false, cat, &res.geppoCount, &res.leftOut)) {
        res.status = CatalogueLoadResult::Status::GeppoMissing;
        return res;
    }
    return res;
}

std::string joinPath(const std::string& dir, const std::string& rel) {
    if (dir.empty()) return rel;
    if (dir.back() == '/') return dir + rel;
    return dir + "/" + rel;
}

std::string fileNamePart(const std::string& path) {
    auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

}  // namespace kavelo
