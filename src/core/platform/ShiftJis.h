#pragma once
// Byte-level facts of Shift-JIS (code page 932) text.

#include <string>
#include <string_view>
#include <vector>

namespace kavelo {

// The first byte of a double-byte character; its second byte may look like ASCII ('|', '\\').
constexpr bool isSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The pieces of text between its bars ('|'), a bar at its end giving an empty last piece.
// The trail byte of a double-byte character may be 0x7C and is not a bar.
inline std::vector<std::string> splitSjisAtBars(std::string_view text) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (isSjisLeadByte(c) && i + 1 < text.size()) {
            current.push_back(text[i]);
            current.push_back(text[++i]);
        } else if (c == '|') {
            parts.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(text[i]);
        }
    }
    parts.push_back(std::move(current));
    return parts;
}

}  // namespace kavelo
