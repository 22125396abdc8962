#include "catalogue/OriginNameTable.h"
#include "platform/ShiftJis.h"

#include <unordered_map>

namespace kavelo {

std::size_t sjisSafePrefix(std::string_view s, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t w = isSjisLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + w > maxBytes || i + w > s.size()) break;
        i += w;
    }
    return i;
}

OriginNameTable parseOriginNameTable(std::string_view bytes,
                                     const std::function<void(NameTableMessage)>& onMessage) {
    OriginNameTable table;
    std::size_t pos = 0;
    while (pos < bytes.size() && table.entries.size() < kOriginTableCapacity) {
        std::size_t lf = bytes.find('\n', pos);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(pos, end - pos);
        pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > kOriginLineMax) line = line.substr(0, kOriginLineMax);
        if (line.empty()) continue;

        std::string cols[2];
        int col = 0;
        std::size_t colBytes = 0;
        for (char c : line) {
            if (c == ',') {
                if (col >= 1) {
                    if (onMessage) onMessage(NameTableMessage::TooManyLetters);
                }
                ++col;
                colBytes = 0;
                continue;
            }
            if (col > 1) continue;  // text after the second comma is not used
            ++colBytes;
            if (colBytes > kOriginColumnMax) {
                if (onMessage) onMessage(NameTableMessage::TooLongLetters);
                continue;
            }
            cols[col].push_back(c);
        }
        for (auto& c : cols) c.resize(sjisSafePrefix(c, kOriginColumnMax));
        table.entries.emplace_back(std::move(cols[0]), std::move(cols[1]));
    }
    return table;
}

int applyOriginNames(const OriginNameTable& table, Catalogue& cat,
                     const std::function<void(int)>& onIllegal) {
    // First entry wins for a duplicated stored name, as a first-match scan would.
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(table.entries.size() * 2);
    for (std::size_t k = 0; k < table.entries.size(); ++k) first.emplace(table.entries[k].first, k);
    int renamed = 0;
    for (int i = 0; i < cat.recordCount; ++i) {
        auto it = first.find(cat[i].originName());
        if (it == first.end()) continue;
        const std::string& shown = table.entries[it->second].second;
        cat[i].setOrigin(shown);
        ++renamed;
        if (shown == "IDO" && onIllegal) onIllegal(i);
    }
    return renamed;
}

}  // namespace kavelo
