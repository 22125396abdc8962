#include "search/CatalogueSearch.h"

#include <algorithm>
#include <cmath>

#include "search/GreatCircle.h"

namespace kavelo {

namespace {
constexpr int32_t kLastRikaDate = 18850000;
constexpr float kKmPerDegree = 111.19f;  // along a meridian on the 6371 km sphere

// Calls the progress hook every `stride` records without a division per record.
class ProgressTicker {
public:
    explicit ProgressTicker(const SearchProgress* p)
        : p_(p && p->report ? p : nullptr), stride_(p_ ? std::max(1, p_->stride) : 0),
          next_(p_ ? 0 : -1) {}
    void at(int i) {
        if (i == next_) {
            p_->report(i);
            next_ += stride_;
        }
    }

private:
    const SearchProgress* p_;
    int stride_;
    int next_;
};

// Never past either array, whatever recordCount says.
int scanCount(const Catalogue& catalogue, const SelectionList& selection) {
    const auto cap = std::min(catalogue.records.size(), selection.index.size());
    return std::clamp(catalogue.recordCount, 0, static_cast<int>(cap));
}

// The rika rule, period, box, magnitude and depth. Evaluated without short cuts:
// the tests have no side effects, and one combined branch is far cheaper than six
// unpredictable ones on a mixed catalogue.
inline bool passesNumericTests(const EarthquakeRecord& r, const SearchConditions& c) {
    const int32_t date = r.date;
    const int lat = r.lat, lon = r.lon, mag = r.mag, depth = r.depth;
    const unsigned ok = static_cast<unsigned>(!(r.rika == 1 && date > kLastRikaDate)) &
                        static_cast<unsigned>(c.dateFrom <= date) &
                        static_cast<unsigned>(date <= c.dateTo) &
                        static_cast<unsigned>(c.lat1 <= lat) & static_cast<unsigned>(lat < c.lat2) &
                        static_cast<unsigned>(c.lon1 <= lon) & static_cast<unsigned>(lon < c.lon2) &
                        static_cast<unsigned>(c.mag1 <= mag) & static_cast<unsigned>(mag <= c.mag2) &
                        static_cast<unsigned>(c.depth1 <= depth) &
                        static_cast<unsigned>(depth < c.depth2);
    return ok != 0;
}

bool inBoxAndRanges(const EarthquakeRecord& r, const SearchConditions& c) {
    return c.lat1 <= r.lat && r.lat < c.lat2 && c.lon1 <= r.lon && r.lon < c.lon2;
}
}  // namespace

bool withinDistance(const DistanceCondition& d, int32_t lat, int32_t lon) {
    const float km = greatCircleKm(ddmmToDegrees(d.centreLat), ddmmToDegrees(d.centreLon),
                                   ddmmToDegrees(lat), ddmmToDegrees(lon));
    return static_cast<int32_t>(km) <= d.radiusKm;
}

int runCatalogueSearch(const Catalogue& catalogue, const SearchConditions& c,
                       const DistanceCondition& distance, SelectionList& selection,
                       const SearchProgress* progress) {
    ProgressTicker tick(progress);
    const int count = scanCount(catalogue, selection);
    const bool useOrigin = c.origin.mode != OriginMode::None;
    const float centreLat = ddmmToDegrees(distance.centreLat);
    const UnitVector centre = unitVector(centreLat, ddmmToDegrees(distance.centreLon));
    // A latitude difference alone already puts a record this far away; the 2 km margin
    // dwarfs the rounding of the exact test, so the shortcut never changes a result.
    const float latReachDeg =
        (static_cast<float>(std::max(distance.radiusKm, 0)) + 2.0f) / kKmPerDegree;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        tick.at(i);
        const EarthquakeRecord& r = catalogue[i];
        if (!passesNumericTests(r, c)) continue;
        if (useOrigin && !c.origin.matches(r.originName())) continue;
        if (distance.on) {
            const float lat = ddmmToDegrees(r.lat);
            if (std::fabs(lat - centreLat) > latReachDeg) continue;
            const float km = arcKm(centre, unitVector(lat, ddmmToDegrees(r.lon)));
            if (static_cast<int32_t>(km) > distance.radiusKm) continue;
        }
        selection[n++] = i;
    }
    selection.selectionCount = n;
    return n;
}

