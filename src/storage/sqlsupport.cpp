#include "storage/sqlsupport.h"

#include "storage/database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace sw {

bool reportFailure(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool runSql(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    query.setForwardOnly(true);
    // The server prepares only plain queries, never a statement such as CREATE.
    if (values.isEmpty())
        return query.exec(sql);
    if (!query.prepare(sql))
        return false;
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

QString sqlReason(const QSqlError& sqlError)
{
    const QString reason = sqlError.databaseText().trimmed();
    return reason.isEmpty() ? sqlError.text().trimmed() : reason;
}

SqlTransaction::SqlTransaction(const Database& database) : m_database(database)
{
    if (!database.ready(&m_beginError))
        return;
    QSqlDatabase connection = database.connection();
    if (database.m_openTransactions > 0) {
        m_savepoint = QStringLiteral("sw_part%1").arg(database.m_openTransactions);
        const auto watch = database.watchStatement();
        QSqlQuery query(connection);
        m_active = query.exec(QStringLiteral("SAVEPOINT ") + m_savepoint);
        if (!m_active)
            m_beginError =
                database.describeFailure(QStringLiteral("不能开始数据库事务"), query.lastError());
    } else if (database.engine() == DatabaseEngine::SQLite) {
        // A deferred transaction that reads first could only fail, not wait,
        // when it later needs the write lock another writer holds.
        QSqlQuery query(connection);
        m_active = query.exec(QStringLiteral("BEGIN IMMEDIATE"));
        if (!m_active)
            m_beginError =
                database.describeFailure(QStringLiteral("不能开始数据库事务"), query.lastError());
    } else {
        const auto watch = database.watchStatement();
        m_active = connection.transaction();
        if (!m_active)
            m_beginError = database.describeFailure(QStringLiteral("不能开始数据库事务"),
                                                    connection.lastError());
    }
    if (m_active)
        ++database.m_openTransactions;
}

SqlTransaction::~SqlTransaction()
{
    if (!m_active)
        return;
    const auto watch = m_database.watchStatement();
    if (m_savepoint.isEmpty()) {
        m_database.connection().rollback();
    } else {
        // Rolled back to, a savepoint stays open; releasing it ends it.
        QSqlQuery query(m_database.connection());
        query.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_savepoint);
        query.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_savepoint);
    }
    --m_database.m_openTransactions;
}

bool SqlTransaction::begun(QString* error) const
{
    if (!m_active && error)
        *error = m_beginError;
    return m_active;
}

bool SqlTransaction::commit(QString* error)
{
    if (!m_active)
        return begun(error);
    QSqlDatabase connection = m_database.connection();
    const auto watch = m_database.watchStatement();
    if (!m_savepoint.isEmpty()) {
        // A failed release leaves the part open for the destructor to take back.
        QSqlQuery query(connection);
        if (!query.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_savepoint))
            return reportFailure(error,
                                 m_database.describeFailure(QStringLiteral("不能提交数据库事务"),
                                                            query.lastError()));
    } else if (!connection.commit()) {
        const QString message = m_database.describeFailure(QStringLiteral("不能提交数据库事务"),
                                                           connection.lastError());
        connection.rollback();
        m_active = false;
        --m_database.m_openTransactions;
        return reportFailure(error, message);
    }
    m_active = false;
    --m_database.m_openTransactions;
    return true;
}

} // namespace sw
