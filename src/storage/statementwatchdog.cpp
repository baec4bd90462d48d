#include "storage/statementwatchdog.h"

#include <QSqlDriver>
#include <QVariant>
#include <dlfcn.h>
#include <libpq-fe.h>
#include <sys/socket.h>

namespace sw {

namespace {

// While the login of a connection being opened is under way there is no
// socket to cut yet (libpq's connect timeout bounds the login): look again
// this often.
constexpr auto LoginRetry = std::chrono::milliseconds(200);

// libpq's PQsocket, from the copy that Qt's PostgreSQL driver loaded. Linking
// libpq ourselves would load it and the twenty libraries it needs (TLS,
// Kerberos, LDAP) into every start of the programs, which costs more than
// most commands take; a PostgreSQL connection has it loaded already.
using SocketFunction = int (*)(const PGconn*);

SocketFunction socketFunction()
{
    static const SocketFunction function = [] {
        void* const library = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        return library ? reinterpret_cast<SocketFunction>(dlsym(library, "PQsocket")) : nullptr;
    }();
    return function;
}

// The socket of a PostgreSQL connection; -1 for another driver or none yet.
int serverSocket(const QSqlDriver* driver)
{
    const QVariant handle = driver ? driver->handle() : QVariant();
    // Qt names the type by the struct's tag.
    const char* const type = handle.typeName();
    if (!type || (qstrcmp(type, "pg_conn*") != 0 && qstrcmp(type, "PGconn*") != 0))
        return -1;
    PGconn* const pg = *static_cast<PGconn* const*>(handle.constData());
    const SocketFunction socketOf = socketFunction();
    return pg && socketOf ? socketOf(pg) : -1;
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
    const int socket = serverSocket(connection.driver());
    {
        const std::lock_guard lock(m_dog->m_mutex);
        m_dog->m_watching = true;
        m_dog->m_socket = socket;
        m_dog->m_driver = connection.driver();
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
        m_dog->m_watching = false;
        m_dog->m_socket = -1;
        m_dog->m_driver = nullptr;
    }
    m_dog->m_changed.notify_all();
}

void StatementWatchdog::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_watching) {
            m_changed.wait(lock);
            continue;
        }
        const auto deadline = m_deadline;
        if (m_changed.wait_until(lock, deadline) != std::cv_status::timeout || !m_watching ||
            m_deadline != deadline)
            continue;
        // A connection being opened: the driver keeps the handle that the
        // login left, and the thread that opens it waits inside libpq now.
        const int socket = m_socket >= 0 ? m_socket : serverSocket(m_driver);
        if (socket < 0) {
            m_deadline = deadline + LoginRetry;
            continue;
        }
        // The blocked statement sees the connection end and fails; it must
        // find the mark already set when it asks why.
        m_fired = true;
        shutdown(socket, SHUT_RDWR);
        m_watching = false;
        m_socket = -1;
    }
}

} // namespace sw
