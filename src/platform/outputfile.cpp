#include "platform/outputfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace sw {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

enum class Kind
{
    Missing,
    Folder,
    File,
    Link,
    Other,
};

Kind kindOf(const QString& path)
{
    struct stat info
    {
    };
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return Kind::Missing;
    if (S_ISLNK(info.st_mode))
        return Kind::Link;
    if (S_ISDIR(info.st_mode))
        return Kind::Folder;
    return S_ISREG(info.st_mode) ? Kind::File : Kind::Other;
}

// Walks the folders of `relative` below `folder`, creating missing ones when
// `create` is set.
bool checkWay(const QString& folder, const QString& relative, bool create, QString* path,
              QString* error)
{
    if (relative.isEmpty() || QDir::isAbsolutePath(relative))
        return fail(error, QStringLiteral("%1 is not a file name below %2").arg(relative, folder));
    const QStringList parts = relative.split(QLatin1Char('/'));
    QString way = folder.isEmpty() ? QStringLiteral(".") : folder;
    // The folder itself is the one the user named, wherever its path leads.
    if (create && !QFileInfo(way).isDir() && !QDir().mkpath(way))
        return fail(error, QStringLiteral("cannot create the folder %1").arg(way));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return fail(error,
                        QStringLiteral("%1 leads out of the folder %2").arg(relative, folder));
        way += QLatin1Char('/') + part;
        const bool last = i + 1 == parts.size();
        switch (kindOf(way)) {
        case Kind::Link:
            return fail(error, QStringLiteral("%1 is a symbolic link: not writing through it")
                                   .arg(QDir::cleanPath(way)));
        case Kind::Missing:
            if (!last && (!create || !QDir().mkdir(way)) && kindOf(way) != Kind::Folder)
                return fail(error, QStringLiteral("cannot create the folder %1: %2")
                                       .arg(QDir::cleanPath(way),
                                            QString::fromLocal8Bit(std::strerror(errno))));
            break;
        case Kind::Folder:
            if (last)
                return fail(error,
                            QStringLiteral("%1 is a folder, not a file").arg(QDir::cleanPath(way)));
            break;
        case Kind::File:
            if (!last)
                return fail(error,
                            QStringLiteral("%1 is a file, not a folder").arg(QDir::cleanPath(way)));
            break;
        case Kind::Other:
            return fail(error, QStringLiteral("%1 is not a plain file").arg(QDir::cleanPath(way)));
        }
    }
    if (path)
        *path = QDir::cleanPath(way);
    return true;
}

bool isDiskFull(const QFileDevice& file)
{
    return file.errorString() == QString::fromLocal8Bit(std::strerror(ENOSPC));
}

} // namespace

QByteArray resolvedPath(const QByteArray& path)
{
    QByteArray existing = path;
    QByteArray rest;
    while (!existing.isEmpty()) {
        if (char* real = realpath(existing.constData(), nullptr)) {
            const QByteArray resolved(real);
            std::free(real);
            return rest.isEmpty() ? resolved : resolved + '/' + rest;
        }
        const qsizetype slash = existing.lastIndexOf('/');
        const QByteArray last = existing.mid(slash + 1);
        rest = rest.isEmpty() ? last : last + '/' + rest;
        existing = slash > 0 ? existing.left(slash) : slash == 0 ? QByteArray("/") : QByteArray();
    }
    return path == "." ? path : resolvedPath(".") + '/' + rest;
}

QString writeFailure(const QString& fileName, const QString& reason)
{
    return QStringLiteral("cannot write %1: %2").arg(fileName, reason);
}

bool prepareOutputPath(const QString& folder, const QString& relative, QString* path,
                       QString* error)
{
    return checkWay(folder, relative, true, path, error);
}

bool saveOutputFile(const QString& folder, const QString& relative, const DeviceWriter& write,
                    QString* error)
{
    QString path;
    if (!prepareOutputPath(folder, relative, &path, error))
        return false;
    QSaveFile file(path);
    const auto failed = [&](const QString& writerError) {
        QString reason = writerError;
        if (file.error() != QFileDevice::NoError || reason.isEmpty())
            reason = isDiskFull(file) ? QStringLiteral("the disk is full") : file.errorString();
        file.cancelWriting();
        return fail(error, writeFailure(path, reason));
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed({});
    QString writerError;
    if (!write(file, &writerError) || file.error() != QFileDevice::NoError)
        return failed(writerError);
    if (!checkWay(folder, relative, false, nullptr, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return failed({});
    return true;
}

bool outputFolderExists(const QString& path, QString* error)
{
    const QString folder = QFileInfo(path).path();
    if (QFileInfo(folder).isDir())
        return true;
    return fail(error, writeFailure(path, QStringLiteral("there is no folder %1").arg(folder)));
}

bool saveOutputFile(const QString& path, const DeviceWriter& write, QString* error)
{
    const QFileInfo info(path);
    return outputFolderExists(path, error) &&
           saveOutputFile(info.path(), info.fileName(), write, error);
}

} // namespace sw
