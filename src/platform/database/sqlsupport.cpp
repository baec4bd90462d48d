#include "platform/database/sqlsupport.h"

#include <QSqlError>
#include <QSqlQuery>

namespace sw {

namespace {

QString describe(const QString& what, const QSqlError& sqlError)
{
    const QString reason = sqlError.text().trimmed();
    return reason.isEmpty() ? what : QStringLiteral("%1: %2").arg(what, reason);
}

} // namespace

bool reportFailure(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool runSql(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok && error)
        *error =
            describe(QStringLiteral("Database statement failed (%1)").arg(sql), query.lastError());
    return ok;
}

SqlTransaction::SqlTransaction(QSqlDatabase connection) : m_connection(std::move(connection))
{
    if (!m_connection.isOpen())
        m_beginError = QStringLiteral("The database is not open");
    else if (!m_connection.transaction())
        m_beginError = describe(QStringLiteral("Cannot begin a database transaction"),
                                m_connection.lastError());
    else
        m_active = true;
}

SqlTransaction::~SqlTransaction()
{
    if (m_active)
        m_connection.rollback();
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
    if (!m_connection.commit()) {
        if (error)
            *error = describe(QStringLiteral("Cannot commit the database transaction"),
                              m_connection.lastError());
        return false;
    }
    m_active = false;
    return true;
}

} // namespace sw
