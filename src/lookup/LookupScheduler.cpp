#include "lookup/LookupScheduler.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/ServerText.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/LookupJob.h"

#include <algorithm>
#include <limits>

namespace {

// A name under a TLD the table lacks is sent to the server of com.
constexpr QByteArrayView kFallbackName = "placeholder.com";

Strip StripFromSettings()
{
    return GetSetting(Setting::StripOutput) != 0 ? Strip::Yes : Strip::No;
}

void ApplyBackOffSettings(CLookupScheduler& scheduler)
{
    scheduler.SetBackOff(GetSetting(Setting::BackOffWhenThrottled) != 0,
                         std::chrono::seconds(std::max(1, GetSetting(Setting::LongestBackOff))));
}

// The text of a name after its first dot: names that share it ask the same server.
QByteArrayView SuffixOf(QByteArrayView name)
{
    const qsizetype dot = name.indexOf('.');
    return dot > 0 ? name.sliced(dot + 1) : name;
}

bool NeverLookedUp(std::uint8_t status)
{
    return status == STATUS_UNKNOWN || status == STATUS_CHECKING;
}

bool WithoutVerdict(std::uint8_t status)
{
    return status != STATUS_TAKEN && status != STATUS_AVAILABLE && status != STATUS_TOO_MANY_ERRORS;
}

} // namespace

CLookupScheduler::CLookupScheduler(CDomainDoc& doc, QObject* parent)
    : QObject(parent)
    , m_doc(doc)
    , m_docAlive(&doc)
    , m_resolver(doc.GetTLDList())
    , m_timeouts(CLookupTimeouts::FromSettings())
    , m_strip(StripFromSettings())
    , m_dnsFirst(CDnsFirst::FromSettings())
    , m_nMaxConnections(GetSetting(Setting::MaxConnections))
    , m_bootstrap(CRdapBootstrap::Load())
    , m_bRdapFallback(GetSetting(Setting::UseRdapFallback) != 0)
{
    connect(&m_completions, &CCompletionQueue::Ready, this, &CLookupScheduler::OnLookupsDone);
    connect(&m_timer, &QTimer::timeout, this, &CLookupScheduler::OnTimer);
    ApplyBackOffSettings(*this);
    const int seconds = GetSetting(Setting::ConnectionInterval);
    // A stored interval of zero or less would spin the timer; fall back to the default.
    SetInterval(
        std::chrono::seconds(seconds > 0 ? seconds : Setting::ConnectionInterval.defaultValue));
    m_timer.start();
}

CLookupScheduler::~CLookupScheduler()
{
    m_timer.stop();
    for (const auto& job : m_jobs) {
        job->Abort();
    }
    for (const auto& job : m_jobs) {
        job->Join();
    }
    if (m_docAlive) {
        OnLookupsDone();
    }
}

void CLookupScheduler::SetInterval(std::chrono::milliseconds interval)
{
    // QTimer counts in int milliseconds: a longer interval (any typed number of seconds is
    // stored) would wrap round to a negative or short one.
    m_timer.setInterval(std::clamp(interval, std::chrono::milliseconds(1),
                                   std::chrono::milliseconds(std::numeric_limits<int>::max())));
}

void CLookupScheduler::ApplyOptions()
{
    m_nMaxConnections =
        std::clamp(GetSetting(Setting::MaxConnections), kMinConnections, kMaxConnections);
    SetInterval(std::max<std::chrono::milliseconds>(
        std::chrono::seconds(GetSetting(Setting::ConnectionInterval)), kMinOptionsInterval));
    m_timeouts = CLookupTimeouts::FromSettings();
    m_bRdapFallback = GetSetting(Setting::UseRdapFallback) != 0;
    m_doc.SetMaxEntries(GetSetting(Setting::MaxEntries));
    m_strip = StripFromSettings();
    ApplyBackOffSettings(*this);
    m_dnsFirst = CDnsFirst::FromSettings();
}

void CLookupScheduler::CheckAllSelected(BatchScope scope)
{
    m_batchScope = scope;
    m_bLookupAll = true;
    m_dnsUnsettled.clear();
}

