#pragma once
// Step control of the depth-sliced display: next start depth and thickness, and the
// choice of how to go on.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

class TStop : public QDialog {
    Q_OBJECT
public:
    explicit TStop(QWidget* parent = nullptr);

    // Shows the window modally; the hook, when set, stands in for the user (tests).
    void runModal();
    std::function<void(TStop&)> modalHook;
    // How long each slice stays on screen while the display runs on by itself (ms).
    int slicePauseMs = 400;

    QLineEdit *Edit1, *Edit2;
    QLabel *Label1, *Label2;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

    // Closing by the window frame (or Esc) stops the display, as 中　止 does.
    void reject() override;

private:
    void choose(int choice);
};

extern TStop* Stop;
