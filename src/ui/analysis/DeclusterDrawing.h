#pragma once
// Pictures of aftershock decay and declustering: the observed cumulative number of
// aftershocks with the fitted Omori-Utsu curve, and the map of the events by role.

#include <span>
#include <vector>

#include "analysis/Declustering.h"
#include "analysis/OmoriUtsu.h"
#include "catalogue/EarthquakeRecord.h"
#include "map/MapData.h"
#include "map/MapProjection.h"
#include "map/MarkRules.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

// Observed cumulative number of the times in [S, T] (steps) and the fitted
// Lambda(t) = K * integral of (t + c)^-p from S (red); time logarithmic when logTime.
void drawOmoriDecay(Canvas& c, std::span<const double> days, const analysis::OmoriFit& fit, bool logTime);

// The main map's node grid and coastlines, when they are loaded.
struct DeclusterBaseMap {
    const MapProjection* projection = nullptr;
    const CoastLines* coasts = nullptr;
};

// Epicentres with main shocks as the map's marks (size by magnitude, colour by depth) and
// foreshocks and aftershocks as grey dots. On the main map's projection with its
// coastlines and graticule when a base map is given and every event lies on its grid; otherwise
// on a longitude-latitude frame.
void drawDeclusterMap(Canvas& c, std::span<const EarthquakeRecord> events,
                      const analysis::DeclusterResult& result, const MarkSettings& marks,
                      const DepthClasses& depth, const DeclusterBaseMap& base = {});

}  // namespace kavelo::ui
