#pragma once

#include <QWidget>

class TProcess : public QWidget {
    Q_OBJECT
public:
    explicit TProcess(QWidget* parent = nullptr);
};

extern TProcess* Process;
