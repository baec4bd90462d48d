#pragma once

#include <QtGlobal>
#include <atomic>
#include <functional>
#include <thread>

namespace sw::test {

// A listening socket on a free loopback port, served on a thread of its own:
// a stand-in for a database server that misbehaves. Declare it after whatever
// its serving function uses, so that it stops first.
class LoopbackListener
{
public:
    // `serve` runs on the thread until it returns; it should return soon
    // after stopping() turns true.
    explicit LoopbackListener(std::function<void(LoopbackListener&)> serve);
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    // Ends the serving thread and waits for it.
    void stop();

    // 0 when no port could be had.
    quint16 port() const { return m_port; }
    bool stopping() const { return m_stopping; }

    // The next client's socket, or -1 when none came within a tenth of a second.
    int acceptBriefly();

    // A socket connected to 127.0.0.1:port, or -1.
    static int connectTo(quint16 port);

private:
    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace sw::test
