#pragma once
// Number conversions: strict for typed text, lenient for numbers read from files.

#include <optional>
#include <string_view>

namespace kavelo {

// Decimal integer with optional sign; blanks around it are allowed, nothing else.
// Out-of-range values fail as well.
std::optional<int> strictToInt(std::string_view text);

// Leading blanks skipped, an optional sign, then digits up to the first non-digit;
// no digits gives 0. Saturates instead of overflowing.
int lenientToInt(std::string_view text);

// As lenientToInt, but digits may hold one decimal point; no digits (or no finite
// value) gives 0.
double lenientToDecimal(std::string_view text);

}  // namespace kavelo
