// RDAP lookups against the pace the settings allow: 1,000 names against the tests' HTTP server
// answering after 50 ms, 40 connections at 0.1 s, next to the same URLs fetched with
// `xargs -P 40 curl`; and the memory one running RDAP lookup holds, over plain HTTP and over
// HTTPS with the system's certificate bundle loaded.

#include "BenchBatch.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/HttpTransfer.h"
#include "lookup/LookupScheduler.h"

#include "support/TestHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>

using namespace std::chrono_literals;

namespace {

constexpr int kNames = 1000;
constexpr int kConnections = 40;
constexpr auto kInterval = 100ms;

long ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return 0;
}

// Seconds for the whole batch, and how many names came out available.
std::pair<double, int> TimeBatch(CTLDList& tlds)
{
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    AddTickedNames(doc, kNames, BenchNames("com"));
    CLookupScheduler scheduler(doc);
    scheduler.SetMaxConnections(kConnections);
    scheduler.SetInterval(kInterval);
    const double seconds = RunBatchToEnd(scheduler);
    int available = 0;
    for (const auto& entry : doc.GetEntries()) {
        available += entry->m_nStatus == STATUS_AVAILABLE ? 1 : 0;
    }
    return {seconds, available};
}

double TimePeer(const QByteArray& baseUrl)
{
    const QByteArray command = "seq 0 " + QByteArray::number(kNames - 1) + " | xargs -P " +
                               QByteArray::number(kConnections) + " -I{} curl -s -o /dev/null " +
                               baseUrl + "domain/bench{}.com";
    QElapsedTimer wall;
    wall.start();
    return std::system(command.constData()) == 0 ? wall.nsecsElapsed() / 1e9 : -1;
}

// Resident memory per lookup while 40 lookups wait on a server that never answers.
double KiBPerRunningLookup(CTLDList& tlds, CTestHttpServer& server, const QByteArray& caFile)
{
    server.SetDefault(CTestHttpServer::Script::With(CTestHttpServer::Mode::Stall));
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    AddTickedNames(doc, kConnections, BenchNames("com"));
    CLookupScheduler scheduler(doc);
    scheduler.SetCaFile(caFile);
    scheduler.SetMaxConnections(kConnections);
    scheduler.SetInterval(1h);
    scheduler.SetTimeouts({20s, 60s, 120s});
    const long before = ResidentKiB();
    scheduler.CheckAllSelected();
    scheduler.OnTimer();
    if (!QTest::qWaitFor([&server] { return server.Requests().size() >= kConnections; }, 20000)) {
        std::fprintf(stderr, "the server saw only %d of %d lookups\n",
                     static_cast<int>(server.Requests().size()), kConnections);
        return -1;
    }
    QTest::qWait(500);
    const long during = ResidentKiB();
    scheduler.StopAll();
    server.ReleaseStalled();
    return double(during - before) / kConnections;
}

// The system's bundle with the test certificate added, so that HTTPS lookups load what they
// load for real servers.
QByteArray SystemBundleWithTestCertificate(const QTemporaryDir& folder)
{
    QFile system(QStringLiteral("/etc/ssl/certs/ca-certificates.crt"));
    QFile test(QString::fromUtf8(CTestHttpServer::CaFile()));
    QFile both(folder.filePath(QStringLiteral("bundle.pem")));
    if (system.open(QIODevice::ReadOnly) && test.open(QIODevice::ReadOnly) &&
        both.open(QIODevice::WriteOnly)) {
        both.write(system.readAll() + '\n' + test.readAll());
    }
    return both.fileName().toUtf8();
}

} // namespace

int main(int argc, char** argv)
{
    const CHttpLibrary http;
    QCoreApplication app(argc, argv);
    const CBenchEnvironment environment;

    CTestHttpServer server;
    server.SetDefault(CTestHttpServer::Script::Answer(404, {}, 50ms));
    CTLDList tlds;
    tlds.AddOrUpdateTLD("COM", server.BaseUrl());

    const int ticks = (kNames + kConnections - 1) / kConnections;
    const double bound = (ticks - 1) * 0.1 + 0.05;
    const auto [seconds, available] = TimeBatch(tlds);
    const double peer = TimePeer(server.BaseUrl());
    std::printf("1,000 RDAP names, 40 connections, 0.1 s interval: %.2f s (pacing bound %.2f s, "
                "%+.1f%%), %d available; xargs -P 40 curl: %.2f s\n",
                seconds, bound, 100.0 * (seconds - bound) / bound, available, peer);

    const double plain = KiBPerRunningLookup(tlds, server, {});
    CTestHttpServer secure(CTestHttpServer::Tls::On);
    tlds.AddOrUpdateTLD("COM", secure.BaseUrl());
    const QTemporaryDir folder;
    const double tls = KiBPerRunningLookup(tlds, secure, SystemBundleWithTestCertificate(folder));
    std::printf("memory per running RDAP lookup: %.0f KiB over HTTP, %.0f KiB over HTTPS\n", plain,
                tls);
    return 0;
}
