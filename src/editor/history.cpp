#include "editor/history.h"

#include "document/vectorgraphics.h"

#include <QBuffer>

namespace sw {

TOperationHistory::TOperationHistory(TVectorGraphics& document, QObject* parent)
    : QAbstractListModel(parent), m_document(document)
{
}

void TOperationHistory::ResetHistory()
{
    m_snapshotCount = 0;
    m_restoredIndex = -1;
    m_lastKey = -1;
    m_snapshots.clear();
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void TOperationHistory::AddEntry(const QString& text)
{
    if (m_restoredIndex != -1) {
        dropRows(m_restoredIndex + 1, int(m_rows.size()) - 1);
        m_snapshots.resize(std::size_t(m_snapshotCount));
    }
    m_snapshots.resize(std::size_t(m_snapshotCount) + 1);
    takeSnapshot(m_snapshots.back());

    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.append(text);
    endInsertRows();
    ++m_snapshotCount;
    if (m_rows.size() > MaxRows)
        dropRows(0, 0);

    m_restoredIndex = -1;
    m_lastText = text;
}

void TOperationHistory::RecordChange(std::int32_t key, const QString& text)
{
    // After a restore the newest snapshot is not the live state: a change
    // then always starts a new entry, which drops the entries after the
    // restored one, instead of overwriting that newer entry's snapshot.
    const bool continuesNewest =
        m_restoredIndex == -1 && !m_snapshots.empty() && key == m_lastKey && text == m_lastText;
    if (!continuesNewest) {
        m_lastKey = key;
        m_lastText = text;
        AddEntry(text);
        return;
    }
    takeSnapshot(m_snapshots.back());
}

bool TOperationHistory::RestoreEntry(int listIndex, QString* error)
{
    const int rows = int(m_rows.size());
    const int stored = StoredSnapshots();
    // The rows show the newest snapshots.
    const int index = listIndex + stored - rows;
    if (listIndex < 0 || listIndex >= rows || index < 0 || index >= stored) {
        if (error)
            *error = QStringLiteral("No history entry %1").arg(listIndex);
        return false;
    }

    const int currentPage = m_document.CurrentPage;
    QByteArray bytes = m_snapshots[std::size_t(index)];
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!m_document.LoadFromStream(buffer, error))
        return false;
    if (currentPage >= 0 && currentPage < m_document.PageCount())
        m_document.CurrentPage = currentPage;
    m_document.RenumberPages();

    m_snapshotCount = index + 1;
    m_restoredIndex = listIndex;
    return true;
}

int TOperationHistory::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TOperationHistory::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || role != Qt::DisplayRole)
        return {};
    return m_rows.at(index.row());
}

void TOperationHistory::takeSnapshot(QByteArray& snapshot)
{
    snapshot.clear();
    QBuffer buffer(&snapshot);
    buffer.open(QIODevice::WriteOnly);
    m_document.SaveToStream(SaveAllShapes, buffer);
}

void TOperationHistory::dropRows(int first, int last)
{
    if (first > last)
        return;
    beginRemoveRows(QModelIndex(), first, last);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
    endRemoveRows();
}

} // namespace sw
