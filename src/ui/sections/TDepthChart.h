#pragma once
// The depth-chart window: depth against latitude and against longitude of the
// selection, over the box of the zone last selected on the map.

#include <QImage>
#include <QWidget>

#include "sections/DepthChartDrawing.h"
#include "widgets/FormControls.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TDepthChart : public QWidget {
    Q_OBJECT
public:
    explicit TDepthChart(QWidget* parent = nullptr);

    // What a drawing reads from the main window, the map and the zone window.
    kavelo::ui::DepthChartInput chartInput() const;

    kavelo::ui::TImage *Image1, *Image2;
    QLabel *Label1, *Label2, *Label3;
    QCheckBox *CBInv1, *CBInv2, *CBDistance;
    QPushButton *Button1, *Button2, *Button3, *Button4, *BtnSection, *Button5;
    QPushButton* BtnSave;  // both charts as one picture file

public slots:
    // Clears and redraws both charts from the current selection and zone.
    void drawDepthCharts();
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void BtnSectionClick();
    void BtnSaveClick();
    // The two charts side by side, as the window shows them.
    QImage bothCharts();
    void CBInv1Click();
    void CBInv2Click();
    void CBDistanceClick();
};

extern TDepthChart* DepthChart;
