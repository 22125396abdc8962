#pragma once

#include <QWidget>

class TThreeDim : public QWidget {
    Q_OBJECT
public:
    explicit TThreeDim(QWidget* parent = nullptr);
};

extern TThreeDim* ThreeDim;
