// RDAP lookups through the scheduler, as the window and quillon-cli run them: every sample's
// verdict live and from the stored text, Stop All, the fall-back from an unreachable WHOIS
// server, and a list mixing WHOIS and RDAP entries that is saved and opened again.

#include "lookup/LookupScheduler.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/RdapBootstrap.h"

#include "support/TestEnvironment.h"
#include "support/TestHttpServer.h"
#include "support/TestWhoisServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

using Script = CTestHttpServer::Script;

QString SamplesDir()
{
    return QStringLiteral(QUILLON_TEST_DATA_DIR "/rdap-samples");
}

// The HTTP status each sample folder stands for; an error sample carries its own.
long SampleStatus(const QString& folder, const QByteArray& body)
{
    if (folder == QLatin1String("registered")) {
        return 200;
    }
    if (folder == QLatin1String("notfound")) {
        return 404;
    }
    return body.mid(body.indexOf("\"errorCode\"") + 11)
        .replace('"', ' ')
        .replace(':', ' ')
        .trimmed()
        .left(3)
        .toLong();
}

std::uint8_t ExpectedStatus(const QString& folder)
{
    if (folder == QLatin1String("registered")) {
        return STATUS_TAKEN;
    }
    return folder == QLatin1String("notfound") ? STATUS_AVAILABLE : STATUS_ERROR_1;
}

// A TCP port on 127.0.0.1 that refuses connections: bound, never listening.
class CRefusingPort {
public:
    CRefusingPort()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~CRefusingPort() { ::close(m_socket); }
    QByteArray Address() const { return "127.0.0.1:" + QByteArray::number(m_port); }

private:
    int m_socket;
    quint16 m_port = 0;
};

class RdapLookupTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        tlds.AddOrUpdateTLD("COM", http.BaseUrl());
        doc.SetMaxEntries(100000);
        http.SetDefault(Script::Answer(404, {}));
        MakeScheduler();
    }

    void TearDown() override
    {
        scheduler.reset();
        doc.ClearList();
    }

    void MakeScheduler()
    {
        scheduler = std::make_unique<CLookupScheduler>(doc);
        scheduler->SetInterval(1h);
        scheduler->SetTimeouts({2s, 2s, 10s});
    }

    void AddTicked(const QByteArray& name)
    {
        ASSERT_TRUE(doc.AdmitName(name)) << name.toStdString();
        doc.SetTicked(doc.GetCount() - 1, true);
    }

    // One round: every ticked entry is looked up once, at the same time.
    bool RunOnce(int timeoutMs = 20000)
    {
        scheduler->SetMaxConnections(CLookupScheduler::kMaxConnections);
        scheduler->CheckAllSelected();
        scheduler->OnTimer();
        const bool ended = QTest::qWaitFor(
            [this] {
                for (int i = 0; i < doc.GetCount(); ++i) {
                    if (scheduler->IsLookupRunning(i)) {
                        return false;
                    }
                }
                return true;
            },
            timeoutMs);
        scheduler->StopAll();
        return ended;
    }

    static void WriteBootstrap(const QByteArray& tld, const QByteArray& url)
    {
        QDir().mkpath(CTestEnvironment::Instance().DataFolder());
        QFile file(CRdapBootstrap::DataFolderCopy());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"version":"1.0","publication":"2026-01-01T00:00:00Z","services":[[[")" +
                   tld + R"("],[")" + url + R"("]]]})");
    }

    CTestHttpServer http;
    CTLDList tlds;
    CDomainDoc doc{tlds, AnalyseStoredAnswer};
    std::unique_ptr<CLookupScheduler> scheduler;
};

