#pragma once

#include <QWidget>

class TSection : public QWidget {
    Q_OBJECT
public:
    explicit TSection(QWidget* parent = nullptr);
};

extern TSection* Section;
