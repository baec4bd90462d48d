#pragma once

#include <QSqlDatabase>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace sw {

// Cuts a server connection whose statement gets no answer in time. libpq
// waits for an answer for ever, so a server that stopped answering after the
// login (hung, or its network gone without a word) would hang the program:
// shutting the socket down ends the wait with an error instead. Opening a
// connection is watched too: after the login the driver runs statements of
// its own.
class StatementWatchdog
{
public:
    StatementWatchdog();
    ~StatementWatchdog();
    StatementWatchdog(const StatementWatchdog&) = delete;
    StatementWatchdog& operator=(const StatementWatchdog&) = delete;

    // Watches the connection's socket while it lives; a connection being
    // opened, from the socket its login leaves.
    class Watch
    {
    public:
        Watch(StatementWatchdog* dog, const QSqlDatabase& connection, int milliseconds);
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

    private:
        StatementWatchdog* m_dog;
    };

    // Whether the watchdog cut the connection since the last call.
    bool takeFired() { return m_fired.exchange(false); }

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_watching = false;
    int m_socket = -1;                    // known when the watch began
    const QSqlDriver* m_driver = nullptr; // otherwise asked at the deadline
    std::chrono::steady_clock::time_point m_deadline;
    bool m_stopping = false;
    std::atomic<bool> m_fired{false};
    std::thread m_thread;
};

} // namespace sw
