#pragma once
// Small controls with the classic form vocabulary: radio groups with an item index,
// up-down spinners with a position, track bars, an image control and a string grid.

#include <QAbstractTableModel>
#include <QGroupBox>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QRadioButton>
#include <QSlider>
#include <QStringList>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "widgets/Canvas.h"

class QToolButton;

namespace kavelo::ui {

// A titled group of radio buttons; exactly one item (or none, -1) is chosen.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY clicked)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);
    void setItems(const QStringList& items);
    QStringList items() const;
    void setItemCaption(int i, const QString& caption);
    void setColumns(int columns);
    int itemIndex() const { return index_; }
    // Choosing an item by code runs the click handler, as the user's click does.
    void setItemIndex(int i);
    // Changes the choice without running the handler.
    void setItemIndexSilently(int i);
    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int i) const { return buttons_.value(i); }

signals:
    void clicked();

private:
    void relayout();
    QList<QRadioButton*> buttons_;
    int index_ = -1;
    int columns_ = 1;
};

// An up-down spinner, optionally tied to an edit that shows its position.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY changed)
    Q_PROPERTY(int min READ min WRITE setMin)
    Q_PROPERTY(int max READ max WRITE setMax)
public:
    enum Button { Next = 0, Prev = 1 };
    explicit TUpDown(QWidget* parent = nullptr);
    int position() const { return position_; }
    void setPosition(int p);  // clamped to min ... max; updates the edit
    int min() const { return min_; }
    int max() const { return max_; }
    void setMin(int v);
    void setMax(int v);
    void setRange(int lo, int hi);
    void setIncrement(int v) { increment_ = v; }
    int increment() const { return increment_; }
    void setWrap(bool w) { wrap_ = w; }
    void setAssociate(QLineEdit* edit);
    QLineEdit* associate() const { return edit_; }
    // The user's click: steps the position and emits clicked(button).
    void click(Button b);

signals:
    void changed();
    void clicked(int button);

private:
    void syncEdit();
    QToolButton* up_;
    QToolButton* down_;
    QPointer<QLineEdit> edit_;
    int position_ = 0, min_ = 0, max_ = 100, increment_ = 1;
    bool wrap_ = false;
};

class TTrackBar : public QSlider {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY changed)
    Q_PROPERTY(int min READ minimum WRITE setMinimum)
    Q_PROPERTY(int max READ maximum WRITE setMaximum)
public:
    explicit TTrackBar(QWidget* parent = nullptr);
    int position() const { return value(); }
    void setPosition(int p) { setValue(p); }

signals:
    void changed();
};

// An image control: shows a picture drawn through its canvas and reports the mouse.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr, int width = 100, int height = 100);
    Canvas& canvas() { return canvas_; }
    void setPictureSize(int w, int h);
    // Shows what was drawn since the last call.
    void refresh() { update(); }
    // Shows only this part of the picture (pointer figures that change a few pixels).
    void refresh(const QRect& r) { update(r); }
    QImage picture() { return canvas_.image(); }

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
    void mouseMove(Qt::KeyboardModifiers mods, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    Canvas canvas_;
    bool pressed_ = false;
};

// Cell texts of a small grid.
class StringTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void setColCount(int n);
    void setRowCount(int n);
    void setCell(int col, int row, const QString& text);
    QString cell(int col, int row) const;

private:
    int cols_ = 0;
    std::vector<std::vector<QString>> rows_;
};

// A grid of cell texts without header rows; column widths in pixels.
class TStringGrid : public QTableView {
    Q_OBJECT
    Q_PROPERTY(int rowCount READ rowCount)
    Q_PROPERTY(int colCount READ colCount)
public:
    explicit TStringGrid(QWidget* parent = nullptr);
    // A grid over its own StringTableModel unless another model is set.
    StringTableModel* cells() const { return cells_; }
    void setColWidths(const std::vector<int>& widths);
    void setDefaultRowHeight(int h);
    int rowCount() const;
    int colCount() const;
    QString cellText(int col, int row) const;
    // Moves the current cell's row and scrolls to it.
    void setCurrentRow(int row);
    int currentRow() const;

signals:
    // A cell chosen by click or keyboard: column, row.
    void selectCell(int col, int row);

private:
    StringTableModel* cells_;
};

}  // namespace kavelo::ui
