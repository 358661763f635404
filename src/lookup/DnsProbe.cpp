#include "lookup/DnsProbe.h"

#include "core/ByteText.h"
#include "core/Settings.h"
#include "lookup/ServerEndpoint.h"

#include <QHostAddress>

#include <algorithm>

#include <ares.h>
#include <arpa/inet.h>
#include <arpa/nameser.h>
#include <poll.h>

namespace {

using std::chrono::duration_cast;
using std::chrono::milliseconds;

constexpr quint16 kDnsPort = 53;
// How often a wait looks at the abort flag.
constexpr milliseconds kAbortCheck{100};
// The resolver sends each question up to this many times within the probe's time.
constexpr int kTries = 3;

bool LibraryReady()
{
    static const bool ready = ares_library_init(ARES_LIB_INIT_ALL) == ARES_SUCCESS;
    return ready;
}

// One question's answer: the whole message when the server answered "no error", with records
// or without (a referral carries the delegation in its authority section); empty after any
// failure.
struct CAnswer {
    bool done = false;
    QByteArray message;
};

void OnAnswer(void* arg, int status, int /*timeouts*/, unsigned char* message, int length)
{
    auto& answer = *static_cast<CAnswer*>(arg);
    answer.done = true;
    if ((status == ARES_SUCCESS || status == ARES_ENODATA) && message && length > 0) {
        answer.message = QByteArray(reinterpret_cast<const char*>(message), length);
    }
}

// A resolver channel of one probe, used only on its worker thread. Its questions' answers must
// outlive it: destroying it calls back the questions still open.
class CChannel {
public:
    CChannel(const QByteArray& servers, milliseconds budget)
    {
        ares_options options{};
        // A name is asked as it stands, never with the machine's search domains; a truncated
        // answer comes back as such instead of being asked again over TCP.
        options.flags = ARES_FLAG_NOSEARCH | ARES_FLAG_NOALIASES | ARES_FLAG_IGNTC;
        options.timeout =
            static_cast<int>(std::max<milliseconds>(budget / kTries, kAbortCheck).count());
        options.tries = kTries;
        if (!LibraryReady() || ares_init_options(&m_channel, &options,
                                                 ARES_OPT_FLAGS | ARES_OPT_TIMEOUTMS |
                                                     ARES_OPT_TRIES) != ARES_SUCCESS) {
            m_channel = nullptr;
            return;
        }
        if (!servers.isEmpty() &&
            ares_set_servers_ports_csv(m_channel, servers.constData()) != ARES_SUCCESS) {
            ares_destroy(m_channel);
            m_channel = nullptr;
        }
    }
    CChannel(const CChannel&) = delete;
    CChannel& operator=(const CChannel&) = delete;
    ~CChannel()
    {
        if (m_channel) {
            ares_destroy(m_channel);
        }
    }

    bool IsOpen() const { return m_channel != nullptr; }

    void Ask(const QByteArray& name, int type, CAnswer& answer)
    {
        ares_query(m_channel, name.constData(), ns_c_in, type, OnAnswer, &answer);
    }

