#pragma once
// The cells of the main window's result grid, formatted on demand from the Catalogue.
// The model keeps its own copy of the listed Catalogue indices, so the grid shows
// the last listing even when the SelectionList is rebuilt by another window.

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

#include "catalogue/Catalogue.h"
#include "search/ResultCsv.h"

namespace kavelo::ui {

class ResultListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 9;

    explicit ResultListModel(const kavelo::Catalogue* catalogue, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Every record 0 ... n-1, numbered "%5d".
    void listAll(int n);
    // The given Catalogue indices, numbered "%6d".
    void listSelection(const int32_t* indices, int n);
    // No rows.
    void clear();
    // One row of nine empty cells.
    void setEmptyRow();

    // Catalogue index shown in a row, -1 for the empty row or a row out of range.
    int catalogueIndex(int row) const;
    QString cellText(int column, int row) const;
    // The nine cells of a row as Shift-JIS bytes (all empty for the empty row).
    void cellBytes(int row, kavelo::GridCells& cells) const;

private:
    const kavelo::Catalogue* catalogue_;
    std::vector<int32_t> rows_;
    bool all_ = true;
    bool emptyRow_ = false;
};

}  // namespace kavelo::ui
