#include "platform/database/database.h"

#include "platform/database/sqlsupport.h"
#include "wizard/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <atomic>

namespace sw {

namespace {

const QString Driver = QStringLiteral("QSQLITE");

struct Column
{
    QString name;
    QString type;
};

struct Table
{
    QString name;
    QList<Column> columns;
};

// The two tables with their column types. AUTOINCREMENT keeps the id of a
// deleted template from naming a later one.
QList<Table> schema()
{
    Table templet{QStringLiteral("templet"),
                  {{QStringLiteral("id"), QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")},
                   {QStringLiteral("file"), QStringLiteral("BLOB")},
                   {QStringLiteral("name"), QStringLiteral("TEXT")},
                   {QStringLiteral("date"), QStringLiteral("DATETIME")}}};
    Table pageset{QStringLiteral("pageset"), {}};
    const QStringList keys = wizardSettingKeys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const bool integer = i < qsizetype(wizardIntegerSettings().size());
        pageset.columns.append(
            {keys[i], integer ? QStringLiteral("INTEGER") : QStringLiteral("TEXT")});
    }
    return {templet, pageset};
}

QString createStatement(const Table& table)
{
    QStringList columns;
    for (const Column& column : table.columns)
        columns << column.name + QLatin1Char(' ') + column.type;
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(table.name, columns.join(QStringLiteral(", ")));
}

QString nextConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("sheetwright-database-%1").arg(++counter);
}

} // namespace

Database::Database() = default;

Database::~Database()
{
    close();
}

bool Database::open(const QString& path, QString* error)
{
    close();
    if (!QSqlDatabase::isDriverAvailable(Driver))
        return reportFailure(
            error, QStringLiteral("The SQLite driver of Qt SQL (%1) is not installed").arg(Driver));
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return reportFailure(error, QStringLiteral("The database path %1 is not a file").arg(path));
    const bool existed = info.exists();

    m_connectionName = nextConnectionName();
    m_path = path;
    QSqlDatabase connection = QSqlDatabase::addDatabase(Driver, m_connectionName);
    connection.setDatabaseName(path);
    const bool opened = connection.open();
    const QString openError = connection.lastError().text();
    connection = QSqlDatabase();

    QString schemaError;
    if (opened && checkSchema(&schemaError))
        return true;
    close();
    if (!existed)
        QFile::remove(path);
    return reportFailure(
        error, opened ? schemaError
                      : QStringLiteral("Cannot open the database %1: %2").arg(path, openError));
}

void Database::close()
{
    if (m_connectionName.isEmpty())
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
    m_path.clear();
}

bool Database::isOpen() const
{
    return !m_connectionName.isEmpty() && connection().isOpen();
}

QSqlDatabase Database::connection() const
{
    return m_connectionName.isEmpty() ? QSqlDatabase()
                                      : QSqlDatabase::database(m_connectionName, false);
}

// Creates the tables in an empty database; otherwise checks that both tables
// and all their columns are there.
bool Database::checkSchema(QString* error)
{
    const QString unusable = QStringLiteral("The file %1 is not a usable Sheetwright database: %2");
    QSqlQuery query(connection());
    QString sqlError;
    if (!runSql(query, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), {},
                &sqlError))
        return reportFailure(error, unusable.arg(m_path, sqlError));
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    query.finish();

    if (tables.isEmpty()) {
        SqlTransaction transaction(connection());
        bool created = transaction.begun(&sqlError);
        for (const Table& table : schema())
            created = created && runSql(query, createStatement(table), {}, &sqlError);
        created = created && transaction.commit(&sqlError);
        return created || reportFailure(error, unusable.arg(m_path, sqlError));
    }

    for (const Table& table : schema()) {
        if (!tables.contains(table.name, Qt::CaseInsensitive))
            return reportFailure(
                error, unusable.arg(m_path, QStringLiteral("table %1 is missing").arg(table.name)));
        if (!runSql(query, QStringLiteral("PRAGMA table_info(%1)").arg(table.name), {}, &sqlError))
            return reportFailure(error, unusable.arg(m_path, sqlError));
        QStringList columns;
        while (query.next())
            columns << query.value(1).toString();
        query.finish();
        for (const Column& column : table.columns)
            if (!columns.contains(column.name, Qt::CaseInsensitive))
                return reportFailure(
                    error, unusable.arg(m_path, QStringLiteral("table %1 has no column %2")
                                                    .arg(table.name, column.name)));
    }
    return true;
}

} // namespace sw
