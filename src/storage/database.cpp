#include "storage/database.h"

#include "storage/databaseschema.h"
#include "storage/quietdriver.h"
#include "storage/sqlsupport.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <atomic>

namespace sw {

namespace {

QString driverName(DatabaseEngine engine)
{
    return engine == DatabaseEngine::PostgreSQL ? QStringLiteral("QPSQL")
                                                : QStringLiteral("QSQLITE");
}

QString missingDriver(DatabaseEngine engine)
{
    return engine == DatabaseEngine::PostgreSQL
               ? QStringLiteral("没有安装 Qt SQL 的 PostgreSQL 驱动（QPSQL，Debian 软件包 "
                                "libqt6sql6-psql）")
               : QStringLiteral("没有安装 Qt SQL 的 SQLite 驱动（QSQLITE，Debian 软件包 "
                                "libqt6sql6-sqlite）");
}

// What a statement of the program may take beyond waiting for a lock; the
// server cancels it then. A server that does not even answer that is cut
// off a little later.
constexpr int StatementRunMs = 2000;
constexpr int UnansweredMs = 1000;

QString unansweredReason(int milliseconds)
{
    return QStringLiteral("服务器 %1 秒内没有应答").arg(milliseconds / 1000.0);
}

// A libpq connection parameter value in single quotes.
QString quoted(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

QString postgresOptions(const DatabaseLocation& location, int connectTimeoutSeconds,
                        int busyTimeoutMs)
{
    // Keepalives notice a server that vanished without closing the connection.
    QList<QPair<QString, QString>> options = {
        {QStringLiteral("connect_timeout"), QString::number(connectTimeoutSeconds)},
        {QStringLiteral("application_name"), QStringLiteral("sheetwright")},
        {QStringLiteral("keepalives_idle"), QStringLiteral("10")},
        {QStringLiteral("keepalives_interval"), QStringLiteral("3")},
        {QStringLiteral("keepalives_count"), QStringLiteral("3")},
    };
    // Server settings of the URL's own "options" come after the timeouts. A
    // statement may wait for a lock, and then run a little while.
    QString serverSettings = QStringLiteral("-c lock_timeout=%1 -c statement_timeout=%2")
                                 .arg(busyTimeoutMs)
                                 .arg(busyTimeoutMs + StatementRunMs);
    for (const auto& [name, value] : location.options) {
        if (name == QLatin1String("options"))
            serverSettings += QLatin1Char(' ') + value;
        else
            options.append({name, value}); // later ones win in libpq
    }
    options.append({QStringLiteral("options"), serverSettings});
    QStringList parts;
    for (const auto& [name, value] : options)
        parts << name + QLatin1Char('=') + quoted(value);
    return parts.join(QLatin1Char(';'));
}

// Registers the connection without opening it. The handle goes out of scope
// here, so that close() can remove the connection.
void addConnection(const QString& name, const DatabaseLocation& location, int connectTimeoutSeconds,
                   int busyTimeoutMs)
{
    QSqlDatabase connection = QSqlDatabase::addDatabase(driverName(location.engine), name);
    if (location.engine == DatabaseEngine::SQLite) {
        connection.setDatabaseName(location.filePath);
        connection.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        return;
    }
    connection.setHostName(location.host);
    connection.setPort(location.port);
    connection.setUserName(location.user);
    connection.setPassword(location.password);
    connection.setDatabaseName(location.databaseName);
    connection.setConnectOptions(postgresOptions(location, connectTimeoutSeconds, busyTimeoutMs));
}

bool isBusy(DatabaseEngine engine, const QSqlError& sqlError)
{
    const QString code = sqlError.nativeErrorCode();
    if (engine == DatabaseEngine::PostgreSQL)
        return code == QLatin1String("55P03") || code == QLatin1String("40P01");
    // SQLITE_BUSY and SQLITE_LOCKED with their extended codes in the high bits.
    bool numeric = false;
    const int primary = code.toInt(&numeric) & 0xff;
    return numeric && (primary == 5 || primary == 6);
}

// Taken while creating tables on a server, so that two programs doing it at
// once take turns.
constexpr qint64 SchemaLockKey = 0x5368656574577274; // "SheetWrt"

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

bool Database::open(const QString& location, QString* error)
{
    close();
    DatabaseLocation parsed;
    if (!parseDatabaseLocation(location, parsed, error))
        return false;
    if (!QSqlDatabase::isDriverAvailable(driverName(parsed.engine)))
        return reportFailure(error, missingDriver(parsed.engine));
    if (parsed.engine == DatabaseEngine::SQLite) {
        // SQLite would open a private temporary database for an empty name.
        if (location.isEmpty())
            return reportFailure(error, QStringLiteral("没有指定数据库文件"));
        const QFileInfo info(location);
        if (info.exists() && !info.isFile())
            return reportFailure(error, QStringLiteral("数据库路径 %1 不是文件").arg(location));
    }

    m_location = parsed;
    m_path = parsed.displayName();
    if (parsed.engine == DatabaseEngine::PostgreSQL && !m_watchdog)
        m_watchdog = std::make_unique<StatementWatchdog>();
    m_connectionName = nextConnectionName();
    addConnection(m_connectionName, parsed, m_connectTimeoutSeconds, m_busyTimeoutMs);

    // Another program may have created the file meanwhile and stored rows in
    // it, so a failure here closes the connection and leaves the file alone.
    if (connect(error) && prepareSchema(error))
        return true;
    close();
    return false;
}

void Database::close()
{
    if (m_connectionName.isEmpty())
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
    m_path.clear();
    m_location = DatabaseLocation();
    m_lost = false;
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

bool Database::connect(QString* error) const
{
    QSqlDatabase handle = connection();
    handle.close();
    bool opened = false;
    {
        // After the login the driver runs statements of its own, which a
        // server that stopped answering would hold for ever; its warnings
        // about them would reach stderr raw.
        const StatementWatchdog::Watch watch(
            m_location.engine == DatabaseEngine::PostgreSQL ? m_watchdog.get() : nullptr, handle,
            openingLimitMs());
        const QuietDriver quiet;
        opened = handle.open();
    }
    // The driver opens the connection even when its own statements failed.
    const bool unanswered = m_watchdog && m_watchdog->takeFired();
    if (opened && !unanswered) {
        m_lost = false;
        return true;
    }
    const QString reason =
        unanswered ? unansweredReason(openingLimitMs()) : sqlReason(handle.lastError());
    handle.close();
    if (m_location.engine == DatabaseEngine::PostgreSQL)
        return reportFailure(error,
                             QStringLiteral("不能连接数据库服务器 %1%2：%3")
                                 .arg(m_location.server(),
                                      m_location.user.isEmpty()
                                          ? QString()
                                          : QStringLiteral("（用户 %1）").arg(m_location.user),
                                      reason));
    return reportFailure(error, QStringLiteral("不能打开数据库 %1：%2").arg(m_path, reason));
}

bool Database::ready(QString* error) const
{
    if (m_connectionName.isEmpty())
        return reportFailure(error, QStringLiteral("数据库没有打开"));
    return !m_lost || connect(error);
}

int Database::statementLimitMs() const
{
    return m_busyTimeoutMs + StatementRunMs + UnansweredMs;
}

int Database::openingLimitMs() const
{
    return m_connectTimeoutSeconds * 1000 + StatementRunMs + UnansweredMs;
}

StatementWatchdog::Watch Database::watchStatement() const
{
    return {m_location.engine == DatabaseEngine::PostgreSQL ? m_watchdog.get() : nullptr,
            connection(), statementLimitMs()};
}

bool Database::run(QSqlQuery& query, const QString& sql, const QVariantList& values,
                   QString* error) const
{
    const auto watch = watchStatement();
    if (runSql(query, sql, values))
        return true;
    return reportFailure(
        error, describeFailure(QStringLiteral("数据库 %1 执行语句失败（%2）").arg(m_path, sql),
                               query.lastError()));
}

QString Database::describeFailure(const QString& what, const QSqlError& sqlError) const
{
    const QString reason = sqlReason(sqlError);
    if (m_watchdog && m_watchdog->takeFired()) {
        m_lost = true;
        return QStringLiteral("与数据库服务器 %1 的连接断开了：%2")
            .arg(m_location.server(), unansweredReason(statementLimitMs()));
    }
    if (isBusy(m_location.engine, sqlError))
        return QStringLiteral("数据库 %1 正忙：另一个程序锁住它已超过 %2 秒，请稍后再试。（%3）")
            .arg(m_path)
            .arg(m_busyTimeoutMs / 1000.0)
            .arg(reason);
    if (connectionLost(sqlError)) {
        m_lost = true;
        // libpq says nothing when the server went away between two statements.
        return QStringLiteral("与数据库服务器 %1 的连接断开了：%2")
            .arg(m_location.server(),
                 reason.isEmpty() ? QStringLiteral("服务器关闭了连接") : reason);
    }
    return reason.isEmpty() ? what : QStringLiteral("%1：%2").arg(what, reason);
}

// A broken server connection shows as an error without SQLSTATE (libpq's own),
// a connection exception (class 08) or the server shutting down (57P0x).
bool Database::connectionLost(const QSqlError& sqlError) const
{
    if (m_location.engine != DatabaseEngine::PostgreSQL)
        return false;
    const QString code = sqlError.nativeErrorCode();
    if (code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P")))
        return true;
    if (!code.isEmpty())
        return false;
    QSqlQuery probe(connection());
    const auto watch = watchStatement();
    return !probe.exec(QStringLiteral("SELECT 1"));
}

bool Database::lockForWriting(const QString& table, QString* error) const
{
    // SQLite's immediate transaction already keeps other writers out.
    if (m_location.engine != DatabaseEngine::PostgreSQL)
        return true;
    QSqlQuery query(connection());
    return run(query, QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(table), {},
               error);
}

// Completes a new or empty database with the tables in one transaction, which
// a second program doing the same waits for and then finds done.
bool Database::prepareSchema(QString* error)
{
    QString missing;
    if (!inspectSchema(missing, error))
        return false;
    if (missing.isEmpty())
        return true;
    SqlTransaction transaction(*this);
    if (!transaction.begun(error))
        return false;
    if (!createMissingTables(error) || !inspectSchema(missing, error))
        return false;
    if (!missing.isEmpty())
        return reportFailure(
            error,
            QStringLiteral("数据库 %1 不能用作 Sheetwright 的数据库：%2").arg(m_path, missing));
    return transaction.commit(error);
}

// Sets `missing` to the first table or column the program needs that is not
// there, or empties it.
bool Database::inspectSchema(QString& missing, QString* error) const
{
    const auto failed = [&](const QSqlQuery& query) {
        if (isBusy(m_location.engine, query.lastError()) || connectionLost(query.lastError()))
            return reportFailure(error, describeFailure(QString(), query.lastError()));
        return reportFailure(error, QStringLiteral("数据库 %1 不能用作 Sheetwright 的数据库：%2")
                                        .arg(m_path, sqlReason(query.lastError())));
    };
    QSqlQuery query(connection());
    const auto watch = watchStatement();
    if (!runSql(query, listTablesStatement(m_location.engine)))
        return failed(query);
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    query.finish();

    missing.clear();
    for (const TableSchema& table : databaseSchema(m_location.engine)) {
        if (!tables.contains(table.name, Qt::CaseInsensitive)) {
            missing = QStringLiteral("缺少表 %1").arg(table.name);
            return true;
        }
        if (!runSql(query, listColumnsStatement(m_location.engine), {table.name}))
            return failed(query);
        QStringList columns;
        while (query.next())
            columns << query.value(0).toString();
        query.finish();
        for (const TableSchema::Column& column : table.columns)
            if (!columns.contains(column.name, Qt::CaseInsensitive)) {
                missing = QStringLiteral("表 %1 缺少列 %2").arg(table.name, column.name);
                return true;
            }
    }
    return true;
}

// Inside the schema transaction. A SQLite file gets the tables only while it
// holds none, so a database of another program is refused rather than
// changed; a server database, often shared with other programs, gets the
// tables it lacks.
bool Database::createMissingTables(QString* error) const
{
    QSqlQuery query(connection());
    if (m_location.engine == DatabaseEngine::PostgreSQL) {
        // CREATE TABLE IF NOT EXISTS alone is not safe against a concurrent creator.
        if (!run(query, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLockKey), {},
                 error))
            return false;
    } else {
        const auto watch = watchStatement();
        if (!runSql(query, listTablesStatement(m_location.engine)))
            return reportFailure(error, describeFailure(QString(), query.lastError()));
        const bool empty = !query.next();
        query.finish();
        if (!empty)
            return true;
    }
    for (const TableSchema& table : databaseSchema(m_location.engine))
        if (!run(query, table.createStatement(), {}, error))
            return false;
    return true;
}

} // namespace sw
