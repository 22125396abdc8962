// Number conversions: the strict one accepts exactly an optionally signed decimal that
// fits an int (blanks around it allowed); the lenient one reads the leading number of any
// text, saturating, and agrees with the strict one wherever that one accepts.

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/Numbers.h"

using namespace kavelo;

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// The value of [sign]digits, saturated to +-2^40, or nothing when there are no digits.
bool readNumber(std::string_view s, std::size_t& i, int64_t& v) {
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    if (i >= s.size() || !digit(s[i])) return false;
    v = 0;
    for (; i < s.size() && digit(s[i]); ++i) v = v < (int64_t{1} << 40) ? v * 10 + (s[i] - '0') : v;
    if (neg) v = -v;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    const std::string_view core = text.substr(b, e - b);
    std::size_t i = 0;
    int64_t v = 0;
    const bool whole = readNumber(core, i, v) && i == core.size() && v >= INT_MIN && v <= INT_MAX;
    const std::optional<int> strict = strictToInt(text);
    FUZZ_CHECK(strict.has_value() == whole);
    if (whole) FUZZ_CHECK(*strict == v);

    std::size_t j = 0;
    while (j < text.size() && (text[j] == ' ' || text[j] == '\t')) ++j;
    int64_t lv = 0;
    const int64_t want = readNumber(text, j, lv) ? (lv > INT_MAX ? INT_MAX : lv < INT_MIN ? INT_MIN : lv) : 0;
    const int lenient = lenientToInt(text);
    FUZZ_CHECK(lenient == want);
    if (strict && text.find_first_of("\r\n") == std::string_view::npos) FUZZ_CHECK(lenient == *strict);

    // Every int prints and reads back through both.
    const int n = static_cast<int>(static_cast<uint32_t>(size * 2654435761u) ^
                                   (size >= 4 ? static_cast<uint32_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                                                      static_cast<uint32_t>(data[3]) << 24)
                                              : 0u));
    FUZZ_CHECK(strictToInt(std::to_string(n)) == n && lenientToInt(std::to_string(n)) == n);
    return 0;
}
