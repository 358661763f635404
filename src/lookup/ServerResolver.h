#pragma once

#include "lookup/HostRecord.h"

#include <QByteArray>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <unordered_map>

class CTLDInfo;
class CTLDList;
class QHostInfo;

// Resolves the host names of the TLD table's WHOIS servers without blocking the user-interface
// thread, once per server until the table is edited, and keeps each entry's address for every
// lookup of that TLD. The table holds data only; this is where its entries' resolution state
// lives, each entry known by its address. A lookup waiting for an address follows its entry
// through an edit of the server; an entry that leaves the table withdraws its address at the
// next round, and its waiting lookups give up. A server whose name could not be resolved is left
// alone for a while (kFailureMemory), so that a name service that fails or never answers is not
// asked again on every tick; its lookups meanwhile fail at once.
class CServerResolver : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kFailureMemory{60'000};

    // Starts resolving `host` and returns the request's id; the result is to reach
    // `resolver.OnHostLookedUp` with that id. The program asks the system through QHostInfo;
    // tests stand in for the name service.
    using HostLookup = std::function<int(const QString& host, CServerResolver& resolver)>;

    explicit CServerResolver(const CTLDList& list, QObject* parent = nullptr);
    // Cancels the resolutions still pending and releases the lookups waiting for them.
    ~CServerResolver() override;

    void SetHostLookup(HostLookup lookup) { m_hostLookup = std::move(lookup); }
    void SetFailureMemory(std::chrono::milliseconds memory) { m_failureMemory = memory; }

    // Brings the state in line with the table, then starts a resolution again for every entry
    // asked for before whose address is neither known, nor pending, nor a failure it still
    // remembers. Entries no lookup has asked for are left alone: a table of every TLD holds far
    // more servers than a list uses.
    bool ResolveServers();
    // The address record of the entry, shared with the lookups that wait for it; its resolution
    // starts on the first call. An RDAP service's entry gets a record that never resolves: the
    // HTTP library resolves its host on the lookup's thread.
    std::shared_ptr<CHostRecord> HostFor(const CTLDInfo& entry);
    // True when no entry asked for has an address or is an RDAP service (so before any lookup).
    bool NoServerResolved() const;
    // Forgets every address and failure and cancels pending resolutions, so edited servers are
    // resolved again.
    void ClearAllResults();

public Q_SLOTS:
    // A resolution finished: applies it to the entry that asked for it, and tells when it
    // failed. (An edit of the server cancels the resolution of the old one.)
    void OnHostLookedUp(const QHostInfo& result);

private:
    struct CEntryState {
        QByteArray tld;
        QByteArray server;
        std::shared_ptr<CHostRecord> host;
        int pendingLookup = -1;
    };

    CEntryState& StateOf(const CTLDInfo& entry);
    void StartResolution(CEntryState& state, CHostRecord::Clock::time_point now);
    void ForgetEntriesGone();
    void CancelPending(CEntryState& state);
    void ApplyResult(CEntryState& state, const QHostInfo& result);

    const CTLDList& m_list;
    HostLookup m_hostLookup;
    std::chrono::milliseconds m_failureMemory = kFailureMemory;
    std::unordered_map<const CTLDInfo*, CEntryState> m_states;
};
