#include "lookup/LookupJob.h"

#include "lookup/CompletionQueue.h"

CLookupJob::CLookupJob(QByteArray name, std::uint8_t previousStatus,
                       std::shared_ptr<CHostRecord> host, QByteArray server, QByteArray serverName,
                       CLookupTimeouts timeouts, Strip strip, CCompletionQueue& completions)
    : m_client(name, std::move(host), std::move(serverName), timeouts)
    , m_server(std::move(server))
    , m_strip(strip)
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
    m_startedAt = Clock::now();
    m_thread = std::thread([this] { LookupWorker(); });
}

void CLookupJob::Abort()
{
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
    const bool answered = m_client.Query();
    m_result.m_strInfo = answered ? m_client.GetAnswer() : m_client.GetMessage();
    m_client.GetSocket().Close();
    CleanAnswer(m_result, m_strip);
    m_finishedAtUtc = QDateTime::currentDateTimeUtc();
    const AnswerKind kind = AnalyseAnswer(m_result, STATUS_ERROR_1);
    if (answered) {
        m_reply = kind == AnswerKind::Throttled ? Reply::Throttled : Reply::Answered;
    }
    m_bEnded.store(true, std::memory_order_release);
    m_completions.Push(this);
}
