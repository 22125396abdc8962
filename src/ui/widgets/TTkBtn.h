#pragma once
// A picture button: a panel whose face is a stretched picture under its bevels and
// caption. Pressing the left button lowers the outer bevel, releasing raises it again;
// a release over the button is its click.

#include <QImage>
#include <QString>
#include <QWidget>

#include "widgets/Canvas.h"

namespace kavelo::ui {

class TTkBtn : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(int bevelOuter READ bevelOuterValue)
  public:
    enum class Bevel { None, Lowered, Raised };

    explicit TTkBtn(QWidget* parent = nullptr);

    // The picture owned by the button; an empty picture paints a plain panel.
    const QImage& PictureImg() const { return picture_; }
    // Copies the picture and repaints.
    void Set_Picture(const QImage& picture);

    QString caption() const { return caption_; }
    void setCaption(const QString& c);
    // The text of the caption (the name push buttons use).
    QString text() const { return caption_; }
    void setText(const QString& c) { setCaption(c); }

    Bevel bevelOuter() const { return bevelOuter_; }
    int bevelOuterValue() const { return static_cast<int>(bevelOuter_); }
    void setBevelOuter(Bevel b);
    Bevel bevelInner() const { return bevelInner_; }
    void setBevelInner(Bevel b);
    int bevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int w);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w);
    TColor color() const { return color_; }
    void setColor(TColor c);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment a);

    // The face as painted (also what paintEvent shows).
    QImage render();

    // A picture for the buttons of the main window: a soft vertical gradient.
    static QImage facePicture(int width, int height, TColor top, TColor bottom);

  public slots:
    // The click as a released left button gives it.
    void click();

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void drawBevel(Canvas& c, QRect& r, Bevel b, int width) const;
    void drawCaption(Canvas& c, const QRect& r) const;

    QImage picture_;
    QString caption_;
    Bevel bevelOuter_ = Bevel::Raised;
    Bevel bevelInner_ = Bevel::None;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TColor color_ = rgb(212, 208, 200);
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    Canvas canvas_;
};

}  // namespace kavelo::ui
