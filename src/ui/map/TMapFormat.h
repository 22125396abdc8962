#pragma once

#include <QWidget>

class TMapFormat : public QWidget {
    Q_OBJECT
public:
    explicit TMapFormat(QWidget* parent = nullptr);
};

extern TMapFormat* MapFormat;
