#pragma once
// A small stay-on-top window that says what a long operation is doing.

#include <QLabel>
#include <QWidget>

class TProcess : public QWidget {
    Q_OBJECT
public:
    explicit TProcess(QWidget* parent = nullptr);
    // Shows the window with this text and paints it at once.
    void showText(const QString& text);

    QLabel* Label1;
};

extern TProcess* Process;
