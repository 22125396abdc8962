#pragma once
// The rotating section: a line of half-length R through a centre, turned one degree per
// step; the hypocentres of a strip around it are plotted by their signed distance from
// the centre along the line. Angles are whole degrees counter-clockwise from east.

#include <cstdint>

#include "catalogue/Catalogue.h"
#include "search/CatalogueSearch.h"

namespace kavelo {

constexpr int kRotateImageSize = 385;
constexpr int kRotateCentreX = kRotateImageSize / 2;  // 192
constexpr int kRotateTop = 50;                        // depth 0
constexpr int kRotateDialWidth = 121;
constexpr int kRotateDialHeight = 105;
constexpr int kStripListCapacity = 3000;

// Choices of the window's groups, by item index.
int rotationStripWidth(int item);  // 10, 15, 30, 100, 200 (degree-minutes)
int rotationIntervalMs(int item);  // 1000, 500, 200, 100
float rotationRadius(int item);    // 2, 3, 4 degrees
int rotationMargin(int item);      // 200, 300, 400 (degree-minutes)

// The centre must leave the margin inside 24-50N, 122-152E.
bool rotationCentreAccepted(int latDdmm, int lonDdmm, int margin);

// Ends of the line at an angle: A = centre + R (sin, cos), B = centre - R (sin, cos).
struct StripEnds {
    DdmmPoint a, b;
    bool operator==(const StripEnds& o) const {
        return a.lat == o.a.lat && a.lon == o.a.lon && b.lat == o.b.lat && b.lon == o.b.lon;
    }
};
StripEnds stripEnds(float latC, float lonC, float radius, int angle);

// Signed distance (km) of a point from the centre along the line: positive east of the
// centre (north for 90 degrees).
float signedAxisDistance(float lat, float lon, float latC, float lonC, int angle);

// Pixel of a mark in the 385 x 385 section.
int rotateMarkX(float signedKm);
int rotateMarkY(int depthKm);

// The next angle: up by one (180 becomes 0) or down by one (-1 becomes 179).
int nextRotationAngle(int angle, bool downward);

// The compass needle for an angle: (x1, y1) - (x2, y2) through the dial's centre.
struct DialLine {
    int x1, y1, x2, y2;
};
DialLine dialLine(int cx, int cy, int angle);

enum class StripStatus { Ok, MagnitudeReversed, DepthReversed };

// Fills the selection with the Catalogue records inside the strip and the magnitude and
// depth bounds, in Catalogue order, at most kStripListCapacity. With reversed bounds the
// selection is left as it was.
StripStatus selectStripQuakes(const Catalogue& cat, const ZoneCorners& zone, int mag1, int mag2, int depth1,
                              int depth2, SelectionList& selection);

}  // namespace kavelo
