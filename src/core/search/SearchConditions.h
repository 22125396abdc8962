#pragma once
// Parsed search conditions of the main window: period, box, magnitude, depth and the
// source-region pattern, plus their parsing and validation.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavelo {

enum class DateRole { Start, End };

// "YYYY", "YYYY/MM" or "YYYY/MM/DD" (parts read leniently, missing parts 0) to
// YYYYMMDD. A zero month or day becomes 1 for a start date, 12 or 31 for an end date.
// Never fails; the result is clamped to the int32 range.
int32_t parseSearchDate(std::string_view text, DateRole role);

constexpr std::size_t kOriginPatternMaxBytes = 51;
constexpr std::size_t kOriginMaxAlternatives = 10;

enum class OriginMode {
    None,          // empty text: no origin condition
    EmptyName,     // "NULL" in any letter case: only records without a name
    Alternatives,  // at least one alternative occurs in the name as a byte substring
};

struct OriginCondition {
    OriginMode mode = OriginMode::None;
    std::vector<std::string> alternatives;

    bool matches(std::string_view originName) const {
        switch (mode) {
        case OriginMode::None:
            return true;
        case OriginMode::EmptyName:
            return originName.empty();
        case OriginMode::Alternatives:
            for (const std::string& a : alternatives)
                if (originName.find(a) != std::string_view::npos) return true;
            return false;
        }
        return false;
    }
};

enum class OriginPatternError { None, TooLong, TooManyAlternatives };

struct OriginPatternParse {
    OriginCondition condition;
    OriginPatternError error = OriginPatternError::None;
};

// Splits a Shift-JIS pattern at ASCII bars. The trail byte of a double-byte character
// is never taken for a bar, and a single trailing bar adds no alternative. Texts over
// 51 bytes or with more than 10 alternatives are refused rather than cut.
OriginPatternParse parseOriginPattern(std::string_view text);

// Message (caption "Data Error") for a refused pattern; empty for None.
std::string_view originPatternErrorMessage(OriginPatternError error);

struct SearchConditions {
    int32_t dateFrom = 0, dateTo = 0;
    int32_t lat1 = 0, lat2 = 0;  // ddmm, half-open
    int32_t lon1 = 0, lon2 = 0;  // dddmm, half-open
    int32_t mag1 = 0, mag2 = 0;  // magnitude x 10, closed
    int32_t depth1 = 0, depth2 = 0;  // km, half-open
    OriginCondition origin;
};

enum class ValidationScope {
    Full,         // catalogue search: date, latitude, longitude, magnitude, depth
    DateMagDepth  // zone search: the box comes from the zone
};

inline constexpr std::string_view kDataErrorCaption = "Data Error";

// The message of the first failing check in the fixed order, or nothing.
// Equal bounds are accepted.
std::optional<std::string_view> validateConditions(const SearchConditions& c,
                                                   ValidationScope scope);

}  // namespace kavelo
