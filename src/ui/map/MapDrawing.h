#pragma once
// Drawing of the epicentre map on a canvas: base map steps, epicentre marks, the
// distance-search circle. Geometry comes from the core's MapProjection.

#include <functional>

#include "catalogue/Catalogue.h"
#include "map/MapData.h"
#include "map/MapProjection.h"
#include "map/MarkRules.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

struct MapColors {
    TColor seaColor = rgb(221, 255, 255);
    TColor landColor = rgb(255, 255, 187);
    TColor coastColor = rgb(0, 0, 255);
    TColor gridColor = rgb(0, 255, 255);
    TColor subGridColor = rgb(255, 255, 0);
    TColor energyBaseColor = rgb(213, 239, 253);
};

struct BaseMapOptions {
    int coastWidthChoice = 0;  // items "1", "2", "3", "0"
    int gridDivision = 1;      // items "なし", "2゜", "1゜", "30´", "15´", "10´"
    bool colorOn = true;       // unchecked: coast and main grid in black
    bool fillLand = true;      // land polygons filled (off for Land "None" and the energy map)
};

struct PlotStyle {
    MarkSettings marks;
    DepthClasses depth;
    bool colorOn = true;
};

void fillBackground(Canvas& c, TColor color);
void drawCoast(Canvas& c, const MapProjection& proj, const CoastLines& coasts, const MapColors& colors,
               const BaseMapOptions& opt);
void drawGraticule(Canvas& c, const MapProjection& proj, const MapColors& colors, const BaseMapOptions& opt);
// Degenerate-cell failures of the label search go to log when one is given.
void drawGraticuleLabels(Canvas& c, const MapProjection& proj, GeoFailureLog* log = nullptr);
// White margins around the frame, then the frame in black, 2 pixels wide.
void drawFrame(Canvas& c, const MapFrame& frame);
// A line between two geographic points that follows the projection; pen as set by the caller.
void drawGeoLine(Canvas& c, const MapProjection& proj, int lon1, int lat1, int lon2, int lat2);

// The colour of a record's mark: black before 1885 or without colour, else by depth.
TColor markColor(const EarthquakeRecord& rec, const PlotStyle& style);

// One mark per selected record inside the visible box, in selection order.
// progress(i) is called for every position when given.
void plotSelection(Canvas& c, const MapProjection& proj, const Catalogue& cat, const SelectionList& sel,
                   const PlotStyle& style, const GeoBounds& visible, const std::function<void(int)>& progress = {});

// The dotted blue circle of the distance search and a cross at its centre.
void drawRangeCircle(Canvas& c, const MapProjection& proj, int centreLon, int centreLat, double radiusKm);

}  // namespace kavelo::ui
