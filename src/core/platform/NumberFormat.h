#pragma once
// printf-style formatting of one floating value with a format chosen by the caller,
// checked first: only literal text, "%%" and exactly one f/e/g conversion (flags,
// width and precision as digits) are accepted, so a format can never read arguments
// that were not passed.

#include <string>
#include <string_view>

namespace kavelo {

bool isSingleNumberFormat(std::string_view format);

// The value formatted; a format that fails the check formats with "%g".
std::string formatNumber(std::string_view format, double value);

}  // namespace kavelo
