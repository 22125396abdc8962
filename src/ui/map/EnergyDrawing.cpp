#include "map/EnergyDrawing.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <optional>
#include <vector>

#include "app/FormUtil.h"
#include "app/MessageBox.h"
#include "map/TEngScale.h"
#include "map/TMap.h"
#include "search/TForm1.h"
#include "search/TOrigin.h"

namespace kavelo::ui {

namespace {

int minutesToDdmm(int x) { return (x / 60) * 100 + x % 60; }

// Screen positions of the grid's cell corners, projected once each: neighbouring cells
// share corners, and the corner one cell step east or north of a cell's south-west corner
// is the next cell's south-west corner.
class CornerLattice {
public:
    CornerLattice(const MapProjection& proj, const EnergyGrid& g) : proj_(proj), cols_(g.gridCols + 1) {
        const int m = g.cellSize < 100 ? g.cellSize : (g.cellSize / 100) * 60;
        lons_.resize(static_cast<std::size_t>(g.gridCols + 1));
        lats_.resize(static_cast<std::size_t>(g.gridRows + 1));
        for (int i = 0; i <= g.gridCols; ++i) lons_[static_cast<std::size_t>(i)] = addDdmm(g.box.lonMin, minutesToDdmm(m * i));
        for (int j = 0; j <= g.gridRows; ++j) lats_[static_cast<std::size_t>(j)] = addDdmm(g.box.latMin, minutesToDdmm(m * j));
        points_.resize(lons_.size() * lats_.size());
        done_.assign(points_.size(), 0);
    }

    const std::optional<ScreenPoint>& at(int col, int row) {
        const std::size_t k = static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
        if (!done_[k]) {
            points_[k] = proj_.geoToScreen(lons_[static_cast<std::size_t>(col)], lats_[static_cast<std::size_t>(row)]);
            done_[k] = 1;
        }
        return points_[k];
    }

private:
    const MapProjection& proj_;
    int cols_;
    std::vector<int> lons_, lats_;
    std::vector<std::optional<ScreenPoint>> points_;
    std::vector<uint8_t> done_;
};

// Fills a quadrilateral as an aliased polygon with its outline in the same colour: the
// pixels whose centres lie inside (even-odd), then the four edges. Written straight into
// the picture, since a map can hold tens of thousands of cells.
void fillCell(Canvas& c, const QPoint (&q)[4], TColor colour) {
    int top = q[0].y(), bottom = q[0].y();
    for (const QPoint& p : q) {
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, c.height() - 1);
    c.setBrushColor(colour);
    for (int y = top; y <= bottom; ++y) {
        const double yc = y + 0.5;
        double xs[4];
        int n = 0;
        for (int i = 0; i < 4; ++i) {
            const QPoint& a = q[i];
            const QPoint& b = q[(i + 1) % 4];
            if (a.y() == b.y()) continue;
            const bool crosses = a.y() < b.y() ? (a.y() <= yc && yc < b.y()) : (b.y() <= yc && yc < a.y());
            if (crosses) xs[n++] = a.x() + (yc - a.y()) * (b.x() - a.x()) / static_cast<double>(b.y() - a.y());
        }
        for (int i = 1; i < n; ++i)  // at most four crossings
            for (int j = i; j > 0 && xs[j] < xs[j - 1]; --j) std::swap(xs[j], xs[j - 1]);
        for (int k = 0; k + 1 < n; k += 2) {
            const int lo = static_cast<int>(std::ceil(xs[k] - 0.5));
            const int hi = static_cast<int>(std::ceil(xs[k + 1] - 0.5));  // excluded
            if (lo < hi) c.fillRect(lo, y, hi, y + 1);
        }
    }
    c.setPenColor(colour);
    c.moveTo(q[3].x(), q[3].y());
    for (const QPoint& p : q) c.lineTo(p.x(), p.y());
}

}  // namespace

void drawEnergyCells(Canvas& c, const MapProjection& proj, const EnergyGrid& grid,
                     const std::function<TColor(float)>& colourOf) {
    if (grid.empty()) return;
    CornerLattice lattice(proj, grid);
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setBrushStyle(BrushStyle::Solid);
    QPoint quad[4];
    const int n = static_cast<int>(grid.cellEnergy.size());
    for (int idx = 0; idx < n; ++idx) {
        const float e = grid.cellEnergy[static_cast<std::size_t>(idx)];
        if (!(e > 0.0f)) continue;
        const int row = idx / grid.gridCols, col = idx % grid.gridCols;
        const auto& sw = lattice.at(col, row);
        const auto& se = lattice.at(col + 1, row);
        const auto& ne = lattice.at(col + 1, row + 1);
        const auto& nw = lattice.at(col, row + 1);
        if (!sw || !se || !ne || !nw) continue;
        quad[0] = QPoint(sw->x, sw->y);
        quad[1] = QPoint(se->x, se->y);
        quad[2] = QPoint(ne->x, ne->y);
        quad[3] = QPoint(nw->x, nw->y);
        fillCell(c, quad, colourOf(e));
    }
}

}  // namespace kavelo::ui

