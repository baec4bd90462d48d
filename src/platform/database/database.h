#pragma once

#include <QSqlDatabase>
#include <QString>

namespace sw {

// What the designer shows when the database cannot be opened at start.
inline const QString DatabaseOpenFailedText = QStringLiteral("数据库不能打开，请检查数据库文件！");
inline const QString DatabaseOpenFailedCaption = QStringLiteral("提示信息");

// The program's database: the template library (`templet`) and the wizard's
// last settings (`pageset`) in one SQLite file. Each object has a connection of
// its own, so several may be open at once, also on the same file.
class Database
{
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file at `path`. A missing file (or an empty database) gets the
    // two tables; an existing one keeps its rows. A file that is not a
    // database, or lacks a table or column, is refused with the reason in
    // *error and leaves this object closed.
    bool open(const QString& path, QString* error = nullptr);
    void close();
    bool isOpen() const;
    const QString& path() const { return m_path; }

    // The connection, for the library and settings stores; invalid while closed.
    QSqlDatabase connection() const;

private:
    bool checkSchema(QString* error);

    QString m_connectionName;
    QString m_path;
};

} // namespace sw
