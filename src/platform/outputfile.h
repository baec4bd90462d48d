#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace sw {

// Files written below a folder the user named, never outside it: the path
// below the folder may hold no "..", no absolute part and no symbolic link
// (planted links would carry the file elsewhere), and the file itself, if it
// exists already, must be a plain file.

// Checks the way from `folder` to `relative` and creates the missing folders
// on it one by one; *path is then the file's path. False with the reason,
// naming the offending part, in *error.
bool prepareOutputPath(const QString& folder, const QString& relative, QString* path,
                       QString* error);

// Writes the file through QSaveFile, unbuffered so that every failing write
// shows at once: `write` fills the device and says whether it succeeded. The
// way is checked again just before the commit, so a link planted meanwhile
// is refused too. A failure keeps the previous file and names the file and
// the reason (the disk is full, no permission).
using DeviceWriter = std::function<bool(QIODevice& device, QString* error)>;
bool saveOutputFile(const QString& folder, const QString& relative, const DeviceWriter& write,
                    QString* error);

// Whether the folder of a file named on the command line exists; it is not
// made, as a mistyped folder would otherwise take the file unseen.
bool outputFolderExists(const QString& path, QString* error);

// saveOutputFile for a path given on the command line: the file in its
// folder, which must exist.
bool saveOutputFile(const QString& path, const DeviceWriter& write, QString* error);

// The file a path names, with links and ".." resolved as far as it exists:
// two paths naming one file resolve alike.
QByteArray resolvedPath(const QByteArray& path);

// Why writing `fileName` failed, in plain words for a full disk.
QString writeFailure(const QString& fileName, const QString& reason);

} // namespace sw
