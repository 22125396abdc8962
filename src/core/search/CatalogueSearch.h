#pragma once
// The linear scans that rebuild the SelectionList: the catalogue search (with the
// optional distance circle) and the zone search over a quadrilateral.

#include <array>
#include <cstdint>
#include <functional>

#include "catalogue/Catalogue.h"
#include "search/SearchConditions.h"

namespace kavelo {

// Distance circle around a centre, applied by every search while `on`.
struct DistanceCondition {
    bool on = false;
    int32_t centreLat = 0;  // ddmm
    int32_t centreLon = 0;  // dddmm
    int32_t radiusKm = 0;   // inclusive, after truncating the distance
};

// Progress of a scan: `report(i)` is called with the current Catalogue index at most
// once every `stride` records, so a caller can drive a progress bar cheaply.
struct SearchProgress {
    int stride = 4096;
    std::function<void(int)> report;
};

// Whether a record lies within the circle (distance truncated toward zero <= radius).
bool withinDistance(const DistanceCondition& d, int32_t lat, int32_t lon);

// Scans Catalogue[0 ... recordCount-1] in order; the kept indices replace the
// SelectionList. Conditions must have been validated. Returns selectionCount.
int runCatalogueSearch(const Catalogue& catalogue, const SearchConditions& conditions,
                       const DistanceCondition& distance, SelectionList& selection,
                       const SearchProgress* progress = nullptr);

struct DdmmPoint {
    int32_t lat = 0;  // ddmm
    int32_t lon = 0;  // dddmm
};

// Corners A, B, C, D of a zone quadrilateral (P0 ... P3), as the map builds them.
struct ZoneCorners {
    std::array<DdmmPoint, 4> p{};
};

struct ZoneBox {
    int32_t minLat = 0, maxLat = 0, minLon = 0, maxLon = 0;
};

ZoneBox zoneBoundingBox(const ZoneCorners& zone);

// Quadrilateral test in single precision; only meaningful for points already inside
// the bounding box (degenerate zones with equal latitudes rely on the box alone).
bool insideZone(const ZoneCorners& zone, int32_t lat, int32_t lon);

// Zone search: records before dateFrom are skipped, the first record after dateTo ends
// the scan (the Catalogue is in date order). The box of `conditions` is applied only
// when `applyBox` (SELECT mode). No rika rule and no distance circle.
int runZoneSearch(const Catalogue& catalogue, const SearchConditions& conditions, bool applyBox,
                  const ZoneCorners& zone, SelectionList& selection,
                  const SearchProgress* progress = nullptr);

}  // namespace kavelo
