#pragma once

#include <QWidget>

class TRotate : public QWidget {
    Q_OBJECT
public:
    explicit TRotate(QWidget* parent = nullptr);
};

extern TRotate* Rotate;
