#include "statistics/StatisticsDrawing.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "statistics/Probability.h"

namespace kavelo::ui {

namespace {

constexpr double kLn10 = 2.302585092994046;

QString magText(int mag10) {
    return QString::asprintf("%s%d.%d", mag10 < 0 ? "-" : "", std::abs(mag10) / 10,
                             std::abs(mag10) % 10);
}

void circle(Canvas& c, int x, int y) { c.ellipse(x - 2, y - 2, x + 2, y + 2); }

// A polyline drawn point by point: the first point is a move, later ones line ends.
struct Trace {
    Canvas& c;
    bool started = false;
    void to(int x, int y) {
        if (started)
            c.lineTo(x, y);
        else
            c.moveTo(x, y);
        started = true;
    }
};

}  // namespace

// Whole values as "%.0f". The probability frame starts at m0
// itself, so with m0 = 4.5 its lines lie at 4.5, 5.5, ...; "%.0f" would round those to
// the even neighbour (4, 6, 6, 8) and mislabel every line, so they get one decimal.
QString gridLabel(double v) {
    const bool whole = std::fabs(v - std::nearbyint(v)) < 1e-6;
    return QString::asprintf(whole ? "%.0f" : "%.1f", v);
}

void clearImage(Canvas& c) {
    c.setPenMode(PenMode::Copy);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.fillRect(0, 0, c.width(), c.height());
}

void drawNotice(Canvas& c, int x, int y, const QString& text) {
    c.setFontSize(12);
    c.setFontBold(false);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.textOut(x, y, text);
}

void drawYearlyFrequency(Canvas& c, const FrequencyTables& t, int w) {
    const int x0 = 80, y0 = 350;
    const double S = frequencyStep(t.maxYearly());
    c.setPenColor(clBlack);
    c.setPenStyle(PenStyle::Solid);
    c.setBrushStyle(BrushStyle::Solid);
    for (int y = 0; y < t.years; ++y) {
        int base = y0;
        for (int k = 0; k < kMagnitudeClasses; ++k) {
            const int n = t.classes[static_cast<size_t>(y)][static_cast<size_t>(k)];
            if (n <= 0) continue;
            const int top = static_cast<int>(base - n / S * 100);
            c.setBrushColor(classColors[static_cast<size_t>(k)]);
            c.rectangle(x0 + y * w, top, x0 + y * w + w, base);
            base = top;
        }
    }
    c.setFontSize(15);
    c.setFontBold(false);
    c.setBrushColor(clWhite);
    c.setPenColor(clBlack);
    for (int k = 0; k <= 3; ++k) {
        c.moveTo(x0 - 20, y0 - 100 * k);
        c.lineTo(x0 + t.years * w + 20, y0 - 100 * k);
        c.textOut(x0 - 75, y0 - 100 * k - 10,
                  QString::fromLatin1(frequencyLabel(k * S, S, 0.001).c_str()));
    }
    for (int y = 0; y < t.years; ++y) {
        const int year = t.startYear + y;
        if (year % 10 != 0) continue;
        const int x = x0 + y * w + w / 2;
        c.moveTo(x, y0);
        c.lineTo(x, y0 + 5);
        if (year % 20 == 0) c.textOut(x0 + y * w - 20, y0 + 7, QString::number(year));
    }
    c.textOut(100, 10, "マグニチュードレベル");
    for (int k = 0; k < kMagnitudeClasses; ++k) {
        const int x = 300 + 80 * k;
        c.setBrushColor(classColors[static_cast<size_t>(k)]);
        c.rectangle(x, 10, x + 12, 22);
        c.setBrushColor(clWhite);
        c.textOut(x + 20, 10, QString::number(k + 4));
    }
    c.textOut(300, 400, "年次別地震発生頻度");
}

void drawMonthlyFrequency(Canvas& c, const FrequencyTables& t) {
    const int x0 = 50;
    const double S = frequencyStep(t.maxMonthly());
    c.setFontSize(15);
    c.setFontBold(false);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    int r = 20, col = 0;
    const int months = 12 * t.years;
    for (int i = 0; i < months; ++i) {
        const int year = t.startYear + i / 12, month = i % 12 + 1;
        if ((year + 24) % 50 == 0 && month == 1) {
            col = 0;
            r += 180;
            c.setPenColor(clBlack);
            for (int k = 0; k <= 2; ++k) {
                c.moveTo(x0 - 20, r - 50 * k);
                c.lineTo(x0 + 620, r - 50 * k);
            }
            c.textOut(x0 - 40, r - 60, QString::fromLatin1(frequencyLabel(S, S, 0.0001).c_str()));
            c.textOut(x0 - 40, r - 110,
                      QString::fromLatin1(frequencyLabel(2 * S, S, 0.0001).c_str()));
        }
        if (month == 1) {
            c.setPenColor(clBlack);
            c.moveTo(x0 + col, r);
            if (year % 10 == 0) {
                c.lineTo(x0 + col, r + 8);
                c.textOut(x0 + col - 20, r + 12, QString::number(year));
            } else {
                c.lineTo(x0 + col, r + 4);
            }
        }
        c.setPenColor(clBlue);
        c.moveTo(x0 + col, r);
        c.lineTo(x0 + col, static_cast<int>(r - t.monthly[static_cast<size_t>(i)] / S * 50));
        ++col;
    }
    c.setPenColor(clBlack);
    c.textOut(250, 20, "月別地震発生頻度");
}

void drawLeftOutNote(Canvas& c, const FrequencyTables& t) {
    if (t.leftOut <= 0 && t.badMonth <= 0) return;
    QString text;
    if (t.leftOut > 0)
        text = QString("%1年以降の%2個はこのグラフに入りません").arg(t.lastYear() + 1).arg(t.leftOut);
    if (t.badMonth > 0) {
        if (!text.isEmpty()) text += "　";
        text += QString("月の不正な%1個は月別に数えていません").arg(t.badMonth);
    }
    drawNotice(c, 520, 425, text);
}

void drawFitAxes(Canvas& c, bool logarithmic, int x0, int y0, int nx, int ny, int dx, int dy,
                 double startX, double startY, double stepX, double stepY) {
    c.setFontSize(12);
    c.setFontBold(false);
    c.setPenColor(clBlack);
    c.setPenStyle(PenStyle::Solid);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    for (int i = 0; i <= nx; ++i) {
        const int x = x0 + i * dx;
        c.setPenWidth(i == 0 || i == nx ? 2 : 1);
        c.moveTo(x, y0);
        c.lineTo(x, y0 - ny * dy);
        c.textOut(x - 6, y0 + 6, gridLabel(startX + i * stepX));
    }
    for (int j = 0; j <= ny; ++j) {
        const int y = y0 - j * dy;
        c.setPenWidth(j == 0 || j == ny ? 2 : 1);
        c.moveTo(x0, y);
        c.lineTo(x0 + nx * dx, y);
        const double v = logarithmic ? startY * std::pow(10.0, j) : startY + j * stepY;
        const QString label = gridLabel(v);
        c.textOut(x0 - c.textWidth(label) - 6, y - 6, label);
    }
    c.setPenWidth(1);
}

QRect cumulativePlotArea(const CumulativeFrame& f) {
    return QRect(f.x0, f.y0 - f.ny * f.dy, f.nx * f.dx + 1, f.ny * f.dy + 1);
}

QRect probabilityPlotArea(const ProbabilityFrame& f) {
    return QRect(f.x0, f.y0 - 7 * f.dy, f.nx * f.dx + 1, 7 * f.dy + 1);
}

void plotCumulative(Canvas& c, int m0, const CumulativeTable& cum, const CumulativeFrame& f) {
    c.setPenColor(clRed);
    {
        const ClipRectScope clip(c, cumulativePlotArea(f));
        for (int i = 0; i < kCumulativeBins; ++i) {
            const int n = cum[static_cast<size_t>(i)];
            if (n == 0) continue;
            const int x = pixelTrunc((m0 - 10 * f.xs + i) * 0.1 * f.dx + f.x0);
            const int y = f.yOfLog(std::log10(static_cast<double>(n)));
            circle(c, x, y);
        }
    }
    c.setPenColor(clBlack);
    c.textOut(f.x0 + f.nx * f.dx, f.y0 + 20, "ｍ");
    c.textOut(f.x0 + 20, f.y0 - f.ny * f.dy - 30, "発生頻度");
}

bool drawRichterLine(Canvas& c, int m0, double alpha, double beta, const CumulativeFrame& f,
                     QPoint textAt) {
    const double top = alpha - beta * m0 * 0.1;
    // With beta <= 0 the line never reaches N = 1.
    if (!(top > 0.0) || !(beta > 0.0)) {
        c.textOut(textAt.x(), textAt.y(), "Richter Line can't draw");
        return false;
    }
    const ClipRectScope clip(c, cumulativePlotArea(f));
    c.setPenWidth(2);
    c.setPenColor(clBlue);
    c.moveTo(pixelTrunc((m0 - 10 * f.xs) * 0.1 * f.dx + f.x0), f.yOfLog(std::log10(std::exp(top))));
    c.lineTo(f.xOf(alpha / beta), f.y0);
    c.setPenWidth(1);
    return true;
}

void drawQuadraticCurve(Canvas& c, int m0, double alpha, double beta, double gamma,
                        const CumulativeFrame& f) {
    const ClipRectScope clip(c, cumulativePlotArea(f));
    c.setPenWidth(2);
    c.setPenColor(clGreen);
    Trace tr{c};
    for (int i = 0; i < kCumulativeBins; ++i) {
        const double m = (m0 + i) * 0.1;
        const double L = (alpha + beta * m + gamma * m * m) / kLn10;
        if (L < 0 || !std::isfinite(L)) break;
        tr.to(f.xOf(m), f.yOfLog(L));
    }
    c.setPenWidth(1);
}

void drawModifiedCurve(Canvas& c, int m0, int magMax, double alpha, double beta, double gamma,
                       double addMag, const CumulativeFrame& f) {
    const ClipRectScope clip(c, cumulativePlotArea(f));
    c.setPenWidth(2);
    c.setPenColor(clRed);
    const double m1 = magMax * 0.1 + addMag;
    auto level = [&](double m, double* L) {
        if (m1 - m <= 0) return false;
        *L = (alpha - beta * m - gamma / std::sqrt(m1 - m)) / kLn10;
        return *L >= 0 && std::isfinite(*L);
    };
    Trace coarse{c};
    double m = m0 * 0.1;
    for (int i = 0; i < kCumulativeBins; ++i) {
        m = (m0 + i) * 0.1;
        double L;
        if (!level(m, &L)) break;
        coarse.to(f.xOf(m), f.yOfLog(L));
    }
    const double b = m - 0.1;
    Trace fine{c};
    for (int j = 0; j <= 8; ++j) {
        const double mm = b + 0.01 * j;
        double L;
        if (!level(mm, &L)) break;
        fine.to(f.xOf(mm), f.yOfLog(L));
    }
    c.setPenWidth(1);
}

QStringList resultLines(LawChoice law, const LawFit& fit, int m0, int n0, int magMax) {
    QStringList l;
    auto num = [](const char* fmt, double v) { return QString::asprintf(fmt, v); };
    const QString countLine = QString("N(%1) = %2").arg(magText(m0)).arg(n0);
    const QString maxLine = QString("mag max = %1").arg(magText(magMax));
    switch (law) {
    case LawChoice::Linear:
        l << "log N(ｍ) = α-βｍ";
        if (fit.outcome == FitOutcome::Singular) {
            l << "係数を決められません（ｍの区間が1つだけ）";
        } else {
            l << num("α  = %7.3f", fit.alpha) << num("β  = %7.3f", fit.beta)
              << num("std = %7.3f", fit.stdDev);
        }
        break;
    case LawChoice::Quadratic:
        l << "log N(ｍ) = α+βｍ+γｍ×ｍ";
        if (fit.outcome == FitOutcome::Singular) {
            l << "係数を決められません（ｍの区間が3つ未満）";
        } else {
            l << num("α  = %7.3f", fit.alpha) << num("β  = %7.3f", fit.beta)
              << num("γ  = %7.3f", fit.gamma) << num("std = %7.3f", fit.stdDev);
        }
        break;
    case LawChoice::Modified:
        if (fit.outcome != FitOutcome::Fitted) {
            l << "Non Linear LSQ failed";
            return l;
        }
        l << "log N(ｍ) = α-βｍ-γ/√(ｍ1-ｍ)" << num("α  = %7.3f", fit.alpha)
          << num("β  = %7.3f", fit.beta) << num("γ  = %7.3f", fit.gamma)
          << num("ｍ1 = %7.3f", fit.m1) << num("std = %7.3f", fit.stdDev);
        break;
    }
    l << countLine << maxLine;
    return l;
}

void drawResultLines(Canvas& c, const QStringList& lines) {
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    for (int k = 0; k < lines.size(); ++k) c.textOut(400, 100 + 30 * k, lines[k]);
}

QString frameProblemText(FrameProblem p, int m0) {
    switch (p) {
    case FrameProblem::Empty:
        return QString("ｍ%1以上の地震が選択されていません").arg(magText(m0));
    case FrameProblem::MagnitudeTooHigh:
        return QString("下限マグニチュード%1が9.0以上のため描けません").arg(magText(m0));
    case FrameProblem::MagnitudeTooLow:
        return QString("下限マグニチュード%1が小さすぎて描けません").arg(magText(m0));
    case FrameProblem::None:
        break;
    }
    return {};
}

int drawProbability(Canvas& c, int m0, const CumulativeTable& cum, int magMax, double addMag,
                    LawChoice law, bool fitOk, double alpha, double beta, double gamma) {
    c.setPenMode(PenMode::Copy);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.fillRect(360, 0, c.width(), c.height());
    const ProbabilityFrame f = probabilityFrame(m0);
    const FrameProblem problem = cum[0] <= 0 ? FrameProblem::Empty
                                 : f.valid   ? FrameProblem::None
                                 : f.nx <= 0 ? FrameProblem::MagnitudeTooHigh
                                             : FrameProblem::MagnitudeTooLow;
    if (problem != FrameProblem::None) {
        // The cumulative display drew no graph either, only its notice, which runs
        // past x = 360; a half-erased notice would be left, so the whole picture goes.
        c.fillRect(0, 0, c.width(), c.height());
        drawNotice(c, 400, 100, frameProblemText(problem, m0));
        return 0;
    }
    drawFitAxes(c, false, f.x0, f.y0, f.nx, 7, f.dx, f.dy, f.xs, -1.0, 1.0, 1.0);
    c.setPenColor(clBlack);
    c.moveTo(f.x0 - 30, f.y0);
    c.lineTo(f.x0 - 30, f.y0 - 360 - 10);
    for (size_t k = 0; k < probabilityTicks.size(); ++k) {
        const int y = f.yOfVariate(*gumbelVariate(probabilityTicks[k]));
        if (k != 1 && k != 3) c.textOut(f.x0 - 75, y - 8, QString::asprintf("%.3f", probabilityTicks[k]));
        c.moveTo(f.x0 - 30, y);
        c.lineTo(f.x0 - 25, y);
    }
    int skipped = 0;
    const double n0 = cum[0];
    c.setPenColor(clRed);
    // The points and the fitted curve stay inside the frame: the highest points and the
    // curve's end would otherwise run over the margin and the title.
    std::optional<ClipRectScope> clip;
    clip.emplace(c, probabilityPlotArea(f));
    for (int i = 1; i < kCumulativeBins && cum[static_cast<size_t>(i)] != 0; ++i) {
        const std::optional<double> g = gumbelVariate(1.0 - cum[static_cast<size_t>(i)] / n0);
        if (!g) {
            ++skipped;
            continue;
        }
        circle(c, f.xOf((m0 + i) * 0.1), f.yOfVariate(*g));
    }
    clip.reset();
    c.setPenColor(clBlack);
    c.textOut(f.x0 + 20, f.y0 - 7 * f.dy - 30, "確　率");
    c.setPenWidth(2);
    clip.emplace(c, probabilityPlotArea(f));
    if (fitOk && (law == LawChoice::Linear || law == LawChoice::Modified)) {
        const double m1 = magMax * 0.1 + addMag;
        auto fitted = [&](double m) {
            if (law == LawChoice::Linear) return std::exp(alpha - beta * m);
            return std::exp(alpha - beta * m - gamma / std::sqrt(m1 - m));
        };
        c.setPenColor(law == LawChoice::Linear ? clBlue : clRed);
        const double base = fitted(m0 * 0.1);
        Trace tr{c};
        for (int i = 1; i < kCumulativeBins && cum[static_cast<size_t>(i)] != 0; ++i) {
            const double m = (m0 + i) * 0.1;
            const std::optional<double> g = gumbelVariate(1.0 - fitted(m) / base);
            if (!g) {
                ++skipped;
                continue;
            }
            tr.to(f.xOf(m), f.yOfVariate(*g));
        }
    }
    clip.reset();
    c.setPenWidth(1);
    c.setPenColor(clBlack);
    if (skipped > 0)
        drawNotice(c, 560, 12,
                   QString("確率が0～1の範囲外の%1点は表示できません").arg(skipped));
    return skipped;
}

}  // namespace kavelo::ui