// ---- The map window's energy operations

using namespace kavelo;
using namespace kavelo::ui;

EnergyColors TMap::energyColors() const {
    EnergyColors c;
    c.base = energyBaseColor;
    c.levels = energyLevelColors;
    return c;
}

TColor TMap::energyLevelColor(float energy) const {
    return kavelo::energyLevelColor(energy, energyGrid.cellSize, AreaChk->isChecked(), energyColors());
}

void TMap::drawEnergyMap() {
    const int division = GridGroup->itemIndex();
    if (division <= kGridDivisionNone) {
        // No cells, and no stale grid for the click readout to report.
        energyGrid.clear();
        messageBox("Grid Division not defined!!", "KAVELO4.4");
        return;
    }
    const int cellSize = gridCellSize(division);
    energyGrid.build(cellSize, visibleBounds(cellSize));
    if (Form1) energyGrid.accumulate(Form1->catalogue, Form1->selection);
    drawEnergyCells(canvas(), proj, energyGrid, [this](float e) { return energyLevelColor(e); });
}

void TMap::drawEnergyStep() {
    const QString caption = AreaChk->isChecked() ? QStringLiteral("単位領域当たり平均放出エネルギ")
                                                 : QStringLiteral("領域内全放出エネルギ");
    setWindowTitle(caption);
    if (Origin) {
        Origin->setWindowTitle(caption);
        Origin->Label3->setText(caption);
    }
    drawEnergyMap();
    drawGraticule();
    drawCoast();
    if (EngScale) EngScale->showColors(energyColors());
}

QString TMap::cellReadoutText(int lon, int lat) const {
    const auto r = energyGrid.read(lon, lat, AreaChk->isChecked());
    if (!r) return QStringLiteral("Out of Range");
    return QString::asprintf("領域(%d,%d) 放出エネルギー  %.2e J", r->row, r->col, static_cast<double>(r->value));
}

namespace {

void showReadoutText(const QString& text) {
    if (!Origin) return;
    Origin->setColumnLabelsVisible(false);
    Origin->Label1->clear();
    StringTableModel* cells = Origin->StringGrid1->cells();
    cells->setRowCount(1);
    cells->setCell(0, 0, text);
    showWindow(Origin);
}

}  // namespace

void TMap::showCellReadout(int lon, int lat) { showReadoutText(cellReadoutText(lon, lat)); }

void TMap::showCellReadoutAt(int sx, int sy) {
    const GeoResult g = screenToGeo(sx, sy);
    // A point off the node grid lies outside every cell.
    showReadoutText(g.ok() ? cellReadoutText(g.lon, g.lat) : QStringLiteral("Out of Range"));
}

void TMap::EnergyChkClick() {
    if (EnergyChk->isChecked()) {
        AreaChk->setEnabled(true);
        // Unchecking the epicentres runs their handler, which redraws.
        if (OriginChk->isChecked()) {
            OriginChk->setChecked(false);
            OriginChkClick();
        }
    } else {
        AreaChk->setEnabled(false);
    }
}
