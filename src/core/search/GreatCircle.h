#pragma once
// Distance on the Earth sphere (radius 6371 km) between two points in decimal degrees.

namespace kavelo {

// Chord of the two unit vectors turned into an arc; every intermediate is kept in
// single precision so that results agree to the last bit wherever it is used.
float greatCircleKm(float lat1, float lon1, float lat2, float lon2);

// The same computation split in two, for scans that measure from one fixed centre:
// greatCircleKm(a, b, c, d) == arcKm(unitVector(a, b), unitVector(c, d)) exactly.
struct UnitVector {
    float x, y, z;
};
UnitVector unitVector(float latDeg, float lonDeg);
float arcKm(const UnitVector& p, const UnitVector& q);

}  // namespace kavelo
