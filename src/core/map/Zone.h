#pragma once
// Geometry of a zone: a strip of half-width w on each side of a segment between two
// map points, ending exactly at the two points. All positions are degree-minute
// integers (lat ddmm, lon dddmm) unless a name says degrees.
//
// Typical use after a drag from P1 to P2:
//   p1 = {snapDegree(lat1, step), snapDegree(lon1, step)} ... (zoneSnapStep(item))
//   const int width = zoneWidthFor(item, p1, p2);
//   const ZoneEnds ends = westFirst(p1, p2);
//   const ZoneBuild zone = buildZoneCorners(ends.west, ends.east, width);
//   if (zone.inRange) { corners = zone.corners; axis = makeZoneAxis(ends.west, ends.east); }
//   const ZoneEnds startEnd = zoneStartEnd(p1, p2);

#include <array>

#include "search/CatalogueSearch.h"  // DdmmPoint, ZoneCorners

namespace kavelo {

// v rounded to the nearest multiple of `step` minutes within its degree; 60 minutes
// carry into the next degree: snapDegree(3553, 15) == 3600.
int snapDegree(int v, int step);

// Items of the zone-width choice, in order: 10', 15', 30', 1 degree, 2 degrees, square.
enum ZoneWidthItem { kZone10 = 0, kZone15, kZone30, kZone1Deg, kZone2Deg, kZoneSquare };

// Snap step in minutes for a width item: 10, 15, 30, 60, 60, 15.
int zoneSnapStep(int widthItem);

// True when 12200 <= lon <= 15200 and 2400 <= lat <= 5000 (bounds included).
bool inZoneRange(const DdmmPoint& p);

// Half-width of a square zone: half the larger of the latitude and longitude spans in
// degrees (the longitude span when they are equal), as degree-minutes.
int squareZoneWidth(const DdmmPoint& p1, const DdmmPoint& p2);

// zoneWidth of a width item: 10, 15, 30, 100, 200, or squareZoneWidth(p1, p2).
int zoneWidthFor(int widthItem, const DdmmPoint& p1, const DdmmPoint& p2);

struct ZoneEnds {
    DdmmPoint first;   // western point, or zone start
    DdmmPoint second;  // eastern point, or zone end
};

// The order buildZoneCorners wants: smaller longitude first, p1 first when equal.
ZoneEnds westFirst(const DdmmPoint& p1, const DdmmPoint& p2);

// Zone start and end: for equal longitudes the southern point starts (p1 when the
// latitudes are equal too); otherwise the western point.
ZoneEnds zoneStartEnd(const DdmmPoint& p1, const DdmmPoint& p2);

struct ZoneBuild {
    ZoneCorners corners;   // A, B, C, D, always computed
    bool inRange = false;  // every corner passes inZoneRange; otherwise no zone is built
};

// Corners of the strip around west -> east with half-width zoneWidth (degree-minutes).
// With w in degrees and theta = atan(dLat / dLon) in single precision (pi/2 for equal
// longitudes; plain degrees, no latitude correction), as (lat, lon):
//   A = (latW - w cos, lonW + w sin)   B = (latE - w cos, lonE + w sin)
//   C = (latE + w cos, lonE - w sin)   D = (latW + w cos, lonW - w sin)
// each corner truncated back to degree-minutes.
ZoneBuild buildZoneCorners(const DdmmPoint& west, const DdmmPoint& east, int zoneWidth);

// The zone axis: 101 samples from the western to the eastern end at equal steps in
// degrees, with their great-circle distance from the western end (single precision).
struct AxisSample {
    float lat = 0;  // degrees
    float lon = 0;  // degrees
    float km = 0;
};

struct ZoneAxis {
    static constexpr int kSamples = 101;
    std::array<AxisSample, kSamples> samples{};
    // False for a due north-south zone (equal longitudes): there is no axis along
    // longitude, and axisDistance answers -1 everywhere.
    bool filled = false;
};

// Samples west -> east; an empty axis when the longitudes are equal.
ZoneAxis makeZoneAxis(const DdmmPoint& west, const DdmmPoint& east);

// Distance in km along the axis from its western end to longitude `lonDeg`, linearly
// interpolated between samples; -1 outside the axis's longitude range or for an empty axis.
float axisDistance(const ZoneAxis& axis, float lonDeg);

// The red cross through a zone's centre drawn with the zone outline: an east-west line
// along the centre latitude and a north-south line along the centre longitude, each at
// most 4 degrees either side of the centre's whole degrees and kept inside 122-152E, 24-50N.
struct ZoneCross {
    DdmmPoint centre;              // mean of the two points, as degree-minutes
    DdmmPoint westEnd, eastEnd;    // along centre.lat
    DdmmPoint southEnd, northEnd;  // along centre.lon
};
ZoneCross zoneCentreCross(const DdmmPoint& p1, const DdmmPoint& p2);

}  // namespace kavelo
