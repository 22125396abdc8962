#pragma once

#include <QWidget>

class TExtHelp : public QWidget {
    Q_OBJECT
public:
    explicit TExtHelp(QWidget* parent = nullptr);
};

extern TExtHelp* ExtHelp;
