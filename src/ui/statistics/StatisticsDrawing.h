#pragma once
// Pictures of the statistics window: yearly and monthly frequencies, the
// cumulative magnitude-frequency graph with its fitted laws, and the magnitude
// distribution on Gumbel probability paper. All draw on a canvas.

#include <QPoint>
#include <QString>
#include <QStringList>

#include "statistics/Cumulative.h"
#include "statistics/Frequency.h"
#include "statistics/LawFits.h"
#include "widgets/Canvas.h"

namespace kavelo::ui {

// Pen copy mode, white brush, whole picture filled.
void clearImage(Canvas& c);

// Stacked yearly bars of the magnitude classes, bar width 5 or 8.
void drawYearlyFrequency(Canvas& c, const FrequencyTables& t, int barWidth);
// One vertical line per month in rows of 50 years from January 1926.
void drawMonthlyFrequency(Canvas& c, const FrequencyTables& t);
// Tells on the picture how many selected records the tables could not hold.
void drawLeftOutNote(Canvas& c, const FrequencyTables& t);

// Label of a frame grid line: "%.0f", or "%.1f" for a value between whole numbers.
QString gridLabel(double v);

// Frame with grid and labels; labels start * 10^j on a logarithmic count axis.
void drawFitAxes(Canvas& c, bool logarithmic, int x0, int y0, int nx, int ny, int dx, int dy,
                 double startX, double startY, double stepX, double stepY);
// The plotting areas (frame edges included) that points and curves are clipped to.
QRect cumulativePlotArea(const CumulativeFrame& f);
QRect probabilityPlotArea(const ProbabilityFrame& f);

void plotCumulative(Canvas& c, int m0, const CumulativeTable& cum, const CumulativeFrame& f);
// False (with the text "Richter Line can't draw" at textAt) when the line has no
// extent.
bool drawRichterLine(Canvas& c, int m0, double alpha, double beta, const CumulativeFrame& f,
                     QPoint textAt = QPoint(350, 140));
void drawQuadraticCurve(Canvas& c, int m0, double alpha, double beta, double gamma,
                        const CumulativeFrame& f);
void drawModifiedCurve(Canvas& c, int m0, int magMax, double alpha, double beta, double gamma,
                       double addMag, const CumulativeFrame& f);

enum class LawChoice { Linear = 0, Quadratic = 1, Modified = 2 };

// Text lines printed beside the cumulative graph for a fit.
QStringList resultLines(LawChoice law, const LawFit& fit, int m0, int n0, int magMax);
// Lines from (400, 100), 30 pixels apart.
void drawResultLines(Canvas& c, const QStringList& lines);

// Why the cumulative graph cannot be drawn, or empty.
QString frameProblemText(FrameProblem p, int m0);

// Probability display right of the cumulative graph. fitOk: the coefficients
// belong to a successful fit of `law`. Returns the number of points and curve
// vertices left out because their probability lies outside (0, 1).
int drawProbability(Canvas& c, int m0, const CumulativeTable& cum, int magMax, double addMag,
                    LawChoice law, bool fitOk, double alpha, double beta, double gamma);

// Text drawn where a graph could not be drawn.
void drawNotice(Canvas& c, int x, int y, const QString& text);

}  // namespace kavelo::ui
