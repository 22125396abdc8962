#pragma once

#include <QDialog>

class TStop : public QDialog {
    Q_OBJECT
public:
    explicit TStop(QWidget* parent = nullptr);
};

extern TStop* Stop;
