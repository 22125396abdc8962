// Source-region patterns: a pattern is refused exactly when it is over 51 bytes or has
// over 10 alternatives; an accepted one splits only at real ASCII bars (never inside a
// double-byte character), its alternatives rebuild the text, and each of them matches.

#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/ShiftJis.h"
#include "search/SearchConditions.h"

using namespace kavelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const OriginPatternParse parse = parseOriginPattern(text);

    // Bars that separate: those not taken as the trail byte of a double-byte character.
    std::size_t bars = 0;
    bool trailingBar = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (text[i] == '|') {
            ++bars;
            trailingBar = i + 1 == text.size();
        }
    }
    // A bar that ends the text adds no alternative after it.
    const std::size_t alternatives = trailingBar ? bars : bars + 1;
    const bool isNull = text.size() == 4 && (text[0] | 0x20) == 'n' && (text[1] | 0x20) == 'u' &&
                        (text[2] | 0x20) == 'l' && (text[3] | 0x20) == 'l';

    if (text.empty()) {
        FUZZ_CHECK(parse.error == OriginPatternError::None && parse.condition.mode == OriginMode::None);
        return 0;
    }
    if (text.size() > kOriginPatternMaxBytes) {
        FUZZ_CHECK(parse.error == OriginPatternError::TooLong);
        FUZZ_CHECK(!originPatternErrorMessage(parse.error).empty());
        return 0;
    }
    if (isNull) {
        FUZZ_CHECK(parse.error == OriginPatternError::None && parse.condition.mode == OriginMode::EmptyName);
        FUZZ_CHECK(parse.condition.matches("") && !parse.condition.matches("x"));
        return 0;
    }
    if (alternatives > kOriginMaxAlternatives) {
        FUZZ_CHECK(parse.error == OriginPatternError::TooManyAlternatives);
        return 0;
    }
    FUZZ_CHECK(parse.error == OriginPatternError::None);
    FUZZ_CHECK(parse.condition.mode == OriginMode::Alternatives);
    FUZZ_CHECK(parse.condition.alternatives.size() == alternatives);
    std::string joined;
    for (std::size_t k = 0; k < parse.condition.alternatives.size(); ++k) {
        const std::string& a = parse.condition.alternatives[k];
        if (k) joined += '|';
        joined += a;
        FUZZ_CHECK(parse.condition.matches(a));
        FUZZ_CHECK(parse.condition.matches("\x81\x40" + a + "\x81\x40"));
    }
    if (trailingBar) joined += '|';
    FUZZ_CHECK(joined == text);
    return 0;
}