TEST_F(RdapLookupTest, EverySampleGivesItsVerdictLiveAndFromItsStoredText)
{
    std::vector<std::pair<QString, QString>> samples;
    for (const QString& folder :
         {QStringLiteral("registered"), QStringLiteral("notfound"), QStringLiteral("error")}) {
        const QDir dir(SamplesDir() + QLatin1Char('/') + folder);
        for (const QString& file : dir.entryList({QStringLiteral("*.json")}, QDir::Files)) {
            samples.emplace_back(folder, dir.filePath(file));
        }
    }
    ASSERT_EQ(samples.size(), 20u);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        QFile file(samples[i].second);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray body = file.readAll();
        const QByteArray name = "sample" + QByteArray::number(static_cast<int>(i)) + ".com";
        http.SetScript("/domain/" + name,
                       Script::Answer(SampleStatus(samples[i].first, body), body));
        AddTicked(name);
    }
    ASSERT_TRUE(RunOnce());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const CDomainInfo& entry = *doc.GetAt(static_cast<int>(i));
        const std::uint8_t expected = ExpectedStatus(samples[i].first);
        EXPECT_EQ(entry.m_nStatus, expected) << samples[i].second.toStdString() << "\n"
                                             << entry.m_strInfo.toStdString();
        CDomainInfo stored;
        stored.m_strInfo = entry.m_strInfo;
        AnalyseStoredAnswer(stored);
        EXPECT_EQ(stored.m_nStatus,
                  expected == STATUS_ERROR_1 ? std::uint8_t{STATUS_UNKNOWN} : expected)
            << samples[i].second.toStdString();
    }
}

TEST_F(RdapLookupTest, StopAllEndsRdapLookupsAtOnce)
{
    http.SetDefault(Script::With(CTestHttpServer::Mode::Stall));
    scheduler->SetTimeouts({20s, 20s, 60s});
    for (const char* name : {"one.com", "two.com", "three.com"}) {
        AddTicked(name);
    }
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return http.Requests().size() == 3; }, 5000));
    QElapsedTimer clock;
    clock.start();
    scheduler->StopAll();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scheduler->IsBusy(); }, 5000));
    EXPECT_LT(clock.elapsed(), 1000);
    for (const auto& entry : doc.GetEntries()) {
        EXPECT_EQ(entry->m_nStatus, STATUS_ERROR_1);
        EXPECT_TRUE(entry->m_strInfo.contains("RDAP error: the lookup was stopped"));
    }
}

TEST_F(RdapLookupTest, StalledRdapServerTimesOutAsAFailure)
{
    http.SetDefault(Script::With(CTestHttpServer::Mode::Stall));
    scheduler->SetTimeouts({2s, 1s, 10s});
    AddTicked("stalled.com");
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(RunOnce(8000));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_ERROR_1);
    EXPECT_TRUE(doc.GetAt(0)->m_strInfo.contains("did not answer in time"));
}

TEST_F(RdapLookupTest, RefusedWhoisServerFallsBackToRdapWhenAllowed)
{
    const CRefusingPort refusing;
    tlds.AddOrUpdateTLD("COM", refusing.Address());
    WriteBootstrap("com", http.BaseUrl());
    for (const bool allowed : {true, false}) {
        SetSetting(Setting::UseRdapFallback, allowed ? 1 : 0);
        doc.ClearList();
        MakeScheduler();
        AddTicked("refused.com");
        ASSERT_TRUE(RunOnce());
        const CDomainInfo& entry = *doc.GetAt(0);
        if (allowed) {
            EXPECT_EQ(entry.m_nStatus, STATUS_AVAILABLE);
            EXPECT_TRUE(entry.m_strInfo.startsWith("RDAP server: " + http.BaseUrl()));
            EXPECT_TRUE(entry.m_strInfo.contains("Asked over RDAP: the WHOIS server " +
                                                 refusing.Address() + " refused the connection."))
                << entry.m_strInfo.toStdString();
        } else {
            EXPECT_EQ(entry.m_nStatus, STATUS_ERROR_1);
            EXPECT_FALSE(entry.m_strInfo.contains("RDAP"));
        }
    }
}

TEST_F(RdapLookupTest, UnresolvableWhoisServerFallsBackToRdapAlsoWhileTheFailureIsRemembered)
{
    tlds.AddOrUpdateTLD("ZZ", "no..such..host");
    WriteBootstrap("zz", http.BaseUrl());
    http.SetDefault(Script::Answer(200, R"({"objectClassName":"domain","ldhName":"NAME.ZZ"})"));
    MakeScheduler();
    AddTicked("name.zz");
    ASSERT_TRUE(RunOnce());
    AddTicked("other.zz");
    ASSERT_TRUE(RunOnce());
    for (int index = 0; index < doc.GetCount(); ++index) {
        EXPECT_EQ(doc.GetAt(index)->m_nStatus, STATUS_TAKEN) << index;
        EXPECT_TRUE(doc.GetAt(index)->m_strInfo.contains(
            "Asked over RDAP: the WHOIS server no..such..host could not be resolved."))
            << doc.GetAt(index)->m_strInfo.toStdString();
    }
}

