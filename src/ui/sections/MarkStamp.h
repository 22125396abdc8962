#pragma once
// Open circle marks (pen width 1, no fill) drawn many times: the rows of each radius are
// worked out once and then copied, pixel for pixel what Canvas::ellipsePixels draws for
// the box (x - r, y - r, x + r, y + r).

#include <QImage>
#include <vector>

#include "widgets/Canvas.h"

namespace kavelo::ui {

class MarkStamps {
public:
    void draw(QImage& image, int x, int y, int r, TColor color);

private:
    struct Span {
        int dy, lo, hi;  // row offset and columns relative to the centre
    };
    const std::vector<Span>& spans(int r);
    std::vector<std::vector<Span>> cache_;
};

}  // namespace kavelo::ui
