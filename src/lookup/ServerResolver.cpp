#include "lookup/ServerResolver.h"

#include "core/ServerText.h"
#include "core/TLDList.h"
#include "lookup/ServerEndpoint.h"

#include <QHostInfo>

#include <algorithm>

CServerResolver::CServerResolver(CTLDList& list, QObject* parent)
    : QObject(parent)
    , m_list(list)
{}

CServerResolver::~CServerResolver()
{
    CancelPending();
}

bool CServerResolver::ResolveServers()
{
    for (const auto& entry : m_list.GetEntries()) {
        // An RDAP service's host is resolved by the HTTP library on the lookup's thread.
        if (entry->m_hResolve != -1 || entry->m_pHost->IsResolved() ||
            ServerText::IsRdapUrl(entry->m_strServer)) {
            continue;
        }
        const CServerEndpoint endpoint = CServerEndpoint::Parse(entry->m_strServer);
        // A numeric address (a relay, a test server) needs no name service and no lookup thread.
        if (QHostAddress literal; literal.setAddress(endpoint.host)) {
            entry->m_pHost->SetResolved({literal}, endpoint.host.toLatin1(), endpoint.port);
            continue;
        }
        entry->m_hResolve = QHostInfo::lookupHost(
            endpoint.host, this, [this, host = endpoint.host](const QHostInfo& result) {
                const int outcome = HandleResult(result, host);
                if (outcome < 0) {
                    Q_EMIT ResolutionFailed(m_list.GetAt(~outcome)->m_pHost.get());
                }
            });
    }
    return true;
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
        entry.m_pHost->Clear();
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
    return std::none_of(entries.begin(), entries.end(), [](const auto& entry) {
        return entry->m_pHost->IsResolved() || ServerText::IsRdapUrl(entry->m_strServer);
    });
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
