#include "storage/statementwatchdog.h"

#include <QSqlDriver>
#include <QVariant>
#include <libpq-fe.h>
#include <sys/socket.h>

namespace sw {

namespace {

// The socket of a PostgreSQL connection; -1 for another driver or none.
int serverSocket(const QSqlDatabase& connection)
{
    const QVariant handle = connection.driver() ? connection.driver()->handle() : QVariant();
    // Qt names the type by the struct's tag.
    const char* const type = handle.typeName();
    if (!type || (qstrcmp(type, "pg_conn*") != 0 && qstrcmp(type, "PGconn*") != 0))
        return -1;
    PGconn* const pg = *static_cast<PGconn* const*>(handle.constData());
    return pg ? PQsocket(pg) : -1;
}

} // namespace

StatementWatchdog::StatementWatchdog() : m_thread([this] { run(); }) {}

StatementWatchdog::~StatementWatchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

StatementWatchdog::Watch::Watch(StatementWatchdog* dog, const QSqlDatabase& connection,
                                int milliseconds)
    : m_dog(dog)
{
    if (!m_dog)
        return;
    const int socket = serverSocket(connection);
    {
        const std::lock_guard lock(m_dog->m_mutex);
        m_dog->m_socket = socket;
        m_dog->m_deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    }
    m_dog->m_changed.notify_all();
}

StatementWatchdog::Watch::~Watch()
{
    if (!m_dog)
        return;
    {
        const std::lock_guard lock(m_dog->m_mutex);
        m_dog->m_socket = -1;
    }
    m_dog->m_changed.notify_all();
}

void StatementWatchdog::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (m_socket < 0) {
            m_changed.wait(lock);
            continue;
        }
        const auto deadline = m_deadline;
        if (m_changed.wait_until(lock, deadline) == std::cv_status::timeout && m_socket >= 0 &&
            m_deadline == deadline) {
            // The blocked statement sees the connection end and fails.
            shutdown(m_socket, SHUT_RDWR);
            m_socket = -1;
            m_fired = true;
        }
    }
}

} // namespace sw
