#pragma once

#include <QWidget>

class TRikaNenpyo : public QWidget {
    Q_OBJECT
public:
    explicit TRikaNenpyo(QWidget* parent = nullptr);

    // False when the window's data files could not be read at creation.
    bool createdOk() const { return createdOk_; }

private:
    bool createdOk_ = true;
};

extern TRikaNenpyo* RikaNenpyo;
