#include "platform/database/templatelibrary.h"

#include "platform/database/database.h"
#include "platform/database/sqlsupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace sw {

namespace {

// Local date and time without zone, as the library has always shown them.
const QString DateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString missingTemplate(qint64 id)
{
    return QStringLiteral("There is no template with id %1").arg(id);
}

bool checkOpen(const Database& database, QString* error)
{
    return database.isOpen() || reportFailure(error, QStringLiteral("The database is not open"));
}

} // namespace

bool listTemplates(const Database& database, QList<TemplateEntry>& entries, QString* error)
{
    if (!checkOpen(database, error))
        return false;
    QSqlQuery query(database.connection());
    if (!runSql(query, QStringLiteral("SELECT id, name, date FROM templet ORDER BY name, id"), {},
                error))
        return false;
    QList<TemplateEntry> result;
    while (query.next()) {
        QDateTime date = QDateTime::fromString(query.value(2).toString(), DateFormat);
        result.append({query.value(0).toLongLong(), query.value(1).toString(), date});
    }
    if (query.lastError().isValid())
        return reportFailure(
            error, QStringLiteral("Cannot list the templates: %1").arg(query.lastError().text()));
    entries = result;
    return true;
}

bool storeTemplate(Database& database, const QString& name, const QByteArray& bytes,
                   const QDateTime& date, qint64* id, QString* error)
{
    if (name.isEmpty())
        return reportFailure(error, QStringLiteral("A template needs a name"));
    if (bytes.isEmpty())
        return reportFailure(error, QStringLiteral("An empty template cannot be stored"));
    if (!date.isValid())
        return reportFailure(error, QStringLiteral("A template needs a valid date"));
    SqlTransaction transaction(database.connection());
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(database.connection());
    if (!runSql(query, QStringLiteral("INSERT INTO templet (file, name, date) VALUES (?, ?, ?)"),
                {bytes, name, date.toLocalTime().toString(DateFormat)}, error))
        return false;
    const qint64 newId = query.lastInsertId().toLongLong();
    if (!transaction.commit(error))
        return false;
    if (id)
        *id = newId;
    return true;
}

bool fetchTemplate(const Database& database, qint64 id, QByteArray& bytes, QString* error)
{
    if (!checkOpen(database, error))
        return false;
    QSqlQuery query(database.connection());
    if (!runSql(query, QStringLiteral("SELECT file FROM templet WHERE id = ?"), {id}, error))
        return false;
    if (!query.next()) {
        if (query.lastError().isValid())
            return reportFailure(error, QStringLiteral("Cannot read template %1: %2")
                                            .arg(id)
                                            .arg(query.lastError().text()));
        return reportFailure(error, missingTemplate(id));
    }
    bytes = query.value(0).toByteArray();
    return true;
}

bool deleteTemplate(Database& database, qint64 id, QString* error)
{
    SqlTransaction transaction(database.connection());
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(database.connection());
    if (!runSql(query, QStringLiteral("DELETE FROM templet WHERE id = ?"), {id}, error))
        return false;
    if (query.numRowsAffected() < 1)
        return reportFailure(error, missingTemplate(id));
    return transaction.commit(error);
}

} // namespace sw