bool CLookupScheduler::CheckDomain(int index)
{
    if (!m_doc.GetAt(index) || !m_resolver.ResolveServers() || IsLookupRunning(index)) {
        return false;
    }
    return StartLookup(index);
}

bool CLookupScheduler::StartLookup(int index, Ask ask)
{
    const CDomainInfo* entry = m_doc.GetAt(index);
    if (!entry || entry->IsLookupRunning()) {
        return false;
    }
    const QByteArray name = entry->m_strName.trimmed();
    const CTLDInfo* own = m_doc.GetTLDList().FindTLDForName(name);
    const CTLDInfo* server = ServerEntryFor(name);
    const QByteArray serverText = server ? server->m_strServer : QByteArray();
    auto job = std::make_shared<CLookupJob>(
        name, entry->m_nStatus, server ? m_resolver.HostFor(*server) : nullptr, serverText,
        own ? own->m_strServer : QByteArray(), m_timeouts, m_strip, m_completions,
        ask == Ask::Registry ? CDnsFirst() : m_dnsFirst, RdapRouteFor(name, serverText));
    if (ask == Ask::DnsOnly) {
        job->SetDnsOnly();
    }
    m_jobs.push_back(job);
    m_doc.BeginLookup(index, job);
    job->Start();
    if (ask != Ask::DnsOnly) {
        m_brakes.OnStarted(serverText, job->GetStartedAt());
    }
    return true;
}

CRdapRoute CLookupScheduler::RdapRouteFor(const QByteArray& name, const QByteArray& server) const
{
    CRdapRoute route;
    route.options = {m_timeouts, m_caFile,
                     m_strip == Strip::Yes ? RdapRecord::Notices::Drop : RdapRecord::Notices::Keep};
    if (ServerText::IsRdapUrl(server)) {
        route.baseUrl = server;
    } else if (m_bRdapFallback) {
        route.fallbackUrl = m_bootstrap.BaseUrlFor(name);
    }
    return route;
}

void CLookupScheduler::ReloadBootstrap()
{
    m_bootstrap = CRdapBootstrap::Load();
}

void CLookupScheduler::StopAll()
{
    m_bLookupAll = false;
    for (const auto& entry : m_doc.GetEntries()) {
        if (entry->m_pLookup) {
            entry->m_pLookup->Abort();
        }
    }
}

void CLookupScheduler::StopLookup(int index)
{
    const CDomainInfo* entry = m_doc.GetAt(index);
    if (entry && entry->m_pLookup) {
        entry->m_pLookup->Abort();
    }
}

bool CLookupScheduler::IsBusy() const
{
    return m_bLookupAll || CountRunning() > 0;
}

bool CLookupScheduler::IsLookupRunning(int index) const
{
    const CDomainInfo* entry = m_doc.GetAt(index);
    return entry && entry->IsLookupRunning();
}

bool CLookupScheduler::DispatchLookups()
{
    if (!m_resolver.ResolveServers()) {
        return false;
    }
    int running = CountRunning();
    if (running >= m_nMaxConnections) {
        return true;
    }
    m_brakes.BeginRound();
    if (StartPass(running, NeverLookedUp) > 0 || StartPass(running, WithoutVerdict) > 0) {
        return true;
    }
    // A lookup still running may yet fail and need a retry on a later tick, and entries held
    // back for their servers are still to come.
    return running > 0 || m_brakes.HeldBackThisRound();
}

void CLookupScheduler::OnTimer()
{
    if (m_bLookupAll && !DispatchLookups()) {
        m_bLookupAll = false;
    }
    if (!IsBusy()) {
        Q_EMIT Idle();
    }
    Q_EMIT Ticked();
}

void CLookupScheduler::OnLookupsDone()
{
    std::vector<CLookupJob*> done = m_completions.TakeAll();
    // The answers that came with the throttles count first: a brake judges its server by what
    // it answered so far.
    std::stable_partition(done.begin(), done.end(), [](const CLookupJob* job) {
        return job->GetReply() != CLookupJob::Reply::Throttled;
    });
    for (CLookupJob* job : done) {
        Complete(job);
    }
}

