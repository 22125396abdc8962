#include "external/NearestOrigin.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace kavelo {

namespace {
// Positions come in whole minutes, so a margin far below a minute finds every
// candidate; the exact test then decides.
constexpr double kReach = 0.1;
constexpr double kMargin = 1e-3;
}  // namespace

bool withinTenthDegree(const EarthquakeRecord& r, double latDeg, double lonDeg) {
    return std::fabs(static_cast<double>(ddmmToDegrees(r.lat)) - latDeg) < kReach &&
           std::fabs(static_cast<double>(ddmmToDegrees(r.lon)) - lonDeg) < kReach;
}

int32_t nearestOriginRecordScan(const Catalogue& cat, double latDeg, double lonDeg) {
    for (int32_t i = cat.recordCount - 1; i >= 0; --i)
        if (withinTenthDegree(cat[i], latDeg, lonDeg)) return i;
    return -1;
}

NearestOriginIndex::NearestOriginIndex(const Catalogue& cat) : cat_(&cat) {
    struct Item {
        float lat, lon;
        int32_t index;
    };
    std::vector<Item> items;
    items.reserve(static_cast<std::size_t>(std::max(0, cat.recordCount)));
    for (int32_t i = 0; i < cat.recordCount; ++i)
        items.push_back({ddmmToDegrees(cat[i].lat), ddmmToDegrees(cat[i].lon), i});
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return std::tie(a.lat, a.lon, a.index) < std::tie(b.lat, b.lon, b.index);
    });
    for (std::size_t k = 0; k < items.size(); ++k) {
        const Item& it = items[k];
        if (columns_.empty() || columns_.back().latDeg != it.lat) {
            const auto at = static_cast<uint32_t>(entries_.size());
            columns_.push_back({it.lat, at, at});
        }
        Column& col = columns_.back();
        // Same position as the previous entry: the later index (sorted last) wins.
        if (col.end > col.begin && entries_.back().lonDeg == it.lon)
            entries_.back().latest = it.index;
        else {
            entries_.push_back({it.lon, it.index});
            ++col.end;
        }
    }
}

int32_t NearestOriginIndex::find(double latDeg, double lonDeg) const {
    if (!std::isfinite(latDeg) || !std::isfinite(lonDeg)) return -1;
    const double latLo = latDeg - kReach - kMargin, latHi = latDeg + kReach + kMargin;
    const double lonLo = lonDeg - kReach - kMargin, lonHi = lonDeg + kReach + kMargin;
    auto col = std::lower_bound(columns_.begin(), columns_.end(), latLo,
                                [](const Column& c, double v) { return c.latDeg < v; });
    int32_t best = -1;
    for (; col != columns_.end() && col->latDeg <= latHi; ++col) {
        if (!(std::fabs(static_cast<double>(col->latDeg) - latDeg) < kReach)) continue;
        auto first = entries_.begin() + col->begin, last = entries_.begin() + col->end;
        auto e = std::lower_bound(first, last, lonLo,
                                  [](const Entry& x, double v) { return x.lonDeg < v; });
        for (; e != last && e->lonDeg <= lonHi; ++e)
            if (e->latest > best && std::fabs(static_cast<double>(e->lonDeg) - lonDeg) < kReach)
                best = e->latest;
    }
    return best;
}

std::string_view NearestOriginIndex::originName(double latDeg, double lonDeg) const {
    const int32_t k = find(latDeg, lonDeg);
    return k < 0 ? std::string_view() : (*cat_)[k].originName();
}

}  // namespace kavelo
