#include "external/ExternalListModel.h"

#include "app/Sjis.h"

namespace kavelo::ui {

ExternalListModel::ExternalListModel(const kavelo::ExternalList* list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int ExternalListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}
int ExternalListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kavelo::RowCells::kColumns;
}

QString ExternalListModel::cellText(int column, int row) const {
    if (row < 0 || row >= rows_ || row >= static_cast<int>(list_->cells.size())) return {};
    return fromSjis(list_->cells[static_cast<std::size_t>(row)].cell(column));
}

QVariant ExternalListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return cellText(index.column(), index.row());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

QStringList ExternalListModel::headings() {
    return {"番号", "地震番号", "年月日", "時分", " 　緯度", " 　経度", " 深さ", "ﾏｸﾞﾆﾁｭｰﾄﾞ", "震源地"};
}

QVariant ExternalListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return headings().value(section);
}

void ExternalListModel::reload() {
    beginResetModel();
    rows_ = std::min<int>(list_->count, static_cast<int>(list_->cells.size()));
    endResetModel();
}

}  // namespace kavelo::ui
