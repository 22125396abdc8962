#pragma once

#include <QWidget>

class TOrigin : public QWidget {
    Q_OBJECT
public:
    explicit TOrigin(QWidget* parent = nullptr);
};

extern TOrigin* Origin;
