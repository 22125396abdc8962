#include "map/HypocentrePick.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kavelo {

int pickTolerance(int areaItem) {
    switch (areaItem) {
        case 0: return 1;
        case 1:
        case 2:
        case 3: return 2;
        case 4: return 3;
        default: return 10;
    }
}

ZoomBox zoomBoxFor(int areaItem, int frameWidth, int frameHeight) {
    static const int kWidths[] = {50, 100, 150, 200, 300, 300};
    ZoomBox b;
    b.width = kWidths[areaItem >= 0 && areaItem <= kAreaWhole ? areaItem : kAreaWhole];
    b.halfWidth = b.width / 2;
    b.halfHeight = frameWidth > 0 ? static_cast<int>(static_cast<long long>(b.halfWidth) * frameHeight / frameWidth) : 0;
    return b;
}

std::vector<int> pickHypocentres(const Catalogue& catalogue, const SelectionList& selection, int lat, int lon,
                                 int toleranceMin) {
    std::vector<int> out;
    const float t = static_cast<float>(toleranceMin) / 60.0f;
    const float latDeg = ddmmToDegrees(lat), lonDeg = ddmmToDegrees(lon);
    const int n = std::min<int>(selection.selectionCount, static_cast<int>(selection.index.size()));
    for (int k = 0; k < n; ++k) {
        const int i = selection[k];
        if (i < 0 || i >= catalogue.recordCount) continue;
        const EarthquakeRecord& r = catalogue[i];
        if (std::fabs(ddmmToDegrees(r.lon) - lonDeg) <= t && std::fabs(ddmmToDegrees(r.lat) - latDeg) <= t)
            out.push_back(i);
    }
    return out;
}

std::string pickText(const EarthquakeRecord& r) {
    const int year = r.date / 10000, month = r.date / 100 % 100, day = r.date % 100;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d/%02d/%02d %02d:%02d %d %d %3d %3.1f // ", year, month, day, r.time / 100,
                  r.time % 100, static_cast<int>(r.lat), static_cast<int>(r.lon), static_cast<int>(r.depth),
                  r.mag * 0.1);
    return buf + std::string(r.originName());
}

}  // namespace kavelo
