#include "enginefixture.h"

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "storage/templatelibrary.h"
#include "storage/templateloading.h"
#include "storage/wizardsettingsstore.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QUrl>
#include <gtest/gtest.h>

namespace sw::test {

namespace {

bool hasPostgresDriver()
{
    return QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"));
}

QString serverOf(const QString& location)
{
    const QUrl url(location);
    return QStringLiteral("%1:%2").arg(url.host()).arg(url.port(5432));
}

void execute(const sw::Database& database, const QString& sql)
{
    QSqlQuery query(database.connection());
    ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
}

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(SW_CLI_PATH), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

// Failures to reach a server need no server running.
class PostgresConnecting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!hasPostgresDriver())
            GTEST_SKIP() << "the PostgreSQL driver of Qt SQL (libqt6sql6-psql) is not installed";
    }
};

TEST_F(PostgresConnecting, NothingListeningNamesTheServer)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();

    sw::Database database;
    QString error;
    EXPECT_FALSE(
        database.open(QStringLiteral("postgresql://office@127.0.0.1:%1/exams").arg(port), &error));
    EXPECT_FALSE(database.isOpen());
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("不能连接数据库服务器 127.0.0.1:%1（用户 office）：").arg(port)))
        << error.toStdString();
}

// A server that takes the connection but never answers runs into the timeout.
TEST_F(PostgresConnecting, ASilentServerTimesOut)
{
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    sw::Database database;
    database.setConnectTimeout(2);
    QString error;
    EXPECT_FALSE(database.open(
        QStringLiteral("postgresql://office@127.0.0.1:%1/exams").arg(silent.serverPort()), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("127.0.0.1:%1").arg(silent.serverPort())))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("timeout"))) << error.toStdString();
}

class PostgresServer : public EngineFixture
{
};

TEST_P(PostgresServer, ThePathNeverShowsThePassword)
{
    const QUrl url(location());
    ASSERT_FALSE(url.password().isEmpty());
    EXPECT_EQ(database.engine(), sw::DatabaseEngine::PostgreSQL);
    EXPECT_EQ(database.path(), QStringLiteral("postgresql://%1@%2/%3")
                                   .arg(url.userName(), serverOf(location()), url.path().mid(1)));
}

TEST_P(PostgresServer, ARefusedLoginNamesTheServerAndUser)
{
    QUrl wrong(location());
    wrong.setPassword(QStringLiteral("not-the-password"));
    sw::Database other;
    QString error;
    EXPECT_FALSE(other.open(wrong.toString(QUrl::FullyEncoded), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("不能连接数据库服务器 %1（用户 %2）：")
                                     .arg(serverOf(location()), wrong.userName())))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("password authentication failed")))
        << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("not-the-password")));
}

// The server ends this program's session, as a restart or an administrator
// would: the failure names the server, the open document stays as it was,
// and the next piece of work connects again.
TEST_P(PostgresServer, ADroppedConnectionIsReportedAndMadeAgain)
{
    qint64 id = 0;
    sw::TVectorGraphics source(96);
    source.NewPage(-1, -1);
    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.SaveToStream(sw::SaveAllShapes, stream));
    ASSERT_TRUE(sw::storeTemplate(database, QStringLiteral("kept"), stream.data(),
                                  QDateTime::currentDateTime(), &id));
    const auto dropConnection = [this] {
        QSqlQuery query(database.connection());
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT pg_backend_pid()")) && query.next());
        ASSERT_TRUE(administer(
            QStringLiteral("SELECT pg_terminate_backend(%1)").arg(query.value(0).toLongLong())));
    };
    const QString lost =
        QStringLiteral("与数据库服务器 %1 的连接断开了：").arg(serverOf(location()));

    dropConnection();
    sw::TVectorGraphics document(96);
    document.NewPage(-1, -1);
    document.NewPage(-1, -1);
    sw::TVectorGraph* const firstPage = document.PageAt(0);
    QString error;
    EXPECT_FALSE(sw::loadTemplateIntoDocument(database, id, document, &error));
    EXPECT_TRUE(error.startsWith(lost)) << error.toStdString();
    EXPECT_EQ(document.PageCount(), 2);
    EXPECT_EQ(document.PageAt(0), firstPage);

    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(database, entries, &error)) << error.toStdString();
    ASSERT_EQ(entries.size(), 1);

    dropConnection();
    EXPECT_FALSE(sw::storeTemplate(database, QStringLiteral("new"), "x",
                                   QDateTime::currentDateTime(), nullptr, &error));
    EXPECT_TRUE(error.startsWith(lost)) << error.toStdString();
    ASSERT_TRUE(sw::loadTemplateIntoDocument(database, id, document, &error))
        << error.toStdString();
    EXPECT_EQ(document.PageCount(), 1);
}

TEST_P(PostgresServer, MissingTablesAreAddedBesideOtherOnes)
{
    execute(database, QStringLiteral("CREATE TABLE other (x INTEGER)"));
    execute(database, QStringLiteral("INSERT INTO other VALUES (7)"));
    execute(database, QStringLiteral("DROP TABLE pageset"));
    database.close();

    QString error;
    ASSERT_TRUE(database.open(location(), &error)) << error.toStdString();
    QSqlQuery query(database.connection());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT x FROM other")) && query.next());
    EXPECT_EQ(query.value(0).toInt(), 7);
    query.finish();
    sw::WizardSettings settings;
    ASSERT_TRUE(sw::storeWizardSettings(database, settings, &error)) << error.toStdString();
}

TEST_P(PostgresServer, ATableLackingAColumnIsRefused)
{
    execute(database, QStringLiteral("ALTER TABLE templet DROP COLUMN date"));
    const QString shown = database.path();
    database.close();
    QString error;
    EXPECT_FALSE(database.open(location(), &error));
    EXPECT_EQ(error,
              QStringLiteral("数据库 %1 不能用作 Sheetwright 的数据库：表 templet 缺少列 date")
                  .arg(shown));
}

TEST_P(PostgresServer, TheCommandLineToolUsesTheServer)
{
    sw::TVectorGraphics sheet(96);
    sheet.NewPage(-1, -1);
    const QString path = folder.filePath(QStringLiteral("sheet.exm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sheet.SaveToStream(sw::SaveAllShapes, file));
    file.close();

    const CliRun added = runCli({"library", "--db", location(), "add", "期中", path});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    const CliRun listed = runCli({"library", "--db", location(), "list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_TRUE(listed.out.startsWith(added.out.trimmed() + QStringLiteral("\t期中\t")))
        << listed.out.toStdString();
    const CliRun fetched =
        runCli({"library", "--db", location(), "get", added.out.trimmed(), path + ".got"});
    EXPECT_EQ(fetched.exitCode, 0) << fetched.err.toStdString();

    QUrl wrong(location());
    wrong.setPassword(QStringLiteral("not-the-password"));
    const CliRun refused = runCli({"library", "--db", wrong.toString(QUrl::FullyEncoded), "list"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(serverOf(location()))) << refused.err.toStdString();
    EXPECT_FALSE(refused.err.contains(QStringLiteral("not-the-password")));
}

INSTANTIATE_TEST_SUITE_P(Server, PostgresServer, ::testing::Values(sw::DatabaseEngine::PostgreSQL),
                         engineName);

} // namespace sw::test
