#include "sections/RotatingSection.h"

#include <cmath>

#include "map/MapProjection.h"
#include "search/GreatCircle.h"

namespace kavelo {

namespace {
constexpr double kPi = 3.141592653589793;
double radians(int degrees) { return degrees * kPi / 180.0; }
}  // namespace

int rotationStripWidth(int item) {
    static constexpr int widths[] = {10, 15, 30, 100, 200};
    return item >= 0 && item < 5 ? widths[item] : 30;
}

int rotationIntervalMs(int item) {
    static constexpr int intervals[] = {1000, 500, 200, 100};
    return item >= 0 && item < 4 ? intervals[item] : 500;
}

float rotationRadius(int item) { return item >= 0 && item < 3 ? 2.0f + static_cast<float>(item) : 3.0f; }
int rotationMargin(int item) { return item >= 0 && item < 3 ? 200 + 100 * item : 300; }

bool rotationCentreAccepted(int lat, int lon, int margin) {
    return !(lat < 2400 + margin || lat > 5000 - margin || lon < 12200 + margin || lon > 15200 - margin);
}

StripEnds stripEnds(float latC, float lonC, float radius, int angle) {
    const double s = std::sin(radians(angle)) * radius;
    const double c = std::cos(radians(angle)) * radius;
    StripEnds e;
    e.a = {degreesToDdmm(static_cast<float>(latC + s)), degreesToDdmm(static_cast<float>(lonC + c))};
    e.b = {degreesToDdmm(static_cast<float>(latC - s)), degreesToDdmm(static_cast<float>(lonC - c))};
    return e;
}

float signedAxisDistance(float lat, float lon, float latC, float lonC, int angle) {
    if (angle == 0) {
        const float d = greatCircleKm(latC, lon, latC, lonC);
        return lon >= lonC ? d : -d;
    }
    if (angle == 90) {
        const float d = greatCircleKm(lat, lonC, latC, lonC);
        return lat >= latC ? d : -d;
    }
    // Foot of the perpendicular in the plane of degrees.
    const float t = static_cast<float>(std::tan(radians(angle)));
    const double tt = double{t} * t;
    const double latF = ((double{lon} - lonC) * t + latC + tt * lat) / (tt + 1);
    const double lonF = (latF - latC + double{t} * lonC) / t;
    const float d = greatCircleKm(static_cast<float>(latF), static_cast<float>(lonF), latC, lonC);
    return lonF >= lonC ? d : -d;
}

int rotateMarkX(float signedKm) { return static_cast<int>(signedKm * 0.01 * 50 + kRotateCentreX); }
int rotateMarkY(int depthKm) { return static_cast<int>(depthKm * 0.01 * 50 + kRotateTop); }

int nextRotationAngle(int angle, bool downward) {
    if (downward) return angle - 1 < 0 ? 179 : angle - 1;
    return angle + 1 >= 180 ? 0 : angle + 1;
}

DialLine dialLine(int cx, int cy, int angle) {
    const int dx = static_cast<int>(std::cos(radians(angle)) * 30);
    const int dy = static_cast<int>(std::sin(radians(angle)) * 30);
    return {cx - dx, cy + dy, cx + dx, cy - dy};
}

StripStatus selectStripQuakes(const Catalogue& cat, const ZoneCorners& zone, int mag1, int mag2, int depth1,
                              int depth2, SelectionList& selection) {
    if (mag1 > mag2) return StripStatus::MagnitudeReversed;
    if (depth1 > depth2) return StripStatus::DepthReversed;
    const ZoneBox box = zoneBoundingBox(zone);
    int n = 0;
    for (int i = 0; i < cat.recordCount && n < kStripListCapacity; ++i) {
        const EarthquakeRecord& r = cat[i];
        if (r.lat < box.minLat || r.lat >= box.maxLat) continue;
        if (r.lon < box.minLon || r.lon >= box.maxLon) continue;
        if (r.mag < mag1 || r.mag > mag2) continue;
        if (r.depth < depth1 || r.depth >= depth2) continue;
        if (!insideZone(zone, r.lat, r.lon)) continue;
        selection[n++] = i;
    }
    selection.selectionCount = n;
    return StripStatus::Ok;
}

}  // namespace kavelo
