#pragma once
// Text files of the program: Shift-JIS bytes, written with CR LF, read with CR LF or LF.

#include <string>
#include <string_view>
#include <vector>

namespace kavelo {

// Splits a file image into lines; a CR before each LF is dropped. A last line
// without LF counts; an empty file has no lines.
std::vector<std::string> splitLines(std::string_view bytes);

// Writes each line followed by CR LF, replacing the file. False on any failure
// (the message for the user comes from the caller).
bool writeTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kavelo