    // Waits at most `wait` for the channel's sockets, then lets the resolver read what came and
    // send again or give up what timed out.
    void Pump(milliseconds wait)
    {
        ares_socket_t sockets[ARES_GETSOCK_MAXNUM];
        const int bits = ares_getsock(m_channel, sockets, ARES_GETSOCK_MAXNUM);
        pollfd requests[ARES_GETSOCK_MAXNUM];
        nfds_t count = 0;
        for (int i = 0; i < ARES_GETSOCK_MAXNUM; ++i) {
            const short events = static_cast<short>((ARES_GETSOCK_READABLE(bits, i) ? POLLIN : 0) |
                                                    (ARES_GETSOCK_WRITABLE(bits, i) ? POLLOUT : 0));
            if (events != 0) {
                requests[count++] = pollfd{sockets[i], events, 0};
            }
        }
        timeval longest{static_cast<time_t>(wait.count() / 1000),
                        static_cast<suseconds_t>(wait.count() % 1000 * 1000)};
        timeval next{};
        const timeval* due = ares_timeout(m_channel, &longest, &next);
        const auto waitMs = static_cast<int>(due->tv_sec * 1000 + (due->tv_usec + 999) / 1000);
        if (::poll(requests, count, waitMs) > 0) {
            for (nfds_t i = 0; i < count; ++i) {
                const bool readable = (requests[i].revents & (POLLIN | POLLERR | POLLHUP)) != 0;
                const bool writable = (requests[i].revents & POLLOUT) != 0;
                if (readable || writable) {
                    ares_process_fd(m_channel, readable ? requests[i].fd : ARES_SOCKET_BAD,
                                    writable ? requests[i].fd : ARES_SOCKET_BAD);
                }
            }
        }
        ares_process_fd(m_channel, ARES_SOCKET_BAD, ARES_SOCKET_BAD);
    }

private:
    ares_channel m_channel = nullptr;
};

QByteArrayView WithoutRootDot(QByteArrayView name)
{
    return name.endsWith('.') ? name.chopped(1) : name;
}

bool SameName(QByteArrayView first, QByteArrayView second)
{
    return ByteText::EqualsNoCase(WithoutRootDot(first), WithoutRootDot(second));
}

bool IsLdhLabel(QByteArrayView label)
{
    return !label.isEmpty() && label.size() <= 63 &&
           std::all_of(label.begin(), label.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-';
           });
}

// A name server's name as host names are written: two labels or more of letters, digits and
// hyphens. Only such names reach the record text, so it never holds a byte the verdict could read
// as anything but a host name.
bool IsHostName(QByteArrayView name)
{
    const QByteArrayList labels = WithoutRootDot(name).toByteArray().split('.');
    return labels.size() >= 2 && std::all_of(labels.begin(), labels.end(), IsLdhLabel);
}

// A parsed answer message, read through the C library's own message parser, which, unlike the
// resolver library's, gives each record's owner and reads every section.
class CMessage {
public:
    explicit CMessage(const QByteArray& bytes)
        : m_bytes(bytes)
    {
        m_bParsed = !bytes.isEmpty() &&
                    ns_initparse(reinterpret_cast<const unsigned char*>(m_bytes.constData()),
                                 static_cast<int>(m_bytes.size()), &m_message) == 0;
    }

    // Whole, and the server found the name.
    bool IsWholeAnswer() const
    {
        return m_bParsed && ns_msg_getflag(m_message, ns_f_tc) == 0 &&
               ns_msg_getflag(m_message, ns_f_rcode) == ns_r_noerror;
    }

    // The name servers of the NS records in `section` that `owner` owns.
    QByteArrayList NameServersOf(QByteArrayView owner, ns_sect section)
    {
        QByteArrayList servers;
        ForEachRecord(section, ns_t_ns, [&](const ns_rr& record) {
            char server[NS_MAXDNAME];
            if (SameName(ns_rr_name(record), owner) &&
                ns_name_uncompress(ns_msg_base(m_message), ns_msg_end(m_message),
                                   ns_rr_rdata(record), server, sizeof server) >= 0 &&
                IsHostName(server)) {
                servers.append(WithoutRootDot(server).toByteArray());
            }
        });
        return servers;
    }

    // The first address of that type in the answer, as text.
    QByteArray FirstAddress(ns_type type)
    {
        QByteArray address;
        const int family = type == ns_t_a ? AF_INET : AF_INET6;
        const int length = type == ns_t_a ? NS_INADDRSZ : NS_IN6ADDRSZ;
        ForEachRecord(ns_s_an, type, [&](const ns_rr& record) {
            char text[INET6_ADDRSTRLEN];
            if (address.isEmpty() && ns_rr_rdlen(record) == length &&
                ::inet_ntop(family, ns_rr_rdata(record), text, sizeof text)) {
                address = text;
            }
        });
        return address;
    }

private:
    template <typename Visit>
    void ForEachRecord(ns_sect section, ns_type type, Visit visit)
    {
        if (!IsWholeAnswer()) {
            return;
        }
        for (int i = 0; i < ns_msg_count(m_message, section); ++i) {
            ns_rr record;
            if (ns_parserr(&m_message, section, i, &record) != 0) {
                return;
            }
            if (ns_rr_class(record) == ns_c_in && ns_rr_type(record) == type) {
                visit(record);
            }
        }
    }

