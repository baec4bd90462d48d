#include "review/itemtablemodel.h"

#include "reports/itemtable.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <limits>

namespace sw {

namespace {

// A figure for sorting: one that is not defined sorts before every other.
double sortable(double figure)
{
    return std::isnan(figure) ? -std::numeric_limits<double>::infinity() : figure;
}

} // namespace

void ItemTableModel::setItems(std::vector<ItemStatistics> items)
{
    beginResetModel();
    m_items = std::move(items);
    m_options = itemTableOptions(m_items);
    m_titles = itemTableTitles(m_options);
    endResetModel();
}

int ItemTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int ItemTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant ItemTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const ItemStatistics& item = m_items[std::size_t(index.row())];
    const int option = index.column() - ItemTableLeadingColumns;
    const bool keyShare =
        option >= 0 && option < m_options.size() && isKeyShare(item, m_options.at(option));
    switch (role) {
    case Qt::DisplayRole:
        return itemTableRow(item, m_options).at(index.column());
    case SortRole:
        return sortValue(index.row(), index.column());
    case Qt::BackgroundRole:
        if (keyShare)
            return KeyCellColour;
        if (item.flagged())
            return FlaggedRowColour;
        return {};
    case Qt::ForegroundRole:
        // Dark text on the light tints whatever the palette.
        if (keyShare || item.flagged())
            return QColor(Qt::black);
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
        return keyShare ? QStringLiteral("答案") : itemFlagText(item);
    default:
        return {};
    }
}

QVariant ItemTableModel::sortValue(int row, int column) const
{
    const ItemStatistics& item = m_items[std::size_t(row)];
    const int option = column - ItemTableLeadingColumns;
    if (option >= 0 && option < m_options.size()) {
        const auto share =
            std::find_if(item.options.begin(), item.options.end(),
                         [&](const OptionShare& s) { return s.option == m_options.at(option); });
        return share == item.options.end() ? sortable(NAN) : share->share;
    }
    switch (column) {
    case 0:
        return row; // the questions' own order, score-box questions last
    case 1:
        return item.points;
    case 2:
        return item.keyText;
    case 3:
        return sortable(item.difficulty);
    case 4:
        return sortable(item.discrimination);
    case 5:
        return sortable(item.pointBiserial);
    default:
        break;
    }
    const int trailing = option - int(m_options.size());
    if (trailing == 0)
        return item.blanks;
    if (trailing == 1)
        return item.doubles;
    return itemFlagText(item);
}

QVariant ItemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal && section < m_titles.size())
        return m_titles.at(section);
    return {};
}

} // namespace sw
