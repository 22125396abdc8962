#include "map/Zone.h"

#include <algorithm>
#include <cmath>

#include "catalogue/EarthquakeRecord.h"
#include "map/MapProjection.h"
#include "search/GreatCircle.h"

namespace kavelo {

int snapDegree(int v, int step) {
    if (step <= 0) return v;
    const int a = v + step / 2;
    const int m = step * ((a % 100) / step);
    const int base = (a / 100) * 100;
    return m == 60 ? base + 100 : base + m;
}

int zoneSnapStep(int widthItem) {
    switch (widthItem) {
        case kZone10: return 10;
        case kZone30: return 30;
        case kZone1Deg:
        case kZone2Deg: return 60;
        default: return 15;  // 15' and the square zone
    }
}

bool inZoneRange(const DdmmPoint& p) {
    return p.lon >= 12200 && p.lon <= 15200 && p.lat >= 2400 && p.lat <= 5000;
}

int squareZoneWidth(const DdmmPoint& p1, const DdmmPoint& p2) {
    const float dLat = std::fabs(ddmmToDegrees(p2.lat) - ddmmToDegrees(p1.lat));
    const float dLon = std::fabs(ddmmToDegrees(p2.lon) - ddmmToDegrees(p1.lon));
    const float span = dLat > dLon ? dLat : dLon;
    return degreesToDdmm(0.5f * span);
}

int zoneWidthFor(int widthItem, const DdmmPoint& p1, const DdmmPoint& p2) {
    switch (widthItem) {
        case kZone10: return 10;
        case kZone15: return 15;
        case kZone30: return 30;
        case kZone1Deg: return 100;
        case kZone2Deg: return 200;
        default: return squareZoneWidth(p1, p2);
    }
}

ZoneEnds westFirst(const DdmmPoint& p1, const DdmmPoint& p2) {
    if (p2.lon < p1.lon) return {p2, p1};
    return {p1, p2};
}

ZoneEnds zoneStartEnd(const DdmmPoint& p1, const DdmmPoint& p2) {
    if (p1.lon == p2.lon) {
        if (p2.lat < p1.lat) return {p2, p1};
        return {p1, p2};
    }
    return westFirst(p1, p2);
}

ZoneBuild buildZoneCorners(const DdmmPoint& west, const DdmmPoint& east, int zoneWidth) {
    const float latW = ddmmToDegrees(west.lat), lonW = ddmmToDegrees(west.lon);
    const float latE = ddmmToDegrees(east.lat), lonE = ddmmToDegrees(east.lon);
    const float w = ddmmToDegrees(zoneWidth);
    const float theta = lonE == lonW ? 1.5707963267948966f : std::atan((latE - latW) / (lonE - lonW));
    const float wc = w * std::cos(theta);
    const float ws = w * std::sin(theta);
    auto corner = [](float lat, float lon) { return DdmmPoint{degreesToDdmm(lat), degreesToDdmm(lon)}; };
    ZoneBuild out;
    out.corners.p[0] = corner(latW - wc, lonW + ws);
    out.corners.p[1] = corner(latE - wc, lonE + ws);
    out.corners.p[2] = corner(latE + wc, lonE - ws);
    out.corners.p[3] = corner(latW + wc, lonW - ws);
    out.inRange = std::all_of(out.corners.p.begin(), out.corners.p.end(), inZoneRange);
    return out;
}

ZoneAxis makeZoneAxis(const DdmmPoint& west, const DdmmPoint& east) {
    ZoneAxis axis;
    if (west.lon == east.lon) return axis;
    const float latW = ddmmToDegrees(west.lat), lonW = ddmmToDegrees(west.lon);
    const float dLat = ddmmToDegrees(east.lat) - latW;
    const float dLon = ddmmToDegrees(east.lon) - lonW;
    for (int i = 0; i < ZoneAxis::kSamples; ++i) {
        AxisSample& s = axis.samples[i];
        s.lat = latW + static_cast<float>(i) * dLat / 100.0f;
        s.lon = lonW + static_cast<float>(i) * dLon / 100.0f;
        s.km = greatCircleKm(latW, lonW, s.lat, s.lon);
    }
    axis.filled = true;
    return axis;
}

float axisDistance(const ZoneAxis& axis, float lonDeg) {
    if (!axis.filled) return -1.0f;
    const auto& s = axis.samples;
    const float l0 = s.front().lon, l100 = s.back().lon;
    if (!(lonDeg >= std::min(l0, l100) && lonDeg <= std::max(l0, l100))) return -1.0f;  // NaN too
    if (lonDeg == l0) return s.front().km;
    if (lonDeg == l100) return s.back().km;
    for (int i = 0; i + 1 < ZoneAxis::kSamples; ++i) {
        const float a = s[i].lon - lonDeg, b = s[i + 1].lon - lonDeg;
        if (a * b > 0.0f) continue;
        const float span = s[i + 1].lon - s[i].lon;
        if (span == 0.0f) return s[i].km;
        return s[i].km + (s[i + 1].km - s[i].km) * (lonDeg - s[i].lon) / span;
    }
    return -1.0f;
}

ZoneCross zoneCentreCross(const DdmmPoint& p1, const DdmmPoint& p2) {
    const float latM = (ddmmToDegrees(p1.lat) + ddmmToDegrees(p2.lat)) / 2.0f;
    const float lonM = (ddmmToDegrees(p1.lon) + ddmmToDegrees(p2.lon)) / 2.0f;
    ZoneCross c;
    c.centre = {degreesToDdmm(latM), degreesToDdmm(lonM)};
    const int latDeg = static_cast<int>(latM), lonDeg = static_cast<int>(lonM);
    c.westEnd = {c.centre.lat, std::max(lonDeg - 4, 122) * 100};
    c.eastEnd = {c.centre.lat, std::min(lonDeg + 4, 152) * 100};
    c.southEnd = {std::max(latDeg - 4, 24) * 100, c.centre.lon};
    c.northEnd = {std::min(latDeg + 4, 50) * 100, c.centre.lon};
    return c;
}

}  // namespace kavelo
