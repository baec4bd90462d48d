#include "database/loopbacklistener.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QStringList>
#include <arpa/inet.h>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace sw::test {
namespace {

// Requests a client may send before its startup message: SSL and GSS
// encryption, which this server declines.
constexpr quint32 SslRequest = 80877103;
constexpr quint32 GssRequest = 80877104;

// A server that takes connections and then never answers: not even the
// login, or nothing after it (it lets every login in, as a server that hung
// right after would have).
class HungServer
{
public:
    enum Stage
    {
        BeforeTheLogin,
        AfterTheLogin,
    };

    explicit HungServer(Stage stage)
        : m_stage(stage), m_listener([this](LoopbackListener& l) { serve(l); })
    {
    }

    ~HungServer()
    {
        m_listener.stop();
        for (const int client : m_clients)
            close(client);
    }

    quint16 port() const { return m_listener.port(); }

private:
    static bool readFully(int fd, char* buffer, std::size_t size)
    {
        for (std::size_t done = 0; done < size;) {
            const ssize_t n = read(fd, buffer + done, size - done);
            if (n <= 0)
                return false;
            done += std::size_t(n);
        }
        return true;
    }

    static void appendMessage(QByteArray& out, char type, const QByteArray& body)
    {
        const quint32 length = htonl(quint32(body.size() + 4));
        out += type;
        out += QByteArray(reinterpret_cast<const char*>(&length), 4);
        out += body;
    }

    // Reads the startup message, declining encryption, and lets the login in.
    static void letIn(int client)
    {
        for (;;) {
            char header[8];
            if (!readFully(client, header, 4))
                return;
            quint32 length = 0;
            std::memcpy(&length, header, 4);
            length = ntohl(length);
            if (length < 8 || length > 10000)
                return;
            std::vector<char> body(length - 4);
            if (!readFully(client, body.data(), body.size()))
                return;
            quint32 code = 0;
            std::memcpy(&code, body.data(), 4);
            code = ntohl(code);
            if (code != SslRequest && code != GssRequest)
                break;
            if (write(client, "N", 1) != 1)
                return;
        }
        QByteArray out;
        appendMessage(out, 'R', QByteArray(4, '\0')); // no password asked
        for (const auto& [name, value] :
             {std::pair{"server_version", "16.0"}, std::pair{"client_encoding", "UTF8"},
              std::pair{"standard_conforming_strings", "on"}, std::pair{"integer_datetimes", "on"},
              std::pair{"DateStyle", "ISO, MDY"}})
            appendMessage(out, 'S', QByteArray(name) + '\0' + QByteArray(value) + '\0');
        appendMessage(out, 'K', QByteArray(8, '\1'));
        appendMessage(out, 'Z', QByteArray("I"));
        if (write(client, out.constData(), std::size_t(out.size())) != out.size())
            return;
    }

    void serve(LoopbackListener& listener)
    {
        while (!listener.stopping()) {
            const int client = listener.acceptBriefly();
            if (client < 0)
                continue;
            m_clients.push_back(client);
            if (m_stage == AfterTheLogin)
                letIn(client);
        }
    }

    Stage m_stage;
    std::vector<int> m_clients;
    LoopbackListener m_listener; // last: its thread stops before the rest goes
};

struct HungCase
{
    const char* name;
    HungServer::Stage stage;
    const char* reason; // how the message ends
};

class CliAgainstAHungServer : public ::testing::TestWithParam<HungCase>
{
};

// The command gives up with one message of its own naming the server, and
// nothing of the driver's.
TEST_P(CliAgainstAHungServer, SaysOnlyThatTheServerDoesNotAnswer)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        GTEST_SKIP() << "the PostgreSQL driver of Qt SQL (libqt6sql6-psql) is not installed";
    const HungCase& c = GetParam();
    HungServer server(c.stage);
    ASSERT_NE(server.port(), 0);
    QProcess process;
    process.start(QStringLiteral(SW_CLI_PATH),
                  {QStringLiteral("library"), QStringLiteral("--db"),
                   QStringLiteral("postgresql://office@127.0.0.1:%1/exams").arg(server.port()),
                   QStringLiteral("list")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    const QStringList lines = QString::fromUtf8(process.readAllStandardError())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines.front().startsWith(
        QStringLiteral("不能连接数据库服务器 127.0.0.1:%1（用户 office）：").arg(server.port())))
        << lines.front().toStdString();
    EXPECT_TRUE(lines.front().endsWith(QString::fromUtf8(c.reason))) << lines.front().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Stages, CliAgainstAHungServer,
    ::testing::Values(HungCase{"BeforeTheLogin", HungServer::BeforeTheLogin, "timeout expired"},
                      HungCase{"AfterTheLogin", HungServer::AfterTheLogin, "秒内没有应答"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace sw::test
