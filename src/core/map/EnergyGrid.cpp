#include "map/EnergyGrid.h"

#include <cmath>
#include <limits>

namespace kavelo {

namespace {

// Cells a grid may hold: far more than any view at 10' needs, small enough to allocate.
constexpr long long kMaxCells = 4'000'000;

// Minutes per cell step: cellSize itself below one degree, else whole degrees in minutes.
int stepMinutes(int cellSize) { return cellSize < 100 ? cellSize : (cellSize / 100) * 60; }

// Minutes as a degree-minute value.
int minutesToDdmm(int x) { return (x / 60) * 100 + x % 60; }

// A joule total in single precision; values beyond its range become infinity.
float toSingle(double e) {
    if (e > static_cast<double>(std::numeric_limits<float>::max())) return std::numeric_limits<float>::infinity();
    return static_cast<float>(e);
}

}  // namespace

int addDdmm(int a, int b) {
    const int s = a % 100 + b % 100;
    return (a / 100 + b / 100 + s / 60) * 100 + s % 60;
}

int ddmmSpan(int hi, int lo) {
    int d = hi - lo;
    if (hi % 100 < lo % 100) d -= 40;  // one degree less, sixty minutes more
    return d;
}

int cellCount(int span, int cellSize) {
    if (cellSize <= 0 || span <= 0) return 0;
    if (cellSize < 100) return (span / 100) * (60 / cellSize) + (span % 100) / cellSize;
    return (span / 100) * 100 / cellSize;
}

int cellsBetween(int v, int lo, int cellSize) {
    if (cellSize <= 0) return -1;
    int d = v - lo;
    if (cellSize >= 100) return d / cellSize;
    if (v % 100 < lo % 100) d -= 40;
    return (d / 100) * 60 / cellSize + (d % 100) / cellSize;
}

double quakeEnergy(int m10) { return std::pow(10.0, m10 * 1.5 * 0.1 + 4.8); }

double densityDivisor(int cellSize) {
    if (cellSize <= 0) return 1.0;
    if (cellSize < 100) {
        const double side = cellSize * 0.1;
        return side * side;
    }
    const int side = (cellSize * 6) / 100;
    return static_cast<double>(side) * side;
}

int energyLevel(float value) {
    if (!(value > 0.0f)) return -1;
    const double l = std::log10(static_cast<double>(value)) - 11.0;
    if (l >= 6.0) return 6;  // also infinity
    return static_cast<int>(l);
}

ColorValue energyLevelColor(float energy, int cellSize, bool density, const EnergyColors& colors) {
    float value = energy;
    if (density) value = toSingle(static_cast<double>(energy) / densityDivisor(cellSize));
    const int level = energyLevel(value);
    if (level < 0) return colors.base;
    if (level >= kEnergyLevelCount - 1) return colors.levels[kEnergyLevelCount - 1];
    return colors.levels[static_cast<std::size_t>(level)];
}

void EnergyGrid::build(int size, const GeoBounds& b) {
    cellSize = size;
    box = b;
    gridCols = cellCount(ddmmSpan(b.lonMax, b.lonMin), size);
    gridRows = cellCount(ddmmSpan(b.latMax, b.latMin), size);
    if (static_cast<long long>(gridCols) * gridRows > kMaxCells) gridCols = gridRows = 0;
    cellEnergy.assign(static_cast<std::size_t>(gridCols) * static_cast<std::size_t>(gridRows), 0.0f);
}

void EnergyGrid::clear() {
    cellSize = 0;
    gridCols = gridRows = 0;
    cellEnergy.clear();
}

int EnergyGrid::cellIndex(int lon, int lat) const {
    // Below the minima the truncating division would give cell 0 for points up to a
    // cell's width outside, so those are refused first.
    if (cellEnergy.empty() || lon < box.lonMin || lat < box.latMin) return -1;
    const int col = cellsBetween(lon, box.lonMin, cellSize);
    if (col < 0 || col >= gridCols) return -1;
    const int row = cellsBetween(lat, box.latMin, cellSize);
    if (row < 0 || row >= gridRows) return -1;
    return col + gridCols * row;
}

CellCorner EnergyGrid::cellCorner(int index) const {
    if (gridCols <= 0 || index < 0) return {box.lonMin, box.latMin};
    const int row = index / gridCols, col = index % gridCols;
    const int m = stepMinutes(cellSize);
    return {addDdmm(box.lonMin, minutesToDdmm(m * col)), addDdmm(box.latMin, minutesToDdmm(m * row))};
}

void EnergyGrid::accumulate(const Catalogue& cat, const SelectionList& sel) {
    const int n = sel.selectionCount;
    for (int i = 0; i < n; ++i) {
        const int k = sel[i];
        if (k < 0 || k >= cat.recordCount) continue;
        const EarthquakeRecord& rec = cat[k];
        if (!box.contains(rec.lon, rec.lat)) continue;
        const int idx = cellIndex(rec.lon, rec.lat);
        if (idx < 0) continue;  // minutes of 60 or more can point past the last cell
        float& total = cellEnergy[static_cast<std::size_t>(idx)];
        total = toSingle(static_cast<double>(total) + quakeEnergy(rec.mag));
    }
}

std::optional<EnergyGrid::Reading> EnergyGrid::read(int lon, int lat, bool density) const {
    const int idx = cellIndex(lon, lat);
    if (idx < 0) return std::nullopt;
    Reading r;
    r.row = idx / gridCols;
    r.col = idx % gridCols;
    const float e = cellEnergy[static_cast<std::size_t>(idx)];
    r.value = density ? toSingle(static_cast<double>(e) / densityDivisor(cellSize)) : e;
    return r;
}

}  // namespace kavelo
