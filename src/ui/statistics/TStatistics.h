#pragma once

#include <QWidget>

class TStatistics : public QWidget {
    Q_OBJECT
public:
    explicit TStatistics(QWidget* parent = nullptr);
};

extern TStatistics* Statistics;
