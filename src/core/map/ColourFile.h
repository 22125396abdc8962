#pragma once
// The colour files "Mycolor0.txt" ... "Mycolor2.txt": one line per depth class,
// "%10d,%10d" with the class's upper depth limit and its colour value (signed decimal),
// the last line being the first whose limit is 0; at most eight lines, CR LF.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "map/MarkRules.h"

namespace kavelo {

constexpr int kColourFileSlotCount = 3;
constexpr int kColourFileMaxLines = 8;

// "Mycolor0.txt" ... "Mycolor2.txt" (relative name).
std::string colourFileName(int slot);

// The file's text for the live classes: line i holds bounds[i + 1] and colors[i].
std::string formatColourFile(const DepthClasses& classes);

enum class ColourFileStatus {
    Ok,
    Missing,     // no such file
    Unreadable,  // a folder, a device, too large, or a read error
    Empty,       // no line at all
    Damaged,     // a line that is not "limit,colour" with two integers
};

struct ColourFileRead {
    ColourFileStatus status = ColourFileStatus::Missing;
    int lineCount = 0;  // lines taken (at most eight)
    std::array<int32_t, kColourFileMaxLines> limits{};
    std::array<ColorValue, kColourFileMaxLines> colors{};
    int badLine = 0;  // 1-based line number when Damaged
};

// Parses a file image. Lines after the eighth are ignored; each taken line must hold an
// integer, a comma and an integer (blanks around them allowed), both within 32 bits.
// The written layout puts the second number at offset 11, which this reads the same way.
ColourFileRead parseColourFile(std::string_view bytes);

// Reads and parses a file; Missing when it does not exist.
ColourFileRead readColourFile(const std::string& path);

// Writes through a scratch file renamed over path, so a failed save keeps the old file.
bool writeColourFile(const std::string& path, const DepthClasses& classes);

}  // namespace kavelo
