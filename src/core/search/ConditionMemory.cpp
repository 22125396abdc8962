#include "search/ConditionMemory.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "search/Lenient.h"

namespace kavelo {

namespace {
// A slot file is eleven short lines; anything far larger is not one of ours.
constexpr std::uintmax_t kMaxSlotFileBytes = 64 * 1024;
}  // namespace

std::string conditionSlotFileName(int slot) {
    return "Region" + std::to_string(slot) + ".txt";
}

SlotWriteStatus writeConditionSlot(const std::string& path, const ConditionTexts& texts) {
    const std::string scratch = path + ".tmp";
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        if (!out) return SlotWriteStatus::CannotWrite;
        for (const std::string& t : texts) {
            std::string line;
            std::copy_if(t.begin(), t.end(), std::back_inserter(line),
                         [](char c) { return c != '\r' && c != '\n'; });
            out << line << "\r\n";
        }
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(scratch, ec);
            return SlotWriteStatus::CannotWrite;
        }
    }
    std::error_code ec;
    std::filesystem::rename(scratch, path, ec);
    if (ec) {
        std::filesystem::remove(scratch, ec);
        return SlotWriteStatus::CannotWrite;
    }
    return SlotWriteStatus::Ok;
}

SlotRead readConditionSlot(const std::string& path) {
    SlotRead result;
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);
    if (st.type() == std::filesystem::file_type::not_found) {
        result.status = SlotReadStatus::Missing;
        return result;
    }
    if (ec || !std::filesystem::is_regular_file(st) ||
        std::filesystem::file_size(path, ec) > kMaxSlotFileBytes || ec) {
        result.status = SlotReadStatus::Unreadable;
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.status = SlotReadStatus::Unreadable;
        return result;
    }
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        result.status = SlotReadStatus::Unreadable;
        return result;
    }

    ConditionTexts texts;
    std::size_t lines = 0;
    std::size_t pos = 0;
    while (pos < content.size() && lines < kConditionLineCount) {
        std::size_t lf = content.find('\n', pos);
        std::size_t end = lf == std::string::npos ? content.size() : lf;
        std::size_t textEnd = end;
        if (textEnd > pos && content[textEnd - 1] == '\r') --textEnd;
        texts[lines++] = content.substr(pos, textEnd - pos);
        pos = lf == std::string::npos ? content.size() : lf + 1;
    }
    result.linesFound = lines;
    if (lines < kConditionLineCount) {
        result.status = SlotReadStatus::Incomplete;
        return result;
    }
    result.texts = std::move(texts);
    result.status = SlotReadStatus::Ok;
    return result;
}

int slotLineToInt(const std::string& line) {
    const int64_t v = search_detail::leadingInt(line);
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

}  // namespace kavelo
