#include "widgets/TMyGraph.h"

#include <QApplication>
#include <QClipboard>
#include <cmath>
#include <cstring>

#include "app/MessageBox.h"
#include "platform/ImageFile.h"
#include "statistics/GraphScale.h"

using kavelo::ui::Canvas;
using kavelo::ui::PenStyle;

TMyGraph::TMyGraph(QWidget* parent) : TImage(parent, 300, 300) { setObjectName("TMyGraph"); }

int TMyGraph::gridDx() const { return NGridX > 0 ? WidthX / NGridX : 0; }
int TMyGraph::gridDy() const { return NGridY > 0 ? HeightY / NGridY : 0; }

bool TMyGraph::mapPoint(float x, float y, int* px, int* py) const {
    return kavelo::mapAxis(x, LinearX, SValueX, VValueX, gridDx(), OriginX, false, px) &&
           kavelo::mapAxis(y, LinearY, SValueY, VValueY, gridDy(), OriginY, true, py);
}

void TMyGraph::_round_number(float value, char* buf) {
    const std::string s = kavelo::roundNumber(value);
    std::strncpy(buf, s.c_str(), 19);
    buf[19] = '\0';
}

void TMyGraph::DrawWaku() {
    Canvas& c = canvas();
    c.setBrushColor(kavelo::ui::clWhite);
    c.setBrushStyle(kavelo::ui::BrushStyle::Solid);
    if (!OverWrite) c.fillRect(0, 0, c.width(), c.height());
    // A logarithmic axis starting at 0 has no decades; the frame is drawn
    // anyway and points on that axis are skipped.
    if (!LinearX && SValueX == 0.0f)
        kavelo::ui::messageBox("X Logarithmic Scale can not be determind.", "X Scale Error");
    if (!LinearY && SValueY == 0.0f)
        kavelo::ui::messageBox("Y Logarithmic Scale can not be determind.", "Y Scale Error");
    const int dx = gridDx(), dy = gridDy();
    const int top = OriginY - NGridY * dy, right = OriginX + NGridX * dx;
    char buf[20];
    for (int r = 0; r <= NGridX; ++r) {
        const int x = OriginX + r * dx;
        c.setPenColor(kavelo::ui::clBlack);
        c.setPenStyle(PenStyle::Solid);
        c.setPenWidth(r == 0 || r == NGridX ? 2 : 1);
        c.moveTo(x, OriginY);
        c.lineTo(x, top);
        c.setPenWidth(1);
        const float v = LinearX ? VValueX * r + SValueX
                                : static_cast<float>(std::pow(VValueX, r)) * SValueX;
        _round_number(v, buf);
        const QString label = QString::fromLatin1(buf);
        c.textOut(x - c.textWidth(label) / 2, OriginY + 5, label);
        c.setPenStyle(PenStyle::Dot);
        if (r == NGridX) continue;
        const int minor = LinearX ? SubX - 1 : 4;
        for (int j = 1; j <= minor; ++j) {
            const int mx = LinearX ? OriginX + r * dx + j * dx / SubX
                                   : static_cast<int>(std::log10(2.0 * j) * dx + OriginX + r * dx);
            if (SubAxis) {
                c.moveTo(mx, OriginY);
                c.lineTo(mx, top);
            } else {
                c.setPenStyle(PenStyle::Solid);
                c.moveTo(mx, OriginY);
                c.lineTo(mx, OriginY - 7);
            }
        }
    }
    for (int r = 0; r <= NGridY; ++r) {
        const int y = OriginY - r * dy;
        c.setPenStyle(PenStyle::Solid);
        c.setPenWidth(r == 0 || r == NGridY ? 2 : 1);
        c.moveTo(OriginX, y);
        c.lineTo(right, y);
        c.setPenWidth(1);
        const float v = LinearY ? VValueY * r + SValueY
                                : static_cast<float>(std::pow(VValueY, r)) * SValueY;
        _round_number(v, buf);
        const QString label = QString::fromLatin1(buf);
        const int lx = LeftScale ? OriginX - c.textWidth(label) - 10 : OriginX + WidthX + 5;
        c.textOut(lx, y - c.textHeight(label) / 2, label);
        c.setPenStyle(PenStyle::Dot);
        if (r == NGridY) continue;
        const int minor = LinearY ? SubY - 1 : 4;
        for (int j = 1; j <= minor; ++j) {
            const int my = LinearY ? OriginY - r * dy - j * dy / SubY
                                   : static_cast<int>(OriginY - r * dy - std::log10(2.0 * j) * dy);
            if (SubAxis) {
                c.moveTo(OriginX, my);
                c.lineTo(right, my);
            } else {
                c.setPenStyle(PenStyle::Solid);
                c.moveTo(OriginX, my);
                c.lineTo(OriginX + 7, my);
            }
        }
    }
    const int h = c.textHeight("A");
    c.textOut(OriginX + WidthX / 2 - c.textWidth(TitleX) / 2, static_cast<int>(OriginY + 1.4 * h),
              TitleX);
    const int ty = static_cast<int>(OriginY - HeightY - 1.3 * h);
    if (LeftScale)
        c.textOut(OriginX + 10, ty, TitleY);
    else
        c.textOut(OriginX + WidthX - c.textWidth(TitleY) - 5, ty, TitleY);
    c.setPenStyle(PenStyle::Solid);
    refresh();
}

QRect TMyGraph::plotFrame() const {
    const int w = NGridX * gridDx(), h = NGridY * gridDy();
    return QRect(OriginX, OriginY - h, w + 1, h + 1);
}

