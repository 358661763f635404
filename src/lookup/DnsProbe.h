#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <chrono>
#include <optional>

// Whether the lookups of a batch ask DNS before the registry ("Check DNS First"), and which
// server they ask.
struct CDnsFirst {
    bool enabled = false;
    // The server as the resolver library takes it; empty for the system's resolvers.
    QByteArray servers;

    // "Check DNS First" and "DNS Server". A server text that is no address turns the step off:
    // names then go to the registries as they would without it.
    static CDnsFirst FromSettings();
};

// The "DNS Server" setting as the resolver library takes it: empty for the system's resolvers,
// "192.0.2.53:53" or "[2001:db8::53]:53"; none when the text is not an address with an optional
// port.
std::optional<QByteArray> DnsServerList(const QString& setting);

// What DNS shows of a delegated name: the name servers of its delegation, and one address of
// the name (IPv4 first), or none when it has none.
struct CDelegation {
    QByteArrayList nameServers;
    QByteArray address;
};

// The record text of a delegated name: "DNS: delegated to ns1.example.net, ns2.example.net",
// then a "Name Server:" line for each, which the verdict reads as taken, now and whenever a
// document holding the text is opened again.
QByteArray DelegationRecord(const CDelegation& delegation);
// The start of that record's first line, which the verdict does not read, as it does not read
// the query clients' first lines: the names in it are the name servers', not the registry's words.
inline constexpr QByteArrayView kDelegationPrefix = "DNS: delegated to ";

// Asks DNS whether a name is delegated: NS records owned by the name itself, in the answer of a
// resolver or in the referral of its parent zone's server, and then one address of the name. A
// name with no delegation may still be registered, so the probe only ever proves "taken". Runs
// on the lookup's worker thread with a resolver channel of its own; the user-interface thread
// only calls Abort(), which the wait notices within a tenth of a second.
class CDnsProbe {
public:
    using Clock = std::chrono::steady_clock;

    explicit CDnsProbe(QByteArray servers);

    // The delegation, or none when DNS did not show one by `deadline`: no such name, no NS
    // records of its own, a failed, refused or truncated answer, no answer, or a stop.
    std::optional<CDelegation> Ask(const QByteArray& name, Clock::time_point deadline);
    void Abort() { m_bAbort.store(true); }

private:
    QByteArray m_servers;
    std::atomic<bool> m_bAbort{false};
};
