#pragma once
// A plotting control: an image with a gridded plot area, linear or logarithmic
// axes, axis titles, scale choice from data, polylines, point marks, clipboard
// copy and PNG output. It keeps no data: every call draws at once.

#include <QString>

#include "widgets/FormControls.h"

class TMyGraph : public kavelo::ui::TImage {
    Q_OBJECT
    Q_PROPERTY(int NGridX MEMBER NGridX)
    Q_PROPERTY(int NGridY MEMBER NGridY)
    Q_PROPERTY(int WidthX MEMBER WidthX)
    Q_PROPERTY(int HeightY MEMBER HeightY)
    Q_PROPERTY(int OriginX MEMBER OriginX)
    Q_PROPERTY(int OriginY MEMBER OriginY)
    Q_PROPERTY(bool LinearX MEMBER LinearX)
    Q_PROPERTY(bool LinearY MEMBER LinearY)
    Q_PROPERTY(float SValueX MEMBER SValueX)
    Q_PROPERTY(float SValueY MEMBER SValueY)
    Q_PROPERTY(float VValueX MEMBER VValueX)
    Q_PROPERTY(float VValueY MEMBER VValueY)
    Q_PROPERTY(bool SubAxis MEMBER SubAxis)
    Q_PROPERTY(bool OverWrite MEMBER OverWrite)
    Q_PROPERTY(bool LeftScale MEMBER LeftScale)
    Q_PROPERTY(int SubX MEMBER SubX)
    Q_PROPERTY(int SubY MEMBER SubY)
    Q_PROPERTY(QString TitleX MEMBER TitleX)
    Q_PROPERTY(QString TitleY MEMBER TitleY)
public:
    explicit TMyGraph(QWidget* parent = nullptr);

    int NGridX = 4;
    int NGridY = 4;
    int WidthX = 250;
    int HeightY = 250;
    int OriginX = 35;
    int OriginY = 270;
    bool LinearX = true;
    bool LinearY = true;
    float SValueX = 0.0f;
    float SValueY = 0.0f;
    float VValueX = 5.0f;
    float VValueY = 10.0f;
    bool SubAxis = true;
    bool OverWrite = false;
    bool LeftScale = true;
    int SubX = 5;
    int SubY = 5;
    QString TitleX = "TitleX [unit]";
    QString TitleY = "TitleY [unit]";

    void DrawWaku();
    void DrawGraph(int n, const float* x, const float* y);
    void Clear(kavelo::ui::TColor colour);
    void PlotGraph(int n, const float* x, const float* y, int kind, int size);
    void SkipGraph(int n, const float* x, const float* y, int kind, int size, int skip);
    void XScaleUnit(int n, const float* x);
    void YScaleUnit(int n, const float* y);
    void XScaleUnit1(int n, const float* x);
    void YScaleUnit1(int n, const float* y);
    void Copy();
    // Writes the label text of a value into buf (at least 20 characters).
    void _round_number(float value, char* buf);
    // False (after a message) when the file cannot be written.
    bool Save_PNG(const QString& fileName);

    // Pixel of a data point; false when a logarithmic axis cannot show it.
    bool mapPoint(float x, float y, int* px, int* py) const;
    // The plot frame, its edges included: plotted lines and marks stay inside it.
    QRect plotFrame() const;

private:

    int gridDx() const;
    int gridDy() const;
    void drawMark(int x, int y, int kind, int size);
};
