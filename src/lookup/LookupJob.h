#pragma once

#include "core/DomainInfo.h"
#include "core/LookupTask.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/DnsProbe.h"
#include "lookup/VerdictSource.h"
#include "lookup/WhoisClient.h"

#include <atomic>
#include <optional>
#include <thread>

class CCompletionQueue;

// One running lookup: its WHOIS client, its DNS probe when DNS is asked first, its worker thread
// and the result the worker fills. The worker writes only this object's result; the user-interface
// thread copies text, time and status into the entry together when the completion arrives, so no
// display ever reads a half-written entry.
class CLookupJob final : public CLookupTask {
public:
    CLookupJob(QByteArray name, std::uint8_t previousStatus, std::shared_ptr<CHostRecord> host,
               QByteArray serverName, CLookupTimeouts timeouts, Strip strip,
               CCompletionQueue& completions, const CDnsFirst& dnsFirst);
    ~CLookupJob() override;

    void Start();
    void Abort() override;
    bool HasEnded() const override { return m_bEnded.load(std::memory_order_acquire); }
    // Waits for the worker thread; the result is complete afterwards.
    void Join();

    // Text, status and, when DNS settled it, the address of the finished lookup.
    const CDomainInfo& GetResult() const { return m_result; }
    VerdictSource GetSource() const { return m_source; }
    bool AskedDns() const { return m_probe.has_value(); }
    // When the worker finished, as local time. (Workers take the time in UTC: converting to
    // local time reads the time zone, which glibc guards with a lock sanitizers cannot see.)
    DateTimeValue GetFinishedAt() const;
    bool UsesHost(const CHostRecord* host) const { return m_client.UsesHost(host); }

private:
    using Clock = CWhoisClient::Clock;

    void LookupWorker();
    // Asks DNS first, within the connect timeout and the try's deadline: a delegation settles
    // the name as taken, and the registry is not asked.
    bool TakeDnsVerdict(Clock::time_point deadline);

    CWhoisClient m_client;
    std::optional<CDnsProbe> m_probe;
    const CLookupTimeouts m_timeouts;
    const Strip m_strip;
    CDomainInfo m_result;
    VerdictSource m_source = VerdictSource::Whois;
    QDateTime m_finishedAtUtc;
    CCompletionQueue& m_completions;
    std::thread m_thread;
    std::atomic<bool> m_bEnded{false};
};
