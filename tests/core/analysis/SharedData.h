#pragma once
// Locating the real reference data beside the source tree; tests skip without it.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kavelo::testdata {

inline std::string sharedDataDir() {
    if (const char* env = std::getenv("KAVELO_SHARED_DATA"); env && *env) return env;
    // tests/core/analysis/ -> <repo>/../shared/data
    std::filesystem::path p(__FILE__);
    return (p.parent_path() / ".." / ".." / ".." / ".." / "shared" / "data").lexically_normal().string();
}

inline std::string sharedDataFile(const std::string& rel) {
    const std::string path = sharedDataDir() + "/" + rel;
    return std::filesystem::exists(path) ? path : std::string();
}

}  // namespace kavelo::testdata
