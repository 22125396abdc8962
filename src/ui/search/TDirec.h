#pragma once

#include <QWidget>

class TDirec : public QWidget {
    Q_OBJECT
public:
    explicit TDirec(QWidget* parent = nullptr);
};

extern TDirec* Direc;
