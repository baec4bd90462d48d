#include "storage/databaselocation.h"

#include "storage/sqlsupport.h"

#include <QUrl>
#include <QUrlQuery>

namespace sw {

namespace {

const QStringList UrlSchemes = {QStringLiteral("postgresql"), QStringLiteral("postgres")};

// Option names are passed to libpq as they stand, so keep them to its own
// alphabet; values are quoted by the driver's caller.
bool isOptionName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            return false;
    return true;
}

} // namespace

QString DatabaseLocation::server() const
{
    // An IPv6 address is bracketed, as in a URL.
    const QString shown =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return QStringLiteral("%1:%2").arg(shown).arg(port);
}

QString DatabaseLocation::displayName() const
{
    if (engine == DatabaseEngine::SQLite)
        return filePath;
    const QString who = user.isEmpty() ? QString() : user + QLatin1Char('@');
    return QStringLiteral("postgresql://%1%2/%3").arg(who, server(), databaseName);
}

bool isDatabaseUrl(const QString& text)
{
    for (const QString& scheme : UrlSchemes)
        if (text.startsWith(scheme + QStringLiteral("://"), Qt::CaseInsensitive))
            return true;
    return false;
}

bool parseDatabaseLocation(const QString& text, DatabaseLocation& location, QString* error)
{
    if (!isDatabaseUrl(text)) {
        location = DatabaseLocation();
        location.filePath = text;
        return true;
    }
    const QUrl url(text);
    // Never repeat a password in a message.
    const QString shown =
        url.isValid() ? url.toString(QUrl::RemovePassword) : text.section(QLatin1Char('@'), -1);
    const auto refuse = [&](const QString& why) {
        return reportFailure(error, QStringLiteral("数据库地址 %1 不可用：%2").arg(shown, why));
    };
    // Qt's reason ends with the whole text, password included.
    if (!url.isValid())
        return refuse(url.errorString().section(QStringLiteral("; source was"), 0, 0));
    if (url.host().isEmpty())
        return refuse(QStringLiteral("没有指明服务器"));
    const QString databaseName = url.path().mid(1);
    if (databaseName.isEmpty() || databaseName.contains(QLatin1Char('/')))
        return refuse(QStringLiteral("没有指明数据库（postgresql://user@host/dbname）"));
    if (url.port() == 0)
        return refuse(QStringLiteral("端口不能为 0"));

    DatabaseLocation result;
    result.engine = DatabaseEngine::PostgreSQL;
    result.host = url.host();
    result.port = url.port(5432);
    result.user = url.userName();
    result.password = url.password();
    result.databaseName = databaseName;
    for (const auto& [name, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (!isOptionName(name))
            return refuse(QStringLiteral("选项名“%1”无效").arg(name));
        // The Qt driver turns ";" into a separator of connection parameters.
        if (value.contains(QLatin1Char(';')))
            return refuse(QStringLiteral("选项 %1 的值含有“;”").arg(name));
        result.options.append({name, value});
    }
    location = result;
    return true;
}

} // namespace sw
