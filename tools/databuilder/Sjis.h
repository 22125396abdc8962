#pragma once
// UTF-8 -> Shift-JIS (CP932) conversion for the bundled text tables.

#include <string>
#include <string_view>

namespace kavelo::data {

// Converts UTF-8 text to CP932; throws std::runtime_error naming the text when any
// character has no CP932 form, so that a bad table entry stops the build.
std::string toSjis(std::string_view utf8);

// CP932 -> UTF-8; throws std::runtime_error on an invalid byte sequence.
std::string fromSjis(std::string_view sjis);

}  // namespace kavelo::data
