#pragma once

#include <QWidget>

class TDepthChart : public QWidget {
    Q_OBJECT
public:
    explicit TDepthChart(QWidget* parent = nullptr);

public slots:
    // Redraws both charts from the SelectionList and the map's zone; run by the zone
    // listing when the zone window's depth switch is on. The chart drawing fills it.
    void drawDepthCharts();
};

extern TDepthChart* DepthChart;
