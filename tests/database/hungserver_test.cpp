#include "testserver.h"

#include "storage/database.h"
#include "storage/templatelibrary.h"

#include <QSqlDatabase>
#include <QUrl>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
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
    explicit FreezingProxy(quint16 serverPort) : m_serverPort(serverPort)
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(m_listener, 4) != 0 ||
            getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { relay(); });
    }

    ~FreezingProxy()
    {
        m_stopping = true;
        if (m_thread.joinable())
            m_thread.join();
        close(m_listener);
    }

    quint16 port() const { return m_port; }
    void freeze() { m_frozen = true; }

private:
    void relay()
    {
        pollfd accepting{m_listener, POLLIN, 0};
        while (!m_stopping && poll(&accepting, 1, 100) == 0) {
        }
        if (m_stopping)
            return;
        const int client = accept(m_listener, nullptr, nullptr);
        const int server = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(m_serverPort);
        if (connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            pollfd ends[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
            char buffer[65536];
            while (!m_stopping) {
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
        }
        close(server);
        close(client);
    }

    quint16 m_serverPort;
    quint16 m_port = 0;
    int m_listener = -1;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_frozen{false};
    std::thread m_thread;
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
