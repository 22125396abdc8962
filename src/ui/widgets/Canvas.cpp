#include "widgets/Canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kavelo::ui {

QColor toQColor(TColor c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
TColor fromQColor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

QString canvasFontFamily() {
    static const QString family = [] {
        const QStringList have = QFontDatabase::families();
        for (const char* f : {"IPAPGothic", "IPAGothic", "IPAexGothic", "Noto Sans CJK JP"})
            if (have.contains(f)) return QString(f);
        return QString("Sans Serif");
    }();
    return family;
}

Canvas::Canvas(int width, int height) {
    font_ = QFont(canvasFontFamily());
    font_.setPixelSize(12);
    font_.setStyleStrategy(QFont::NoAntialias);
    setSize(width, height);
}

Canvas::~Canvas() { endPainter(); }

const QImage& Canvas::image() {
    endPainter();
    return image_;
}

QImage& Canvas::pixels() {
    endPainter();
    return image_;
}

void Canvas::setSize(int width, int height) {
    endPainter();
    image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

void Canvas::setFontHeight(int px) { font_.setPixelSize(std::max(1, std::abs(px))); }
void Canvas::setFontSize(int pt) { font_.setPixelSize(std::max(1, (std::abs(pt) * 96 + 36) / 72)); }
void Canvas::setFontBold(bool bold) { font_.setBold(bold); }

QPainter& Canvas::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        if (clip_ && clipRect_)
            painter_->setClipRegion(clip_->intersected(*clipRect_));
        else if (clip_)
            painter_->setClipRegion(*clip_);
        else if (clipRect_)
            painter_->setClipRect(*clipRect_);
    }
    return *painter_;
}

void Canvas::endPainter() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void Canvas::applyPen(QPainter& p) const {
    if (penStyle_ == PenStyle::Clear) {
        p.setPen(Qt::NoPen);
    } else {
        QPen pen(toQColor(penColor_));
        pen.setWidth(penWidth_ > 1 ? penWidth_ : 0);
        pen.setStyle(penStyle_ == PenStyle::Dot    ? Qt::DotLine
                     : penStyle_ == PenStyle::Dash ? Qt::DashLine
                                                   : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
    }
    p.setCompositionMode(penMode_ == PenMode::Xor ? QPainter::RasterOp_SourceXorDestination
                                                  : QPainter::CompositionMode_SourceOver);
}

void Canvas::applyBrush(QPainter& p) const {
    if (brushStyle_ == BrushStyle::Solid)
        p.setBrush(toQColor(brushColor_));
    else
        p.setBrush(Qt::NoBrush);
}

void Canvas::plot(int x, int y, QRgb v) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    if (clipRect_ && !clipRect_->contains(x, y)) return;
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    if (penMode_ == PenMode::Xor)
        line[x] = 0xff000000u | ((line[x] ^ v) & 0x00ffffffu);
    else
        line[x] = v;
}

// One pen pixel of a thin line; step counts pixels along the line for the dot pattern.
void Canvas::plotPen(int x, int y, int step) {
    if (penStyle_ == PenStyle::Clear) return;
    if (penStyle_ == PenStyle::Dot && (step % 2) != 0) return;
    if (penStyle_ == PenStyle::Dash && (step % 24) >= 18) return;
    plot(x, y, toQRgb(penColor_));
}

// Bresenham from (x0, y0) up to but excluding (x1, y1).
void Canvas::line(int x0, int y0, int x1, int y1) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy, step = 0;
    while (!(x0 == x1 && y0 == y1)) {
        plotPen(x0, y0, step++);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::lineTo(int x, int y) {
    if (penWidth_ <= 1 || penStyle_ == PenStyle::Clear) {
        line(pos_.x(), pos_.y(), x, y);
    } else {
        QPainter& p = painter();
        applyPen(p);
        QPen pen = p.pen();
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(pos_, QPoint(x, y));
    }
    pos_ = QPoint(x, y);
}

void Canvas::rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    const bool outline = penStyle_ != PenStyle::Clear;
    if (brushStyle_ == BrushStyle::Solid) {
        // With a thin outline the fill stays inside it, so XOR touches each pixel once.
        const int in = outline && penWidth_ <= 1 ? 1 : 0;
        const QRgb v = toQRgb(brushColor_);
        for (int y = y1 + in; y < y2 - in; ++y)
            for (int x = x1 + in; x < x2 - in; ++x) plot(x, y, v);
    }
    if (!outline) return;
    if (penWidth_ <= 1) {
        line(x1, y1, x2 - 1, y1);
        line(x2 - 1, y1, x2 - 1, y2 - 1);
        line(x2 - 1, y2 - 1, x1, y2 - 1);
        line(x1, y2 - 1, x1, y1);
        if (x2 - x1 == 1 && y2 - y1 == 1) plotPen(x1, y1, 0);
    } else {
        QPainter& p = painter();
        applyPen(p);
        p.setBrush(Qt::NoBrush);
        const int h = penWidth_ / 2;
        p.drawRect(QRect(x1 + h, y1 + h, x2 - x1 - penWidth_, y2 - y1 - penWidth_));
    }
}

void Canvas::ellipse(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    QPainter& p = painter();
    applyPen(p);
    applyBrush(p);
    if (penWidth_ > 1 && penStyle_ != PenStyle::Clear) {
        const int h = penWidth_ / 2;
        p.drawEllipse(QRect(x1 + h, y1 + h, x2 - x1 - penWidth_, y2 - y1 - penWidth_));
    } else {
        p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    }
}

