#pragma once
// Small text helpers shared by the line-oriented readers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "import/EventReader.h"

namespace kavelo::import {

std::string_view trim(std::string_view s);  // ASCII blanks, tabs, CR, LF

// A decimal number filling the whole (trimmed) text: sign, digits, point, exponent.
// Not a number, infinities and trailing text give nothing.
std::optional<double> parseDecimal(std::string_view text);
// A decimal integer filling the whole (trimmed) text, with optional sign.
std::optional<int> parseInteger(std::string_view text);

bool equalsIgnoreCase(std::string_view a, std::string_view b);

// The text shortened for a message, with control bytes shown as '?'.
std::string quoted(std::string_view text, std::size_t max = 40);

// Walks a file image line by line (LF ends a line, a CR before it is dropped), counting
// lines and reporting progress about every 4 MB.
class LineCursor {
  public:
    LineCursor(std::string_view bytes, const ReadOptions& options);
    bool next(std::string_view& line);
    std::size_t lineNumber() const { return number_; }
    void finish();  // final progress call

  private:
    std::string_view bytes_;
    const ReadOptions& options_;
    std::size_t pos_ = 0;
    std::size_t number_ = 0;
    std::size_t nextReport_ = 0;
};

}  // namespace kavelo::import
