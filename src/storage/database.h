#pragma once

#include "storage/databaselocation.h"
#include "storage/statementwatchdog.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <memory>

class QSqlError;
class QSqlQuery;

namespace sw {

// What the designer shows when the database cannot be opened at start.
inline const QString DatabaseOpenFailedText = QStringLiteral("数据库不能打开，请检查数据库文件！");
inline const QString DatabaseOpenFailedCaption = QStringLiteral("提示信息");

// The program's database: the template library (`templet`) and the wizard's
// last settings (`pageset`), in a SQLite file or in a PostgreSQL database that
// several designers share. Each object has a connection of its own, so several
// may be open at once, also on the same database.
class Database
{
public:
    // How long a statement waits for a lock another program holds before the
    // database is reported busy: short enough that a server that stops
    // answering is told within ten seconds (the wait, a statement's run and
    // a second more; see watchStatement()).
    static constexpr int DefaultBusyTimeoutMs = 5000;
    // How long connecting to a server may take before it is reported unreachable.
    static constexpr int DefaultConnectTimeoutSeconds = 5;

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens `location`: a file path, or a postgresql:// URL (see
    // DatabaseLocation). Missing tables are created, in one transaction that
    // waits for any other program doing the same; an existing database keeps
    // its rows. A file that is not a database, a database lacking a table or
    // column, or a server that cannot be reached or refuses the login is
    // refused with the reason in *error, naming the file or server, and leaves
    // this object closed. A file is never deleted.
    bool open(const QString& location, QString* error = nullptr);
    void close();
    bool isOpen() const;
    // The location as opened, without any password.
    const QString& path() const { return m_path; }
    DatabaseEngine engine() const { return m_location.engine; }

    // Both apply from the next open().
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
    int busyTimeout() const { return m_busyTimeoutMs; }
    void setConnectTimeout(int seconds) { m_connectTimeoutSeconds = seconds; }

    // The connection, for the library and settings stores; invalid while closed.
    QSqlDatabase connection() const;

    // For the stores. ready() is true when work can start; a server
    // connection lost earlier is made again first.
    bool ready(QString* error = nullptr) const;
    // Prepares `sql`, binds `values` in order and runs it. A failure's message
    // tells when the database as a whole is the cause (busy, server gone),
    // otherwise names the statement and the engine's reason.
    bool run(QSqlQuery& query, const QString& sql, const QVariantList& values = {},
             QString* error = nullptr) const;
    // Message for a failure of `what` with the driver's `sqlError`.
    QString describeFailure(const QString& what, const QSqlError& sqlError) const;
    // Watches a statement about to run on a server: one that gets no answer
    // within the lock wait and a few seconds more is cut off, and reported
    // as a lost connection. Nothing for a file.
    StatementWatchdog::Watch watchStatement() const;
    // Keeps other writers of `table` out until the current transaction ends.
    bool lockForWriting(const QString& table, QString* error = nullptr) const;

private:
    bool connect(QString* error) const;
    bool prepareSchema(QString* error);
    bool inspectSchema(QString& missing, QString* error) const;
    bool createMissingTables(QString* error) const;
    bool connectionLost(const QSqlError& sqlError) const;
    // How long a statement, and the opening of a server connection, may go
    // without an answer before the watchdog cuts the connection.
    int statementLimitMs() const;
    int openingLimitMs() const;

    QString m_connectionName;
    QString m_path;
    DatabaseLocation m_location;
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
    int m_connectTimeoutSeconds = DefaultConnectTimeoutSeconds;
    // Set when a server connection broke; ready() connects again.
    mutable bool m_lost = false;
    // SqlTransactions open on the connection; the inner ones are savepoints.
    mutable int m_openTransactions = 0;
    friend class SqlTransaction;
    std::unique_ptr<StatementWatchdog> m_watchdog;
};

} // namespace sw
