#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class QLockFile;

namespace sw {

class MainWindow;

// Seconds between two recovery saves unless the settings' key
// "recovery/intervalSeconds" says otherwise.
constexpr int DefaultRecoveryIntervalSeconds = 120;
inline const QString RecoveryIntervalKey = QStringLiteral("recovery/intervalSeconds");
inline const QString RestoreButtonText = QStringLiteral("恢复");
inline const QString DiscardButtonText = QStringLiteral("放弃");

// A recovery file that a session of the designer left behind.
struct RecoveryFile
{
    // The template as it was when saved for recovery.
    QString templatePath;
    // Beside it: when it was saved and the file it was recovered from.
    QString infoPath;
    QString originalFileName;
    QDateTime savedAt;
};

// Saves a modified document every few minutes into the user's data folder,
// never over the user's own file, so that a crash loses little. Each
// session of the designer writes its own pair of files there (the
// template, and beside it a note of the time and the original file name)
// and holds a lock on them while it runs. A clean save or a clean exit
// removes them; files whose session ended otherwise are offered for restoring
// at the next start.
class Recovery : public QObject
{
    Q_OBJECT

public:
    // folder: where recovery files go; empty for the user's data folder.
    Recovery(MainWindow& window, const QString& folder, QObject* parent = nullptr);
    ~Recovery() override;

    // "recovery" in the user's data folder (QStandardPaths::AppDataLocation).
    static QString defaultFolder();
    // The interval from the settings, in seconds; the default where they
    // hold none or no usable one.
    static int intervalSeconds();

    // Follows the document's history from now on and starts the saves.
    void start();
    // Saves the document for recovery now when it has changes not saved
    // yet (by the user or for recovery). True when it was written.
    bool saveNow();
    // Removes this session's recovery files.
    void discard();
    // Offers, newest first, the recovery files left by sessions that did not
    // end cleanly: "恢复" opens one as the document, marked unsaved, and
    // stops; "放弃" removes it. A file that cannot be read is reported and
    // left where it is.
    void offerRestore();

    // This session's recovery template, whether written or not.
    QString templatePath() const;
    // Recovery files of sessions that are not running, newest first.
    std::vector<RecoveryFile> abandonedFiles() const;

private:
    void historyChanged();
    bool writeInfo(const QString& path, QString* error) const;
    bool claimFolder();
    // Asks about one file; true when it was restored.
    bool offer(const RecoveryFile& file);

    MainWindow& m_window;
    QString m_folder;
    QString m_session;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
    // Changes not yet saved for recovery.
    bool m_pending = false;
};

} // namespace sw
