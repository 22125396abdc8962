#pragma once
// Shared pieces of the fuzz targets: an invariant check that stops the run with a
// message, and a private scratch folder for targets that go through real files.

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// A broken invariant is a finding: print it and abort so that libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                   \
    do {                                                                                   \
        if (!(cond)) {                                                                     \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

namespace kavelo::fuzz {

// One folder per process under $TMPDIR (or /tmp), emptied before each input.
inline const std::filesystem::path& scratchDir() {
    static const std::filesystem::path dir = [] {
        const char* base = std::getenv("TMPDIR");
        const std::filesystem::path root(base && *base ? base : "/tmp");
        // A run that found a crash ended by abort() and left its folder: remove those of
        // processes that no longer exist.
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(root, ec)) {
            const std::string name = e.path().filename().string();
            if (name.rfind("kavelo-fuzz-", 0) != 0) continue;
            const long pid = std::strtol(name.c_str() + 12, nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(e.path(), ec);
        }
        std::filesystem::path p = root / ("kavelo-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchDir(), ec);
        });
        return p;
    }();
    return dir;
}

inline void clearScratch() {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(scratchDir(), ec))
        std::filesystem::remove_all(e.path(), ec);
}

inline std::string scratchFile(const std::string& name) { return (scratchDir() / name).string(); }

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace kavelo::fuzz
