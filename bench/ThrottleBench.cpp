// A batch against a registry that limits its clients: 300 names, 10 connections at 0.2 s,
// against the tests' WHOIS server allowing 2 queries a second after a burst of 10 and answering
// PIR's "limit exceeded" beyond that. With "Back Off When Throttled" on and off: wall time,
// throttled answers, and how many names were decided or ended "Too many errors".

#include "BenchBatch.h"

#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include "support/TestWhoisServer.h"

#include <QCoreApplication>

#include <cstdio>

using namespace std::chrono_literals;

namespace {

constexpr int kNames = 300;
constexpr int kConnections = 10;
constexpr auto kInterval = 200ms;
constexpr double kServerRate = 2;
constexpr int kServerBurst = 10;

struct CBatchFigures {
    double seconds = 0;
    int throttled = 0;
    int decided = 0;
    int tooManyErrors = 0;
};

CBatchFigures RunBatch(bool backOff)
{
    CTestWhoisServer server;
    server.SetDefault(CTestWhoisServer::Script::Answer("No match for domain.\r\n"));
    server.SetThrottle(kServerRate, kServerBurst,
                       "WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\r\n");
    CTLDList tlds;
    tlds.AddOrUpdateTLD("ORG", server.Address());
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    AddTickedNames(doc, kNames, BenchNames("org"));
    CLookupScheduler scheduler(doc);
    scheduler.SetMaxConnections(kConnections);
    scheduler.SetInterval(kInterval);
    scheduler.SetBackOff(backOff, 900s);
    CBatchFigures figures{RunBatchToEnd(scheduler), server.ThrottledQueries(), 0, 0};
    for (const auto& entry : doc.GetEntries()) {
        figures.decided += entry->IsChecked() ? 1 : 0;
        figures.tooManyErrors += entry->m_nStatus == STATUS_TOO_MANY_ERRORS ? 1 : 0;
    }
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const CBenchEnvironment environment;

    // The server's own bound: the burst at once, then kServerRate names a second.
    const double bound = (kNames - kServerBurst) / kServerRate;
    for (const bool backOff : {true, false}) {
        const CBatchFigures figures = RunBatch(backOff);
        std::printf("%d names, %d connections at %.1f s, server %.0f q/s burst %d, back-off %s: "
                    "%.1f s (server's bound %.0f s), %d throttled answers, %d decided, "
                    "%d too many errors\n",
                    kNames, kConnections, kInterval.count() / 1000.0, kServerRate, kServerBurst,
                    backOff ? "on" : "off", figures.seconds, bound, figures.throttled,
                    figures.decided, figures.tooManyErrors);
    }
    return 0;
}
