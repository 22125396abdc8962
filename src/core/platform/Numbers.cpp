#include "platform/Numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace kavelo {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Skips the blanks and tabs before a lenient number and its sign; returns where the
// digits start.
std::size_t skipLenientLead(std::string_view s, bool& negative) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    return i;
}
}  // namespace

std::optional<int> strictToInt(std::string_view s) {
    std::size_t i = 0, n = s.size();
    while (i < n && isBlank(s[i])) ++i;
    while (n > i && isBlank(s[n - 1])) --n;
    if (i >= n) return std::nullopt;
    bool neg = false;
    if (s[i] == '+' || s[i] == '-') {
        neg = s[i] == '-';
        ++i;
    }
    if (i >= n) return std::nullopt;
    int64_t v = 0;
    for (; i < n; ++i) {
        char c = s[i];
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > static_cast<int64_t>(INT_MAX) + 1) return std::nullopt;
    }
    if (neg) v = -v;
    if (v > INT_MAX || v < INT_MIN) return std::nullopt;
    return static_cast<int>(v);
}

int lenientToInt(std::string_view s) {
    bool neg = false;
    std::size_t i = skipLenientLead(s, neg);
    int64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (v < static_cast<int64_t>(INT_MAX) + 1) v = v * 10 + (s[i] - '0');
    }
    if (neg) v = -v;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

double lenientToDecimal(std::string_view s) {
    bool neg = false;
    std::size_t i = skipLenientLead(s, neg);
    const std::size_t start = i;
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9')
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digits) return 0.0;
    double v = 0.0;
    const auto r = std::from_chars(s.data() + start, s.data() + i, v, std::chars_format::fixed);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0.0;
    return neg ? -v : v;
}

}  // namespace kavelo