    QByteArray m_bytes;
    ns_msg m_message{};
    bool m_bParsed = false;
};

// NS records of the name itself: a resolver answers with them; its parent zone's server refers
// to them in the authority section. NS records of another name (the TLD's, a parent's) and a
// name that exists without a delegation of its own show nothing.
std::optional<CDelegation> DelegationIn(const CAnswer& answer, QByteArrayView name)
{
    CMessage message(answer.message);
    QByteArrayList servers = message.NameServersOf(name, ns_s_an);
    if (servers.isEmpty()) {
        servers = message.NameServersOf(name, ns_s_ns);
    }
    if (servers.isEmpty()) {
        return std::nullopt;
    }
    return CDelegation{servers, {}};
}

} // namespace

CDnsFirst CDnsFirst::FromSettings()
{
    const std::optional<QByteArray> servers = DnsServerList(GetSetting(Setting::DnsServer));
    return {GetSetting(Setting::CheckDnsFirst) != 0 && servers.has_value(),
            servers.value_or(QByteArray())};
}

std::optional<QByteArray> DnsServerList(const QString& setting)
{
    const QString text = setting.trimmed();
    if (text.isEmpty()) {
        return QByteArray();
    }
    const CServerEndpoint endpoint = CServerEndpoint::Parse(text.toUtf8(), kDnsPort);
    QHostAddress address;
    if (!address.setAddress(endpoint.host) || !address.scopeId().isEmpty()) {
        return std::nullopt;
    }
    const QByteArray host = address.toString().toLatin1();
    const QByteArray port = ':' + QByteArray::number(endpoint.port);
    return address.protocol() == QAbstractSocket::IPv6Protocol ? '[' + host + ']' + port
                                                               : host + port;
}

QByteArray DelegationRecord(const CDelegation& delegation)
{
    QByteArray record =
        kDelegationPrefix.toByteArray() + delegation.nameServers.join(", ") + "\n\n";
    for (const QByteArray& server : delegation.nameServers) {
        record += "Name Server: " + server + '\n';
    }
    return record;
}

CDnsProbe::CDnsProbe(QByteArray servers)
    : m_servers(std::move(servers))
{}

std::optional<CDelegation> CDnsProbe::Ask(const QByteArray& name, Clock::time_point deadline)
{
    CAnswer nameServers;
    CAnswer ipv4;
    CAnswer ipv6;
    CChannel channel(m_servers, duration_cast<milliseconds>(deadline - Clock::now()));
    if (!channel.IsOpen()) {
        return std::nullopt;
    }
    // All three at once: the addresses cost no extra round trip when the name is delegated.
    channel.Ask(name, ns_t_ns, nameServers);
    channel.Ask(name, ns_t_a, ipv4);
    channel.Ask(name, ns_t_aaaa, ipv6);
    const auto waitFor = [&](const auto& settled) {
        while (!settled()) {
            const auto left = duration_cast<milliseconds>(deadline - Clock::now());
            if (m_bAbort.load() || left.count() <= 0) {
                return false;
            }
            channel.Pump(std::min(left, kAbortCheck));
        }
        return !m_bAbort.load();
    };
    if (!waitFor([&] { return nameServers.done; })) {
        return std::nullopt;
    }
    std::optional<CDelegation> delegation = DelegationIn(nameServers, name);
    if (!delegation) {
        return std::nullopt;
    }
    const auto addressOf = [](const CAnswer& answer, ns_type type) {
        return CMessage(answer.message).FirstAddress(type);
    };
    // An IPv4 address is enough; an IPv6 one is taken when the name has no IPv4 address. Without
    // an address in time the verdict stands without one.
    waitFor([&] { return ipv4.done && (ipv6.done || !addressOf(ipv4, ns_t_a).isEmpty()); });
    if (m_bAbort.load()) {
        return std::nullopt;
    }
    delegation->address = addressOf(ipv4, ns_t_a);
    if (delegation->address.isEmpty()) {
        delegation->address = addressOf(ipv6, ns_t_aaaa);
    }
    return delegation;
}
