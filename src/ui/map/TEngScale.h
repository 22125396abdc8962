#pragma once

#include <QWidget>

class TEngScale : public QWidget {
    Q_OBJECT
public:
    explicit TEngScale(QWidget* parent = nullptr);
};

extern TEngScale* EngScale;
