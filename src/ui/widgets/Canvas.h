#pragma once
// A drawing surface with the classic canvas model: a pen (colour, width, style,
// copy or XOR mode), a brush (colour, solid or clear), a current position for
// MoveTo/LineTo and a font. It draws exact pixels on a QImage, without antialiasing.
// Rectangles and ellipses take (x1, y1, x2, y2) bounding boxes whose right and
// bottom edges are excluded; LineTo excludes its end pixel.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kavelo::ui {

// 32-bit colour value: red in the low byte, green in the second, blue in the third.
using TColor = uint32_t;
constexpr TColor rgb(int r, int g, int b) {
    return static_cast<TColor>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
constexpr int redOf(TColor c) { return static_cast<int>(c & 0xff); }
constexpr int greenOf(TColor c) { return static_cast<int>((c >> 8) & 0xff); }
constexpr int blueOf(TColor c) { return static_cast<int>((c >> 16) & 0xff); }
QColor toQColor(TColor c);
TColor fromQColor(const QColor& c);
// The pixel value (0xAARRGGBB) that a colour gives in an RGB32 image.
inline QRgb toQRgb(TColor c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

constexpr TColor clBlack = rgb(0, 0, 0);
constexpr TColor clWhite = rgb(255, 255, 255);
constexpr TColor clRed = rgb(255, 0, 0);
constexpr TColor clLime = rgb(0, 255, 0);
constexpr TColor clBlue = rgb(0, 0, 255);
constexpr TColor clYellow = rgb(255, 255, 0);
constexpr TColor clAqua = rgb(0, 255, 255);
constexpr TColor clFuchsia = rgb(255, 0, 255);
constexpr TColor clGray = rgb(128, 128, 128);
constexpr TColor clSilver = rgb(192, 192, 192);
constexpr TColor clGreen = rgb(0, 128, 0);
constexpr TColor clNavy = rgb(0, 0, 128);
constexpr TColor clMaroon = rgb(128, 0, 0);
constexpr TColor clOlive = rgb(128, 128, 0);
constexpr TColor clPurple = rgb(128, 0, 128);
constexpr TColor clTeal = rgb(0, 128, 128);

enum class PenStyle { Solid, Dot, Dash, Clear };
enum class PenMode { Copy, Xor };
enum class BrushStyle { Solid, Clear };

// The family used for every picture's text.
QString canvasFontFamily();

class Canvas {
public:
    explicit Canvas(int width = 1, int height = 1);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The picture. Finishes any pending painter work first.
    const QImage& image();
    // The same picture for direct pixel writes by renderers that draw many marks.
    QImage& pixels();
    void setSize(int width, int height);  // clears to white
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // Pen.
    void setPenColor(TColor c) { penColor_ = c; }
    TColor penColor() const { return penColor_; }
    void setPenWidth(int w) { penWidth_ = w < 1 ? 1 : w; }
    int penWidth() const { return penWidth_; }
    void setPenStyle(PenStyle s) { penStyle_ = s; }
    PenStyle penStyle() const { return penStyle_; }
    void setPenMode(PenMode m) { penMode_ = m; }
    PenMode penMode() const { return penMode_; }

    // Brush.
    void setBrushColor(TColor c) { brushColor_ = c; }
    TColor brushColor() const { return brushColor_; }
    void setBrushStyle(BrushStyle s) { brushStyle_ = s; }
    BrushStyle brushStyle() const { return brushStyle_; }

    // Font: height in pixels, size in points (96 dpi), bold, colour.
    void setFontHeight(int px);
    void setFontSize(int pt);
    void setFontBold(bool bold);
    void setFontColor(TColor c) { fontColor_ = c; }
    TColor fontColor() const { return fontColor_; }
    const QFont& font() const { return font_; }

    // Figures.
    void moveTo(int x, int y) { pos_ = QPoint(x, y); }
    void lineTo(int x, int y);
    QPoint penPos() const { return pos_; }
    void rectangle(int x1, int y1, int x2, int y2);
    void ellipse(int x1, int y1, int x2, int y2);
    // The same figure rasterised straight into the picture, row by row: pixels whose
    // centres lie inside the box's ellipse; the outline is the pen width deep. Solid or
    // clear pen and brush, copy or XOR (each pixel touched once). Meant for the many
    // small marks of a plot, where it is far faster than ellipse().
    void ellipsePixels(int x1, int y1, int x2, int y2);
    void polygon(const std::vector<QPoint>& pts);
    void polyline(const std::vector<QPoint>& pts);
    void fillRect(int x1, int y1, int x2, int y2);  // brush colour, no outline
    void fillRect(const QRect& r) { fillRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1); }
    void clear(TColor c);
    void textOut(int x, int y, const QString& text);
    int textWidth(const QString& text) const;
    int textHeight(const QString& text) const;
    void setPixel(int x, int y, TColor c);
    TColor pixel(int x, int y) const;
    // Copies a rectangle of another picture (or this one) to (x, y).
    void copyFrom(int x, int y, const QImage& src, const QRect& srcRect);
    void drawImage(const QRect& dest, const QImage& src);  // stretched
    // Limits the polygons, ellipses and text drawn through the painter to the inside of
    // a polygon, until clearClip(); the pixel-exact lines and marks are not clipped.
    void setClipPolygon(const std::vector<QPoint>& pts);
    void clearClip();
    // Limits everything drawn, the pixel-exact lines and marks included, to a rectangle
    // (with the polygon clip, to both), until clearClipRect().
    void setClipRect(const QRect& r);
    void clearClipRect();

private:
    QPainter& painter();
    void endPainter();
    void applyPen(QPainter& p) const;
    void applyBrush(QPainter& p) const;
    void plot(int x, int y, QRgb v);
    void plotPen(int x, int y, int step);
    void line(int x0, int y0, int x1, int y1);

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QPoint pos_;
    TColor penColor_ = clBlack;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    TColor brushColor_ = clWhite;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    TColor fontColor_ = clBlack;
    QFont font_;
    std::optional<QRegion> clip_;
    std::optional<QRect> clipRect_;
};

// Clips a canvas to a rectangle while it lives.
class ClipRectScope {
public:
    ClipRectScope(Canvas& c, const QRect& r) : canvas_(c) { canvas_.setClipRect(r); }
    ~ClipRectScope() { canvas_.clearClipRect(); }
    ClipRectScope(const ClipRectScope&) = delete;
    ClipRectScope& operator=(const ClipRectScope&) = delete;

private:
    Canvas& canvas_;
};

}  // namespace kavelo::ui
