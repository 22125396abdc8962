#pragma once
// Drawing of the cross-section along a zone's line: depth axis and grid, distance and
// whole-degree ticks, footer texts and one mark per selected hypocentre.

#include <QString>

#include "catalogue/Catalogue.h"
#include "map/MarkRules.h"
#include "search/CatalogueSearch.h"
#include "sections/CrossSection.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

struct SectionInput {
    const Catalogue* catalogue = nullptr;
    const SelectionList* selection = nullptr;
    DdmmPoint p1, p2;        // zone ends as picked (line kind, region text)
    DdmmPoint start, end;    // zone start (western or southern end) and end
    AxisDistanceFn axisDistance;
    QString widthItem;       // the zone window's chosen width item
    bool colorOn = true;
    MarkSettings marks;
    DepthClasses depth;
    int horizontalItem = 0;  // magnification items: x1, x2, x5
    int verticalItem = 0;
    bool reversed = false;
};

// Clears and draws the 905 x 465 picture; returns the geometry it used.
SectionGeometry drawCrossSection(Canvas& c, const SectionInput& in);

}  // namespace kavelo::ui
