#include "platform/database/databasepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sw {

QString chooseDatabasePath(const QString& executableFolder)
{
    const QFileInfo folder(executableFolder);
    if (folder.isDir() && folder.isWritable())
        return QDir(executableFolder).filePath(DatabaseFileName);
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return QDir(dataFolder).filePath(DatabaseFileName);
}

QString defaultDatabasePath()
{
    return chooseDatabasePath(QCoreApplication::applicationDirPath());
}

} // namespace sw
