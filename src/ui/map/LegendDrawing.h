#pragma once
// The magnitude/depth legend as the format window draws it, with the classes in force.

#include "map/MarkRules.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

// White picture; "Magnitude" circles for M4-8 and one row per depth class in use with its
// colour and range, then the pre-1885 mark.
void drawDepthClassLegend(Canvas& c, const DepthClasses& classes);

}  // namespace kavelo::ui
