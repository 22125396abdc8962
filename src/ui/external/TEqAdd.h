#pragma once
// Single star marks at typed or clicked positions on the map. The marks are drawn on
// the map's picture only; the next full drawing removes them.

#include <QCheckBox>
#include <QColor>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

#include "widgets/Canvas.h"
#include "widgets/FormControls.h"

class TEqAdd : public QWidget {
    Q_OBJECT
  public:
    explicit TEqAdd(QWidget* parent = nullptr);

    kavelo::ui::TColor markColour = kavelo::ui::clRed;

    // Draws a star of RGMark's kind with radius R at a latitude / longitude (ddmm, dddmm);
    // false when the position lies outside the drawn map area.
    bool drawStar(int lat, int lon, int kind, int radius);

    // Chooses the colour for "その他"; tests replace the dialog (empty: cancelled).
    std::function<std::optional<QColor>(const QColor& current)> colorDialogHook;

    QLineEdit *Edit1, *Edit2;
    kavelo::ui::TRadioGroup *RGMark, *RadioGroup2, *RadioGroup3;
    QCheckBox* CBAdd;
    QPushButton *Button1, *Button2;

  public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void RadioGroup3Click();
};

extern TEqAdd* EqAdd;
