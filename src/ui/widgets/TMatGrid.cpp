#include "widgets/TMatGrid.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/NumberFormat.h"

namespace kavelo::ui {

namespace {
// Fixed cells are drawn in the button face colour, as headings.
class FixedCellDelegate : public QStyledItemDelegate {
  public:
    explicit FixedCellDelegate(TMatGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.row() < grid_->fixedRows() || index.column() < grid_->fixedCols())
            p->fillRect(option.rect, QColor(212, 208, 200));
        QStyledItemDelegate::paint(p, option, index);
    }

  private:
    TMatGrid* grid_;
};
}  // namespace

TMatGrid::TMatGrid(QWidget* parent) : TStringGrid(parent) {
    QFont f(QStringLiteral("MS Pゴシック"));
    f.setPointSize(10);
    setFont(f);
    setDefaultRowHeight(18);
    setItemDelegate(new FixedCellDelegate(this));
    cells()->setColCount(5);
    cells()->setRowCount(5);
    setFixed(1, 1);
}

void TMatGrid::setFixed(int rows, int cols) {
    fixedRows_ = rows;
    fixedCols_ = cols;
    viewport()->update();
}

template <typename T>
void TMatGrid::show(const T* m, int stride, int rows, int cols, const QString& format) {
    rows = std::max(0, rows);
    cols = std::max(0, cols);
    const int f = elementNumber_ ? 1 : 0;
    const int base = initZero_ ? 0 : 1;
    setFixed(f, f);
    StringTableModel* g = cells();
    g->setColCount(cols + f);
    g->setRowCount(rows + f);
    for (int i = 0; i < rows; ++i) g->setCell(0, i + f, QString::asprintf("%4d", i + base));
    for (int j = 0; j < cols; ++j) g->setCell(j + f, 0, QString::asprintf("%6d", j + base));
    const std::string fmt = format.toStdString();
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            g->setCell(
                j + f, i + f,
                QString::fromStdString(formatNumber(
                    fmt, static_cast<double>(
                             m[static_cast<std::size_t>(i) * static_cast<std::size_t>(stride) +
                               static_cast<std::size_t>(j)]))));
}

void TMatGrid::Display(const float* m, int stride, int rows, int cols, const QString& format) {
    show(m, stride, rows, cols, format);
}

void TMatGrid::display(const double* m, int stride, int rows, int cols, const QString& format) {
    show(m, stride, rows, cols, format);
}

void TMatGrid::Clear() {
    StringTableModel* g = cells();
    for (int r = 1; r < g->rowCount(); ++r)
        for (int c = 1; c < g->columnCount(); ++c) g->setCell(c, r, QString());
}

}  // namespace kavelo::ui
