#pragma once

#include "reports/itemanalysis.h"

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace sw {

// The item analysis as a table, one row per question, with the columns and
// texts of the report's item table: a flagged question's row is tinted and
// says why in its last column, a key's share is shaded. SortRole gives the
// figures as numbers, so a view sorts them by value ("—" first), and the
// number column as the questions' own order.
class ItemTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SortRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setItems(std::vector<ItemStatistics> items);
    const std::vector<ItemStatistics>& items() const { return m_items; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant sortValue(int row, int column) const;

    std::vector<ItemStatistics> m_items;
    QString m_options; // the option columns
    QStringList m_titles;
};

} // namespace sw
