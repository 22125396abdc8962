#pragma once

#include <QWidget>

class TZone : public QWidget {
    Q_OBJECT
public:
    explicit TZone(QWidget* parent = nullptr);
};

extern TZone* Zone;
