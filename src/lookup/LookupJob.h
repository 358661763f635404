#pragma once

#include "core/DomainInfo.h"
#include "core/LookupTask.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/DnsProbe.h"
#include "lookup/RdapClient.h"
#include "lookup/VerdictSource.h"
#include "lookup/WhoisClient.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

class CCompletionQueue;

// Where a lookup may go over RDAP: the base URL of the name's own TLD entry (then it asks RDAP
// only), or the bootstrap's service for the TLD, asked when the WHOIS server cannot be resolved
// or refuses the connection.
struct CRdapRoute {
    QByteArray baseUrl;
    QByteArray fallbackUrl;
    CRdapOptions options;
};

// One running lookup: its DNS probe when DNS is asked first, its WHOIS or RDAP client, its
// worker thread and the result the worker fills. The worker writes only this object's result;
// the user-interface thread copies text, time and status into the entry together when the
// completion arrives, so no display ever reads a half-written entry.
class CLookupJob final : public CLookupTask {
public:
    using Clock = std::chrono::steady_clock;

    // `server` is the server text of the table entry asked (that of com for a name whose TLD
    // the table lacks); `serverName` that of the name's own entry, for the message when its
    // address never arrives.
    CLookupJob(QByteArray name, std::uint8_t previousStatus, std::shared_ptr<CHostRecord> host,
               QByteArray server, QByteArray serverName, CLookupTimeouts timeouts, Strip strip,
               CCompletionQueue& completions, const CDnsFirst& dnsFirst, CRdapRoute rdap = {});
    ~CLookupJob() override;

    // Asks DNS and nothing else: a name DNS does not settle is left to a later lookup.
    void SetDnsOnly() { m_bDnsOnly = true; }
    void Start();
    void Abort() override;
    bool HasEnded() const override { return m_bEnded.load(std::memory_order_acquire); }
    // Waits for the worker thread; the result is complete afterwards.
    void Join();

    // How the registry took the query: it was never asked or never answered (the text is the
    // failure, or DNS settled the name), it answered, or it throttled this client.
    enum class Reply { None, Answered, Throttled };

    // Text, status and, when DNS settled it, the address of the finished lookup.
    const CDomainInfo& GetResult() const { return m_result; }
    Reply GetReply() const { return m_reply; }
    VerdictSource GetSource() const { return m_source; }
    bool AskedDns() const { return m_probe.has_value(); }
    // A lookup that was to ask DNS only, and DNS did not settle the name.
    bool WasLeftToTheRegistry() const { return m_bDnsOnly && m_source == VerdictSource::Registry; }
    // When the worker finished, as local time. (Workers take the time in UTC: converting to
    // local time reads the time zone, which glibc guards with a lock sanitizers cannot see.)
    DateTimeValue GetFinishedAt() const;
    const QByteArray& GetServer() const { return m_server; }
    Clock::time_point GetStartedAt() const { return m_startedAt; }
    // The wait an RDAP server named in its Retry-After, when it named one.
    std::optional<std::chrono::seconds> GetRetryAfter() const { return m_retryAfter; }

private:
    void LookupWorker();
    // Asks DNS first, within the connect timeout and the try's deadline: a delegation settles
    // the name as taken, and the registry is not asked.
    bool TakeDnsVerdict(Clock::time_point deadline);
    // Each leaves the record text in the result and says whether the server answered.
    bool LookUpOverWhois(Clock::time_point deadline);
    // `why` says why a lookup meant for a WHOIS server went over RDAP; empty otherwise.
    bool LookUpOverRdap(const QByteArray& baseUrl, const QByteArray& why);
    // Why the WHOIS server was never reached; empty when it was.
    QByteArray WhyWhoisUnreachable() const;

    CWhoisClient m_client;
    std::optional<CDnsProbe> m_probe;
    const CLookupTimeouts m_timeouts;
    const QByteArray m_server;
    Clock::time_point m_startedAt{};
    const Strip m_strip;
    CRdapRoute m_rdap;
    CRdapClient m_rdapClient;
    QByteArray m_serverName;
    std::atomic<bool> m_bStopped{false};
    CDomainInfo m_result;
    Reply m_reply = Reply::None;
    std::optional<std::chrono::seconds> m_retryAfter;
    VerdictSource m_source = VerdictSource::Registry;
    bool m_bDnsOnly = false;
    QDateTime m_finishedAtUtc;
    CCompletionQueue& m_completions;
    std::thread m_thread;
    std::atomic<bool> m_bEnded{false};
};
