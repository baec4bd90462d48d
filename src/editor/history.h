#pragma once

#include "document/records.h"

#include <QAbstractListModel>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace sw {

class TVectorGraphics;

// The operation history: after every change the editor records an entry with
// a complete snapshot of the document (its stored records, every page and
// shape), and any entry can be restored, also one step at a time (undo and
// redo). Restoring an older entry and then making a change discards the
// entries after the restored one.
//
// The model lists the newest entries, at most MaxRows, oldest first; the
// display role of a row is its caption. Each row owns its snapshot, so the
// history never holds more than MaxRows snapshots.
class OperationHistory : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int MaxRows = 10;

    explicit OperationHistory(TVectorGraphics& document, QObject* parent = nullptr);

    // Empties the history.
    void ResetHistory();
    // Appends an entry with a fresh snapshot; LastKey stays.
    void AddEntry(const QString& text);
    // Appends an entry, or, when key and text equal those of the newest entry
    // and that entry is the live state, rewrites the newest snapshot: moving
    // one shape twice in a row leaves one entry.
    void RecordChange(std::int32_t key, const QString& text);
    // Replaces the document by the snapshot of a row (0 = the oldest row
    // shown). The current page index is kept when the snapshot has that page;
    // the pages are renumbered. False, with the document unchanged, for a row
    // that does not exist or a snapshot that cannot be read (*error says why).
    bool RestoreEntry(int listIndex, QString* error = nullptr);

    // The row whose snapshot is the live state: the newest row, or the row
    // last restored. -1 while the history is empty.
    int CurrentRow() const;
    bool CanUndo() const { return CurrentRow() > 0; }
    bool CanRedo() const { return CurrentRow() >= 0 && CurrentRow() < rowCount() - 1; }
    // Restore the row before or after the current one.
    bool Undo(QString* error = nullptr);
    bool Redo(QString* error = nullptr);

    // The live state is what the template file holds (after opening or
    // saving it, or for a document just begun).
    void MarkSaved();
    // A change that no entry records (the document-wide lock).
    void MarkChanged();
    // Whether the live state differs from the one last marked saved.
    bool IsModified() const { return m_modified; }

    // Snapshots up to the live state; where the next one goes.
    int SnapshotCount() const { return CurrentRow() + 1; }
    // Row last restored, -1 while the newest entry is the live state.
    int RestoredIndex() const { return m_restoredIndex; }
    // Key of the newest RecordChange, -1 after a reset.
    std::int32_t LastKey() const { return m_lastKey; }
    // Text of the newest entry; a reset keeps it.
    const QString& LastText() const { return m_lastText; }
    // Snapshots held: one per row.
    int StoredSnapshots() const { return int(m_snapshots.size()); }
    const StoredDocument& Snapshot(int index) const { return m_snapshots.at(std::size_t(index)); }
    // The rows shown, oldest first.
    const QStringList& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    // The current row, what undo and redo can do, or IsModified changed.
    void stateChanged();

private:
    // The document's records and settings into the snapshot, leaving the
    // live document as it is.
    void takeSnapshot(StoredDocument& snapshot);
    void dropRows(int first, int last);
    void updateModified();

    TVectorGraphics& m_document;
    std::vector<StoredDocument> m_snapshots;
    int m_restoredIndex = -1;
    // The row holding the state last marked saved; -1 when no row does.
    int m_savedRow = -1;
    bool m_modified = false;
    std::int32_t m_lastKey = -1;
    QString m_lastText;
    QStringList m_rows;
};

} // namespace sw
