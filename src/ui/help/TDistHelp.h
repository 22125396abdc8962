#pragma once

#include <QWidget>

class TDistHelp : public QWidget {
    Q_OBJECT
public:
    explicit TDistHelp(QWidget* parent = nullptr);
};

extern TDistHelp* DistHelp;
