#pragma once
// The grid of the external-list window over the ExternalList's cell texts.

#include <QAbstractTableModel>

#include "external/ExternalList.h"

namespace kavelo::ui {

class ExternalListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ExternalListModel(const kavelo::ExternalList* list, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Column headings, as over the main list.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    static QStringList headings();
    QString cellText(int column, int row) const;
    // Shows the list as it now stands.
    void reload();

  private:
    const kavelo::ExternalList* list_;
    int rows_ = 0;
};

}  // namespace kavelo::ui
