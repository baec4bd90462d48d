#pragma once

#include <QString>
#include <QVariantList>

class QSqlError;
class QSqlQuery;

namespace sw {

class Database;

// Puts `message` into *error (if given) and returns false.
bool reportFailure(QString* error, const QString& message);

// Prepares `sql` on the query's connection, binds `values` in order and runs
// it; on failure the query's lastError() holds the reason.
bool runSql(QSqlQuery& query, const QString& sql, const QVariantList& values = {});

// The engine's own words ("file is not a database"), else the driver's.
QString sqlReason(const QSqlError& sqlError);

// One write: begun on construction, rolled back on destruction unless
// committed, so an error or a crash half-way leaves the earlier rows as they
// were. On SQLite it takes the write lock at once, waiting while another
// program holds it, so two writers never deadlock half-way. One begun while
// another is open on the same database is a part of it (a savepoint): its
// rows are kept only when the outer one commits too, and rolling it back
// takes back only its own.
class SqlTransaction
{
public:
    explicit SqlTransaction(const Database& database);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    // False (with the reason) when the transaction could not be begun.
    bool begun(QString* error = nullptr) const;
    bool commit(QString* error = nullptr);

private:
    const Database& m_database;
    QString m_beginError;
    QString m_savepoint; // empty for the outermost
    bool m_active = false;
};

} // namespace sw
