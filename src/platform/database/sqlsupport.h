#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class QSqlQuery;

namespace sw {

// Puts `message` into *error (if given) and returns false.
bool reportFailure(QString* error, const QString& message);

// Prepares `sql` on the query's connection, binds `values` in order and runs
// it. On failure *error (if given) holds the statement and the driver's reason.
bool runSql(QSqlQuery& query, const QString& sql, const QVariantList& values = {},
            QString* error = nullptr);

// One write: begun on construction, rolled back on destruction unless
// committed, so an error or a crash half-way leaves the earlier rows as they were.
class SqlTransaction
{
public:
    explicit SqlTransaction(QSqlDatabase connection);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    // False (with the reason) when the transaction could not be begun.
    bool begun(QString* error = nullptr) const;
    bool commit(QString* error = nullptr);

private:
    QSqlDatabase m_connection;
    QString m_beginError;
    bool m_active = false;
};

} // namespace sw
