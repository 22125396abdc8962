#include "catalogue/CatalogueLoader.h"

#include <cstring>
#include <fstream>

namespace kavelo {

int32_t appendCatalogueBytes(std::string_view bytes, bool rika, Catalogue& cat, int32_t* leftOut) {
    int32_t taken = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t whole = bytes.size() / kRecordSize;
    for (std::size_t k = 0; k < whole; ++k) {
        EarthquakeRecord r = decodeRecord(p + k * kRecordSize);
        if (rika && r.date > kRikaLastDate) continue;
        if (cat.recordCount >= kCatalogueCapacity) {
            if (leftOut) ++*leftOut;
            continue;
        }
        r.rika = rika ? 1 : 0;
        r.spare = 0;
        cat[cat.recordCount++] = r;
        ++taken;
    }
    return taken;
}

bool readWholeFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0) return false;
    out.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(out.data(), size);
    out.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

CatalogueLoadResult loadCatalogue(const std::string& rikaPath, const std::string& geppoPath,
                                  Catalogue& cat) {
    CatalogueLoadResult res;
    cat.recordCount = 0;
    std::string bytes;
    if (!readWholeFile(rikaPath, bytes)) {
        res.status = CatalogueLoadResult::Status::RikaMissing;
        return res;
    }
    res.rikaCount = appendCatalogueBytes(bytes, true, cat, &res.leftOut);
    if (!readWholeFile(geppoPath, bytes)) {
        res.status = CatalogueLoadResult::Status::GeppoMissing;
        return res;
    }
    res.geppoCount = appendCatalogueBytes(bytes, false, cat, &res.leftOut);
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
