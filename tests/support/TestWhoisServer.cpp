#include "support/TestWhoisServer.h"

#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

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
    Start();
}

CTestWhoisServer::~CTestWhoisServer()
{
    Stop();
}

QByteArray CTestWhoisServer::Address() const
{
    return "127.0.0.1:" + QByteArray::number(Port());
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
