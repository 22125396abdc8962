#pragma once

#include <QWidget>

class TMap : public QWidget {
    Q_OBJECT
public:
    explicit TMap(QWidget* parent = nullptr);

    // False when the window's data files could not be read at creation.
    bool createdOk() const { return createdOk_; }

private:
    bool createdOk_ = true;
};

extern TMap* Map;
