#include "lookup/LookupScheduler.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/StripOutput.h"
#include "core/TLDList.h"
#include "lookup/LookupJob.h"

#include <algorithm>
#include <limits>

namespace {

// A name under a TLD the table lacks is sent to the server of com.
constexpr QByteArrayView kFallbackName = "placeholder.com";

bool NeverLookedUp(std::uint8_t status)
{
    return status == STATUS_UNKNOWN || status == STATUS_CHECKING;
}

bool WithoutVerdict(std::uint8_t status)
{
    return status != STATUS_TAKEN && status != STATUS_AVAILABLE && status != STATUS_TOO_MANY_ERRORS;
}

// The reset of one entry: back to "Unknown" with no record and no time of lookup. Entries that
// are unknown or being looked up are left alone.
bool ResetIfLookedUp(CDomainInfo& entry)
{
    if (entry.IsLookupRunning() || entry.m_nStatus == STATUS_UNKNOWN ||
        entry.m_nStatus == STATUS_CHECKING) {
        return false;
    }
    entry.m_nStatus = STATUS_UNKNOWN;
    entry.m_strInfo.clear();
    entry.m_timeChecked.SetNull();
    return true;
}

} // namespace

CLookupScheduler::CLookupScheduler(CDomainDoc& doc, QObject* parent)
    : QObject(parent)
    , m_doc(doc)
    , m_docAlive(&doc)
    , m_resolver(g_TLDList)
    , m_timeouts(CLookupTimeouts::FromSettings())
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
    g_bStripOutput = GetSetting(Setting::StripOutput) != 0;
}

void CLookupScheduler::CheckAllSelected()
{
    m_bLookupAll = true;
}

bool CLookupScheduler::CheckDomain(int index)
{
    if (!m_doc.GetAt(index) || !m_resolver.ResolveServers() || IsLookupRunning(index)) {
        return false;
    }
    return StartLookup(index);
}

bool CLookupScheduler::StartLookup(int index)
{
    CDomainInfo* entry = m_doc.GetAt(index);
    if (!entry || entry->IsLookupRunning()) {
        return false;
    }
    const QByteArray name = entry->m_strName.trimmed();
    const CTLDInfo* own = g_TLDList.FindTLDForName(name);
    const CTLDInfo* server = own ? own : g_TLDList.FindTLDForName(kFallbackName);
    auto job = std::make_shared<CLookupJob>(
        name, entry->m_nStatus, server ? server->m_pHost : nullptr,
        own ? own->m_strServer : QByteArray(), m_timeouts, m_completions);
    m_jobs.push_back(job);
    entry->m_pLookup = job;
    entry->m_nPrevStatus = entry->m_nStatus;
    entry->m_nStatus = STATUS_CHECKING;
    job->Start();
    m_doc.UpdateAllViews(index + 1);
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

bool CLookupScheduler::ResetEntry(int index)
{
    CDomainInfo* entry = m_doc.GetAt(index);
    if (!entry || !ResetIfLookedUp(*entry)) {
        return false;
    }
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(index + 1);
    return true;
}

int CLookupScheduler::ResetSelected()
{
    int reset = 0;
    for (const auto& entry : m_doc.GetEntries()) {
        if (entry->m_bSelected && ResetIfLookedUp(*entry)) {
            ++reset;
        }
    }
    if (reset > 0) {
        m_doc.SetModifiedFlag();
        m_doc.UpdateAllViews(CDomainDoc::HintRefreshAll);
    }
    return reset;
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
    const auto& entries = m_doc.GetEntries();
    const auto entry = std::find_if(entries.rbegin(), entries.rend(), [job](const auto& candidate) {
        return candidate->m_pLookup.get() == job;
    });
    if (entry == entries.rend()) {
        return; // the entry left the list while its lookup ran
    }
    const CDomainInfo& result = finished->GetResult();
    CDomainInfo& target = **entry;
    target.m_strInfo = result.m_strInfo;
    target.m_timeChecked = finished->GetFinishedAt();
    target.m_nStatus = result.m_nStatus;
    target.m_pLookup.reset();
    const int index = static_cast<int>(std::distance(entry, entries.rend())) - 1;
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(index + 1);
    Q_EMIT LookupCompleted(index);
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
        if (entry->m_bSelected && eligible(entry->m_nStatus) && StartLookup(i)) {
            ++started;
            ++running;
        }
    }
    return started;
}
