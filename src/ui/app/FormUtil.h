#pragma once
// Common set-up of the program's windows.

#include <QString>

class QWidget;
class QLabel;
class QPushButton;
class QLineEdit;
class QCheckBox;

namespace kavelo::ui {

// objectName = class name, caption, fixed client size, optional stay-on-top.
void initForm(QWidget* form, const char* className, const QString& caption, int width, int height,
              bool stayOnTop = false);

// Child controls placed at absolute positions, named as the program names them.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                  int w = -1, int h = 17);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int w, int h);
QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                    int h = 21);
QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                     int h = 17, bool checked = false);

// Brings a window up: shown, raised and activated.
void showWindow(QWidget* form);

}  // namespace kavelo::ui
