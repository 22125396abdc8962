#include "sections/CrossSection.h"

#include <algorithm>
#include <cmath>

#include "catalogue/EarthquakeRecord.h"
#include "search/GreatCircle.h"

namespace kavelo {

SectionLineKind sectionLineKind(const DdmmPoint& p1, const DdmmPoint& p2) {
    if (p1.lon == p2.lon) return SectionLineKind::NorthSouth;
    if (p1.lat == p2.lat) return SectionLineKind::EastWest;
    return SectionLineKind::Oblique;
}

int sectionMagnification(int item) {
    switch (item) {
        case 1: return 2;
        case 2: return 5;
        default: return 1;
    }
}

SectionGeometry::SectionGeometry(SectionLineKind kind, const DdmmPoint& start, const DdmmPoint& end, int h,
                                 int v, bool reversed)
    : kind_(kind),
      latS_(ddmmToDegrees(start.lat)),
      lonS_(ddmmToDegrees(start.lon)),
      latE_(ddmmToDegrees(end.lat)),
      lonE_(ddmmToDegrees(end.lon)),
      hs_(50 * h),
      vs_(50 * v),
      reversed_(reversed) {
    length_ = greatCircleKm(latE_, lonE_, latS_, lonS_);
    span_ = static_cast<int>(0.01 * double{length_} * hs_);
    if (kind_ == SectionLineKind::Oblique && lonE_ != lonS_)
        slope_ = static_cast<float>((double{latE_} - double{latS_}) / (double{lonE_} - double{lonS_}));
}

float SectionGeometry::distanceOf(float lat, float lon) const {
    if (kind_ == SectionLineKind::NorthSouth || (kind_ == SectionLineKind::Oblique && lonS_ == lonE_))
        return greatCircleKm(lat, lonS_, latS_, lonS_);
    if (kind_ == SectionLineKind::EastWest) return greatCircleKm(latS_, lon, latS_, lonS_);
    // Foot of the perpendicular in the plane of degrees (longitude across, latitude up).
    const double m = slope_;
    const double latF = ((double{lon} - lonS_) * m + latS_ + m * m * lat) / (m * m + 1);
    const double lonF = (latF - latS_ + m * lonS_) / m;
    return greatCircleKm(static_cast<float>(latF), static_cast<float>(lonF), latS_, lonS_);
}

int SectionGeometry::xOf(double km) const {
    const double d = 0.01 * km * hs_;
    return static_cast<int>(reversed_ ? origin() - d : d + kSectionLeft);
}

std::vector<SectionGeometry::Tick> SectionGeometry::distanceTicks() const {
    std::vector<Tick> ticks;
    for (int k = 0; 100.0 * k < double{length_}; ++k) {
        const int x = reversed_ ? origin() - k * hs_ : kSectionLeft + k * hs_;
        if (x > kSectionWidth) continue;
        if (x < kSectionLeft) break;
        ticks.push_back({x, k * 100});
    }
    return ticks;
}

int SectionGeometry::distanceCaptionX(const std::vector<Tick>& ticks) const {
    const int k = ticks.empty() ? 0 : std::min(ticks.back().label / 100, 15);
    return reversed_ ? origin() - k * hs_ : kSectionLeft + k * hs_;
}

std::vector<SectionGeometry::Tick> SectionGeometry::latitudeTicks() const {
    std::vector<Tick> ticks;
    if (kind_ == SectionLineKind::NorthSouth) {
        for (int a = static_cast<int>(std::ceil(latS_ - 0.001)); a <= latE_; ++a) {
            const int x = xOf(greatCircleKm(static_cast<float>(a), lonS_, latS_, lonS_));
            if (onAxis(x)) ticks.push_back({x, a});
        }
    } else if (kind_ == SectionLineKind::Oblique && slope_ != 0) {
        const double m = slope_;
        const int dir = m > 0 ? 1 : -1;
        int a = m > 0 ? static_cast<int>(std::ceil(latS_ - 0.001)) : static_cast<int>(std::floor(latS_ + 0.001));
        for (; a <= 50 && a >= -90; a += dir) {
            const double lonA = (m * lonS_ + a - latS_) / m;
            const int x = xOf(greatCircleKm(static_cast<float>(a), static_cast<float>(lonA), latS_, lonS_));
            if (reversed_ ? x < kSectionLeft : x > kSectionLeft + span_) break;
            ticks.push_back({x, a});
        }
    }
    return ticks;
}

std::vector<SectionGeometry::Tick> SectionGeometry::longitudeTicks(const AxisDistanceFn& axisDistance) const {
    std::vector<Tick> ticks;
    if (kind_ == SectionLineKind::EastWest) {
        if (!axisDistance) return ticks;
        for (int a = 122; a <= 152; ++a) {
            const float d = axisDistance(static_cast<float>(a));
            if (d >= 0 && d <= length_) ticks.push_back({xOf(d), a});
        }
    } else if (kind_ == SectionLineKind::Oblique) {
        const double m = slope_;
        for (int a = static_cast<int>(std::ceil(lonS_ - 0.001)); a <= 152; ++a) {
            const double latA = (a - double{lonS_}) * m + latS_;
            const int x = xOf(greatCircleKm(static_cast<float>(latA), static_cast<float>(a), latS_, lonS_));
            if (onAxis(x)) ticks.push_back({x, a});
        }
    }
    return ticks;
}

}  // namespace kavelo
