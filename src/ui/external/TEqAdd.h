#pragma once

#include <QWidget>

class TEqAdd : public QWidget {
    Q_OBJECT
public:
    explicit TEqAdd(QWidget* parent = nullptr);
};

extern TEqAdd* EqAdd;