void TMyGraph::DrawGraph(int n, const float* x, const float* y) {
    Canvas& c = canvas();
    const kavelo::ui::ClipRectScope clip(canvas(), plotFrame());
    bool first = true;
    for (int i = 0; i < n; ++i) {
        int px, py;
        if (!mapPoint(x[i], y[i], &px, &py)) continue;
        if (first)
            c.moveTo(px, py);
        else
            c.lineTo(px, py);
        first = false;
    }
    refresh();
}

void TMyGraph::Clear(kavelo::ui::TColor colour) {
    Canvas& c = canvas();
    c.setBrushColor(colour);
    c.setBrushStyle(kavelo::ui::BrushStyle::Solid);
    c.fillRect(0, 0, c.width(), c.height());
    refresh();
}

void TMyGraph::drawMark(int x, int y, int kind, int r) {
    Canvas& c = canvas();
    const int h = (r + 1) / 2;
    auto outline = [&](std::initializer_list<QPoint> pts) {
        const QPoint* p = pts.begin();
        c.moveTo(p->x(), p->y());
        for (const QPoint* q = p + 1; q != pts.end(); ++q) c.lineTo(q->x(), q->y());
        c.lineTo(p->x(), p->y());
    };
    switch (kind) {
    case 0:
        c.ellipse(x - r, y - r, x + r, y + r);
        break;
    case 1:
        c.polygon({QPoint(x, y - r), QPoint(x - r, y + h), QPoint(x + r, y + h)});
        outline({QPoint(x, y - r), QPoint(x - r, y + h), QPoint(x + r, y + h)});
        break;
    case 2:
        c.rectangle(x - h, y - h, x + h, y + h);
        outline({QPoint(x - h, y - h), QPoint(x + h, y - h), QPoint(x + h, y + h),
                 QPoint(x - h, y + h)});
        break;
    case 3:
        c.polygon({QPoint(x, y - h), QPoint(x - h, y), QPoint(x, y + h), QPoint(x + h, y)});
        outline({QPoint(x, y - h), QPoint(x - h, y), QPoint(x, y + h), QPoint(x + h, y)});
        break;
    case 4:
        c.moveTo(x - r, y - r);
        c.lineTo(x + r, y + r);
        c.moveTo(x + r, y - r);
        c.lineTo(x - r, y + r);
        break;
    case 5:
        c.moveTo(x, y - r);
        c.lineTo(x, y + r);
        c.moveTo(x + r, y);
        c.lineTo(x - r, y);
        break;
    default:
        break;
    }
}

void TMyGraph::PlotGraph(int n, const float* x, const float* y, int kind, int size) {
    const kavelo::ui::ClipRectScope clip(canvas(), plotFrame());
    for (int i = 0; i < n; ++i) {
        int px, py;
        const bool ok = mapPoint(x[i], y[i], &px, &py);
        if (ok && px > OriginX + WidthX) break;
        if (ok) drawMark(px, py, kind, size);
    }
    refresh();
}

void TMyGraph::SkipGraph(int n, const float* x, const float* y, int kind, int size, int skip) {
    if (skip == 0) return;
    Canvas& c = canvas();
    const kavelo::ui::ClipRectScope clip(canvas(), plotFrame());
    for (int i = 0; i < n; ++i) {
        if (skip > 1 && i % skip != 0) continue;
        int px, py;
        const bool ok = mapPoint(x[i], y[i], &px, &py);
        if (ok && px > OriginX + WidthX) break;
        if (!ok) continue;
        const PenStyle keep = c.penStyle();
        c.setPenStyle(PenStyle::Solid);
        drawMark(px, py, kind, size);
        c.setPenStyle(keep);
    }
    refresh();
}

void TMyGraph::XScaleUnit(int n, const float* x) {
    const kavelo::AxisScale s = kavelo::scaleUnit(x, n, NGridX, LinearX);
    SValueX = s.start;
    VValueX = s.step;
}

void TMyGraph::YScaleUnit(int n, const float* y) {
    const kavelo::AxisScale s = kavelo::scaleUnit(y, n, NGridY, LinearY);
    SValueY = s.start;
    VValueY = s.step;
}

// Negative data cannot go on a logarithmic axis: the user is told and the
// decade scale of the absolute values is set so that the frame still draws.
void TMyGraph::XScaleUnit1(int n, const float* x) {
    const kavelo::AxisScale s = kavelo::scaleUnitSigned(x, n, NGridX, LinearX);
    if (s.negativeOnLog)
        kavelo::ui::messageBox("負のデータを対数目盛りでは表せません", "目盛り設定エラー",
                               kavelo::ui::MsgButtons::Ok, QMessageBox::Warning);
    SValueX = s.start;
    VValueX = s.step;
    NGridX = s.grids;
}

void TMyGraph::YScaleUnit1(int n, const float* y) {
    const kavelo::AxisScale s = kavelo::scaleUnitSigned(y, n, NGridY, LinearY);
    if (s.negativeOnLog)
        kavelo::ui::messageBox("負のデータを対数目盛りでは表せません", "目盛り設定エラー",
                               kavelo::ui::MsgButtons::Ok, QMessageBox::Warning);
    SValueY = s.start;
    VValueY = s.step;
    NGridY = s.grids;
}

void TMyGraph::Copy() { QApplication::clipboard()->setImage(picture()); }

bool TMyGraph::Save_PNG(const QString& fileName) {
    const QImage img = picture().convertToFormat(QImage::Format_RGB32);
    const kavelo::PixelBuffer px{reinterpret_cast<const uint32_t*>(img.constBits()), img.width(),
                                 img.height(), static_cast<std::size_t>(img.bytesPerLine())};
    const kavelo::ImageFileResult r = kavelo::writePng(fileName.toLocal8Bit().toStdString(), px);
    if (!r.ok) kavelo::ui::messageBox(QString::fromStdString(r.message), "File Error");
    return r.ok;
}
