#include "lookup/LookupJob.h"

#include "lookup/CompletionQueue.h"

#include <algorithm>

CLookupJob::CLookupJob(QByteArray name, std::uint8_t previousStatus,
                       std::shared_ptr<CHostRecord> host, QByteArray server, QByteArray serverName,
                       CLookupTimeouts timeouts, Strip strip, CCompletionQueue& completions,
                       const CDnsFirst& dnsFirst, CRdapRoute rdap)
    : m_client(name, std::move(host), serverName, timeouts)
    , m_timeouts(timeouts)
    , m_server(std::move(server))
    , m_strip(strip)
    , m_rdap(std::move(rdap))
    , m_rdapClient(m_rdap.options)
    , m_serverName(std::move(serverName))
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
    m_startedAt = Clock::now();
    m_thread = std::thread([this] { LookupWorker(); });
}

void CLookupJob::Abort()
{
    m_bStopped.store(true);
    if (m_probe) {
        m_probe->Abort();
    }
    m_client.Abort();
    m_rdapClient.Abort();
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
    bool answered = false;
    if (TakeDnsVerdict(deadline)) {
        CleanAnswer(m_result, m_strip);
    } else if (!m_bDnsOnly) {
        answered = m_rdap.baseUrl.isEmpty() ? LookUpOverWhois(deadline)
                                            : LookUpOverRdap(m_rdap.baseUrl, {});
    }
    m_finishedAtUtc = QDateTime::currentDateTimeUtc();
    const AnswerKind kind = AnalyseAnswer(m_result, STATUS_ERROR_1);
    if (answered) {
        m_reply = kind == AnswerKind::Throttled ? Reply::Throttled : Reply::Answered;
    }
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

bool CLookupJob::LookUpOverWhois(Clock::time_point deadline)
{
    const bool answered = m_client.Query(deadline);
    m_client.GetSocket().Close();
    const QByteArray why = WhyWhoisUnreachable();
    if (!why.isEmpty() && !m_rdap.fallbackUrl.isEmpty() && !m_bStopped.load()) {
        return LookUpOverRdap(m_rdap.fallbackUrl, why);
    }
    m_result.m_strInfo = answered ? m_client.GetAnswer() : m_client.GetMessage();
    CleanAnswer(m_result, m_strip);
    return answered;
}

bool CLookupJob::LookUpOverRdap(const QByteArray& baseUrl, const QByteArray& why)
{
    CRdapResult result = m_rdapClient.Query(baseUrl, m_result.m_strName, why);
    m_result.m_strInfo = std::move(result.text);
    if (result.retryAfterSeconds) {
        m_retryAfter = std::chrono::seconds(*result.retryAfterSeconds);
    }
    return result.httpStatus != 0;
}

QByteArray CLookupJob::WhyWhoisUnreachable() const
{
    if (m_client.WasUnresolved()) {
        return "the WHOIS server " + m_serverName + " could not be resolved.";
    }
    if (m_client.WasRefused()) {
        return "the WHOIS server " + m_serverName + " refused the connection.";
    }
    return {};
}
