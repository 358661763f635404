#include "lookup/LookupScheduler.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/HostRecord.h"
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
{
    connect(&m_resolver, &CServerResolver::ResolutionFailed, this,
            &CLookupScheduler::AbortLookupsForTLD);
    connect(&m_completions, &CCompletionQueue::Ready, this, &CLookupScheduler::OnLookupsDone);
    connect(&m_timer, &QTimer::timeout, this, &CLookupScheduler::OnTimer);
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
    m_doc.SetMaxEntries(GetSetting(Setting::MaxEntries));
    m_strip = StripFromSettings();
    m_dnsFirst = CDnsFirst::FromSettings();
}

void CLookupScheduler::CheckAllSelected(BatchScope scope)
{
    m_batchScope = scope;
    m_bLookupAll = true;
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
    const CTLDList& tlds = m_doc.GetTLDList();
    const CTLDInfo* own = tlds.FindTLDForName(name);
    const CTLDInfo* server = own ? own : tlds.FindTLDForName(kFallbackName);
    auto job = std::make_shared<CLookupJob>(
        name, entry->m_nStatus, server ? m_resolver.HostFor(*server) : nullptr,
        own ? own->m_strServer : QByteArray(), m_timeouts, m_strip, m_completions,
        ask == Ask::DnsFirst ? m_dnsFirst : CDnsFirst());
    m_jobs.push_back(job);
    m_doc.BeginLookup(index, job);
    job->Start();
    return true;
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

void CLookupScheduler::AbortLookupsForTLD(const CHostRecord* host)
{
    for (const auto& job : m_jobs) {
        if (job->UsesHost(host)) {
            job->Abort();
        }
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
    if (StartPass(running, NeverLookedUp) > 0 || StartPass(running, WithoutVerdict) > 0) {
        return true;
    }
    // A lookup still running may yet fail and need a retry on a later tick.
    return running > 0;
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
    for (CLookupJob* job : m_completions.TakeAll()) {
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
    if (finished->AskedDns()) {
        m_dnsTally.Add(finished->GetSource());
    }
    const int index = m_doc.IndexOfLookup(job);
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
    int started = 0;
    for (int i = 0; i < m_doc.GetCount() && running < m_nMaxConnections; ++i) {
        const CDomainInfo* entry = m_doc.GetAt(i);
        const bool inBatch = m_batchScope == BatchScope::Every || entry->m_bTicked;
        if (inBatch && eligible(entry->m_nStatus) && StartLookup(i, Ask::DnsFirst)) {
            ++started;
            ++running;
        }
    }
    return started;
}
