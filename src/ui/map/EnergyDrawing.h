#pragma once
// Drawing of the energy map's cells on a canvas.

#include <functional>

#include "map/EnergyGrid.h"
#include "map/MapProjection.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

// Fills every cell with energy above zero, in increasing index order, as the projected
// quadrilateral of its four corners in colourOf(energy) (pen and brush). Cells with a
// corner outside the node grid are left out.
void drawEnergyCells(Canvas& c, const MapProjection& proj, const EnergyGrid& grid,
                     const std::function<TColor(float)>& colourOf);

}  // namespace kavelo::ui
