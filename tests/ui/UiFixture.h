#pragma once
// Runs a window test inside a scratch working directory with its own DATA folder,
// and records every message box instead of showing it.

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QWidget>
#include <QWindow>
#include <QMessageBox>
#include <QString>
#include <deque>
#include <vector>

#include "app/MessageBox.h"
#include "common/TempDir.h"

namespace kavelo::test {

struct ShownMessage {
    QString text;
    QString caption;
};

class UiFixture {
public:
    UiFixture() : oldDir_(QDir::currentPath()) {
        QDir::setCurrent(QString::fromStdString(dir.str()));
        kavelo::ui::setMessageBoxHook([this](QMessageBox& box) {
            messages.push_back({box.text(), box.windowTitle()});
            if (!answers.empty()) {
                int a = answers.front();
                answers.pop_front();
                return a;
            }
            return static_cast<int>(QMessageBox::Ok);
        });
    }
    ~UiFixture() {
        kavelo::ui::setMessageBoxHook(nullptr);
        QDir::setCurrent(oldDir_);
    }
    TempDir dir;
    std::vector<ShownMessage> messages;
    std::deque<int> answers;  // buttons to press, in order; Ok when empty

private:
    QString oldDir_;
};

// Closes a window as its title bar's × does: a close request from the window system.
inline void closeByFrame(QWidget* w) {
    QCloseEvent e;
    QApplication::sendEvent(w->windowHandle(), &e);
}

}  // namespace kavelo::test
