#include "platform/growingfile.h"

#include "platform/outputfile.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sw {

namespace {

QString systemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString plainReason(int code)
{
    return code == ENOSPC ? QStringLiteral("the disk is full") : systemReason(code);
}

} // namespace

GrowingFile::GrowingFile(const QString& path)
    : m_folder(QFileInfo(path).path()), m_name(QFileInfo(path).fileName()), m_path(path)
{
}

GrowingFile::~GrowingFile()
{
    m_part.close();
    if (m_failed)
        unlink(QFile::encodeName(partPath()).constData());
}

bool GrowingFile::open(QString* error)
{
    if (!outputFolderExists(m_path, error) ||
        !prepareOutputPath(m_folder, m_name, nullptr, error) ||
        !prepareOutputPath(m_folder, m_name + QStringLiteral(".part"), nullptr, error))
        return false;
    const QByteArray part = QFile::encodeName(partPath());
    // A part file left by a killed run is replaced; unlink never follows a link.
    unlink(part.constData());
    const int fd =
        ::open(part.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return failed(plainReason(errno), error);
    if (!m_part.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                     QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(m_part.errorString(), error);
    }
    return true;
}

bool GrowingFile::append(const QByteArray& bytes, QString* error)
{
    if (m_failed || !m_part.isOpen())
        return failed(QStringLiteral("the file is not open"), error);
    if (m_part.write(bytes) != bytes.size())
        return failed(m_part.errorString() == systemReason(ENOSPC)
                          ? QStringLiteral("the disk is full")
                          : m_part.errorString(),
                      error);
    return true;
}

bool GrowingFile::commit(QString* error)
{
    if (m_failed || !m_part.isOpen())
        return failed(QStringLiteral("the file is not open"), error);
    if (fsync(m_part.handle()) != 0)
        return failed(plainReason(errno), error);
    m_part.close();
    // The way may have changed meanwhile; rename replaces a link at NAME, never follows it.
    if (!prepareOutputPath(m_folder, m_name, nullptr, error)) {
        m_failed = true;
        return false;
    }
    if (std::rename(QFile::encodeName(partPath()).constData(),
                    QFile::encodeName(m_path).constData()) != 0)
        return failed(plainReason(errno), error);
    return true;
}

bool GrowingFile::failed(const QString& reason, QString* error)
{
    m_failed = true;
    if (error)
        *error = writeFailure(m_path, reason);
    return false;
}

} // namespace sw
