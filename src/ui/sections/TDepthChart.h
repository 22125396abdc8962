#pragma once

#include <QWidget>

class TDepthChart : public QWidget {
    Q_OBJECT
public:
    explicit TDepthChart(QWidget* parent = nullptr);
};

extern TDepthChart* DepthChart;