TEST_F(RdapLookupTest, RdapEntriesNeedNoResolution)
{
    int resolutions = 0;
    scheduler->GetResolver().SetHostLookup(
        [&resolutions](const QString&, CServerResolver&) { return ++resolutions; });
    AddTicked("name.com");
    ASSERT_TRUE(RunOnce());
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(resolutions, 0);
    EXPECT_FALSE(scheduler->GetResolver().NoServerResolved())
        << "an RDAP entry is never waiting for its address";
}

TEST_F(RdapLookupTest, TooManyRequestsPutsTheNameBackUntilTheRetryAfterHasPassed)
{
    CTestHttpServer::Script throttle = Script::Answer(429, {});
    throttle.headers.append(qMakePair(QByteArray("Retry-After"), QByteArray("1")));
    http.SetDefault(throttle);
    AddTicked("name.com");
    QSignalSpy throttled(scheduler.get(), &CLookupScheduler::LookupThrottled);
    scheduler->SetInterval(50ms);
    scheduler->CheckAllSelected();
    ASSERT_TRUE(throttled.wait(10000));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_UNKNOWN) << "the name is as it was";
    EXPECT_TRUE(doc.GetAt(0)->m_strInfo.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([this] { return scheduler->CurrentWait().has_value(); }, 2000));
    const CServerWait wait = *scheduler->CurrentWait();
    EXPECT_EQ(wait.server, http.BaseUrl());
    ASSERT_TRUE(wait.resumesIn) << "paused for the Retry-After, not only paced";
    EXPECT_LE(*wait.resumesIn, 1s);

    http.SetDefault(Script::Answer(404, {}));
    QElapsedTimer sinceThrottle;
    sinceThrottle.start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scheduler->IsBusy(); }, 10000));
    EXPECT_GE(sinceThrottle.elapsed(), 800) << "the server was asked again only after its wait";
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(scheduler->ThrottleCount(), 1);
}

TEST_F(RdapLookupTest, MixedListKeepsItsStatusesWhenSavedAndOpenedAgain)
{
    CTestWhoisServer whois;
    whois.SetDefault(CTestWhoisServer::Script::Answer("No match for domain.\r\n"));
    whois.SetScript("taken.net", CTestWhoisServer::Script::Answer(
                                     "Domain Name: TAKEN.NET\r\nRegistrar: Example\r\n"));
    tlds.AddOrUpdateTLD("NET", whois.Address());
    http.SetScript("/domain/taken.com",
                   Script::Answer(200, R"({"objectClassName":"domain","ldhName":"TAKEN.COM"})"));
    http.SetScript("/domain/broken.com", Script::Answer(503, {}));
    for (const char* name : {"free.com", "taken.com", "broken.com", "free.net", "taken.net"}) {
        AddTicked(name);
    }
    MakeScheduler();
    ASSERT_TRUE(RunOnce());
    std::vector<int> statuses;
    std::vector<QByteArray> texts;
    for (const auto& entry : doc.GetEntries()) {
        statuses.push_back(entry->m_nStatus);
        texts.push_back(entry->m_strInfo);
    }
    EXPECT_EQ(statuses, (std::vector<int>{STATUS_AVAILABLE, STATUS_TAKEN, STATUS_ERROR_1,
                                          STATUS_AVAILABLE, STATUS_TAKEN}));

    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("mixed.zul"));
    scheduler.reset();
    ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    CDomainDoc reopened{tlds, AnalyseStoredAnswer};
    ASSERT_TRUE(reopened.OnOpenDocument(path).Ok());
    ASSERT_EQ(reopened.GetCount(), 5);
    for (int i = 0; i < reopened.GetCount(); ++i) {
        const CDomainInfo& entry = *reopened.GetAt(i);
        EXPECT_EQ(entry.m_strInfo, texts[static_cast<std::size_t>(i)]);
        const int live = statuses[static_cast<std::size_t>(i)];
        EXPECT_EQ(entry.m_nStatus, live == STATUS_ERROR_1 ? STATUS_UNKNOWN : live) << i;
    }
}

} // namespace
