#pragma once
// Drawing of the rotating section: the fixed grid of the section picture, the compass
// dial, and the marks and needle that each step draws in XOR and erases the same way.

#include <vector>

#include "catalogue/Catalogue.h"
#include "map/MarkRules.h"
#include "sections/RotatingSection.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

// One mark as drawn, so that the next step erases exactly these pixels.
struct RotateMark {
    int x = 0, y = 0, r = 0;
    TColor pen = clBlack;  // the XOR pen: the mark's colour XOR white
    bool operator==(const RotateMark&) const = default;
};

struct RotateMarkStyle {
    bool colorOn = true;
    MarkSettings marks;
    DepthClasses depth;
};

// The section grid on the 385 x 385 picture and the compass on the 121 x 105 one.
void drawRotateGrid(Canvas& section, Canvas& dial);

// Marks of the listed Catalogue records for a line through (latC, lonC) at an angle.
std::vector<RotateMark> rotateMarks(const Catalogue& cat, const int32_t* list, int count, int angle,
                                    float latC, float lonC, const RotateMarkStyle& style);

// Open circles in XOR; drawing the same marks again erases them.
void drawRotateMarks(Canvas& section, const std::vector<RotateMark>& marks);

// The compass needle for an angle, XOR in cyan.
void drawDialNeedle(Canvas& dial, int angle);

}  // namespace kavelo::ui
