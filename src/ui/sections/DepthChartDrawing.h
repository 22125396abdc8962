#pragma once
// Drawing of the depth charts: depth against latitude on one picture and against
// longitude on the other, with axes, whole-degree ticks, the kilometre grid of the
// equal-distance scale and the footer texts.

#include <QString>

#include "catalogue/Catalogue.h"
#include "map/MarkRules.h"
#include "search/CatalogueSearch.h"
#include "sections/DepthChart.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

struct DepthChartInput {
    const Catalogue* catalogue = nullptr;
    const SelectionList* selection = nullptr;
    ZoneCorners corners;
    DdmmPoint p1, p2;      // the zone's end points, for the region text
    QString widthItem;     // the zone window's chosen width item
    bool colorOn = true;   // depth colours, else black
    MarkSettings marks;
    DepthClasses depth;
    DepthChartOptions options;
};

// Clears and draws both 385 x 385 pictures.
void drawDepthCharts(Canvas& latChart, Canvas& lonChart, const DepthChartInput& in);

}  // namespace kavelo::ui
