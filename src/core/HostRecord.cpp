#include "core/HostRecord.h"

void CHostRecord::SetResolved(QList<QHostAddress> addresses, QByteArray hostName, quint16 port)
{
    const std::lock_guard lock(m_mutex);
    if (m_snapshot.state == State::Withdrawn) {
        return;
    }
    m_snapshot = Snapshot{State::Resolved, std::move(addresses), std::move(hostName), port};
    m_changed.notify_all();
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
