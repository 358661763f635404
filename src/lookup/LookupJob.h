#pragma once

#include "core/DomainInfo.h"
#include "core/LookupTask.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/WhoisClient.h"

#include <atomic>
#include <chrono>
#include <thread>

class CCompletionQueue;

// One running lookup: its WHOIS client, its worker thread and the result the worker fills. The
// worker writes only this object's result; the user-interface thread copies text, time and status
// into the entry together when the completion arrives, so no display ever reads a half-written
// entry.
class CLookupJob final : public CLookupTask {
public:
    using Clock = std::chrono::steady_clock;

    // `server` is the server text of the table entry asked (that of com for a name whose TLD
    // the table lacks); `serverName` that of the name's own entry, for the message when its
    // address never arrives.
    CLookupJob(QByteArray name, std::uint8_t previousStatus, std::shared_ptr<CHostRecord> host,
               QByteArray server, QByteArray serverName, CLookupTimeouts timeouts, Strip strip,
               CCompletionQueue& completions);
    ~CLookupJob() override;

    void Start();
    void Abort() override;
    bool HasEnded() const override { return m_bEnded.load(std::memory_order_acquire); }
    // Waits for the worker thread; the result is complete afterwards.
    void Join();

    // How the server took the query: it never answered (the text is the failure), it answered,
    // or it throttled this client.
    enum class Reply { None, Answered, Throttled };

    // Text and status of the finished lookup.
    const CDomainInfo& GetResult() const { return m_result; }
    Reply GetReply() const { return m_reply; }
    // When the worker finished, as local time. (Workers take the time in UTC: converting to
    // local time reads the time zone, which glibc guards with a lock sanitizers cannot see.)
    DateTimeValue GetFinishedAt() const;
    bool UsesHost(const CHostRecord* host) const { return m_client.UsesHost(host); }
    const QByteArray& GetServer() const { return m_server; }
    Clock::time_point GetStartedAt() const { return m_startedAt; }

private:
    void LookupWorker();

    CWhoisClient m_client;
    const QByteArray m_server;
    Clock::time_point m_startedAt{};
    const Strip m_strip;
    CDomainInfo m_result;
    Reply m_reply = Reply::None;
    QDateTime m_finishedAtUtc;
    CCompletionQueue& m_completions;
    std::thread m_thread;
    std::atomic<bool> m_bEnded{false};
};
