#include "platform/TextFile.h"

#include <cstdio>

namespace kavelo {

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t lf = bytes.find('\n', pos);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
    }
    return lines;
}

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = true;
    for (const auto& l : lines) {
        ok = ok && std::fwrite(l.data(), 1, l.size(), f) == l.size();
        ok = ok && std::fwrite("\r\n", 1, 2, f) == 2;
    }
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace kavelo