ZoneBox zoneBoundingBox(const ZoneCorners& zone) {
    ZoneBox b{zone.p[0].lat, zone.p[0].lat, zone.p[0].lon, zone.p[0].lon};
    for (const DdmmPoint& q : zone.p) {
        b.minLat = std::min(b.minLat, q.lat);
        b.maxLat = std::max(b.maxLat, q.lat);
        b.minLon = std::min(b.minLon, q.lon);
        b.maxLon = std::max(b.maxLon, q.lon);
    }
    return b;
}

namespace {
struct DegPoint {
    float lat, lon;
};

DegPoint toDegrees(const DdmmPoint& q) { return {ddmmToDegrees(q.lat), ddmmToDegrees(q.lon)}; }

// p lies on or above the line through a and b (never for a vertical line).
bool above(const DegPoint& a, const DegPoint& b, const DegPoint& p) {
    if (a.lon == b.lon) return false;
    const float dLon = p.lon - a.lon;
    const float rise = b.lat - a.lat;
    const float run = b.lon - a.lon;
    const float product = dLon * rise;
    const float slopePart = product / run;
    const float lineLat = a.lat + slopePart;
    return p.lat >= lineLat;
}

// p lies on the inner side of the edge a-b: the side that is "above" it when insideAbove
// (the edge itself counting as above), else the other. A vertical edge has no above;
// nearly north-south zones get one when their corners are truncated to whole minutes.
// It is a side of the zone's bounding box, and its inner side is the centre's, taken as
// the box takes it: a western side belongs to the zone, an eastern one does not.
bool innerSide(const DegPoint& a, const DegPoint& b, const DegPoint& p, const DegPoint& centre,
               bool insideAbove) {
    if (a.lon != b.lon) return above(a, b, p) == insideAbove;
    if (centre.lon > a.lon) return p.lon >= a.lon;
    if (centre.lon < a.lon) return p.lon < a.lon;
    return false;
}
}  // namespace

bool insideZone(const ZoneCorners& zone, int32_t lat, int32_t lon) {
    const auto& z = zone.p;
    if (z[3].lat == z[0].lat || z[0].lat == z[1].lat) return true;
    const DegPoint p0 = toDegrees(z[0]), p1 = toDegrees(z[1]), p2 = toDegrees(z[2]),
                   p3 = toDegrees(z[3]);
    const DegPoint p{ddmmToDegrees(lat), ddmmToDegrees(lon)};
    const DegPoint c{(p0.lat + p1.lat + p2.lat + p3.lat) / 4, (p0.lon + p1.lon + p2.lon + p3.lon) / 4};
    if (z[0].lat > z[1].lat)
        return innerSide(p0, p1, p, c, true) && innerSide(p3, p2, p, c, false) &&
               innerSide(p1, p2, p, c, true) && innerSide(p0, p3, p, c, false);
    return innerSide(p0, p1, p, c, true) && innerSide(p3, p2, p, c, false) &&
           innerSide(p3, p0, p, c, true) && innerSide(p2, p1, p, c, false);
}

int runZoneSearch(const Catalogue& catalogue, const SearchConditions& c, bool applyBox,
                  const ZoneCorners& zone, SelectionList& selection,
                  const SearchProgress* progress) {
    ProgressTicker tick(progress);
    const int count = scanCount(catalogue, selection);
    const ZoneBox box = zoneBoundingBox(zone);
    const bool useOrigin = c.origin.mode != OriginMode::None;
    int n = 0;
    for (int i = 0; i < count; ++i) {
        tick.at(i);
        const EarthquakeRecord& r = catalogue[i];
        if (r.date < c.dateFrom) continue;
        if (r.date > c.dateTo) break;
        if (applyBox && !inBoxAndRanges(r, c)) continue;
        if (r.lat < box.minLat || r.lat >= box.maxLat) continue;
        if (r.lon < box.minLon || r.lon >= box.maxLon) continue;
        if (r.mag < c.mag1 || r.mag > c.mag2) continue;
        if (r.depth < c.depth1 || r.depth >= c.depth2) continue;
        if (useOrigin && !c.origin.matches(r.originName())) continue;
        if (!insideZone(zone, r.lat, r.lon)) continue;
        selection[n++] = i;
    }
    selection.selectionCount = n;
    return n;
}

}  // namespace kavelo
