#include "app/FormUtil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace kavelo::ui {

void initForm(QWidget* form, const char* className, const QString& caption, int width, int height,
              bool stayOnTop) {
    form->setObjectName(className);
    form->setWindowTitle(caption);
    Qt::WindowFlags f = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint;
    if (stayOnTop) f |= Qt::WindowStaysOnTopHint;
    form->setWindowFlags(f);
    form->setFixedSize(width, height);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                  int h) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (w < 0) {
        l->adjustSize();
        l->move(x, y);
    } else {
        l->setGeometry(x, y, w, h);
    }
    return l;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int w, int h) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                    int h) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, h);
    return e;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                     int h, bool checked) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    c->setGeometry(x, y, w, h);
    c->setChecked(checked);
    return c;
}

void showWindow(QWidget* form) {
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace kavelo::ui
