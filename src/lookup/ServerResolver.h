#pragma once

#include <QByteArray>
#include <QObject>

#include <chrono>
#include <functional>

class CHostRecord;
class CTLDList;
class QHostInfo;

// Resolves the host names of the TLD table's WHOIS servers without blocking the user-interface
// thread, once per server until the table is edited, and keeps each address in its entry for
// every lookup of that TLD. A server whose name could not be resolved is left alone for a while
// (kFailureMemory), so that a name service that fails or never answers is not asked again on
// every tick; its lookups meanwhile fail at once.
class CServerResolver : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kFailureMemory{60'000};

    // Starts resolving `host` and returns the request's id; the result is to reach
    // `resolver.OnHostLookedUp` with that id. The program asks the system through QHostInfo;
    // tests stand in for the name service.
    using HostLookup = std::function<int(const QString& host, CServerResolver& resolver)>;

    explicit CServerResolver(CTLDList& list, QObject* parent = nullptr);
    // Cancels the resolutions still pending, so that a later resolver starts them again.
    ~CServerResolver() override;

    void SetHostLookup(HostLookup lookup) { m_hostLookup = std::move(lookup); }
    void SetFailureMemory(std::chrono::milliseconds memory) { m_failureMemory = memory; }

    // Starts a resolution for every entry that has neither an address, nor one pending, nor a
    // failure it still remembers.
    bool ResolveServers();
    // Applies a finished resolution of `resolvedHost` to its entry: the entry's index, the
    // bitwise complement of the index when the server could not be resolved, or the table size
    // when no entry waits for it (it was removed meanwhile). A result for a server the entry no
    // longer names is dropped, and the next round resolves the new one.
    int HandleResult(const QHostInfo& result, const QString& resolvedHost);
    // True when no entry has an address (an empty table included).
    bool NoServerResolved() const;
    // Forgets every address and failure and cancels pending resolutions, so edited servers are
    // resolved again.
    void ClearAllResults();

public Q_SLOTS:
    // A resolution finished: applies it, and tells when it failed.
    void OnHostLookedUp(const QHostInfo& result);

Q_SIGNALS:
    // The server of the TLD entry with this address record could not be resolved. The record
    // names the entry; it is not for reading here.
    void ResolutionFailed(const CHostRecord* host);

private:
    void CancelPending();

    CTLDList& m_list;
    HostLookup m_hostLookup;
    std::chrono::milliseconds m_failureMemory = kFailureMemory;
};
