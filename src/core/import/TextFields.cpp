#include "import/TextFields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kavelo::import {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr std::size_t kReportEvery = 4u << 20;
}  // namespace

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::optional<double> parseDecimal(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    // Only plain decimal notation: from_chars would also take "nan" and "inf".
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+'))
            return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> parseInteger(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string quoted(std::string_view text, std::size_t max) {
    std::string s = "'";
    for (std::size_t i = 0; i < text.size() && i < max; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        s += c < 0x20 || c == 0x7f ? '?' : static_cast<char>(c);
    }
    if (text.size() > max) s += "...";
    return s + "'";
}

LineCursor::LineCursor(std::string_view bytes, const ReadOptions& options)
    : bytes_(bytes), options_(options), nextReport_(kReportEvery) {
    // A UTF-8 byte-order mark before the first line is not part of it.
    if (bytes_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

bool LineCursor::next(std::string_view& line) {
    if (pos_ >= bytes_.size()) return false;
    std::size_t lf = bytes_.find('\n', pos_);
    std::size_t end = lf == std::string_view::npos ? bytes_.size() : lf;
    line = bytes_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = lf == std::string_view::npos ? bytes_.size() : lf + 1;
    ++number_;
    if (options_.progress && pos_ >= nextReport_) {
        options_.progress(pos_, bytes_.size());
        nextReport_ = pos_ + kReportEvery;
    }
    return true;
}

void LineCursor::finish() {
    if (options_.progress) options_.progress(bytes_.size(), bytes_.size());
}

}  // namespace kavelo::import
