#pragma once
// Released seismic energy per latitude/longitude cell: the cell arithmetic on
// degree-minute values, the accumulation over a selection and the level colours.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "catalogue/Catalogue.h"
#include "map/MapProjection.h"
#include "map/MarkRules.h"

namespace kavelo {

constexpr int kEnergyLevelCount = 7;

// Colours of the energy levels: below level 0, and levels 0-6 (one decade each from 1e11 J).
struct EnergyColors {
    ColorValue base = rgb(213, 239, 253);
    std::array<ColorValue, kEnergyLevelCount> levels{rgb(154, 201, 243), rgb(74, 158, 234),  rgb(255, 255, 0),
                                                     rgb(249, 172, 218), rgb(255, 128, 64), rgb(255, 0, 255),
                                                     rgb(255, 0, 0)};
};

// Degree-minute sum with minute carry.
int addDdmm(int a, int b);

// hi - lo as a degree-minute value, borrowing 60 minutes when hi's minutes are smaller.
int ddmmSpan(int hi, int lo);

// Number of cells of cellSize (200 = 2°, 100 = 1°, else minutes) in a degree-minute span.
int cellCount(int span, int cellSize);

// Whole cells from lo to v (truncated toward zero, so only meaningful for v >= lo).
int cellsBetween(int v, int lo, int cellSize);

// Energy in joules of one earthquake of magnitude x 10: log10 E = 1.5 M + 4.8.
double quakeEnergy(int m10);

// Area of a cell in units of (10')^2: 1 for 10', 2.25 for 15', 9 for 30', 36 for 1°, 144 for 2°.
double densityDivisor(int cellSize);

// Level of an energy value: trunc(log10(value) - 11); values that are zero, negative or
// not a number have no level (returned as -1, like anything below 1e10 J).
int energyLevel(float value);

// Colour of a cell's energy; with density the energy is first divided by the cell's area.
ColorValue energyLevelColor(float energy, int cellSize, bool density, const EnergyColors& colors);

struct CellCorner {
    int lon = 0;  // dddmm
    int lat = 0;  // ddmm
    bool operator==(const CellCorner&) const = default;
};

class EnergyGrid {
public:
    int cellSize = 0;
    GeoBounds box;
    int gridCols = 0;
    int gridRows = 0;
    std::vector<float> cellEnergy;  // index col + gridCols x row

    // A new zero-filled grid of cellSize over box (no cells when the box is empty).
    void build(int cellSize, const GeoBounds& box);
    // No grid at all: every position is out of range.
    void clear();
    bool empty() const { return cellEnergy.empty(); }

    // Index into cellEnergy, or -1 outside the grid.
    int cellIndex(int lon, int lat) const;
    // South-west corner of a cell.
    CellCorner cellCorner(int index) const;

    // Adds the energy of each selected record inside the box to its cell.
    void accumulate(const Catalogue& cat, const SelectionList& sel);

    // What a click on (lon, lat) reads: the cell's row and column and its energy, divided
    // by the cell's area with density; nothing outside the grid.
    struct Reading {
        int row = 0;
        int col = 0;
        float value = 0;
    };
    std::optional<Reading> read(int lon, int lat, bool density) const;
};

}  // namespace kavelo
