#pragma once

#include <QWidget>

class TFileOut : public QWidget {
    Q_OBJECT
public:
    explicit TFileOut(QWidget* parent = nullptr);
};

extern TFileOut* FileOut;
