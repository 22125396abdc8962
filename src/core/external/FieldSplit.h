#pragma once
// Splitting a line of an external list into fields.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kavelo {

// A field keeps at most this many bytes; the rest of a longer field is dropped.
constexpr std::size_t kMaxFieldLength = 1024;

// Fields separated by blanks (also the ideographic space), tabs, commas or line ends.
// Separators before a field are skipped; a comma met before any field starts gives an
// empty field.
// "12 34,56" -> 12, 34, 56; "a , b" -> a, "", b. Returns the number of fields.
int splitFields(std::string_view text, std::vector<std::string>& fields);

// Fields separated by commas or line ends only: blanks, tabs and line ends before a
// field are skipped, blanks inside (and after) it are kept; a comma met before any
// field starts gives an empty field. " 2001/01/02, 12:30 ,X" -> "2001/01/02", "12:30 ", "X".
int splitCommaFields(std::string_view text, std::vector<std::string>& fields);

}  // namespace kavelo
