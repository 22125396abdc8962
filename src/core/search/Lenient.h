#pragma once
// Lenient reading of a leading decimal integer, as used for dates and slot files.

#include <cstdint>
#include <string_view>

namespace kavelo::search_detail {

// Leading blanks, an optional sign, digits up to the first non-digit; no digits is 0.
// Saturates well inside int64 so that callers can scale without overflow.
inline int64_t leadingInt(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    int64_t v = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        if (v < 100000000000LL) v = v * 10 + (t[i] - '0');
    }
    return negative ? -v : v;
}

}  // namespace kavelo::search_detail
