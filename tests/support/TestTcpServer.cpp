#include "support/TestTcpServer.h"

#include <algorithm>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

CTestTcpServer::CTestTcpServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_listener, 256);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
}

CTestTcpServer::~CTestTcpServer()
{
    Stop();
    ::close(m_listener);
}

void CTestTcpServer::Start()
{
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

void CTestTcpServer::Stop()
{
    if (m_bStopping.exchange(true)) {
        return;
    }
    ReleaseStalled();
    ::shutdown(m_listener, SHUT_RDWR);
    if (m_acceptor.joinable()) {
        m_acceptor.join();
    }
    std::vector<std::thread> connections;
    {
        const std::lock_guard lock(m_mutex);
        for (const int client : m_clients) {
            ::shutdown(client, SHUT_RDWR);
        }
        connections.swap(m_connections);
    }
    for (std::thread& connection : connections) {
        connection.join();
    }
}

void CTestTcpServer::ReleaseStalled()
{
    {
        const std::lock_guard lock(m_mutex);
        m_bReleased = true;
    }
    m_release.notify_all();
}

bool CTestTcpServer::WaitUnlessReleased(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_mutex);
    return !m_release.wait_for(lock, duration, [this] { return m_bReleased; });
}

void CTestTcpServer::AcceptLoop()
{
    for (;;) {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (m_bStopping) {
                return;
            }
            continue;
        }
        ++m_accepted;
        const int open = ++m_open;
        int most = m_mostOpen.load();
        while (open > most && !m_mostOpen.compare_exchange_weak(most, open)) {
        }
        const std::lock_guard lock(m_mutex);
        m_clients.push_back(client);
        m_connections.emplace_back([this, client] { RunConnection(client); });
    }
}

void CTestTcpServer::RunConnection(int client)
{
    Serve(client);
    {
        const std::lock_guard lock(m_mutex);
        m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), client), m_clients.end());
    }
    ::close(client);
    --m_open;
}
