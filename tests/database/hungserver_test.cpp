#include "database/loopbacklistener.h"
#include "testserver.h"

#include "storage/database.h"
#include "storage/templatelibrary.h"

#include <QSqlDatabase>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace sw::test {
namespace {

// Passes one connection through to the test server until told to go silent:
// then it keeps the connection open and passes nothing more, like a server
// that hung after the login.
class FreezingProxy
{
public:
    explicit FreezingProxy(quint16 serverPort)
        : m_serverPort(serverPort), m_listener([this](LoopbackListener& l) { relay(l); })
    {
    }

    quint16 port() const { return m_listener.port(); }
    void freeze() { m_frozen = true; }

private:
    void relay(LoopbackListener& listener)
    {
        int client = -1;
        while (!listener.stopping() && client < 0)
            client = listener.acceptBriefly();
        if (client < 0)
            return;
        const int server = LoopbackListener::connectTo(m_serverPort);
        pollfd ends[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        char buffer[65536];
        while (server >= 0 && !listener.stopping()) {
            if (m_frozen) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            if (poll(ends, 2, 100) <= 0)
                continue;
            bool closed = false;
            for (int i = 0; i < 2; ++i) {
                if (!(ends[i].revents & (POLLIN | POLLHUP)))
                    continue;
                const ssize_t n = read(ends[i].fd, buffer, sizeof buffer);
                closed = closed || n <= 0 || write(ends[1 - i].fd, buffer, size_t(n)) != n;
            }
            if (closed)
                break;
        }
        if (server >= 0)
            close(server);
        close(client);
    }

    quint16 m_serverPort;
    std::atomic<bool> m_frozen{false};
    LoopbackListener m_listener; // last: its thread stops before the rest goes
};

TEST(HungServer, AServerThatStopsAnsweringAfterTheLoginIsCutOffAndNamed)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        GTEST_SKIP() << "the PostgreSQL driver of Qt SQL (libqt6sql6-psql) is not installed";
    QString whyNot;
    const QString location = freshSchemaUrl(&whyNot);
    if (location.isEmpty())
        GTEST_SKIP() << whyNot.toStdString();
    QUrl url(location);
    FreezingProxy proxy(quint16(url.port(5432)));
    ASSERT_NE(proxy.port(), 0);
    url.setPort(proxy.port());

    sw::Database database;
    // Short, but long enough for a loaded machine to make the tables.
    database.setBusyTimeout(3000);
    QString error;
    ASSERT_TRUE(database.open(url.toString(QUrl::FullyEncoded), &error)) << error.toStdString();
    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(database, entries, &error)) << error.toStdString();

    proxy.freeze();
    EXPECT_FALSE(sw::listTemplates(database, entries, &error));
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("与数据库服务器 127.0.0.1:%1 的连接断开了：服务器").arg(proxy.port())))
        << error.toStdString();
}

} // namespace
} // namespace sw::test
