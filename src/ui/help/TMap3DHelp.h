#pragma once

#include <QWidget>

class TMap3DHelp : public QWidget {
    Q_OBJECT
public:
    explicit TMap3DHelp(QWidget* parent = nullptr);
};

extern TMap3DHelp* Map3DHelp;
