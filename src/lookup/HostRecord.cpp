#include "lookup/HostRecord.h"

void CHostRecord::SetResolved(QList<QHostAddress> addresses, QByteArray hostName, quint16 port)
{
    Change(Snapshot{State::Resolved, std::move(addresses), std::move(hostName), port});
}

void CHostRecord::SetFailed(Clock::time_point when)
{
    {
        const std::lock_guard lock(m_mutex);
        m_failedAt = when;
    }
    Change(Snapshot{State::Failed, {}, {}, 0});
}

void CHostRecord::Clear()
{
    const std::lock_guard lock(m_mutex);
    if (m_snapshot.state != State::Withdrawn) {
        m_snapshot = Snapshot{};
    }
}

void CHostRecord::Withdraw()
{
    const std::lock_guard lock(m_mutex);
    m_snapshot = Snapshot{State::Withdrawn, {}, {}, 0};
    m_changed.notify_all();
}

CHostRecord::Snapshot CHostRecord::Get() const
{
    const std::lock_guard lock(m_mutex);
    return m_snapshot;
}

bool CHostRecord::IsResolved() const
{
    const std::lock_guard lock(m_mutex);
    return m_snapshot.state == State::Resolved;
}

bool CHostRecord::FailedWithin(std::chrono::milliseconds memory, Clock::time_point now) const
{
    const std::lock_guard lock(m_mutex);
    return m_snapshot.state == State::Failed && now - m_failedAt < memory;
}

CHostRecord::Snapshot CHostRecord::WaitWhileUnresolved(std::chrono::milliseconds poll,
                                                       const std::function<bool()>& stop) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, poll, [&] { return m_snapshot.state != State::Unresolved || stop(); });
    return m_snapshot;
}

void CHostRecord::WakeWaiters() const
{
    {
        const std::lock_guard lock(m_mutex);
    }
    m_changed.notify_all();
}

void CHostRecord::Change(Snapshot snapshot)
{
    const std::lock_guard lock(m_mutex);
    if (m_snapshot.state == State::Withdrawn) {
        return;
    }
    m_snapshot = std::move(snapshot);
    m_changed.notify_all();
}