void CLookupScheduler::Complete(CLookupJob* job)
{
    const auto owned = std::find_if(m_jobs.begin(), m_jobs.end(), [job](const auto& candidate) {
        return candidate.get() == job;
    });
    if (owned == m_jobs.end()) {
        return;
    }
    const std::shared_ptr<CLookupJob> finished = *owned;
    m_jobs.erase(owned);
    finished->Join();
    const auto now = CLookupJob::Clock::now();
    const int index = m_doc.IndexOfLookup(job);
    // Once a name: DNS is not asked again about a name it did not settle in this batch.
    if (finished->AskedDns()) {
        m_dnsTally.Add(finished->GetSource());
        if (finished->GetSource() == VerdictSource::Registry) {
            m_dnsUnsettled.insert(finished->GetResult().m_strName);
        }
    }
    switch (finished->GetReply()) {
    case CLookupJob::Reply::Throttled:
        if (m_brakes.OnThrottled(finished->GetServer(), finished->GetStartedAt(), now,
                                 finished->GetRetryAfter()) ==
            CServerBrake::ThrottleVerdict::Wait) {
            if (index >= 0) {
                m_doc.WithdrawLookup(index);
                Q_EMIT LookupThrottled(index);
            }
            return;
        }
        break;
    case CLookupJob::Reply::Answered:
        m_brakes.OnAnswered(finished->GetServer(), now);
        break;
    case CLookupJob::Reply::None:
        break;
    }
    if (finished->WasLeftToTheRegistry()) {
        if (index >= 0) {
            m_doc.WithdrawLookup(index);
        }
        return;
    }
    if (index < 0) {
        return; // the entry left the list while its lookup ran
    }
    const CDomainInfo& result = finished->GetResult();
    m_doc.ApplyLookupResult(
        index, {result.m_strInfo, finished->GetFinishedAt(), result.m_nStatus, result.m_strDNS});
    Q_EMIT LookupCompleted(index, finished->GetSource());
}

int CLookupScheduler::CountRunning() const
{
    const auto& entries = m_doc.GetEntries();
    return static_cast<int>(std::count_if(entries.begin(), entries.end(), [](const auto& entry) {
        return entry->IsLookupRunning();
    }));
}

int CLookupScheduler::StartPass(int& running, bool (*eligible)(std::uint8_t status))
{
    const auto now = CServerBrakes::Clock::now();
    // The server of each TLD suffix, found once a pass rather than once an entry.
    QHash<QByteArrayView, QByteArray> serverOfSuffix;
    int started = 0;
    for (int i = 0; i < m_doc.GetCount() && running < m_nMaxConnections; ++i) {
        const CDomainInfo* entry = m_doc.GetAt(i);
        const bool inBatch = m_batchScope == BatchScope::Every || entry->m_bTicked;
        if (!inBatch || !eligible(entry->m_nStatus) || entry->IsLookupRunning()) {
            continue;
        }
        Ask ask =
            m_dnsUnsettled.contains(entry->m_strName.trimmed()) ? Ask::Registry : Ask::DnsFirst;
        if (m_brakes.IsEnabled()) {
            const QByteArrayView suffix = SuffixOf(entry->m_strName);
            auto server = serverOfSuffix.find(suffix);
            if (server == serverOfSuffix.end()) {
                const CTLDInfo* serverEntry = ServerEntryFor(entry->m_strName.trimmed());
                server = serverOfSuffix.insert(suffix, serverEntry ? serverEntry->m_strServer
                                                                   : QByteArray());
            }
            if (!m_brakes.MayStart(*server, now)) {
                if (ask == Ask::Registry || !m_dnsFirst.enabled) {
                    continue;
                }
                ask = Ask::DnsOnly;
            }
        }
        if (StartLookup(i, ask)) {
            ++started;
            ++running;
        }
    }
    return started;
}

const CTLDInfo* CLookupScheduler::ServerEntryFor(QByteArrayView name) const
{
    const CTLDList& tlds = m_doc.GetTLDList();
    const CTLDInfo* own = tlds.FindTLDForName(name);
    return own ? own : tlds.FindTLDForName(kFallbackName);
}

std::optional<CServerWait> CLookupScheduler::CurrentWait() const
{
    return m_brakes.LongestWait(CServerBrakes::Clock::now());
}
