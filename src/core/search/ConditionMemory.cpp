#include "search/ConditionMemory.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>
#include <iterator>
#include <system_error>

#include "platform/Numbers.h"
#include "platform/TextFile.h"

namespace kavelo {

namespace {
// A slot file is eleven short lines; anything far larger is not one of ours.
constexpr std::uintmax_t kMaxSlotFileBytes = 64 * 1024;
}  // namespace

std::string conditionSlotFileName(int slot) {
    return "Region" + std::to_string(slot) + ".txt";
}

SlotWriteStatus writeConditionSlot(const std::string& path, const ConditionTexts& texts) {
    // A line break inside a text would shift every later line, so it is dropped.
    std::vector<std::string> lines;
    for (const std::string& t : texts) {
        std::string line;
        std::copy_if(t.begin(), t.end(), std::back_inserter(line),
                     [](char c) { return c != '\r' && c != '\n'; });
        lines.push_back(std::move(line));
    }
    // Written beside the slot and renamed over it, so a failed save keeps the old slot.
    const std::string scratch = path + ".tmp";
    std::error_code ec;
    if (!writeTextLines(scratch, lines)) {
        std::filesystem::remove(scratch, ec);
        return SlotWriteStatus::CannotWrite;
    }
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

    const std::vector<std::string> found = splitLines(content);
    const std::size_t lines = std::min(found.size(), kConditionLineCount);
    ConditionTexts texts;
    std::copy_n(found.begin(), lines, texts.begin());
    result.linesFound = lines;
    if (lines < kConditionLineCount) {
        result.status = SlotReadStatus::Incomplete;
        return result;
    }
    result.texts = std::move(texts);
    result.status = SlotReadStatus::Ok;
    return result;
}

int slotLineToInt(const std::string& line) { return lenientToInt(line); }

}  // namespace kavelo
