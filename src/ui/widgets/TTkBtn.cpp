#include "widgets/TTkBtn.h"

#include <QMouseEvent>
#include <QPainter>

namespace kavelo::ui {

namespace {
constexpr TColor kHighlight = rgb(255, 255, 255);
constexpr TColor kShadow = rgb(128, 128, 128);
}  // namespace

TTkBtn::TTkBtn(QWidget* parent) : QWidget(parent) {
    resize(75, 25);
    setCursor(Qt::PointingHandCursor);
}

void TTkBtn::Set_Picture(const QImage& picture) {
    picture_ = picture.copy();
    update();
}

void TTkBtn::setCaption(const QString& c) {
    caption_ = c;
    update();
}
void TTkBtn::setBevelOuter(Bevel b) {
    bevelOuter_ = b;
    update();
}
void TTkBtn::setBevelInner(Bevel b) {
    bevelInner_ = b;
    update();
}
void TTkBtn::setBevelWidth(int w) {
    bevelWidth_ = std::max(1, w);
    update();
}
void TTkBtn::setBorderWidth(int w) {
    borderWidth_ = std::max(0, w);
    update();
}
void TTkBtn::setColor(TColor c) {
    color_ = c;
    update();
}
void TTkBtn::setAlignment(Qt::Alignment a) {
    alignment_ = a;
    update();
}

void TTkBtn::drawBevel(Canvas& c, QRect& r, Bevel b, int width) const {
    if (b == Bevel::None) return;
    const TColor topLeft = b == Bevel::Raised ? kHighlight : kShadow;
    const TColor bottomRight = b == Bevel::Raised ? kShadow : kHighlight;
    for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
        const int x1 = r.left(), y1 = r.top(), x2 = r.right(), y2 = r.bottom();
        c.setPenColor(topLeft);
        c.moveTo(x1, y2);
        c.lineTo(x1, y1);
        c.lineTo(x2, y1);
        c.setPenColor(bottomRight);
        c.moveTo(x2, y1);
        c.lineTo(x2, y2);
        c.lineTo(x1 - 1, y2);
        r.adjust(1, 1, -1, -1);
    }
}

void TTkBtn::drawCaption(Canvas& c, const QRect& r) const {
    if (caption_.isEmpty()) return;
    QString text = caption_;
    text.replace('\t', "        ");
    text.replace('\n', ' ');
    c.setBrushStyle(BrushStyle::Clear);
    c.setFontColor(isEnabled() ? clBlack : kShadow);
    c.setFontHeight(std::max(8, font().pixelSize() > 0 ? font().pixelSize() : 13));
    const int w = c.textWidth(text);
    const int y = r.top() + (r.height() - c.textHeight("W")) / 2;
    int x = r.left() + (r.width() - w) / 2;
    if (alignment_ & Qt::AlignLeft) x = r.left();
    if (alignment_ & Qt::AlignRight) x = r.right() + 1 - w;
    c.textOut(x, y, text);
    c.setBrushStyle(BrushStyle::Solid);
}

QImage TTkBtn::render() {
    canvas_.setSize(std::max(1, width()), std::max(1, height()));
    Canvas& c = canvas_;
    c.setPenMode(PenMode::Copy);
    c.setPenStyle(PenStyle::Solid);
    c.setPenWidth(1);
    QRect r = rect();
    if (!picture_.isNull())
        c.drawImage(r, picture_);
    else {
        c.setBrushStyle(BrushStyle::Solid);
        c.setBrushColor(color_);
        c.fillRect(r);
    }
    drawBevel(c, r, bevelOuter_, bevelWidth_);
    if (borderWidth_ > 0 && !picture_.isNull()) {
        // The border in the panel colour, around the picture that shows through.
        c.setBrushColor(color_);
        for (int i = 0; i < borderWidth_ && r.width() > 1 && r.height() > 1; ++i) {
            c.fillRect(r.left(), r.top(), r.right() + 1, r.top() + 1);
            c.fillRect(r.left(), r.bottom(), r.right() + 1, r.bottom() + 1);
            c.fillRect(r.left(), r.top(), r.left() + 1, r.bottom() + 1);
            c.fillRect(r.right(), r.top(), r.right() + 1, r.bottom() + 1);
            r.adjust(1, 1, -1, -1);
        }
    } else if (borderWidth_ > 0) {
        r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    }
    drawBevel(c, r, bevelInner_, bevelWidth_);
    drawCaption(c, r);
    return c.image();
}

QImage TTkBtn::facePicture(int width, int height, TColor top, TColor bottom) {
    QImage img(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const int den = std::max(1, img.height() - 1);
        auto mix = [&](int a, int b) { return a + (b - a) * y / den; };
        const QRgb v = qRgb(mix(redOf(top), redOf(bottom)), mix(greenOf(top), greenOf(bottom)),
                            mix(blueOf(top), blueOf(bottom)));
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) line[x] = v;
    }
    return img;
}

void TTkBtn::click() {
    emit clicked();
}

void TTkBtn::paintEvent(QPaintEvent*) {
    const QImage face = render();
    QPainter p(this);
    p.drawImage(0, 0, face);
}

void TTkBtn::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) setBevelOuter(Bevel::Lowered);
    e->accept();
}

void TTkBtn::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->accept();
        return;
    }
    setBevelOuter(Bevel::Raised);
    e->accept();
    if (rect().contains(e->position().toPoint())) click();
}

}  // namespace kavelo::ui
