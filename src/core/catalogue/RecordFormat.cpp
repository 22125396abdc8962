#include "catalogue/RecordFormat.h"

#include <cstdio>

namespace kavelo {

std::string formatListNumber(int number, bool searchResult) {
    char buf[32];
    std::snprintf(buf, sizeof buf, searchResult ? "%6d" : "%5d", number);
    return buf;
}

std::string formatRecordCell(const EarthquakeRecord& r, int catalogueIndex, int column) {
    char buf[64];
    switch (column) {
        case 1: std::snprintf(buf, sizeof buf, "%5d", catalogueIndex + 1); break;
        case 2: {
            const int year = r.date / 10000;
            std::snprintf(buf, sizeof buf, "%4d/%02d/%02d", year, (r.date - year * 10000) / 100,
                          r.date % 100);
            break;
        }
        case 3: std::snprintf(buf, sizeof buf, " %02d:%02d", r.time / 100, r.time % 100); break;
        case 4:
            std::snprintf(buf, sizeof buf, "%3d%s%02d%s", r.lat / 100, kSjisDegree, r.lat % 100,
                          kSjisMinute);
            break;
        case 5:
            std::snprintf(buf, sizeof buf, "%3d%s%02d%s", r.lon / 100, kSjisDegree, r.lon % 100,
                          kSjisMinute);
            break;
        case 6: std::snprintf(buf, sizeof buf, "%4d", r.depth); break;
        case 7:
            // A negative magnitude carries its sign before the whole value: M -0.5 is
            // " -0.5", never "  0.-5" (which no reader takes for a number).
            if (r.mag < 0) {
                char whole[16];
                std::snprintf(whole, sizeof whole, "-%d", -r.mag / 10);
                std::snprintf(buf, sizeof buf, "%3s.%01d", whole, -r.mag % 10);
            } else {
                std::snprintf(buf, sizeof buf, "%3d.%01d", r.mag / 10, r.mag % 10);
            }
            break;
        case 8: return std::string(r.originName());
        default: return {};
    }
    return buf;
}

}  // namespace kavelo
