#include "search/ResultListModel.h"

#include "app/Sjis.h"
#include "catalogue/RecordFormat.h"

namespace kavelo::ui {

ResultListModel::ResultListModel(const kavelo::Catalogue* catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return emptyRow_ ? 1 : static_cast<int>(rows_.size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return cellText(index.column(), index.row());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

void ResultListModel::listAll(int n) {
    beginResetModel();
    emptyRow_ = false;
    all_ = true;
    rows_.resize(static_cast<std::size_t>(std::max(0, n)));
    for (int i = 0; i < n; ++i) rows_[static_cast<std::size_t>(i)] = i;
    endResetModel();
}

void ResultListModel::listSelection(const int32_t* indices, int n) {
    beginResetModel();
    emptyRow_ = false;
    all_ = false;
    rows_.assign(indices, indices + std::max(0, n));
    endResetModel();
}

void ResultListModel::clear() {
    beginResetModel();
    emptyRow_ = false;
    rows_.clear();
    endResetModel();
}

void ResultListModel::setEmptyRow() {
    beginResetModel();
    rows_.clear();
    emptyRow_ = true;
    endResetModel();
}

int ResultListModel::catalogueIndex(int row) const {
    if (emptyRow_ || row < 0 || row >= static_cast<int>(rows_.size())) return -1;
    return rows_[static_cast<std::size_t>(row)];
}

QString ResultListModel::cellText(int column, int row) const {
    const int idx = catalogueIndex(row);
    if (idx < 0 || idx >= catalogue_->recordCount || column < 0 || column >= kColumns) return {};
    if (column == 0) return fromSjis(kavelo::formatListNumber(row + 1, !all_));
    return fromSjis(kavelo::formatRecordCell((*catalogue_)[idx], idx, column));
}

void ResultListModel::cellBytes(int row, kavelo::GridCells& cells) const {
    const int idx = catalogueIndex(row);
    if (idx < 0 || idx >= catalogue_->recordCount) {
        for (auto& c : cells) c.clear();
        return;
    }
    kavelo::recordGridCells(*catalogue_, idx, row, !all_, cells);
}

}  // namespace kavelo::ui
