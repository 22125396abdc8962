#include "sections/MarkStamp.h"

#include <algorithm>
#include <cmath>

namespace kavelo::ui {

const std::vector<MarkStamps::Span>& MarkStamps::spans(int r) {
    if (static_cast<std::size_t>(r) >= cache_.size()) cache_.resize(static_cast<std::size_t>(r) + 1);
    std::vector<Span>& out = cache_[static_cast<std::size_t>(r)];
    if (!out.empty() || r < 1) return out;
    // The rows of ellipsePixels for a centre at 0: outer and inner (one pixel in) ellipses.
    const double a = r, ai = r - 1.0;
    const double invB2 = 1.0 / (a * a);
    const double invBi2 = ai > 0 ? 1.0 / (ai * ai) : 0.0;
    auto span = [](double hw, int& lo, int& hi) {
        lo = static_cast<int>(std::ceil(-hw - 0.5));
        hi = static_cast<int>(std::floor(hw - 0.5));
    };
    for (int y = -r; y < r; ++y) {
        const double dy = y + 0.5;
        const double t = 1.0 - dy * dy * invB2;
        if (t < 0) continue;
        int olo, ohi;
        span(a * std::sqrt(t), olo, ohi);
        if (olo > ohi) continue;
        int ilo = 1, ihi = 0;
        if (ai > 0) {
            const double ti = 1.0 - dy * dy * invBi2;
            if (ti >= 0) span(ai * std::sqrt(ti), ilo, ihi);
        }
        if (ilo > ihi) {
            out.push_back({y, olo, ohi});
        } else {
            out.push_back({y, olo, ilo - 1});
            out.push_back({y, ihi + 1, ohi});
        }
    }
    return out;
}

void MarkStamps::draw(QImage& image, int x, int y, int r, TColor color) {
    if (r < 1) return;
    const QRgb v = toQRgb(color);
    const int w = image.width(), h = image.height();
    if (x + r < 0 || x - r >= w || y + r < 0 || y - r >= h) return;
    uchar* bits = image.bits();
    const qsizetype bpl = image.bytesPerLine();
    for (const Span& s : spans(r)) {
        const int row = y + s.dy;
        if (row < 0 || row >= h) continue;
        const int lo = std::max(x + s.lo, 0), hi = std::min(x + s.hi, w - 1);
        if (lo > hi) continue;
        auto* line = reinterpret_cast<QRgb*>(bits + bpl * row);
        std::fill(line + lo, line + hi + 1, v);
    }
}

}  // namespace kavelo::ui
