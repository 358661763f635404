#include "lookup/LookupJob.h"

#include "lookup/CompletionQueue.h"

#include <algorithm>

CLookupJob::CLookupJob(QByteArray name, std::uint8_t previousStatus,
                       std::shared_ptr<CHostRecord> host, QByteArray serverName,
                       CLookupTimeouts timeouts, Strip strip, CCompletionQueue& completions,
                       const CDnsFirst& dnsFirst)
    : m_client(name, std::move(host), std::move(serverName), timeouts)
    , m_timeouts(timeouts)
    , m_strip(strip)
    , m_result(std::move(name))
    , m_completions(completions)
{
    m_result.m_nPrevStatus = previousStatus;
    m_result.m_nStatus = STATUS_CHECKING;
    if (dnsFirst.enabled) {
        m_probe.emplace(dnsFirst.servers);
    }
}

CLookupJob::~CLookupJob()
{
    Abort();
    Join();
}

void CLookupJob::Start()
{
    m_thread = std::thread([this] { LookupWorker(); });
}

void CLookupJob::Abort()
{
    if (m_probe) {
        m_probe->Abort();
    }
    m_client.Abort();
}

void CLookupJob::Join()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

DateTimeValue CLookupJob::GetFinishedAt() const
{
    return DateTimeValue::FromLocal(m_finishedAtUtc.toLocalTime());
}

void CLookupJob::LookupWorker()
{
    const Clock::time_point deadline = Clock::now() + m_timeouts.lookup;
    if (!TakeDnsVerdict(deadline)) {
        const bool answered = m_client.Query(deadline);
        m_result.m_strInfo = answered ? m_client.GetAnswer() : m_client.GetMessage();
        m_client.GetSocket().Close();
    }
    CleanAnswer(m_result, m_strip);
    m_finishedAtUtc = QDateTime::currentDateTimeUtc();
    AnalyseAnswer(m_result, STATUS_ERROR_1);
    m_bEnded.store(true, std::memory_order_release);
    m_completions.Push(this);
}

bool CLookupJob::TakeDnsVerdict(Clock::time_point deadline)
{
    if (!m_probe) {
        return false;
    }
    const std::optional<CDelegation> delegation =
        m_probe->Ask(m_result.m_strName, std::min(Clock::now() + m_timeouts.connect, deadline));
    if (!delegation) {
        return false;
    }
    m_result.m_strInfo = DelegationRecord(*delegation);
    m_result.m_strDNS = delegation->address;
    m_source = VerdictSource::Dns;
    return true;
}
