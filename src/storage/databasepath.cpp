#include "storage/databasepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sw {

QString chooseDatabasePath(const QString& executableFolder)
{
    const QFileInfo folder(executableFolder);
    // An installed program shares its folder (/usr/bin) with every other one,
    // so each user keeps a library of their own instead.
    const bool installed = folder.fileName() == QLatin1String("bin");
    if (!installed && folder.isDir() && folder.isWritable())
        return QDir(executableFolder).filePath(DatabaseFileName);
    // One folder for the designer and the command-line tool alike.
    const QString dataFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .filePath(QStringLiteral("sheetwright"));
    QDir().mkpath(dataFolder);
    return QDir(dataFolder).filePath(DatabaseFileName);
}

QString defaultDatabasePath()
{
    return chooseDatabasePath(QCoreApplication::applicationDirPath());
}

} // namespace sw
