#include "lookup/ServerBrake.h"

#include <algorithm>
#include <cmath>

namespace {

using Seconds = std::chrono::duration<double>;

// A throttle cuts the rate to this share. Answers raise it again by this share of the rate set at
// the last cut each second (spread over a second's worth of answers): a straight climb back to
// where the server throttled in about nine seconds, whatever the server's pace, so a server is
// kept busy about nine tenths of the time with about one throttle in nine seconds.
constexpr double kCut = 0.7;
constexpr double kRisePerSecond = 0.05;
// The slowest pace a server is ever given, and how far back answers count for the first cut.
constexpr double kSlowestRate = 1.0 / 60;
// The pace a server that throttles before anything it answered is known is first cut from:
// pausing it for a minute would hold a short batch up for nothing, and the pauses double while
// it goes on throttling.
constexpr double kUnknownAnsweredRate = 1.0;
constexpr Seconds kAnswerWindow{10.0};

CServerBrake::Clock::duration ToClock(Seconds seconds)
{
    return std::chrono::duration_cast<CServerBrake::Clock::duration>(seconds);
}

} // namespace

CServerBrake::CServerBrake(std::chrono::seconds longestBackOff)
    : m_longestBackOff(longestBackOff)
{}

bool CServerBrake::MayStart(Clock::time_point now) const
{
    return !IsPaused(now) && (!m_rate || now >= m_nextStart);
}

void CServerBrake::OnStarted(Clock::time_point now)
{
    if (!m_rate) {
        return;
    }
    // Starts are spaced evenly; a start that comes late because of the timer's steps does not
    // push the later ones back, but an idle stretch earns no burst either.
    const Clock::duration spacing = ToClock(Seconds(1.0 / *m_rate));
    m_nextStart = std::max(m_nextStart, now - spacing) + spacing;
}

void CServerBrake::OnAnswered(Clock::time_point now)
{
    m_throttlesInARow = 0;
    m_backOffAtLongest = false;
    m_answers.push_back(now);
    while (!m_answers.empty() && now - m_answers.front() > ToClock(kAnswerWindow)) {
        m_answers.pop_front();
    }
    if (m_rate) {
        *m_rate += kRisePerSecond * m_rateAtCut / *m_rate;
    }
}

CServerBrake::ThrottleVerdict
CServerBrake::OnThrottled(Clock::time_point sentAt, Clock::time_point now,
                          std::optional<std::chrono::seconds> retryAfter)
{
    if (m_rate && sentAt < m_lastCut) {
        return ThrottleVerdict::Wait; // sent before the last cut: the cut has taken care of it
    }
    if (m_backOffAtLongest) {
        return ThrottleVerdict::Fail;
    }
    const double answered = AnsweredRate(now);
    const double base = m_rate ? std::min(*m_rate, answered > 0 ? answered : *m_rate)
                               : (answered > 0 ? answered : kUnknownAnsweredRate);
    m_rate = std::max(kSlowestRate, kCut * base);
    m_rateAtCut = *m_rate;
    m_lastCut = now;
    ++m_throttlesInARow;
    const Seconds doubled = Seconds(std::ldexp(1.0 / *m_rate, m_throttlesInARow - 1));
    const Seconds longest(m_longestBackOff);
    Seconds pause = retryAfter ? Seconds(*retryAfter) : doubled;
    if (pause >= longest) {
        pause = longest;
        m_backOffAtLongest = true;
    }
    m_pausedUntil = now + ToClock(pause);
    m_nextStart = std::max(m_nextStart, m_pausedUntil);
    return ThrottleVerdict::Wait;
}

// Answers a second over the stretch they came in (at least a second), within the window.
double CServerBrake::AnsweredRate(Clock::time_point now) const
{
    const auto first = std::find_if(m_answers.begin(), m_answers.end(), [&](auto answeredAt) {
        return now - answeredAt <= ToClock(kAnswerWindow);
    });
    if (first == m_answers.end()) {
        return 0;
    }
    const Seconds stretch = std::max<Seconds>(Seconds(1.0), now - *first);
    return static_cast<double>(std::distance(first, m_answers.end())) / stretch.count();
}

void CServerBrakes::SetEnabled(bool enabled, std::chrono::seconds longestBackOff)
{
    if (longestBackOff != m_longestBackOff) {
        m_brakes.clear();
    }
    m_enabled = enabled;
    m_longestBackOff = longestBackOff;
}

bool CServerBrakes::MayStart(const QByteArray& server, Clock::time_point now)
{
    if (!m_enabled || BrakeOf(server).MayStart(now)) {
        return true;
    }
    m_held.insert(server);
    return false;
}

void CServerBrakes::OnStarted(const QByteArray& server, Clock::time_point now)
{
    if (m_enabled) {
        BrakeOf(server).OnStarted(now);
    }
}

void CServerBrakes::OnAnswered(const QByteArray& server, Clock::time_point now)
{
    if (m_enabled) {
        BrakeOf(server).OnAnswered(now);
    }
}

CServerBrake::ThrottleVerdict
CServerBrakes::OnThrottled(const QByteArray& server, Clock::time_point sentAt,
                           Clock::time_point now, std::optional<std::chrono::seconds> retryAfter)
{
    ++m_throttles;
    if (!m_enabled) {
        return CServerBrake::ThrottleVerdict::Fail;
    }
    return BrakeOf(server).OnThrottled(sentAt, now, retryAfter);
}

std::optional<CServerWait> CServerBrakes::LongestWait(Clock::time_point now) const
{
    std::optional<CServerWait> longest;
    Clock::time_point longestUntil{};
    for (const QByteArray& server : m_held) {
        const CServerBrake& brake = m_brakes.at(server);
        const Clock::time_point until = brake.IsPaused(now) ? brake.PausedUntil() : now;
        if (longest && until <= longestUntil) {
            continue;
        }
        longestUntil = until;
        longest = CServerWait{server, std::nullopt, brake.Rate().value_or(0)};
        if (brake.IsPaused(now)) {
            longest->resumesIn = std::chrono::ceil<std::chrono::seconds>(until - now);
        }
    }
    return longest;
}

CServerBrake& CServerBrakes::BrakeOf(const QByteArray& server)
{
    return m_brakes.try_emplace(server, m_longestBackOff).first->second;
}
