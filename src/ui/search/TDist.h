#pragma once

#include <QWidget>

class TDist : public QWidget {
    Q_OBJECT
public:
    explicit TDist(QWidget* parent = nullptr);
};

extern TDist* Dist;
