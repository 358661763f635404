#include "lookup/ServerResolver.h"

#include "core/TLDList.h"
#include "lookup/ServerEndpoint.h"

#include <QHostInfo>

#include <algorithm>

namespace {

// The slot form of lookupHost: unlike the functor form, it leaves nothing behind on the heap
// when the request is cancelled or still pending at exit.
int LookUpWithQt(const QString& host, CServerResolver& resolver)
{
    return QHostInfo::lookupHost(host, &resolver, SLOT(OnHostLookedUp(QHostInfo)));
}

} // namespace

CServerResolver::CServerResolver(CTLDList& list, QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_hostLookup(LookUpWithQt)
{}

CServerResolver::~CServerResolver()
{
    CancelPending();
}

bool CServerResolver::ResolveServers()
{
    const CHostRecord::Clock::time_point now = CHostRecord::Clock::now();
    for (const auto& entry : m_list.GetEntries()) {
        CHostRecord& host = *entry->m_pHost;
        if (entry->m_hResolve != -1 || host.IsResolved() ||
            host.FailedWithin(m_failureMemory, now)) {
            continue;
        }
        const CServerEndpoint endpoint = CServerEndpoint::Parse(entry->m_strServer);
        // A numeric address (a relay, a test server) needs no name service and no lookup thread.
        if (QHostAddress literal; literal.setAddress(endpoint.host)) {
            host.SetResolved({literal}, endpoint.host.toLatin1(), endpoint.port);
            continue;
        }
        // Lookups started from now on wait for this resolution, not for the old failure.
        host.Clear();
        entry->m_hResolve = m_hostLookup(endpoint.host, *this);
    }
    return true;
}

void CServerResolver::OnHostLookedUp(const QHostInfo& result)
{
    const int outcome = HandleResult(result, result.hostName());
    if (outcome < 0) {
        Q_EMIT ResolutionFailed(m_list.GetAt(~outcome)->m_pHost.get());
    }
}

int CServerResolver::HandleResult(const QHostInfo& result, const QString& resolvedHost)
{
    const auto& entries = m_list.GetEntries();
    const auto found = std::find_if(entries.begin(), entries.end(), [&result](const auto& entry) {
        return entry->m_hResolve == result.lookupId();
    });
    if (found == entries.end()) {
        return m_list.GetCount();
    }
    CTLDInfo& entry = **found;
    const int index = static_cast<int>(found - entries.begin());
    entry.m_hResolve = -1;
    const CServerEndpoint endpoint = CServerEndpoint::Parse(entry.m_strServer);
    if (endpoint.host != resolvedHost) {
        // The server was edited while its name was being resolved: the next round resolves the
        // new one.
        return index;
    }
    QList<QHostAddress> addresses = result.addresses();
    if (result.error() != QHostInfo::NoError || addresses.isEmpty()) {
        entry.m_pHost->SetFailed(CHostRecord::Clock::now());
        return ~index;
    }
    std::stable_partition(addresses.begin(), addresses.end(), [](const QHostAddress& address) {
        return address.protocol() == QAbstractSocket::IPv4Protocol;
    });
    entry.m_pHost->SetResolved(std::move(addresses), endpoint.host.toLatin1(), endpoint.port);
    return index;
}

bool CServerResolver::NoServerResolved() const
{
    const auto& entries = m_list.GetEntries();
    return std::none_of(entries.begin(), entries.end(),
                        [](const auto& entry) { return entry->m_pHost->IsResolved(); });
}

void CServerResolver::ClearAllResults()
{
    CancelPending();
    for (const auto& entry : m_list.GetEntries()) {
        entry->m_pHost->Clear();
    }
}

void CServerResolver::CancelPending()
{
    for (const auto& entry : m_list.GetEntries()) {
        if (entry->m_hResolve != -1) {
            QHostInfo::abortHostLookup(entry->m_hResolve);
            entry->m_hResolve = -1;
        }
    }
}
