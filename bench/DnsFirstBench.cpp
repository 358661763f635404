// Asking DNS first against a registry that throttles: 1,000 names, 800 of them delegated, looked
// up with 10 connections at 0.2 s against a WHOIS server that allows each client 2 queries a
// second after a burst of 10, once with DNS first and once without. The registry either holds
// the queries beyond its rate until their turn (the pace a client that keeps to the limit gets)
// or refuses them, as registries do. Reports the wall time, the registry queries (and how many
// the server refused) and the verdicts.

#include "BenchBatch.h"

#include "core/DataFolder.h"
#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/LookupScheduler.h"

#include "support/TestDnsServer.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"

#include <QCoreApplication>

#include <cstdio>

using namespace std::chrono_literals;

namespace {

constexpr int kNames = 1000;
constexpr int kConnections = 10;
constexpr auto kInterval = 200ms;
constexpr double kRegistryRate = 2;
constexpr int kRegistryBurst = 10;

const QByteArray kFree = "No match for domain.\r\n";
const QByteArray kTaken = "Domain Name: BENCH.COM\r\nRegistrar: Example Registrar, Inc.\r\n"
                          "Creation Date: 2001-01-01T00:00:00Z\r\n";
const QByteArray kThrottled = "WHOIS LIMIT EXCEEDED - please try again later.\r\n";

QByteArray Name(int i)
{
    return "bench" + QByteArray::number(i) + ".com";
}

// Four names in five are delegated (and registered); the fifth is free.
bool IsDelegated(int i)
{
    return i % 5 != 0;
}

struct RunFigures {
    double seconds = 0;
    std::size_t registryQueries = 0;
    int throttled = 0;
    int right = 0;
    int errors = 0;
    int wrong = 0;
    CDnsTally dns;
};

enum class Excess { Queued, Refused };

RunFigures Run(CTLDList& tlds, CTestWhoisServer& whois, const CDnsFirst& dnsFirst, Excess excess)
{
    // A fresh bucket for each run: each starts with the registry's full burst.
    whois.SetThrottle(kRegistryRate, kRegistryBurst,
                      excess == Excess::Refused ? kThrottled : QByteArray());
    const std::size_t queriesBefore = whois.Queries().size();
    const int throttledBefore = whois.ThrottledQueries();
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    AddTickedNames(doc, kNames, Name);
    CLookupScheduler scheduler(doc);
    scheduler.SetMaxConnections(kConnections);
    scheduler.SetInterval(kInterval);
    scheduler.SetDnsFirst(dnsFirst);

    RunFigures figures;
    figures.seconds = RunBatchToEnd(scheduler);
    figures.registryQueries = whois.Queries().size() - queriesBefore;
    figures.throttled = whois.ThrottledQueries() - throttledBefore;
    figures.dns = scheduler.GetDnsTally();
    for (int i = 0; i < kNames; ++i) {
        const std::uint8_t status = doc.LookupName(Name(i))->m_nStatus;
        const std::uint8_t expected = IsDelegated(i) ? STATUS_TAKEN : STATUS_AVAILABLE;
        if (status == expected) {
            ++figures.right;
        } else if (status == STATUS_TAKEN || status == STATUS_AVAILABLE) {
            ++figures.wrong;
        } else {
            ++figures.errors;
        }
    }
    return figures;
}

void Print(const char* label, const RunFigures& figures)
{
    std::printf("  %-18s %7.1f s, %4zu registry queries (%4d refused as throttled), verdicts: %4d "
                "right, %4d wrong, %4d in error; DNS settled %d\n",
                label, figures.seconds, figures.registryQueries, figures.throttled, figures.right,
                figures.wrong, figures.errors, figures.dns.settled);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DataFolder::InitApplicationIdentity();
    // Settings and data in temporary folders; each run says itself whether it asks DNS first.
    CTestEnvironment::Instance();

    QHash<QByteArray, CTestDnsServer::Rule> delegations;
    CTestWhoisServer whois;
    whois.SetDefault(CTestWhoisServer::Script::Answer(kFree));
    for (int i = 0; i < kNames; ++i) {
        if (IsDelegated(i)) {
            delegations.insert(
                Name(i), CTestDnsServer::Rule::With(CTestDnsServer::Answer::Delegated,
                                                    "192.0.2." + QByteArray::number(i % 250 + 1)));
            whois.SetScript(Name(i), CTestWhoisServer::Script::Answer(kTaken));
        }
    }
    CTestDnsServer dns(delegations);
    if (!dns.IsRunning()) {
        std::fputs("The test DNS server did not start (is python3-dnslib installed?)\n", stderr);
        return 1;
    }
    CTLDList tlds;
    tlds.AddOrUpdateTLD("COM", whois.Address());

    std::printf("%d names, %d delegated; %d connections at %.1f s; the registry allows %.0f "
                "queries a second after a burst of %d\n",
                kNames, kNames * 4 / 5, kConnections, kInterval.count() / 1000.0, kRegistryRate,
                kRegistryBurst);
    for (const Excess excess : {Excess::Queued, Excess::Refused}) {
        std::printf("The registry %s the queries beyond its rate:\n",
                    excess == Excess::Queued ? "holds" : "refuses");
        const RunFigures first = Run(tlds, whois, CDnsFirst{true, dns.Address()}, excess);
        Print("DNS first:", first);
        const RunFigures without = Run(tlds, whois, CDnsFirst{}, excess);
        Print("without DNS first:", without);
        std::printf("  DNS first: %.1fx as fast (target at least 4x), %.0f%% of the registry "
                    "queries (target at most 25%%)\n",
                    without.seconds / first.seconds,
                    100.0 * static_cast<double>(first.registryQueries) /
                        static_cast<double>(without.registryQueries));
    }
    return 0;
}