void Canvas::polygon(const std::vector<QPoint>& pts) {
    if (pts.size() < 2) return;
    QPainter& p = painter();
    applyPen(p);
    applyBrush(p);
    p.drawPolygon(pts.data(), static_cast<int>(pts.size()), Qt::OddEvenFill);
}

void Canvas::polyline(const std::vector<QPoint>& pts) {
    if (pts.empty()) return;
    moveTo(pts[0].x(), pts[0].y());
    for (std::size_t i = 1; i < pts.size(); ++i) lineTo(pts[i].x(), pts[i].y());
}

void Canvas::fillRect(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, image_.width());
    y2 = std::min(y2, image_.height());
    const QRgb v = toQRgb(brushColor_);
    for (int y = y1; y < y2; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + x1, line + x2, v);
    }
}

void Canvas::clear(TColor c) {
    endPainter();
    image_.fill(toQRgb(c));
}

void Canvas::textOut(int x, int y, const QString& text) {
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(font_);
    QFontMetrics fm(font_);
    if (brushStyle_ == BrushStyle::Solid)
        p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), toQColor(brushColor_));
    p.setPen(toQColor(fontColor_));
    p.drawText(x, y + fm.ascent(), text);
    pos_ = QPoint(x + fm.horizontalAdvance(text), y);
}

int Canvas::textWidth(const QString& text) const { return QFontMetrics(font_).horizontalAdvance(text); }
int Canvas::textHeight(const QString&) const { return QFontMetrics(font_).height(); }

void Canvas::setPixel(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = toQRgb(c);
}

TColor Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return clBlack;
    QRgb v = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
    return rgb(qRed(v), qGreen(v), qBlue(v));
}

void Canvas::copyFrom(int x, int y, const QImage& src, const QRect& srcRect) {
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(x, y), src, srcRect);
}

void Canvas::drawImage(const QRect& dest, const QImage& src) {
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(dest, src);
}

void Canvas::setClipPolygon(const std::vector<QPoint>& pts) {
    // A fresh painter takes the clip: switching clipping off and on again on a painter
    // in use does not always take effect.
    endPainter();
    clip_ = QRegion(QPolygon(QList<QPoint>(pts.begin(), pts.end())), Qt::OddEvenFill);
}

void Canvas::clearClip() {
    endPainter();
    clip_.reset();
}

void Canvas::setClipRect(const QRect& r) {
    endPainter();
    clipRect_ = r;
}

void Canvas::clearClipRect() {
    endPainter();
    clipRect_.reset();
}

void Canvas::ellipsePixels(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    const bool outline = penStyle_ != PenStyle::Clear;
    const bool fill = brushStyle_ == BrushStyle::Solid;
    if (!outline && !fill) return;
    const QRgb pen = toQRgb(penColor_);
    const QRgb brush = toQRgb(brushColor_);
    const bool xorMode = penMode_ == PenMode::Xor;
    const double cx = (x1 + x2) * 0.5, cy = (y1 + y2) * 0.5;
    const double a = (x2 - x1) * 0.5, b = (y2 - y1) * 0.5;
    const int w = outline ? penWidth_ : 0;
    const double ai = a - w, bi = b - w;
    const int width = image_.width(), height = image_.height();
    // Columns whose centres lie within half-width hw of the centre line: [lo, hi].
    auto span = [cx](double hw, int& lo, int& hi) {
        lo = static_cast<int>(std::ceil(cx - hw - 0.5));
        hi = static_cast<int>(std::floor(cx + hw - 0.5));
    };
    auto put = [&](QRgb* line, int lo, int hi, QRgb v) {
        lo = std::max(lo, 0);
        hi = std::min(hi, width - 1);
        if (lo > hi) return;
        if (xorMode)
            for (int x = lo; x <= hi; ++x) line[x] = 0xff000000u | ((line[x] ^ v) & 0x00ffffffu);
        else
            std::fill(line + lo, line + hi + 1, v);
    };
    uchar* bits = image_.bits();  // detaches once, not per row
    const qsizetype bpl = image_.bytesPerLine();
    const double invB2 = 1.0 / (b * b);
    const double invBi2 = bi > 0 ? 1.0 / (bi * bi) : 0.0;
    for (int y = std::max(y1, 0); y < std::min(y2, height); ++y) {
        const double dy = y + 0.5 - cy;
        const double t = 1.0 - dy * dy * invB2;
        if (t < 0) continue;
        int olo, ohi;
        span(a * std::sqrt(t), olo, ohi);
        if (olo > ohi) continue;
        auto* line = reinterpret_cast<QRgb*>(bits + bpl * y);
        int ilo = 1, ihi = 0;  // empty inner span
        if (ai > 0 && bi > 0) {
            const double ti = 1.0 - dy * dy * invBi2;
            if (ti >= 0) span(ai * std::sqrt(ti), ilo, ihi);
        }
        if (!outline) {
            put(line, olo, ohi, brush);
        } else if (ilo > ihi) {
            put(line, olo, ohi, pen);
        } else {
            put(line, olo, ilo - 1, pen);
            if (fill) put(line, ilo, ihi, brush);
            put(line, ihi + 1, ohi, pen);
        }
    }
}

}  // namespace kavelo::ui

