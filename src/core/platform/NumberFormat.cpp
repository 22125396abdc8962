#include "platform/NumberFormat.h"

#include <cstdio>
#include <cstring>

namespace kavelo {

bool isSingleNumberFormat(std::string_view f) {
    int conversions = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '\0') return false;
        if (f[i] != '%') continue;
        if (++i >= f.size()) return false;
        if (f[i] == '%') continue;
        while (i < f.size() && std::strchr("-+ #0", f[i])) ++i;
        std::size_t digits = 0;
        while (i < f.size() && f[i] >= '0' && f[i] <= '9' && ++digits <= 3) ++i;
        if (i < f.size() && f[i] == '.') {
            ++i;
            digits = 0;
            while (i < f.size() && f[i] >= '0' && f[i] <= '9' && ++digits <= 3) ++i;
        }
        if (i >= f.size() || !std::strchr("feEgG", f[i])) return false;
        ++conversions;
    }
    return conversions == 1 && f.size() < 256;
}

std::string formatNumber(std::string_view format, double value) {
    const std::string fmt = isSingleNumberFormat(format) ? std::string(format) : std::string("%g");
    char buf[512];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int n = std::snprintf(buf, sizeof buf, fmt.c_str(), value);
#pragma GCC diagnostic pop
    if (n < 0) return {};
    return std::string(buf, static_cast<std::size_t>(n) < sizeof buf ? static_cast<std::size_t>(n)
                                                                     : sizeof buf - 1);
}

}  // namespace kavelo
