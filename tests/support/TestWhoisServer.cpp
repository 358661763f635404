#include "support/TestWhoisServer.h"

#include <algorithm>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// False when the client has gone.
bool SendAll(int socket, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, static_cast<std::size_t>(size), MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= sent;
    }
    return true;
}

quint32 PeerAddress(int socket)
{
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    ::getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length);
    return ntohl(peer.sin_addr.s_addr);
}

QByteArray ReadQueryLine(int socket)
{
    QByteArray line;
    char c = 0;
    while (line.size() < 1024 && !line.endsWith("\r\n")) {
        pollfd request{socket, POLLIN, 0};
        if (::poll(&request, 1, 5000) <= 0 || ::recv(socket, &c, 1, 0) != 1) {
            break;
        }
        line += c;
    }
    return line;
}

} // namespace

CTestWhoisServer::CTestWhoisServer()
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
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

CTestWhoisServer::~CTestWhoisServer()
{
    m_bStopping = true;
    ReleaseStalled();
    ::shutdown(m_listener, SHUT_RDWR);
    m_acceptor.join();
    ::close(m_listener);
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

QByteArray CTestWhoisServer::Address() const
{
    return "127.0.0.1:" + QByteArray::number(m_port);
}

void CTestWhoisServer::SetDefault(Script script)
{
    const std::lock_guard lock(m_mutex);
    m_default = std::move(script);
}

void CTestWhoisServer::SetScript(const QByteArray& name, Script script)
{
    const std::lock_guard lock(m_mutex);
    m_scripts.insert(name.toLower(), std::move(script));
}

void CTestWhoisServer::SetThrottle(double perSecond, int burst, QByteArray text)
{
    const std::lock_guard lock(m_mutex);
    m_throttleRate = perSecond;
    m_throttleBurst = burst;
    m_throttleText = std::move(text);
    m_buckets.clear();
}

std::vector<QByteArray> CTestWhoisServer::Queries() const
{
    const std::lock_guard lock(m_mutex);
    return m_queries;
}

void CTestWhoisServer::ReleaseStalled()
{
    {
        const std::lock_guard lock(m_mutex);
        m_bReleased = true;
    }
    m_release.notify_all();
}

void CTestWhoisServer::AcceptLoop()
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
        m_connections.emplace_back([this, client] { Serve(client); });
    }
}

void CTestWhoisServer::Serve(int client)
{
    const QByteArray query = ReadQueryLine(client);
    const Script script = ScriptFor(query, PeerAddress(client));
    {
        const std::lock_guard lock(m_mutex);
        m_queries.push_back(query);
    }
    bool open = WaitUnlessReleased(script.delay);
    switch (script.mode) {
    case Mode::Answer:
        SendAll(client, script.answer.constData(), script.answer.size());
        break;
    case Mode::CloseAtOnce:
        break;
    case Mode::Stall:
        HoldUntilClientLeaves(client);
        break;
    case Mode::Trickle:
        for (qsizetype i = 0; i < script.answer.size() && open; ++i) {
            SendAll(client, script.answer.constData() + i, 1);
            open = WaitUnlessReleased(script.trickleGap);
        }
        break;
    case Mode::EndlessTrickle:
        for (qsizetype i = 0; open && SendAll(client, script.answer.constData() + i, 1);
             i = (i + 1) % script.answer.size()) {
            open = WaitUnlessReleased(script.trickleGap);
        }
        break;
    case Mode::Flood: {
        const QByteArray block(64 * 1024, 'x');
        for (qsizetype sent = 0; sent < script.floodBytes; sent += block.size()) {
            SendAll(client, block.constData(), block.size());
        }
        break;
    }
    case Mode::Reset: {
        SendAll(client, script.answer.constData(), script.answer.size());
        const linger abortive{1, 0};
        ::setsockopt(client, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        break;
    }
    }
    {
        const std::lock_guard lock(m_mutex);
        m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), client), m_clients.end());
    }
    ::close(client);
    --m_open;
}

CTestWhoisServer::Script CTestWhoisServer::ScriptFor(const QByteArray& query, quint32 clientAddress)
{
    const std::lock_guard lock(m_mutex);
    Script script = m_scripts.value(query.trimmed().toLower(), m_default);
    if (m_throttleRate > 0) {
        const bool queue = m_throttleText.isEmpty();
        const std::chrono::duration<double> wait = TakeToken(clientAddress, queue);
        if (wait.count() > 0 && !queue) {
            ++m_throttled;
            return Script::Answer(m_throttleText);
        }
        script.delay += std::chrono::ceil<std::chrono::milliseconds>(wait);
    }
    return script;
}

std::chrono::duration<double> CTestWhoisServer::TakeToken(quint32 clientAddress, bool queue)
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_buckets.contains(clientAddress)) {
        m_buckets.insert(clientAddress, {static_cast<double>(m_throttleBurst), now});
    }
    Bucket& bucket = m_buckets[clientAddress];
    const std::chrono::duration<double> elapsed = now - bucket.filledAt;
    bucket.tokens = std::min(static_cast<double>(m_throttleBurst),
                             bucket.tokens + elapsed.count() * m_throttleRate);
    bucket.filledAt = now;
    if (bucket.tokens >= 1) {
        bucket.tokens -= 1;
        return {};
    }
    const std::chrono::duration<double> wait((1 - bucket.tokens) / m_throttleRate);
    // A queued query holds its token already, so the ones after it wait behind it.
    if (queue) {
        bucket.tokens -= 1;
    }
    return wait;
}

void CTestWhoisServer::HoldUntilClientLeaves(int client)
{
    char byte = 0;
    while (WaitUnlessReleased(std::chrono::milliseconds(20))) {
        pollfd request{client, POLLIN, 0};
        if (::poll(&request, 1, 0) > 0 && ::recv(client, &byte, 1, MSG_DONTWAIT) <= 0) {
            return;
        }
    }
}

bool CTestWhoisServer::WaitUnlessReleased(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_mutex);
    return !m_release.wait_for(lock, duration, [this] { return m_bReleased; });
}
