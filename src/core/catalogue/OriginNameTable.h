#pragma once
// The source-region name table (DATA/JAP-ORIGIN.CSV): stored name -> displayed name.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/Catalogue.h"

namespace kavelo {

constexpr int kOriginTableCapacity = 2000;
constexpr std::size_t kOriginColumnMax = 30;
constexpr std::size_t kOriginLineMax = 99;
// A table file larger than this is not read at all (names then stay as stored, as when
// the file is missing); a full table is about 2000 x 99 bytes.
constexpr std::size_t kOriginTableFileMax = 16 * 1024 * 1024;

enum class NameTableMessage {
    TooLongLetters,  // one per byte beyond the 30th of a column
    TooManyLetters,  // one per comma after the first of a line
};

struct OriginNameTable {
    std::vector<std::pair<std::string, std::string>> entries;
};

// Parses the file image. Each physical line is read up to its line end; only its
// first 99 bytes are interpreted, so an over-long line never spills into a second
// entry. A column keeps at most 30 bytes, cut before a split double-byte character.
OriginNameTable parseOriginNameTable(std::string_view bytes,
                                     const std::function<void(NameTableMessage)>& onMessage);

// Replaces every record's origin by the displayed name of the first entry whose
// stored name equals it. onIllegal(recordIndex) is called for each record whose
// new name is "IDO". Returns the number of records renamed.
int applyOriginNames(const OriginNameTable& table, Catalogue& cat,
                     const std::function<void(int)>& onIllegal);

// Byte length of the longest prefix of s not ending inside a Shift-JIS double-byte character.
std::size_t sjisSafePrefix(std::string_view s, std::size_t maxBytes);

}  // namespace kavelo
