#include "editor/history.h"

#include "document/vectorgraphics.h"

namespace sw {

OperationHistory::OperationHistory(TVectorGraphics& document, QObject* parent)
    : QAbstractListModel(parent), m_document(document)
{
}

void OperationHistory::ResetHistory()
{
    m_restoredIndex = -1;
    m_lastKey = -1;
    m_savedRow = -1;
    beginResetModel();
    m_snapshots.clear();
    m_rows.clear();
    endResetModel();
    updateModified();
}

void OperationHistory::AddEntry(const QString& text)
{
    if (m_restoredIndex != -1)
        dropRows(m_restoredIndex + 1, int(m_rows.size()) - 1);

    StoredDocument snapshot;
    takeSnapshot(snapshot);
    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    m_snapshots.push_back(std::move(snapshot));
    m_rows.append(text);
    endInsertRows();
    // A row that scrolls out of the list takes its snapshot along: nothing
    // can reach it any more.
    if (m_rows.size() > MaxRows)
        dropRows(0, 0);

    m_restoredIndex = -1;
    m_lastText = text;
    updateModified();
}

void OperationHistory::RecordChange(std::int32_t key, const QString& text)
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
    if (m_savedRow == int(m_rows.size()) - 1)
        m_savedRow = -1;
    updateModified();
}

bool OperationHistory::RestoreEntry(int listIndex, QString* error)
{
    if (listIndex < 0 || listIndex >= int(m_rows.size())) {
        if (error)
            *error = QStringLiteral("No history entry %1").arg(listIndex);
        return false;
    }

    const int currentPage = m_document.CurrentPage;
    if (!m_document.LoadFromRecords(m_snapshots[std::size_t(listIndex)], error))
        return false;
    if (currentPage >= 0 && currentPage < m_document.PageCount())
        m_document.CurrentPage = currentPage;
    m_document.RenumberPages();

    m_restoredIndex = listIndex;
    updateModified();
    return true;
}

int OperationHistory::CurrentRow() const
{
    return m_restoredIndex == -1 ? int(m_rows.size()) - 1 : m_restoredIndex;
}

bool OperationHistory::Undo(QString* error)
{
    return CanUndo() && RestoreEntry(CurrentRow() - 1, error);
}

bool OperationHistory::Redo(QString* error)
{
    return CanRedo() && RestoreEntry(CurrentRow() + 1, error);
}

void OperationHistory::MarkSaved()
{
    m_savedRow = CurrentRow();
    updateModified();
}

void OperationHistory::MarkChanged()
{
    m_savedRow = -1;
    updateModified();
}

int OperationHistory::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant OperationHistory::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || role != Qt::DisplayRole)
        return {};
    return m_rows.at(index.row());
}

void OperationHistory::takeSnapshot(StoredDocument& snapshot)
{
    // The records are built here instead of as a full save builds them, which
    // drops bubble boxes without bubbles from the pages: a box whose option
    // characters were just cleared must survive its own history entry.
    m_document.Papers.clear();
    m_document.GPList.clear();
    for (int p = 0; p < m_document.PageCount(); ++p) {
        const TVectorGraph& page = *m_document.PageAt(p);
        m_document.RecordFromPage(page);
        for (const auto& shape : page.Shapes())
            m_document.RecordFromShape(p, *shape);
    }
    // Restoring gives what saving these records and loading them back would.
    snapshot = static_cast<const StoredDocument&>(m_document);
}

void OperationHistory::dropRows(int first, int last)
{
    if (first > last)
        return;
    beginRemoveRows(QModelIndex(), first, last);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
    m_snapshots.erase(m_snapshots.begin() + first, m_snapshots.begin() + last + 1);
    endRemoveRows();
    const int removed = last - first + 1;
    if (m_savedRow >= first && m_savedRow <= last)
        m_savedRow = -1;
    else if (m_savedRow > last)
        m_savedRow -= removed;
    if (m_restoredIndex > last)
        m_restoredIndex -= removed;
}

void OperationHistory::updateModified()
{
    m_modified = m_savedRow == -1 || m_savedRow != CurrentRow();
    emit stateChanged();
}

} // namespace sw
