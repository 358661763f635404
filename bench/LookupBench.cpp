// How close the lookup engine comes to the pace its settings allow: 1,000 names against a test
// WHOIS server that answers after 50 ms, for two pacings, next to the same names looked up with
// `xargs -P N whois` at the same concurrency; and the longest stall of the event loop's thread
// while 3,000 names are looked up.

#include "BenchBatch.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/LookupScheduler.h"

#include "support/TestWhoisServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct RunFigures {
    double seconds = 0;
    double longestStallMs = 0;
    int available = 0;
    // From the start of a lookup to its result in the list, in milliseconds.
    double medianLookupMs = 0;
    double slowestLookupMs = 0;
};

// Looks up `count` names with the given pacing; a 5 ms timer measures how late it fires.
RunFigures Run(CTLDList& tlds, int count, int connections, std::chrono::milliseconds interval)
{
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    AddTickedNames(doc, count, BenchNames("com"));
    CLookupScheduler scheduler(doc);
    scheduler.SetMaxConnections(connections);
    scheduler.SetInterval(interval);
    scheduler.SetTimeouts({5s, 5s});

    RunFigures figures;
    QEventLoop loop;
    QElapsedTimer stallClock;
    QTimer stallProbe;
    stallProbe.setInterval(5);
    QObject::connect(&stallProbe, &QTimer::timeout, [&] {
        figures.longestStallMs =
            std::max(figures.longestStallMs, stallClock.nsecsElapsed() / 1e6 - 5);
        stallClock.restart();
    });
    QObject::connect(&scheduler, &CLookupScheduler::Ticked, [&] {
        if (!scheduler.IsBusy()) {
            loop.quit();
        }
    });
    QElapsedTimer wall;
    std::vector<qint64> started(static_cast<std::size_t>(count), 0);
    std::vector<double> lookupMs;
    QObject::connect(&doc, &CDomainDoc::RowsChanged, [&](int first, int last) {
        if (first == last && doc.GetAt(first)->m_nStatus == STATUS_CHECKING) {
            started[static_cast<std::size_t>(first)] = wall.nsecsElapsed();
        }
    });
    QObject::connect(&scheduler, &CLookupScheduler::LookupCompleted, [&](int index) {
        lookupMs.push_back((wall.nsecsElapsed() - started[static_cast<std::size_t>(index)]) / 1e6);
    });
    wall.start();
    stallClock.start();
    stallProbe.start();
    scheduler.CheckAllSelected();
    scheduler.OnTimer();
    loop.exec();
    figures.seconds = wall.nsecsElapsed() / 1e9;
    std::sort(lookupMs.begin(), lookupMs.end());
    if (!lookupMs.empty()) {
        figures.medianLookupMs = lookupMs[lookupMs.size() / 2];
        figures.slowestLookupMs = lookupMs.back();
    }
    for (const auto& entry : doc.GetEntries()) {
        figures.available += entry->m_nStatus == STATUS_AVAILABLE ? 1 : 0;
    }
    return figures;
}

// The same names through Debian's whois client, N at a time.
double RunPeer(int count, int concurrency, quint16 port)
{
    const QByteArray command = "seq 0 " + QByteArray::number(count - 1) + " | xargs -P " +
                               QByteArray::number(concurrency) + " -I{} whois -h 127.0.0.1 -p " +
                               QByteArray::number(port) + " bench{}.com > /dev/null";
    QElapsedTimer wall;
    wall.start();
    if (std::system(command.constData()) != 0) {
        return -1;
    }
    return wall.nsecsElapsed() / 1e9;
}

void Compare(CTLDList& tlds, CTestWhoisServer& server, int connections,
             std::chrono::milliseconds interval)
{
    constexpr int kNames = 1000;
    const int ticks = (kNames + connections - 1) / connections;
    // The last round starts (ticks - 1) intervals after the first and needs one answer's time.
    const double bound = (ticks - 1) * (interval.count() / 1000.0) + 0.05;
    const RunFigures ours = Run(tlds, kNames, connections, interval);
    const double peer = RunPeer(kNames, connections, server.Port());
    std::printf(
        "%2d connections, %5.1f s interval: %7.2f s (pacing bound %7.2f s, %+5.1f%%), "
        "%d available, lookups %.0f ms median, %.0f ms slowest; xargs -P %d whois: %6.2f s\n",
        connections, interval.count() / 1000.0, ours.seconds, bound,
        100.0 * (ours.seconds - bound) / bound, ours.available, ours.medianLookupMs,
        ours.slowestLookupMs, connections, peer);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const CBenchEnvironment environment;

    CTestWhoisServer server;
    server.SetDefault(CTestWhoisServer::Script::Answer("No match for domain.\r\n", 50ms));
    CTLDList tlds;
    tlds.AddOrUpdateTLD("COM", server.Address());

    Compare(tlds, server, 40, 100ms);
    const RunFigures stall = Run(tlds, 3000, 40, 100ms);
    std::printf("3,000 names, 40 connections, 0.1 s: %.2f s, longest stall of the event loop "
                "%.1f ms (target < 50 ms)\n",
                stall.seconds, stall.longestStallMs);
    std::fflush(stdout);
    if (argc > 1 && QByteArray(argv[1]) == "--slow") {
        Compare(tlds, server, 5, 2000ms);
    }
    return 0;
}
