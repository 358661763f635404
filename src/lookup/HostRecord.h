#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// The resolved address of a TLD entry's WHOIS server, shared by every lookup for that TLD. The
// user-interface thread fills it when the resolution completes; lookups waiting on their worker
// threads read it, and may hold it after the entry has left the table.
class CHostRecord {
public:
    using Clock = std::chrono::steady_clock;

    // Failed: the last resolution found no address; lookups give up at once until the server is
    // resolved again.
    enum class State { Unresolved, Resolved, Failed, Withdrawn };

    struct Snapshot {
        State state = State::Unresolved;
        QList<QHostAddress> addresses; // IPv4 first
        QByteArray hostName;
        quint16 port = 0;
    };

    void SetResolved(QList<QHostAddress> addresses, QByteArray hostName, quint16 port);
    // The resolution failed at `when`; waiting lookups give up.
    void SetFailed(Clock::time_point when);
    // Back to unresolved, so that the next round resolves the (possibly edited) server again.
    void Clear();
    // The entry left the table: lookups waiting for this address give up.
    void Withdraw();

    Snapshot Get() const;
    bool IsResolved() const;
    // True when the last resolution failed less than `memory` before `now`.
    bool FailedWithin(std::chrono::milliseconds memory, Clock::time_point now) const;

    // Waits at most `poll` for the address to be resolved, failed or withdrawn, or for `stop` to
    // hold; returns what the record holds then.
    Snapshot WaitWhileUnresolved(std::chrono::milliseconds poll,
                                 const std::function<bool()>& stop) const;
    // Wakes every waiting lookup so that it checks its stop condition.
    void WakeWaiters() const;

private:
    // Sets the state and wakes the waiting lookups; a withdrawn record stays withdrawn.
    void Change(Snapshot snapshot);

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Snapshot m_snapshot;          // guarded by m_mutex
    Clock::time_point m_failedAt; // guarded by m_mutex
};
