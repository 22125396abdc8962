#include "search/SearchConditions.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <limits>

#include "platform/Numbers.h"

namespace kavelo {

int32_t parseSearchDate(std::string_view text, DateRole role) {
    int64_t part[3] = {0, 0, 0};
    std::size_t start = 0;
    for (int k = 0; k < 3 && start <= text.size(); ++k) {
        std::size_t slash = text.find('/', start);
        std::size_t end = slash == std::string_view::npos ? text.size() : slash;
        part[k] = lenientToInt(text.substr(start, end - start));
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    const bool isEnd = role == DateRole::End;
    if (part[1] == 0) part[1] = isEnd ? 12 : 1;
    if (part[2] == 0) part[2] = isEnd ? 31 : 1;
    const int64_t v = part[0] * 10000 + part[1] * 100 + part[2];
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

namespace {

bool equalsNullIgnoringCase(std::string_view t) {
    if (t.size() != 4) return false;
    static constexpr char kNull[] = "null";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = t[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kNull[i]) return false;
    }
    return true;
}
}  // namespace

OriginPatternParse parseOriginPattern(std::string_view text) {
    OriginPatternParse out;
    if (text.empty()) return out;
    if (text.size() > kOriginPatternMaxBytes) {
        out.error = OriginPatternError::TooLong;
        return out;
    }
    if (equalsNullIgnoringCase(text)) {
        out.condition.mode = OriginMode::EmptyName;
        return out;
    }
    std::vector<std::string> parts = splitSjisAtBars(text);
    // A bar as the final byte adds no empty alternative.
    if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
    if (parts.size() > kOriginMaxAlternatives) {
        out.error = OriginPatternError::TooManyAlternatives;
        return out;
    }
    out.condition.mode = OriginMode::Alternatives;
    out.condition.alternatives = std::move(parts);
    return out;
}

std::string_view originPatternErrorMessage(OriginPatternError error) {
    switch (error) {
    case OriginPatternError::None:
        return {};
    case OriginPatternError::TooLong:
        return "illegal origin data! (51 bytes at most)";
    case OriginPatternError::TooManyAlternatives:
        return "illegal origin data! (10 alternatives at most)";
    }
    return {};
}

std::optional<std::string_view> validateConditions(const SearchConditions& c,
                                                   ValidationScope scope) {
    if (c.dateFrom > c.dateTo) return "illegal date data!";
    if (scope == ValidationScope::Full) {
        if (c.lat1 > c.lat2) return "illegal latitude data!";
        if (c.lon1 > c.lon2) return "illegal longitude data!";
    }
    if (c.mag1 > c.mag2) return "illegal magnitude data!";
    if (c.depth1 > c.depth2) return "illegal depth data!";
    return std::nullopt;
}

}  // namespace kavelo
