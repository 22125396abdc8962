#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

class TEqAdd : public QWidget {
    Q_OBJECT
public:
    explicit TEqAdd(QWidget* parent = nullptr);

    // The mark's position; a map click writes it while CBAdd ("地図上で指定") is checked.
    QLineEdit *Edit1, *Edit2;  // latitude ddmm, longitude dddmm
    QCheckBox* CBAdd;
};

extern TEqAdd* EqAdd;
