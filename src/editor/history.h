#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace sw {

class TVectorGraphics;

// The operation history: after every change the editor records an entry with
// a complete snapshot of the document (the template stream, every page and
// shape), and any entry can be restored. Restoring an older entry and then
// making a change discards the entries after the restored one.
//
// The model lists the newest entries, at most MaxRows, oldest first; the
// display role of a row is its caption. Snapshots are not limited.
class TOperationHistory : public QAbstractListModel
{
public:
    static constexpr int MaxRows = 10;

    explicit TOperationHistory(TVectorGraphics& document, QObject* parent = nullptr);

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

    // Snapshots of the live history; where the next one goes.
    int SnapshotCount() const { return m_snapshotCount; }
    // Row last restored, -1 while the newest entry is the live state.
    int RestoredIndex() const { return m_restoredIndex; }
    // Key of the newest RecordChange, -1 after a reset.
    std::int32_t LastKey() const { return m_lastKey; }
    // Text of the newest entry; a reset keeps it.
    const QString& LastText() const { return m_lastText; }
    // Snapshots held, which after a restore may be more than SnapshotCount.
    int StoredSnapshots() const { return int(m_snapshots.size()); }
    const QByteArray& Snapshot(int index) const { return m_snapshots.at(std::size_t(index)); }
    // The rows shown, oldest first.
    const QStringList& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // The document saved into the snapshot (replacing its bytes).
    void takeSnapshot(QByteArray& snapshot);
    void dropRows(int first, int last);

    TVectorGraphics& m_document;
    std::vector<QByteArray> m_snapshots;
    int m_snapshotCount = 0;
    int m_restoredIndex = -1;
    std::int32_t m_lastKey = -1;
    QString m_lastText;
    QStringList m_rows;
};

} // namespace sw
