#pragma once

#include <QWidget>

class TExtFile : public QWidget {
    Q_OBJECT
public:
    explicit TExtFile(QWidget* parent = nullptr);
};

extern TExtFile* ExtFile;
