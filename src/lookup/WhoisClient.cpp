#include "lookup/WhoisClient.h"

#include "lookup/ReceiveBuffer.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

// How often a blocked wait looks at the abort flag.
constexpr std::chrono::milliseconds kAbortCheck{100};
// A worker waiting for its server's address looks again at least once a second; the record
// wakes it sooner when the address arrives.
constexpr std::chrono::milliseconds kAddressPoll{1000};

socklen_t ToSocketAddress(const QHostAddress& address, quint16 port, sockaddr_storage& storage)
{
    std::memset(&storage, 0, sizeof storage);
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto& ipv6 = reinterpret_cast<sockaddr_in6&>(storage);
        ipv6.sin6_family = AF_INET6;
        ipv6.sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&ipv6.sin6_addr, bytes.c, sizeof bytes.c);
        ipv6.sin6_scope_id = address.scopeId().toUInt();
        return sizeof ipv6;
    }
    auto& ipv4 = reinterpret_cast<sockaddr_in&>(storage);
    ipv4.sin_family = AF_INET;
    ipv4.sin_port = htons(port);
    ipv4.sin_addr.s_addr = htonl(address.toIPv4Address());
    return sizeof ipv4;
}

QByteArray Cut(QByteArray text, qsizetype capacity)
{
    text.truncate(capacity - 1); // room for the terminating zero of the buffer it stands for
    return text;
}

} // namespace

CWhoisClient::CWhoisClient(QByteArrayView name, std::shared_ptr<CHostRecord> host,
                           QByteArray serverName, CLookupTimeouts timeouts)
    : m_name(Cut(name.toByteArray(), kNameCapacity))
    , m_host(std::move(host))
    , m_serverName(std::move(serverName))
    , m_timeouts(timeouts)
{
    m_answer.reserve(kAnswerCapacity);
}

QByteArray CWhoisClient::FirstLine(QByteArrayView serverName, QByteArrayView name)
{
    return Cut("WHOIS server: " + serverName.toByteArray() + ", Domain: " + name.toByteArray() +
                   "\n\n",
               kMessageCapacity);
}

bool CWhoisClient::Query()
{
    return Query(Clock::now() + m_timeouts.lookup);
}

bool CWhoisClient::Query(Clock::time_point deadline)
{
    m_answer.clear();
    m_deadline = deadline;
    if (!m_socket.Startup(1, 1)) {
        return Fail("Error initializing sockets.\n");
    }
    if (!m_host) {
        return Fail("'whois' server not defined.\n");
    }
    CHostRecord::Snapshot address;
    if (!WaitForAddress(address)) {
        return Fail("Unknown 'whois' server (" + m_serverName + ")\n");
    }
    bool timedOut = false;
    if (!Connect(address, timedOut)) {
        if (!m_message.isEmpty()) {
            return false;
        }
        return Fail(timedOut ? "whois: connection timed out"
                             : "whois: unable to connect to WHOIS server");
    }
    m_message = FirstLine(address.hostName, m_name);
    m_answer = m_message;
    const QByteArray query = m_name + "\r\n";
    ::send(m_socket.Descriptor(), query.constData(), static_cast<std::size_t>(query.size()),
           MSG_NOSIGNAL);
    const bool stalledBeforeAnswering = Receive();
    m_socket.Close();
    if (stalledBeforeAnswering) {
        return Fail("whois: connection timed out");
    }
    return true;
}

void CWhoisClient::Abort()
{
    m_socket.Abort();
    if (m_host) {
        m_host->WakeWaiters();
    }
}

bool CWhoisClient::WaitForAddress(CHostRecord::Snapshot& address)
{
    using std::chrono::milliseconds;
    const Clock::time_point giveUp = WithinDeadline(m_timeouts.connect);
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(giveUp - Clock::now());
        address = m_host->WaitWhileUnresolved(std::clamp<milliseconds>(left, {}, kAddressPoll),
                                              [this] { return m_socket.IsAborted(); });
        if (address.state == CHostRecord::State::Resolved) {
            return true;
        }
        m_bUnresolved = address.state == CHostRecord::State::Failed;
        if (address.state != CHostRecord::State::Unresolved || m_socket.IsAborted() ||
            left.count() <= 0) {
            return false;
        }
    }
}

bool CWhoisClient::Connect(const CHostRecord::Snapshot& address, bool& timedOut)
{
    for (const QHostAddress& candidate : address.addresses) {
        const int family =
            candidate.protocol() == QAbstractSocket::IPv6Protocol ? AF_INET6 : AF_INET;
        if (!m_socket.Open(family, SOCK_STREAM, IPPROTO_TCP)) {
            if (m_socket.IsAborted()) {
                return false;
            }
            return Fail("whois: unable to create socket");
        }
        sockaddr_storage storage;
        const socklen_t length = ToSocketAddress(candidate, address.port, storage);
        const int fd = m_socket.Descriptor();
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&storage), length) == 0) {
            return true;
        }
        if (errno == EINPROGRESS) {
            const Wait wait = WaitFor(POLLOUT, m_timeouts.connect);
            int error = 0;
            socklen_t errorLength = sizeof error;
            if (wait == Wait::Ready &&
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &errorLength) == 0 && error == 0) {
                return true;
            }
            timedOut = wait == Wait::TimedOut;
            m_bRefused = error == ECONNREFUSED;
            if (wait == Wait::Stopped) {
                return false;
            }
        } else {
            timedOut = false;
            m_bRefused = errno == ECONNREFUSED;
        }
        m_socket.CloseSocket();
    }
    return false;
}

bool CWhoisClient::Receive()
{
    const qsizetype start = m_answer.size();
    char chunk[ReceiveBuffer::kChunkSize];
    for (;;) {
        const Wait wait = WaitFor(POLLIN, m_timeouts.read);
        if (wait != Wait::Ready) {
            return wait == Wait::TimedOut && m_answer.size() == start;
        }
        const ssize_t received = ::recv(m_socket.Descriptor(), chunk, sizeof chunk, 0);
        if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            continue;
        }
        if (received <= 0) {
            m_bRefused = received < 0 && errno == ECONNRESET && m_answer.size() == start;
            return false;
        }
        if (!ReceiveBuffer::Append(m_answer, QByteArrayView(chunk, received))) {
            return false;
        }
    }
}

CWhoisClient::Clock::time_point
CWhoisClient::WithinDeadline(std::chrono::milliseconds timeout) const
{
    return std::min(Clock::now() + timeout, m_deadline);
}

CWhoisClient::Wait CWhoisClient::WaitFor(short events, std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = WithinDeadline(timeout);
    pollfd request{m_socket.Descriptor(), events, 0};
    for (;;) {
        if (m_socket.IsAborted()) {
            return Wait::Stopped;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return Wait::TimedOut;
        }
        const int result =
            ::poll(&request, 1, static_cast<int>(std::min(left, kAbortCheck).count()));
        if (result > 0) {
            return Wait::Ready;
        }
        if (result < 0 && errno != EINTR) {
            return Wait::Ready; // let the call that follows report the fault
        }
    }
}

bool CWhoisClient::Fail(QByteArrayView message)
{
    m_message = Cut(message.toByteArray(), kMessageCapacity);
    return false;
}
