#pragma once

#include <QFile>
#include <QString>

namespace sw {

// An output written a piece at a time, as results come in, that a killed run
// does not lose: the pieces go straight to disk into NAME.part beside the
// file, which commit() renames over NAME once everything is written. Until
// then NAME keeps its previous content; after a failed write the part file is
// removed and NAME is left as it was. The way to the file is checked as
// saveOutputFile checks it, and the part file is created without following
// links.
class GrowingFile
{
public:
    explicit GrowingFile(const QString& path);
    ~GrowingFile();
    GrowingFile(const GrowingFile&) = delete;
    GrowingFile& operator=(const GrowingFile&) = delete;

    bool open(QString* error);
    bool append(const QByteArray& bytes, QString* error);
    // Flushes the data to the disk and puts the file in place.
    bool commit(QString* error);

    const QString& path() const { return m_path; }
    QString partPath() const { return m_path + QStringLiteral(".part"); }

private:
    bool failed(const QString& reason, QString* error);

    QString m_folder;
    QString m_name;
    QString m_path;
    QFile m_part;
    bool m_failed = false;
};

} // namespace sw
