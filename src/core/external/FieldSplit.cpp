#include "external/FieldSplit.h"

#include <algorithm>

#include "platform/ShiftJis.h"

namespace kavelo {

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isLead(char c) {
    return isSjisLeadByte(static_cast<unsigned char>(c));
}
bool isTrail(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x40 && u <= 0xFC && u != 0x7F;
}

// Width of the separator at s[i] (0 when there is none). Blank fields also end at the
// ideographic space (Shift-JIS 81 40), which lists typed in Japanese editors use
// between columns; it is recognised only as a whole character.
std::size_t blankAt(std::string_view s, std::size_t i, bool ideographic) {
    const char c = s[i];
    if (c == ' ' || c == '\t' || isLineEnd(c)) return 1;
    if (ideographic && c == '\x81' && i + 1 < s.size() && s[i + 1] == '\x40') return 2;
    return 0;
}

int split(std::string_view s, std::vector<std::string>& fields, bool blanksEndFields) {
    fields.clear();
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        for (std::size_t w; i < n && (w = blankAt(s, i, blanksEndFields)) > 0;) i += w;
        if (i >= n) break;
        if (s[i] == ',') {
            fields.emplace_back();
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < n) {
            const char c = s[i];
            if (c == ',' || isLineEnd(c) || (blanksEndFields && blankAt(s, i, true) > 0)) break;
            // A double-byte character is stepped over whole; a broken one byte by byte.
            i += (isLead(c) && i + 1 < n && isTrail(s[i + 1])) ? 2 : 1;
        }
        fields.emplace_back(s.substr(start, std::min(i - start, kMaxFieldLength)));
        if (i < n && s[i] == ',') ++i;  // the comma that ended the field belongs to it
    }
    return static_cast<int>(fields.size());
}

}  // namespace

int splitFields(std::string_view text, std::vector<std::string>& fields) {
    return split(text, fields, true);
}

int splitCommaFields(std::string_view text, std::vector<std::string>& fields) {
    return split(text, fields, false);
}

}  // namespace kavelo
