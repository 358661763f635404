#include "lookup/ServerResolver.h"

#include "core/ByteText.h"
#include "core/ServerText.h"
#include "core/TLDList.h"
#include "lookup/HostRecord.h"
#include "lookup/ServerEndpoint.h"

#include <QHostInfo>

#include <algorithm>
#include <unordered_set>

namespace {

// The slot form of lookupHost: unlike the functor form, it leaves nothing behind on the heap
// when the request is cancelled or still pending at exit.
int LookUpWithQt(const QString& host, CServerResolver& resolver)
{
    return QHostInfo::lookupHost(host, &resolver, SLOT(OnHostLookedUp(QHostInfo)));
}

} // namespace

CServerResolver::CServerResolver(const CTLDList& list, QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_hostLookup(LookUpWithQt)
{}

CServerResolver::~CServerResolver()
{
    for (auto& [entry, state] : m_states) {
        CancelPending(state);
        state.host->Withdraw();
    }
}

bool CServerResolver::ResolveServers()
{
    ForgetEntriesGone();
    const CHostRecord::Clock::time_point now = CHostRecord::Clock::now();
    for (const auto& entry : m_list.GetEntries()) {
        if (m_states.contains(entry.get())) {
            StartResolution(StateOf(*entry), now);
        }
    }
    return true;
}

std::shared_ptr<CHostRecord> CServerResolver::HostFor(const CTLDInfo& entry)
{
    CEntryState& state = StateOf(entry);
    StartResolution(state, CHostRecord::Clock::now());
    return state.host;
}

bool CServerResolver::NoServerResolved() const
{
    return std::none_of(m_states.begin(), m_states.end(), [](const auto& item) {
        const CEntryState& state = item.second;
        return state.host->IsResolved() || ServerText::IsRdapUrl(state.server);
    });
}

void CServerResolver::ClearAllResults()
{
    for (auto& [entry, state] : m_states) {
        CancelPending(state);
        state.host->Clear();
    }
}

void CServerResolver::OnHostLookedUp(const QHostInfo& result)
{
    const auto found = std::find_if(m_states.begin(), m_states.end(), [&result](const auto& item) {
        return item.second.pendingLookup == result.lookupId();
    });
    if (found == m_states.end()) {
        return; // cancelled, or its entry left the table
    }
    CEntryState& state = found->second;
    state.pendingLookup = -1;
    ApplyResult(state, result);
}

// The entry's state, made when the entry is new. An entry whose server was edited keeps its
// record: an address it holds stays in use until the results are cleared (edits made while
// lookups run do not take effect at once), and lookups still waiting for it get the new
// server's address. An entry that now stands for another TLD (a new row where a removed one
// was) starts afresh.
CServerResolver::CEntryState& CServerResolver::StateOf(const CTLDInfo& entry)
{
    auto [found, made] = m_states.try_emplace(&entry);
    CEntryState& state = found->second;
    if (made || !ByteText::EqualsNoCase(state.tld, entry.m_strTLD)) {
        if (!made) {
            CancelPending(state);
            state.host->Withdraw();
        }
        state = CEntryState{entry.m_strTLD, entry.m_strServer, std::make_shared<CHostRecord>()};
    } else if (state.server != entry.m_strServer) {
        CancelPending(state);
        state.server = entry.m_strServer;
    }
    return state;
}

void CServerResolver::ForgetEntriesGone()
{
    std::unordered_set<const CTLDInfo*> present;
    for (const auto& entry : m_list.GetEntries()) {
        present.insert(entry.get());
    }
    for (auto item = m_states.begin(); item != m_states.end();) {
        if (present.contains(item->first)) {
            ++item;
            continue;
        }
        CancelPending(item->second);
        item->second.host->Withdraw();
        item = m_states.erase(item);
    }
}

void CServerResolver::StartResolution(CEntryState& state, CHostRecord::Clock::time_point now)
{
    CHostRecord& host = *state.host;
    if (state.pendingLookup != -1 || host.IsResolved() || host.FailedWithin(m_failureMemory, now) ||
        ServerText::IsRdapUrl(state.server)) {
        return;
    }
    const CServerEndpoint endpoint = CServerEndpoint::Parse(state.server);
    // A numeric address (a relay, a test server) needs no name service and no lookup thread.
    if (QHostAddress literal; literal.setAddress(endpoint.host)) {
        host.SetResolved({literal}, endpoint.host.toLatin1(), endpoint.port);
        return;
    }
    // Lookups started from now on wait for this resolution, not for the old failure.
    host.Clear();
    state.pendingLookup = m_hostLookup(endpoint.host, *this);
}

void CServerResolver::CancelPending(CEntryState& state)
{
    if (state.pendingLookup != -1) {
        QHostInfo::abortHostLookup(state.pendingLookup);
        state.pendingLookup = -1;
    }
}

void CServerResolver::ApplyResult(CEntryState& state, const QHostInfo& result)
{
    QList<QHostAddress> addresses = result.addresses();
    if (result.error() != QHostInfo::NoError || addresses.isEmpty()) {
        state.host->SetFailed(CHostRecord::Clock::now());
        return;
    }
    std::stable_partition(addresses.begin(), addresses.end(), [](const QHostAddress& address) {
        return address.protocol() == QAbstractSocket::IPv4Protocol;
    });
    const CServerEndpoint endpoint = CServerEndpoint::Parse(state.server);
    state.host->SetResolved(std::move(addresses), endpoint.host.toLatin1(), endpoint.port);
}
