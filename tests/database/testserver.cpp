#include "testserver.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

namespace sw::test {

QString url(QString* whyNot)
{
    const QString given = qEnvironmentVariable("SW_TEST_POSTGRES_URL");
    if (!given.isEmpty())
        return given;
    if (whyNot) {
        const QString reason = qEnvironmentVariable("SW_TEST_POSTGRES_SKIP");
        *whyNot = reason.isEmpty() ? QStringLiteral("no PostgreSQL test server: run the tests "
                                                    "through scripts/with-postgres.sh")
                                   : QStringLiteral("no PostgreSQL test server: ") + reason;
    }
    return QString();
}

bool administer(const QString& sql, QString* error)
{
    const QUrl server(url());
    if (!server.isValid())
        return false;
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("test-administrator-%1").arg(++counter);
    bool ok = false;
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        connection.setHostName(server.host());
        connection.setPort(server.port(5432));
        connection.setUserName(server.userName());
        connection.setPassword(server.password());
        connection.setDatabaseName(server.path().mid(1));
        QSqlQuery query(connection);
        ok = connection.open() && query.exec(sql);
        if (!ok && error)
            *error = connection.isOpen() ? query.lastError().text() : connection.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QString freshSchemaUrl(QString* whyNot)
{
    const QString base = url(whyNot);
    if (base.isEmpty())
        return QString();
    static std::atomic<int> counter{0};
    const QString schema =
        QStringLiteral("test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    QString error;
    if (!administer(QStringLiteral("CREATE SCHEMA %1").arg(schema), &error)) {
        if (whyNot)
            *whyNot = QStringLiteral("cannot prepare the PostgreSQL test server: ") + error;
        return QString();
    }
    return base + QStringLiteral("?options=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("-c search_path=") + schema));
}

} // namespace sw::test
