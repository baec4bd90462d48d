#include "database/loopbacklistener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sw::test {

namespace {

sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

} // namespace

LoopbackListener::LoopbackListener(std::function<void(LoopbackListener&)> serve)
{
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(m_listener, 4) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this, serve = std::move(serve)] { serve(*this); });
}

LoopbackListener::~LoopbackListener()
{
    stop();
    close(m_listener);
}

void LoopbackListener::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

int LoopbackListener::acceptBriefly()
{
    pollfd accepting{m_listener, POLLIN, 0};
    if (poll(&accepting, 1, 100) <= 0)
        return -1;
    return accept(m_listener, nullptr, nullptr);
}

int LoopbackListener::connectTo(quint16 port)
{
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    if (connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return server;
    close(server);
    return -1;
}

} // namespace sw::test
