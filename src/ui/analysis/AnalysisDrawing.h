#pragma once
// Pictures of the seismicity analysis window: the frequency-magnitude distribution with
// Mc and the maximum-likelihood line, cumulative number, magnitude and depth against
// time, and b and Mc over time. Every picture is drawn on a canvas inside a framed
// plot area with ticks, numbers and axis titles.

#include <QRect>
#include <QString>
#include <span>
#include <vector>

#include "analysis/Seismicity.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

struct PlotAxis {
    double lo = 0.0, hi = 1.0;
    bool log = false;       // base-10 axis; lo and hi are values (> 0)
    bool reversed = false;  // larger values downward (depth) or leftward
    QString title;
};

// A rectangle of the picture with a value range on each axis.
class PlotArea {
public:
    PlotArea(const QRect& area, const PlotAxis& x, const PlotAxis& y);
    int px(double x) const;
    int py(double y) const;
    const QRect& rect() const { return area_; }
    const PlotAxis& xAxis() const { return x_; }
    const PlotAxis& yAxis() const { return y_; }
    // Frame, ticks with their numbers and the axis titles; the y axis on the right
    // when `right` is set (a second quantity over the same x).
    void drawFrame(Canvas& c, bool right = false) const;

private:
    double fraction(const PlotAxis& a, double v) const;
    QRect area_;
    PlotAxis x_, y_;
};

// A step of 1, 2 or 5 times a power of ten giving about `target` ticks over the span.
double niceStep(double span, int target);

// The title line at the top left of a picture.
void drawPictureTitle(Canvas& c, const QString& title);
// A text in the middle of the picture where a graph cannot be drawn.
void drawPictureNotice(Canvas& c, const QString& text);

// Non-cumulative counts as bars and cumulative counts as points on a log axis; Mc marked
// and N(>= M) = 10^(a - b (M - Mc)) drawn from Mc to the largest magnitude when b exists.
void drawFrequencyMagnitude(Canvas& c, const analysis::MagnitudeBins& bins,
                            const analysis::BAnalysis& b);
// Cumulative number against time; events of M >= largest - 1.0 marked.
void drawCumulativeNumber(Canvas& c, std::span<const double> times, std::span<const int> mag10);
// Magnitude against time, one stem per event.
void drawMagnitudeTime(Canvas& c, std::span<const double> times, std::span<const int> mag10);
// Depth against time, depth growing downward.
void drawDepthTime(Canvas& c, std::span<const double> times, std::span<const int> depth);
// b with its sigma band (upper panel) and Mc (lower panel) against time.
void drawBOverTime(Canvas& c, const analysis::BTimeResult& r);

}  // namespace kavelo::ui
