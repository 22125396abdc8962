#pragma once
// UTF-8 text from downloaded files to the Shift-JIS (code page 932) bytes the catalogue keeps.

#include <optional>
#include <string>
#include <string_view>

namespace kavelo {

// Nothing when the text is not valid UTF-8 or holds a character code page 932 lacks.
std::optional<std::string> utf8ToSjis(std::string_view utf8);

// True when the text holds a byte above 0x7F.
bool hasNonAscii(std::string_view text);

}  // namespace kavelo
