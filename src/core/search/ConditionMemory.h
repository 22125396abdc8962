#pragma once
// The three remembered sets of search conditions, "Region%d.txt" in the current
// directory: eleven Shift-JIS lines (date1, date2, lat1, lat2, lon1, lon2, mag1, mag2,
// depth1, depth2, Origin) ending in CR LF.

#include <array>
#include <cstddef>
#include <string>

namespace kavelo {

constexpr std::size_t kConditionLineCount = 11;
constexpr int kConditionSlotCount = 3;

using ConditionTexts = std::array<std::string, kConditionLineCount>;

// "Region0.txt" ... "Region2.txt" (relative name).
std::string conditionSlotFileName(int slot);

enum class SlotWriteStatus { Ok, CannotWrite };

// Writes to a scratch file first and renames it over the slot, so a failed save
// leaves the previous slot file as it was. Line breaks inside a text are dropped.
SlotWriteStatus writeConditionSlot(const std::string& path, const ConditionTexts& texts);

enum class SlotReadStatus {
    Ok,
    Missing,     // no such file: the caller returns silently
    Unreadable,  // exists but cannot be opened or read
    Incomplete,  // fewer than eleven lines: nothing is taken from it
};

struct SlotRead {
    SlotReadStatus status = SlotReadStatus::Missing;
    ConditionTexts texts;   // filled only when Ok
    std::size_t linesFound = 0;
};

// Accepts CR LF and LF; a last line without a line end still counts.
SlotRead readConditionSlot(const std::string& path);

// Lenient number of a remembered line (leading blanks, sign, digits; else 0),
// saturated to the int range.
int slotLineToInt(const std::string& line);

}  // namespace kavelo
