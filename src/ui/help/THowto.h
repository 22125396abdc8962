#pragma once

#include <QWidget>

class THowto : public QWidget {
    Q_OBJECT
public:
    explicit THowto(QWidget* parent = nullptr);
};

extern THowto* Howto;
