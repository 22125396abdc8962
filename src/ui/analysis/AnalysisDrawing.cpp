#include "analysis/AnalysisDrawing.h"

#include <algorithm>
#include <cmath>

namespace kavelo::ui {

namespace {

constexpr TColor kBarColor = rgb(176, 196, 222);
constexpr TColor kBandColor = rgb(200, 215, 245);
constexpr TColor kGridColor = rgb(225, 225, 225);

// The plot area of a whole picture, with room for the numbers and titles around it.
QRect mainArea(const Canvas& c, bool rightAxis = false) {
    return QRect(QPoint(78, 46), QPoint(c.width() - (rightAxis ? 70 : 28), c.height() - 56));
}

QString tickText(double v, double step) {
    if (std::fabs(v) < step * 1e-6) v = 0.0;
    const int decimals = step >= 1.0 ? 0 : std::min(6, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    return QString::number(v, 'f', decimals);
}

void setText(Canvas& c, int size) {
    c.setFontSize(size);
    c.setFontBold(false);
    c.setFontColor(clBlack);
    c.setBrushStyle(BrushStyle::Clear);
}

void mark(Canvas& c, int x, int y, int r, TColor fill) {
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setPenColor(clBlack);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(fill);
    c.ellipsePixels(x - r, y - r, x + r + 1, y + r + 1);
}

void line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

// A span padded a little on each side, never empty.
std::pair<double, double> padded(double lo, double hi, double share) {
    if (hi - lo < 1e-9) return {lo - 0.5, hi + 0.5};
    const double pad = (hi - lo) * share;
    return {lo - pad, hi + pad};
}

std::pair<double, double> timeSpan(std::span<const double> t) {
    const auto [lo, hi] = std::minmax_element(t.begin(), t.end());
    return padded(*lo, *hi, 0.02);
}

}  // namespace

double niceStep(double span, int target) {
    if (!(span > 0.0) || target < 1) return 1.0;
    const double raw = span / target;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * p * 1.0000001) return m * p;
    return 10.0 * p;
}

PlotArea::PlotArea(const QRect& area, const PlotAxis& x, const PlotAxis& y)
    : area_(area), x_(x), y_(y) {}

double PlotArea::fraction(const PlotAxis& a, double v) const {
    double f;
    if (a.log) {
        const double lo = std::log10(a.lo), hi = std::log10(a.hi);
        f = v > 0.0 ? (std::log10(v) - lo) / (hi - lo) : -1.0;
    } else {
        f = (v - a.lo) / (a.hi - a.lo);
    }
    return a.reversed ? 1.0 - f : f;
}

int PlotArea::px(double x) const {
    return area_.left() + static_cast<int>(std::lround(fraction(x_, x) * area_.width()));
}

int PlotArea::py(double y) const {
    return area_.bottom() - static_cast<int>(std::lround(fraction(y_, y) * area_.height()));
}

void PlotArea::drawFrame(Canvas& c, bool right) const {
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    c.setPenColor(clBlack);
    setText(c, 10);
    const int th = c.textHeight("0");
    auto ticks = [&](const PlotAxis& a, auto&& at) {
        if (a.log) {
            for (int k = static_cast<int>(std::ceil(std::log10(a.lo) - 1e-9));
                 std::pow(10.0, k) <= a.hi * 1.0000001; ++k)
                at(std::pow(10.0, k), k >= 0 ? QString::number(std::pow(10.0, k), 'f', 0)
                                             : QString::number(std::pow(10.0, k)));
        } else {
            const double step = niceStep(a.hi - a.lo, 6);
            for (double v = std::ceil(a.lo / step - 1e-9) * step; v <= a.hi + step * 1e-9; v += step)
                at(v, tickText(v, step));
        }
    };
    const QRect& r = area_;
    if (!right) {
        ticks(x_, [&](double v, const QString& s) {
            const int x = px(v);
            c.setPenColor(kGridColor);
            line(c, x, r.top() + 1, x, r.bottom());
            c.setPenColor(clBlack);
            line(c, x, r.bottom(), x, r.bottom() + 5);
            c.textOut(x - c.textWidth(s) / 2, r.bottom() + 7, s);
        });
    }
    ticks(y_, [&](double v, const QString& s) {
        const int y = py(v);
        if (!right) {
            c.setPenColor(kGridColor);
            line(c, r.left() + 1, y, r.right(), y);
            c.setPenColor(clBlack);
            line(c, r.left() - 5, y, r.left(), y);
            c.textOut(r.left() - 8 - c.textWidth(s), y - th / 2, s);
        } else {
            line(c, r.right(), y, r.right() + 5, y);
            c.textOut(r.right() + 8, y - th / 2, s);
        }
    });
    c.setPenColor(clBlack);
    c.setBrushStyle(BrushStyle::Clear);
    c.rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    setText(c, 11);
    if (!right && !x_.title.isEmpty())
        c.textOut(r.center().x() - c.textWidth(x_.title) / 2, r.bottom() + 10 + th, x_.title);
    if (!y_.title.isEmpty()) {
        const int x = right ? r.right() - c.textWidth(y_.title) + 40 : r.left() - 40;
        c.textOut(std::max(2, x), r.top() - th - 8, y_.title);
    }
}

void drawPictureTitle(Canvas& c, const QString& title) {
    setText(c, 12);
    c.setFontBold(true);
    c.textOut(10, 6, title);
    c.setFontBold(false);
}

void drawPictureNotice(Canvas& c, const QString& text) {
    setText(c, 12);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(clWhite);
    c.textOut((c.width() - c.textWidth(text)) / 2, c.height() / 2 - 10, text);
}

void drawFrequencyMagnitude(Canvas& c, const analysis::MagnitudeBins& bins,
                            const analysis::BAnalysis& b) {
    if (bins.empty()) return;
    const double top = std::pow(10.0, std::ceil(std::log10(bins.atOrAbove(bins.lowest()) * 1.5)));
    const double lowM = bins.lowest() / 10.0 - 0.1, highM = bins.highest() / 10.0 + 0.1;
    const PlotArea p(mainArea(c), {lowM, highM, false, false, "マグニチュード"},
                     {0.5, top, true, false, "地震数"});
    p.drawFrame(c);
    const int bottom = p.rect().bottom();
    // Bars of the non-cumulative counts, one bin wide.
    c.setPenColor(rgb(90, 110, 150));
    c.setBrushColor(kBarColor);
    c.setBrushStyle(BrushStyle::Solid);
    for (int m = bins.lowest(); m <= bins.highest(); ++m) {
        const int n = bins.count(m);
        if (n <= 0) continue;
        const int x1 = p.px((m - 0.5) / 10.0), x2 = p.px((m + 0.5) / 10.0);
        c.rectangle(x1, p.py(n), std::max(x2, x1 + 2), bottom + 1);
    }
    // Maximum-likelihood line N(>= M) = 10^(a - b (M - Mc)), from Mc while above the axis.
    if (b.mc10 && b.a && b.estimate.b && *b.estimate.b > 0.0) {
        const double mc = *b.mc10 / 10.0, a = *b.a, bv = *b.estimate.b;
        const double end = std::min(bins.highest() / 10.0 + 0.05, mc + (a - std::log10(0.5)) / bv);
        c.setPenColor(clRed);
        c.setPenWidth(2);
        line(c, p.px(mc), p.py(std::pow(10.0, a)), p.px(end), p.py(std::pow(10.0, a - bv * (end - mc))));
        c.setPenWidth(1);
    }
    // Cumulative counts at the bin centres.
    for (int m = bins.lowest(); m <= bins.highest(); ++m) {
        const int64_t n = bins.atOrAbove(m);
        if (n > 0) mark(c, p.px(m / 10.0), p.py(static_cast<double>(n)), 3, clBlue);
    }
    if (b.mc10) {
        const int x = p.px(*b.mc10 / 10.0);
        c.setPenColor(clRed);
        c.setPenStyle(PenStyle::Dash);
        line(c, x, p.rect().top() + 1, x, bottom);
        c.setPenStyle(PenStyle::Solid);
        setText(c, 11);
        c.setFontColor(clRed);
        c.textOut(x + 4, p.rect().top() + 4, "Mc = " + QString::number(*b.mc10 / 10.0, 'f', 1));
    }
    // Legend.
    setText(c, 10);
    const int lx = p.rect().right() - 170, ly = p.rect().top() + 8;
    c.setPenColor(rgb(90, 110, 150));
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(kBarColor);
    c.rectangle(lx, ly + 2, lx + 14, ly + 12);
    setText(c, 10);
    c.textOut(lx + 20, ly, "各階級の地震数");
    mark(c, lx + 7, ly + 24, 3, clBlue);
    setText(c, 10);
    c.textOut(lx + 20, ly + 17, "積算地震数 N(≧M)");
    c.setPenColor(clRed);
    c.setPenWidth(2);
    line(c, lx, ly + 41, lx + 14, ly + 41);
    c.setPenWidth(1);
    c.textOut(lx + 20, ly + 34, "最尤法による直線");
}

void drawCumulativeNumber(Canvas& c, std::span<const double> times, std::span<const int> mag10) {
    if (times.empty()) return;
    const auto [t0, t1] = timeSpan(times);
    const double n = static_cast<double>(times.size());
    const PlotArea p(mainArea(c), {t0, t1, false, false, "時間 (年)"},
                     {0.0, n * 1.05, false, false, "積算地震数"});
    p.drawFrame(c);
    c.setPenColor(clBlue);
    c.setPenStyle(PenStyle::Solid);
    c.moveTo(p.px(times[0]), p.py(0.0));
    for (std::size_t i = 0; i < times.size(); ++i) {
        const int x = p.px(times[i]);
        c.lineTo(x, p.py(static_cast<double>(i)));
        c.lineTo(x, p.py(static_cast<double>(i + 1)));
    }
    c.lineTo(p.px(times.back()) + 1, p.py(n));
    const int largest = *std::max_element(mag10.begin(), mag10.end());
    const int cut = largest - 10;
    for (std::size_t i = 0; i < times.size() && i < mag10.size(); ++i)
        if (mag10[i] >= cut) mark(c, p.px(times[i]), p.py(static_cast<double>(i + 1)), 4, clRed);
    setText(c, 10);
    mark(c, p.rect().left() + 14, p.rect().top() + 15, 4, clRed);
    setText(c, 10);
    c.textOut(p.rect().left() + 24, p.rect().top() + 8,
              "M ≧ " + QString::number((cut) / 10.0, 'f', 1) + " (最大 − 1.0)");
}

void drawMagnitudeTime(Canvas& c, std::span<const double> times, std::span<const int> mag10) {
    if (times.empty()) return;
    const auto [t0, t1] = timeSpan(times);
    const auto [lo, hi] = std::minmax_element(mag10.begin(), mag10.end());
    const double mLow = std::floor(*lo / 10.0) - (*lo % 10 == 0 ? 0.5 : 0.0);
    const double mHigh = std::ceil(*hi / 10.0 + 0.25);
    const PlotArea p(mainArea(c), {t0, t1, false, false, "時間 (年)"},
                     {mLow, mHigh, false, false, "マグニチュード"});
    p.drawFrame(c);
    const int base = p.rect().bottom();
    c.setPenColor(clNavy);
    for (std::size_t i = 0; i < times.size() && i < mag10.size(); ++i) {
        const int x = p.px(times[i]);
        line(c, x, base, x, p.py(mag10[i] / 10.0));
    }
    // Heads of the larger stems, so that single large events stand out.
    const int cut = *hi - 10;
    for (std::size_t i = 0; i < times.size() && i < mag10.size(); ++i)
        if (mag10[i] >= cut) mark(c, p.px(times[i]), p.py(mag10[i] / 10.0), 3, clRed);
}

void drawDepthTime(Canvas& c, std::span<const double> times, std::span<const int> depth) {
    if (times.empty()) return;
    const auto [t0, t1] = timeSpan(times);
    const int deepest = *std::max_element(depth.begin(), depth.end());
    const double bottom = std::max(10.0, std::ceil(deepest * 1.05 / 10.0) * 10.0);
    const double top = std::min(0.0, static_cast<double>(*std::min_element(depth.begin(), depth.end())));
    const PlotArea p(mainArea(c), {t0, t1, false, false, "時間 (年)"},
                     {top, bottom, false, true, "深さ (km)"});
    p.drawFrame(c);
    for (std::size_t i = 0; i < times.size() && i < depth.size(); ++i) {
        const int x = p.px(times[i]), y = p.py(depth[i]);
        c.setPixel(x, y, clNavy);
        c.setPixel(x + 1, y, clNavy);
        c.setPixel(x, y + 1, clNavy);
        c.setPixel(x + 1, y + 1, clNavy);
    }
}

void drawBOverTime(Canvas& c, const analysis::BTimeResult& r) {
    if (r.rows.empty()) return;
    std::vector<double> t;
    double bLow = 1e9, bHigh = -1e9, mLow = 1e9, mHigh = -1e9;
    for (const auto& row : r.rows) {
        t.push_back(row.time);
        bLow = std::min(bLow, row.b - row.bSigma);
        bHigh = std::max(bHigh, row.b + row.bSigma);
        mLow = std::min(mLow, row.mc - row.mcSigma);
        mHigh = std::max(mHigh, row.mc + row.mcSigma);
    }
    const auto [t0, t1] = timeSpan(t);
    const auto [b0, b1] = padded(bLow, bHigh, 0.08);
    // Mc moves in steps of 0.1: at least half a magnitude of axis keeps its ticks on that grid.
    if (mHigh - mLow < 0.5) {
        const double mid = (mHigh + mLow) / 2.0;
        mLow = mid - 0.25;
        mHigh = mid + 0.25;
    }
    const auto [m0, m1] = padded(mLow, mHigh, 0.1);
    const QRect all = mainArea(c);
    const int split = all.top() + all.height() * 62 / 100;
    const PlotArea pb(QRect(QPoint(all.left(), all.top()), QPoint(all.right(), split - 30)),
                      {t0, t1, false, false, ""}, {b0, b1, false, false, "b値"});
    const PlotArea pm(QRect(QPoint(all.left(), split), all.bottomRight()),
                      {t0, t1, false, false, "時間 (年)"}, {m0, m1, false, false, "Mc"});
    pb.drawFrame(c);
    pm.drawFrame(c);
    // The sigma band under the b curve.
    std::vector<QPoint> band;
    for (const auto& row : r.rows) band.emplace_back(pb.px(row.time), pb.py(row.b + row.bSigma));
    for (auto it = r.rows.rbegin(); it != r.rows.rend(); ++it)
        band.emplace_back(pb.px(it->time), pb.py(it->b - it->bSigma));
    c.setPenStyle(PenStyle::Clear);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColor(kBandColor);
    if (r.rows.size() > 1) c.polygon(band);
    c.setPenStyle(PenStyle::Solid);
    c.setBrushStyle(BrushStyle::Clear);
    c.setPenColor(clBlue);
    c.setPenWidth(2);
    std::vector<QPoint> bLine, mLine;
    for (const auto& row : r.rows) {
        bLine.emplace_back(pb.px(row.time), pb.py(row.b));
        mLine.emplace_back(pm.px(row.time), pm.py(row.mc));
    }
    if (bLine.size() > 1) c.polyline(bLine);
    c.setPenColor(clRed);
    if (mLine.size() > 1) c.polyline(mLine);
    c.setPenWidth(1);
    if (r.rows.size() == 1) {
        mark(c, bLine[0].x(), bLine[0].y(), 3, clBlue);
        mark(c, mLine[0].x(), mLine[0].y(), 3, clRed);
    }
    // Frames again, over the band.
    c.setPenColor(clBlack);
    c.setBrushStyle(BrushStyle::Clear);
    for (const PlotArea* p : {&pb, &pm})
        c.rectangle(p->rect().left(), p->rect().top(), p->rect().right() + 1, p->rect().bottom() + 1);
    setText(c, 10);
    c.textOut(pb.rect().right() - 150, pb.rect().top() + 6, "b ± σ (帯)");
}

}  // namespace kavelo::ui
