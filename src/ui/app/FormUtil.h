#pragma once
// Common set-up of the program's windows.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;
class QLabel;
class QPushButton;
class QLineEdit;
class QCheckBox;
class QFont;

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

// Lets a window be resized from its first size upwards (maximise included). Each
// anchored child then keeps its distance to the right and/or bottom edge by moving
// or growing; after each resize `after` runs (for example to refit columns).
enum Anchor { MoveX = 1, MoveY = 2, GrowX = 4, GrowY = 8 };
void makeResizable(QWidget* form, const std::vector<std::pair<QWidget*, int>>& anchored,
                   std::function<void()> after = {});

// Column widths that hold their headings: each at least its heading's text width (in
// the font given) plus a small margin; the last one takes what is left of `total`
// (never less than its heading).
std::vector<int> fitColumnWidths(const std::vector<int>& widths, const QStringList& headings,
                                 const QFont& font, int total, int margin = 8);
// The usable width of a grid's rows (inside its frame and beside its scroll bar).
int gridRowWidth(const QWidget* grid);

// Window placement. Every window made by initForm is placed when it is shown: on its
// first showing beside the main window or the map where it fits (covering as little of
// them as it can), on later showings where it was left; in both cases wholly inside the
// available screen area when it fits there (else its top-left corner is kept on screen).
//
// The top-left corner of a frame of the given size moved into the area.
QPoint clampIntoArea(const QRect& frame, const QRect& area);
// The top-left corner for a frame of this size beside the anchors (or beside the other
// windows), inside the area: covering as little of the anchors, then of the others, as it can.
QPoint placeBeside(const QSize& frame, const std::vector<QRect>& anchors, const QRect& area,
                   const std::vector<QRect>& others = {});
// Places the window now, as its showing does.
void placeWindow(QWidget* form);

}  // namespace kavelo::ui
