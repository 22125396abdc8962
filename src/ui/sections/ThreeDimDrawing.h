#pragma once
// Drawing of the 3-D hypocentre view on a canvas: depth planes, land, edge ticks, the
// depth scale, the centre cross and the hypocentres. Geometry comes from the core's
// ThreeDimView; positions from the map's projection grid and coastlines.

#include <functional>
#include <vector>

#include "catalogue/Catalogue.h"
#include "map/MapData.h"
#include "map/MapProjection.h"
#include "map/MarkRules.h"
#include "sections/ThreeDimView.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

constexpr int kThreeDimImageWidth = 720;
constexpr int kThreeDimImageHeight = 689;

// What the background scene is drawn from. Either pointer may be null (no map yet):
// then no land or no ticks are drawn.
struct ThreeDimScene {
    ViewProjection view;
    bool fromAbove = true;
    const std::vector<PlanePoint>* outline = nullptr;
    const CoastLines* coasts = nullptr;
    const MapProjection* proj = nullptr;
};

// The outline at depth km (z = -depth) as one polygon, current brush and pen.
void drawDepthPlane(Canvas& c, const ViewProjection& v, const std::vector<PlanePoint>& outline, int depthKm);
// Each of the twenty coastlines as one polygon at the surface; pen black, current brush.
// With a surface outline, land beyond the map region (the coastlines reach further than
// the node grid) is left out.
void drawLandPolygons(Canvas& c, const ViewProjection& v, const CoastLines& coasts,
                      const std::vector<PlanePoint>* surface = nullptr);
// Short black ticks every 2 degrees on the edges of the map region, at the surface.
void drawEdgeTicks(Canvas& c, const ViewProjection& v, const MapProjection& proj);
// The bar at the top left that shows the drawn length of 600 km of depth.
void drawDepthScale(Canvas& c, const ViewProjection& v);
// A red cross at the rotation centre.
void drawCentreCross(Canvas& c, const ViewProjection& v);

// White picture, then planes, ticks and land in the order the viewing side asks for,
// then the depth scale.
void drawBackgroundScene(Canvas& c, const ThreeDimScene& s);

struct HypocentreStyle {
    bool dropLines = false;   // dotted line from the surface point down to the hypocentre
    bool halfSize = true;     // halve the disc radius
    bool depthColors = true;  // discs in depth colours, else red
    bool paintLand = true;    // land over the hypocentres filled (else outlined)
    MarkSettings marks;       // the map's size rule
    DepthClasses depth;       // the map's depth classes
};

// The hypocentres of the selection over a background scene already drawn: land in pale
// yellow, one disc per record at its depth (records of depth 0 or outside the grid are
// left out), then, seen from above, the land again over them. progress(i) is called for
// every position, then with 0.
void drawHypocentres(Canvas& c, const ThreeDimScene& s, const Catalogue& cat, const SelectionList& sel,
                     const HypocentreStyle& style, const std::function<void(int)>& progress = {});

}  // namespace kavelo::ui
