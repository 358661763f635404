#include "lookup/LookupJob.h"

#include "lookup/CompletionQueue.h"

CLookupJob::CLookupJob(QByteArray name, std::uint8_t previousStatus,
                       std::shared_ptr<CHostRecord> host, QByteArray serverName,
                       CLookupTimeouts timeouts, Strip strip, CCompletionQueue& completions,
                       CRdapRoute rdap)
    : m_client(name, std::move(host), serverName, timeouts)
    , m_strip(strip)
    , m_rdap(std::move(rdap))
    , m_rdapClient(m_rdap.options)
    , m_serverName(std::move(serverName))
    , m_result(std::move(name))
    , m_completions(completions)
{
    m_result.m_nPrevStatus = previousStatus;
    m_result.m_nStatus = STATUS_CHECKING;
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
    m_bStopped.store(true);
    m_client.Abort();
    m_rdapClient.Abort();
}

void CLookupJob::AbortUnresolved()
{
    m_bUnresolved.store(true);
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
    if (m_rdap.baseUrl.isEmpty()) {
        LookUpOverWhois();
    } else {
        m_result.m_strInfo = m_rdapClient.Query(m_rdap.baseUrl, m_result.m_strName).text;
    }
    m_finishedAtUtc = QDateTime::currentDateTimeUtc();
    AnalyseAnswer(m_result, STATUS_ERROR_1);
    m_bEnded.store(true, std::memory_order_release);
    m_completions.Push(this);
}

void CLookupJob::LookUpOverWhois()
{
    const bool answered = m_client.Query();
    m_client.GetSocket().Close();
    const QByteArray why = WhyWhoisUnreachable();
    if (!why.isEmpty() && !m_rdap.fallbackUrl.isEmpty() && !m_bStopped.load()) {
        m_result.m_strInfo = m_rdapClient.Query(m_rdap.fallbackUrl, m_result.m_strName, why).text;
        return;
    }
    m_result.m_strInfo = answered ? m_client.GetAnswer() : m_client.GetMessage();
    CleanAnswer(m_result, m_strip);
}

QByteArray CLookupJob::WhyWhoisUnreachable() const
{
    if (m_bUnresolved.load() || m_client.WasUnresolved()) {
        return "the WHOIS server " + m_serverName + " could not be resolved.";
    }
    if (m_client.WasRefused()) {
        return "the WHOIS server " + m_serverName + " refused the connection.";
    }
    return {};
}
