#pragma once

#include "lookup/AnswerAnalysis.h"
#include "lookup/CompletionQueue.h"
#include "lookup/DnsProbe.h"
#include "lookup/DnsTally.h"
#include "lookup/HttpTransfer.h"
#include "lookup/LookupTimeouts.h"
#include "lookup/RdapBootstrap.h"
#include "lookup/ServerBrake.h"
#include "lookup/ServerResolver.h"
#include "lookup/VerdictSource.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

class CDomainDoc;
class CTLDInfo;
class CLookupJob;
struct CRdapRoute;

// Turns lookup commands into worker threads, one per entry being looked up, and keeps the number
// running within the connection limit. Its timer paces the lookup of the ticked entries; each
// tick also tells the host to refresh its status line. Under that pace each server has a brake
// that learns how fast the server lets itself be asked: a throttled answer leaves its entry as
// it was and slows that server down, while the other servers' lookups go on. Runs on the
// user-interface thread.
class CLookupScheduler : public QObject {
    Q_OBJECT

public:
    static constexpr int kMinConnections = 1;
    static constexpr int kMaxConnections = 40;
    static constexpr std::chrono::milliseconds kMinOptionsInterval{2000};

    // Pacing and timeouts start as stored in the settings.
    explicit CLookupScheduler(CDomainDoc& doc, QObject* parent = nullptr);
    // Stops every lookup and waits for the workers to end.
    ~CLookupScheduler() override;

    void SetMaxConnections(int maxConnections) { m_nMaxConnections = maxConnections; }
    int GetMaxConnections() const { return m_nMaxConnections; }
    void SetInterval(std::chrono::milliseconds interval);
    std::chrono::milliseconds GetInterval() const { return m_timer.intervalAsDuration(); }
    void SetTimeouts(CLookupTimeouts timeouts) { m_timeouts = timeouts; }
    // Whether lookups that start from now on remove the registries' disclaimers.
    void SetStripOutput(Strip strip) { m_strip = strip; }
    Strip GetStripOutput() const { return m_strip; }
    // A certificate file RDAP lookups trust besides the system's store; empty in normal use.
    void SetCaFile(QByteArray caFile) { m_caFile = std::move(caFile); }
    // Whether a lookup whose WHOIS server cannot be reached goes on over RDAP.
    void SetRdapFallback(bool on) { m_bRdapFallback = on; }
    // Reads the RDAP bootstrap file again, after an update.
    void ReloadBootstrap();
    // "Back Off When Throttled" and "Longest Back-off".
    void SetBackOff(bool enabled, std::chrono::seconds longest)
    {
        m_brakes.SetEnabled(enabled, longest);
    }
    // Whether the lookups of a batch that start from now on ask DNS first, and which server.
    void SetDnsFirst(CDnsFirst dnsFirst) { m_dnsFirst = std::move(dnsFirst); }
    const CDnsFirst& GetDnsFirst() const { return m_dnsFirst; }
    // The values confirmed in the options: connections within 1..40, a tick of at least two
    // seconds, the list limit, disclaimer stripping, the back-off and asking DNS first.
    void ApplyOptions();

    // Which entries a batch looks up: the ticked ones (the window), or every one (a run over a
    // list from the command line, which leaves the user's ticks alone).
    enum class BatchScope { Ticked, Every };

    // Turns the timer-driven lookup of the batch on; it starts at the next tick.
    void CheckAllSelected(BatchScope scope = BatchScope::Ticked);
    // Looks the entry up at once, outside the pacing; it always asks the registry, whose record
    // tells more than a delegation does.
    bool CheckDomain(int index);
    // The lookups of a batch ask DNS first when that is on.
    // DnsOnly: while the name's registry is held back, DNS may still settle it.
    enum class Ask { Registry, DnsFirst, DnsOnly };
    bool StartLookup(int index, Ask ask = Ask::Registry);
    void StopAll();
    void StopLookup(int index);

    bool IsBusy() const;
    bool IsLookupAllOn() const { return m_bLookupAll; }
    bool IsLookupRunning(int index) const;
    // One step of the timer: start lookups for ticked entries; false when nothing is left.
    bool DispatchLookups();
    void OnTimer();

    CServerResolver& GetResolver() { return m_resolver; }
    // The server whose lookups have waited longest at the latest tick, if any waited.
    std::optional<CServerWait> CurrentWait() const;
    // Throttled answers received so far.
    int ThrottleCount() const { return m_brakes.Throttles(); }
    // What asking DNS first has spared the registries since the scheduler began.
    const CDnsTally& GetDnsTally() const { return m_dnsTally; }

Q_SIGNALS:
    // After every tick: time to refresh the status line.
    void Ticked();
    // A tick found no lookup running: the busy animation can stop.
    void Idle();
    // The entry at this index has its result, with its verdict from `source`.
    void LookupCompleted(int index, VerdictSource source);
    // The server throttled the lookup of the entry at this index; the entry waits for it.
    void LookupThrottled(int index);

private:
    void OnLookupsDone();
    void Complete(CLookupJob* job);
    int CountRunning() const;
    int StartPass(int& running, bool (*eligible)(std::uint8_t status));
    CRdapRoute RdapRouteFor(const QByteArray& name, const QByteArray& server) const;
    // The table entry whose server a lookup of `name` asks: its own TLD's, else that of com.
    const CTLDInfo* ServerEntryFor(QByteArrayView name) const;

    CDomainDoc& m_doc;
    QPointer<CDomainDoc> m_docAlive;
    CServerResolver m_resolver;
    CCompletionQueue m_completions;
    QTimer m_timer;
    CLookupTimeouts m_timeouts;
    Strip m_strip;
    CDnsFirst m_dnsFirst;
    // Names of the batch DNS did not settle: their next lookups ask the registry only.
    QSet<QByteArray> m_dnsUnsettled;
    CDnsTally m_dnsTally;
    int m_nMaxConnections;
    CRdapBootstrap m_bootstrap;
    bool m_bRdapFallback;
    QByteArray m_caFile = ExtraTrustedCaFile();
    CServerBrakes m_brakes;
    bool m_bLookupAll = false;
    BatchScope m_batchScope = BatchScope::Ticked;
    // Every job whose worker has not been joined yet, detached ones included.
    std::vector<std::shared_ptr<CLookupJob>> m_jobs;
};
