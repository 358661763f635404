#pragma once

#include <QByteArray>

#include <chrono>
#include <deque>
#include <map>
#include <optional>
#include <set>

// The pace one server allows, learnt from how it answers. It brakes the lookups for that server
// under the scheduler's own pacing (Max Connections, the timer), which stays the upper bound.
//
// Until the server throttles nothing is held back. A throttle cuts the rate multiplicatively (to
// a share of the rate of answered queries lately the first time, or of one a second when none was
// answered yet) and pauses the server: for the
// wait the server names, else for one spacing at the new rate, doubled with every further
// throttle that comes without an answer between, up to the longest back-off. Each answered query
// raises the rate a little again (additive increase, multiplicative decrease, as TCP does), so
// the pace settles just under what the server allows. A throttle of a query sent before the
// last cut was already on its way and changes nothing.
class CServerBrake {
public:
    using Clock = std::chrono::steady_clock;

    // What a throttle means for the name it came with.
    enum class ThrottleVerdict {
        // The name waits for its server and is asked again later.
        Wait,
        // The server has refused for the whole longest back-off: the throttle counts as a
        // failure of the name, so that a server that never serves again cannot hold a batch
        // for ever.
        Fail,
    };

    explicit CServerBrake(std::chrono::seconds longestBackOff);

    // Whether a lookup for this server may start now.
    bool MayStart(Clock::time_point now) const;
    void OnStarted(Clock::time_point now);
    void OnAnswered(Clock::time_point now);
    // `sentAt` is when the throttled query started; `retryAfter` the wait the server named.
    ThrottleVerdict OnThrottled(Clock::time_point sentAt, Clock::time_point now,
                                std::optional<std::chrono::seconds> retryAfter);

    bool IsPaused(Clock::time_point now) const { return now < m_pausedUntil; }
    Clock::time_point PausedUntil() const { return m_pausedUntil; }
    // Queries a second the server is given; none while it has never throttled.
    std::optional<double> Rate() const { return m_rate; }

private:
    double AnsweredRate(Clock::time_point now) const;

    std::chrono::seconds m_longestBackOff;
    std::optional<double> m_rate;
    double m_rateAtCut = 0;
    Clock::time_point m_nextStart{};
    Clock::time_point m_pausedUntil{};
    Clock::time_point m_lastCut{};
    int m_throttlesInARow = 0;
    bool m_backOffAtLongest = false;
    // When the latest queries were answered, for the first cut's estimate.
    std::deque<Clock::time_point> m_answers;
};

// Lookups held back for a server that asked to slow down, as the status line tells it.
struct CServerWait {
    QByteArray server;
    // Until the pause the server asked for ends; none while it is only paced.
    std::optional<std::chrono::seconds> resumesIn;
    // Queries a second the server is given.
    double rate = 0;
};

// The brakes of every server the lookups ask, by the server's text in the TLD table, and what
// one round of the scheduler's timer held back.
class CServerBrakes {
public:
    using Clock = CServerBrake::Clock;

    // Off, nothing is held back and throttles are failures of their names, as without brakes.
    void SetEnabled(bool enabled, std::chrono::seconds longestBackOff);
    bool IsEnabled() const { return m_enabled; }

    // A new round of starts: forgets which servers the last one held back.
    void BeginRound() { m_held.clear(); }
    // Whether a lookup for `server` may start now; a server that may not counts as held back.
    bool MayStart(const QByteArray& server, Clock::time_point now);
    void OnStarted(const QByteArray& server, Clock::time_point now);
    void OnAnswered(const QByteArray& server, Clock::time_point now);
    CServerBrake::ThrottleVerdict OnThrottled(const QByteArray& server, Clock::time_point sentAt,
                                              Clock::time_point now,
                                              std::optional<std::chrono::seconds> retryAfter);

    bool HeldBackThisRound() const { return !m_held.empty(); }
    // The held-back server that waits longest, if any.
    std::optional<CServerWait> LongestWait(Clock::time_point now) const;
    // Throttled answers since the brakes were made.
    int Throttles() const { return m_throttles; }

private:
    CServerBrake& BrakeOf(const QByteArray& server);

    bool m_enabled = true;
    std::chrono::seconds m_longestBackOff{900};
    std::map<QByteArray, CServerBrake> m_brakes;
    std::set<QByteArray> m_held;
    int m_throttles = 0;
};
