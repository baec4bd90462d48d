#include "storage/templatelibrary.h"

#include "storage/database.h"
#include "storage/sqlsupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace sw {

namespace {

// Local date and time without zone, as the library has always shown them.
const QString DateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// SQLite keeps the text written; a server gives back a date-time value.
QDateTime storedDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    return QDateTime::fromString(value.toString(), DateFormat);
}

QString missingTemplate(const Database& database, qint64 id)
{
    return QStringLiteral("数据库 %1 的模板库中没有编号为 %2 的模板（可能已被另一个程序删除）")
        .arg(database.path())
        .arg(id);
}

} // namespace

bool listTemplates(const Database& database, QList<TemplateEntry>& entries, QString* error)
{
    if (!database.ready(error))
        return false;
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("SELECT id, name, date FROM templet ORDER BY name, id"),
                      {}, error))
        return false;
    QList<TemplateEntry> result;
    while (query.next())
        result.append(
            {query.value(0).toLongLong(), query.value(1).toString(), storedDate(query.value(2))});
    if (query.lastError().isValid())
        return reportFailure(error,
                             database.describeFailure(
                                 QStringLiteral("不能列出数据库 %1 中的模板").arg(database.path()),
                                 query.lastError()));
    entries = result;
    return true;
}

bool storeTemplate(Database& database, const QString& name, const QByteArray& bytes,
                   const QDateTime& date, qint64* id, QString* error)
{
    if (name.isEmpty())
        return reportFailure(error, QStringLiteral("模板需要名称"));
    if (bytes.isEmpty())
        return reportFailure(error, QStringLiteral("空模板不能保存"));
    if (!date.isValid())
        return reportFailure(error, QStringLiteral("模板需要有效的日期"));
    SqlTransaction transaction(database);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(database.connection());
    if (!database.run(
            query,
            QStringLiteral("INSERT INTO templet (file, name, date) VALUES (?, ?, ?) RETURNING id"),
            {bytes, name, date.toLocalTime().toString(DateFormat)}, error))
        return false;
    if (!query.next())
        return reportFailure(error,
                             database.describeFailure(
                                 QStringLiteral("不能把模板保存到数据库 %1").arg(database.path()),
                                 query.lastError()));
    const qint64 newId = query.value(0).toLongLong();
    query.finish();
    if (!transaction.commit(error))
        return false;
    if (id)
        *id = newId;
    return true;
}

bool fetchTemplate(const Database& database, qint64 id, QByteArray& bytes, QString* error)
{
    if (!database.ready(error))
        return false;
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("SELECT file FROM templet WHERE id = ?"), {id}, error))
        return false;
    if (!query.next()) {
        if (query.lastError().isValid())
            return reportFailure(error, database.describeFailure(
                                            QStringLiteral("不能读取数据库 %1 中编号为 %2 的模板")
                                                .arg(database.path())
                                                .arg(id),
                                            query.lastError()));
        return reportFailure(error, missingTemplate(database, id));
    }
    bytes = query.value(0).toByteArray();
    return true;
}

bool deleteTemplate(Database& database, qint64 id, QString* error)
{
    SqlTransaction transaction(database);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("DELETE FROM templet WHERE id = ?"), {id}, error))
        return false;
    if (query.numRowsAffected() < 1)
        return reportFailure(error, missingTemplate(database, id));
    return transaction.commit(error);
}

} // namespace sw
