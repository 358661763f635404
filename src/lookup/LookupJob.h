#pragma once

#include "core/DomainInfo.h"
#include "core/LookupTask.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/RdapClient.h"
#include "lookup/WhoisClient.h"

#include <atomic>
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

// One running lookup: its WHOIS or RDAP client, its worker thread and the result the worker fills.
// The worker writes only this object's result; the user-interface thread copies text, time and
// status into the entry together when the completion arrives, so no display ever reads a
// half-written entry.
class CLookupJob final : public CLookupTask {
public:
    CLookupJob(QByteArray name, std::uint8_t previousStatus, std::shared_ptr<CHostRecord> host,
               QByteArray serverName, CLookupTimeouts timeouts, Strip strip,
               CCompletionQueue& completions, CRdapRoute rdap = {});
    ~CLookupJob() override;

    void Start();
    void Abort() override;
    // The WHOIS server's name could not be resolved: the lookup goes on over RDAP when it has a
    // route there, else it ends like a stopped one.
    void AbortUnresolved();
    bool HasEnded() const override { return m_bEnded.load(std::memory_order_acquire); }
    // Waits for the worker thread; the result is complete afterwards.
    void Join();

    // Text and status of the finished lookup.
    const CDomainInfo& GetResult() const { return m_result; }
    // When the worker finished, as local time. (Workers take the time in UTC: converting to
    // local time reads the time zone, which glibc guards with a lock sanitizers cannot see.)
    DateTimeValue GetFinishedAt() const;
    bool UsesHost(const CHostRecord* host) const { return m_client.UsesHost(host); }

private:
    void LookupWorker();
    void LookUpOverWhois();
    // Why the WHOIS server was never reached; empty when it was.
    QByteArray WhyWhoisUnreachable() const;

    CWhoisClient m_client;
    const Strip m_strip;
    CRdapRoute m_rdap;
    CRdapClient m_rdapClient;
    QByteArray m_serverName;
    std::atomic<bool> m_bStopped{false};
    std::atomic<bool> m_bUnresolved{false};
    CDomainInfo m_result;
    QDateTime m_finishedAtUtc;
    CCompletionQueue& m_completions;
    std::thread m_thread;
    std::atomic<bool> m_bEnded{false};
};
