#include "map/ColourFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/Numbers.h"
#include "platform/TextFile.h"

namespace kavelo {

namespace {

// Eight lines of 21 characters need a few hundred bytes; anything far larger is not a colour file.
constexpr std::uintmax_t kMaxColourFileBytes = 64 * 1024;

bool isBlank(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

}  // namespace

std::string colourFileName(int slot) { return "Mycolor" + std::to_string(slot) + ".txt"; }

std::string formatColourFile(const DepthClasses& classes) {
    std::string out;
    char line[64];
    for (int i = 0; i < kColourFileMaxLines; ++i) {
        const int32_t limit = classes.bounds[static_cast<std::size_t>(i + 1)];
        const auto colour = static_cast<int32_t>(classes.colors[static_cast<std::size_t>(i)]);
        std::snprintf(line, sizeof line, "%10d,%10d\r\n", limit, colour);
        out += line;
        if (limit == 0) break;  // the open class ends the file
    }
    return out;
}

ColourFileRead parseColourFile(std::string_view bytes) {
    ColourFileRead r;
    std::vector<std::string> lines = splitLines(bytes);
    // Blank lines at the end (an editor's extra line break) are not classes.
    while (!lines.empty() && isBlank(lines.back())) lines.pop_back();
    if (lines.empty()) {
        r.status = ColourFileStatus::Empty;
        return r;
    }
    const std::size_t taken = std::min<std::size_t>(lines.size(), kColourFileMaxLines);
    for (std::size_t i = 0; i < taken; ++i) {
        const std::string_view line = lines[i];
        const std::size_t comma = line.find(',');
        std::optional<int> limit, colour;
        if (comma != std::string_view::npos) {
            limit = strictToInt(line.substr(0, comma));
            colour = strictToInt(line.substr(comma + 1));
        }
        if (!limit || !colour) {
            r.status = ColourFileStatus::Damaged;
            r.badLine = static_cast<int>(i) + 1;
            r.lineCount = 0;
            return r;
        }
        r.limits[i] = *limit;
        r.colors[i] = static_cast<ColorValue>(*colour);
    }
    r.lineCount = static_cast<int>(taken);
    r.status = ColourFileStatus::Ok;
    return r;
}

ColourFileRead readColourFile(const std::string& path) {
    ColourFileRead r;
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);
    if (st.type() == std::filesystem::file_type::not_found) return r;  // Missing
    r.status = ColourFileStatus::Unreadable;
    if (ec || !std::filesystem::is_regular_file(st)) return r;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxColourFileBytes) return r;
    std::ifstream in(path, std::ios::binary);
    if (!in) return r;
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return r;
    return parseColourFile(content);
}

bool writeColourFile(const std::string& path, const DepthClasses& classes) {
    const std::string text = formatColourFile(classes);
    const std::string scratch = path + ".tmp";
    std::error_code ec;
    std::FILE* f = std::fopen(scratch.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = (std::fclose(f) == 0) && ok;
    if (ok) std::filesystem::rename(scratch, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(scratch, ec);
        return false;
    }
    return true;
}

}  // namespace kavelo
