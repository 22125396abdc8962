#pragma once

#include <QWidget>

class TMagScale : public QWidget {
    Q_OBJECT
public:
    explicit TMagScale(QWidget* parent = nullptr);
};

extern TMagScale* MagScale;
