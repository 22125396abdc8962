#pragma once
// Geometry of the vertical cross-section along a zone's line from its start S to its
// end E: distance of a hypocentre along the line, the pixel scale with magnifications
// and an optional reversed axis, distance ticks and whole-degree ticks.

#include <cstdint>
#include <functional>
#include <vector>

#include "search/CatalogueSearch.h"

namespace kavelo {

constexpr int kSectionWidth = 905;
constexpr int kSectionHeight = 465;
constexpr int kSectionLeft = 60;  // distance 0
constexpr int kSectionTop = 130;  // depth 0
constexpr int kSectionDegreeAxisY = 45;

enum class SectionLineKind { Oblique, NorthSouth, EastWest };

// From the zone ends P1, P2: north-south when the longitudes are equal, east-west when
// only the latitudes are.
SectionLineKind sectionLineKind(const DdmmPoint& p1, const DdmmPoint& p2);

// Magnification item (0, 1, 2) to its factor 1, 2, 5.
int sectionMagnification(int item);

// Distance along the line at a longitude in degrees (the zone axis lookup), -1 off it.
using AxisDistanceFn = std::function<float(float lonDeg)>;

class SectionGeometry {
public:
    // start/end in ddmm; h and v are the horizontal and vertical factors.
    SectionGeometry(SectionLineKind kind, const DdmmPoint& start, const DdmmPoint& end, int h, int v,
                    bool reversed);

    SectionLineKind kind() const { return kind_; }
    float length() const { return length_; }      // L, km
    int span() const { return span_; }             // t, pixels
    int hs() const { return hs_; }                 // pixels per 100 km across
    int vs() const { return vs_; }                 // pixels per 100 km down
    bool reversed() const { return reversed_; }
    int origin() const { return reversed_ ? kSectionLeft + span_ : kSectionLeft; }
    // Degrees of latitude per degree of longitude (oblique lines; 0 otherwise).
    float slope() const { return slope_; }
    float startLat() const { return latS_; }
    float startLon() const { return lonS_; }
    float endLat() const { return latE_; }
    float endLon() const { return lonE_; }

    // Distance (km) from S of a point's foot on the line.
    float distanceOf(float latDeg, float lonDeg) const;
    int xOf(double km) const;
    int yOf(int depthKm) const { return static_cast<int>(depthKm * 0.01 * vs_ + kSectionTop); }

    struct Tick {
        int x = 0;
        int label = 0;
        bool operator==(const Tick&) const = default;
    };
    // Distance ticks every 100 km while below L, skipping those right of the image;
    // the walk ends at the first one left of the axis. Labelled with their distance.
    std::vector<Tick> distanceTicks() const;
    // x of the distance caption: the last drawn tick, at most the 1500 km one.
    int distanceCaptionX(const std::vector<Tick>& ticks) const;
    // Whole-degree ticks along the degree axis.
    std::vector<Tick> latitudeTicks() const;
    std::vector<Tick> longitudeTicks(const AxisDistanceFn& axisDistance) const;

private:
    bool onAxis(int x) const { return x >= kSectionLeft && x <= kSectionLeft + span_; }

    SectionLineKind kind_;
    float latS_, lonS_, latE_, lonE_;
    float slope_ = 0;
    float length_ = 0;
    int hs_, vs_, span_ = 0;
    bool reversed_;
};

}  // namespace kavelo
