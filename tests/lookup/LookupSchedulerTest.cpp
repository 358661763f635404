#include "lookup/LookupScheduler.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/SocketHolder.h"
#include "lookup/StatusLine.h"

#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"
#include "support/TickedNames.h"

#include <QElapsedTimer>
#include <QHostInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <limits>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using Mode = CTestWhoisServer::Mode;
using Script = CTestWhoisServer::Script;

const QByteArray kFree = "No match for domain.\r\n";

// Stands in for the name service of the resolver: counts the resolutions asked for and either
// never answers or answers each at once that the name is unknown.
class CNameServiceStandIn {
public:
    enum class Answer { Never, NotFound };

    explicit CNameServiceStandIn(Answer answer)
        : m_answer(answer)
    {}

    CServerResolver::HostLookup Lookup()
    {
        return [this](const QString& host, CServerResolver& resolver) {
            // Far beyond the ids Qt hands out, so cancelling one can never touch a real lookup.
            const int id = (1 << 30) + m_nStarted++;
            if (m_answer == Answer::NotFound) {
                QTimer::singleShot(0, &resolver, [&resolver, id, host] {
                    QHostInfo result(id);
                    result.setHostName(host);
                    result.setError(QHostInfo::HostNotFound);
                    resolver.OnHostLookedUp(result);
                });
            }
            return id;
        };
    }

    int Started() const { return m_nStarted; }

private:
    Answer m_answer;
    int m_nStarted = 0;
};
const QByteArray kTaken = "Domain Name: TAKEN.COM\r\nRegistrar: Example Registrar, Inc.\r\n"
                          "Creation Date: 2001-01-01T00:00:00Z\r\nName Server: NS1.EXAMPLE.COM\r\n";

// A list of ticked names under COM, whose server is the test server, and a scheduler whose timer
// the tests drive by hand unless they ask for real ticks.
class LookupSchedulerTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        tlds.ClearTLDList();
        tlds.AddOrUpdateTLD("COM", server.Address());
        doc.SetMaxEntries(100000);
        server.SetDefault(Script::Answer(kFree));
        scheduler = std::make_unique<CLookupScheduler>(doc);
        scheduler->SetInterval(1h);
        scheduler->SetTimeouts({2s, 2s});
    }

    void TearDown() override
    {
        scheduler.reset();
        doc.ClearList();
        tlds.ClearTLDList();
    }

    void AddTicked(int count, const char* prefix = "name")
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(AdmitTicked(doc, prefix + QByteArray::number(i) + ".com"));
        }
    }

    int Running() const { return RunningLookups(doc); }

    bool WaitUntilIdle(int timeoutMs = 10000)
    {
        return QTest::qWaitFor([this] { return Running() == 0; }, timeoutMs);
    }

    // One tick, then the lookups it started run to their end.
    void TickAndSettle()
    {
        scheduler->OnTimer();
        ASSERT_TRUE(WaitUntilIdle());
    }

    // One ticked name under ZZ, whose server is `server`, with the lookup of ticked entries on.
    void CheckNameUnderZZ(const QByteArray& server)
    {
        tlds.AddOrUpdateTLD("ZZ", server);
        ASSERT_TRUE(doc.AdmitName("name.zz"));
        doc.SetTicked(0, true);
        scheduler->CheckAllSelected();
    }

    // Five ticks, each followed by the end of the lookups it started: the first entry's statuses.
    std::vector<int> FiveTries(int roundTimeoutMs = 10000)
    {
        std::vector<int> seen;
        for (int round = 0; round < 5; ++round) {
            scheduler->OnTimer();
            EXPECT_TRUE(WaitUntilIdle(roundTimeoutMs)) << "round " << round;
            seen.push_back(doc.GetAt(0)->m_nStatus);
        }
        return seen;
    }

    std::vector<int> Statuses() const
    {
        std::vector<int> statuses;
        for (const auto& entry : doc.GetEntries()) {
            statuses.push_back(entry->m_nStatus);
        }
        return statuses;
    }

    CTestWhoisServer server;
    CTLDList tlds;
    CDomainDoc doc{tlds, AnalyseStoredAnswer};
    std::unique_ptr<CLookupScheduler> scheduler;
};

TEST_F(LookupSchedulerTest, EachTickStartsUpToTheConnectionLimit)
{
    server.SetDefault(Script::Answer(kFree, 200ms));
    AddTicked(12);
    scheduler->SetMaxConnections(5);
    scheduler->CheckAllSelected();

    scheduler->OnTimer();
    EXPECT_EQ(Running(), 5);
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_CHECKING) << "status 1 shows while a lookup runs";
    scheduler->OnTimer();
    EXPECT_EQ(Running(), 5) << "a tick while the limit is reached starts nothing";
    ASSERT_TRUE(WaitUntilIdle());
    scheduler->OnTimer();
    EXPECT_EQ(Running(), 5);
    ASSERT_TRUE(WaitUntilIdle());
    scheduler->OnTimer();
    EXPECT_EQ(Running(), 2);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_TRUE(scheduler->IsLookupAllOn());

    QSignalSpy idle(scheduler.get(), &CLookupScheduler::Idle);
    scheduler->OnTimer();
    EXPECT_FALSE(scheduler->IsLookupAllOn()) << "nothing left to start clears the flag";
    EXPECT_EQ(idle.count(), 1);
    EXPECT_EQ(Statuses(), std::vector<int>(12, STATUS_AVAILABLE));
    EXPECT_LE(server.MostConnectionsAtOnce(), 5);
    EXPECT_TRUE(StatusLineText(CListCounts::Of(doc), scheduler->IsBusy(), false)
                    .endsWith(QStringLiteral("[12 Domains, 12 checked, 12 available, 0 taken]")));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(LookupSchedulerTest, NamesInOtherScriptsAreAskedForAsALabelsAndUnicodeEchoesDecide)
{
    server.SetScript("xn--mnchen-3ya.com",
                     Script::Answer("No match for \"M\xc3\x9cNCHEN.COM\".\r\n"));
    server.SetScript("xn--bcher-kva.com",
                     Script::Answer("Domain Name: b\xc3\xbc\x63her.com\r\nRegistrar: Example\r\n"
                                    "Creation Date: 2001-01-01T00:00:00Z\r\n"));
    for (const char* name : {"m\xc3\xbcnchen.com", "B\xc3\x9c\x43HER.com"}) {
        ASSERT_TRUE(doc.AdmitName(name));
        doc.SetTicked(doc.GetCount() - 1, true);
    }
    scheduler->CheckAllSelected();
    TickAndSettle();
    EXPECT_EQ(Statuses(), (std::vector<int>{STATUS_AVAILABLE, STATUS_TAKEN}));
    std::vector<QByteArray> queries = server.Queries();
    std::sort(queries.begin(), queries.end());
    EXPECT_EQ(queries,
              (std::vector<QByteArray>{"xn--bcher-kva.com\r\n", "xn--mnchen-3ya.com\r\n"}));
}

TEST_F(LookupSchedulerTest, TimerDrivenBatchStaysWithinTheLimit)
{
    server.SetDefault(Script::Answer(kFree, 150ms));
    AddTicked(30);
    scheduler->SetMaxConnections(4);
    scheduler->SetInterval(20ms);
    scheduler->CheckAllSelected();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scheduler->IsBusy(); }, 20000));
    EXPECT_EQ(Statuses(), std::vector<int>(30, STATUS_AVAILABLE));
    EXPECT_EQ(server.ConnectionsAccepted(), 30);
    EXPECT_LE(server.MostConnectionsAtOnce(), 4);
    EXPECT_GE(server.MostConnectionsAtOnce(), 2);
}

TEST_F(LookupSchedulerTest, NeverLookedUpEntriesGoBeforeEntriesInError)
{
    CDomainInfo& inError = AddStoredEntry(doc, "error.com");
    inError.m_nStatus = STATUS_ERROR_2;
    inError.m_bTicked = 1;
    AddTicked(1);
    scheduler->SetMaxConnections(1);
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    EXPECT_TRUE(scheduler->IsLookupRunning(1));
    EXPECT_FALSE(scheduler->IsLookupRunning(0));
    ASSERT_TRUE(WaitUntilIdle());
    scheduler->OnTimer();
    EXPECT_TRUE(scheduler->IsLookupRunning(0)) << "the retry comes once no new entry is left";
}

TEST_F(LookupSchedulerTest, NameThatKeepsFailingEndsInTooManyErrorsAndIsLeftAlone)
{
    server.SetDefault(Script::With(Mode::CloseAtOnce));
    AddTicked(1);
    scheduler->CheckAllSelected();
    std::vector<int> seen;
    for (int round = 0; round < 5; ++round) {
        TickAndSettle();
        seen.push_back(doc.GetAt(0)->m_nStatus);
    }
    EXPECT_EQ(seen, (std::vector<int>{5, 6, 7, 8, 4}));
    scheduler->OnTimer();
    EXPECT_FALSE(scheduler->IsLookupRunning(0));
    EXPECT_FALSE(scheduler->IsLookupAllOn());
    EXPECT_EQ(server.ConnectionsAccepted(), 5);
}

TEST_F(LookupSchedulerTest, EntryInErrorIsRetriedEvenWhenItsLookupsOutlastATick)
{
    server.SetDefault(Script::With(Mode::Stall));
    scheduler->SetTimeouts({2s, 250ms});
    scheduler->SetInterval(50ms);
    AddTicked(1);
    scheduler->CheckAllSelected();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scheduler->IsBusy(); }, 20000));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_TOO_MANY_ERRORS);
    EXPECT_EQ(server.ConnectionsAccepted(), 5);
}

TEST_F(LookupSchedulerTest, TakenAndAvailableEntriesAreNeverStartedAgain)
{
    server.SetScript("taken.com", Script::Answer(kTaken));
    ASSERT_TRUE(doc.AdmitName("taken.com"));
    ASSERT_TRUE(doc.AdmitName("free.com"));
    doc.ChangeTicks(CDomainDoc::TickChange::TickAll);
    scheduler->CheckAllSelected();
    TickAndSettle();
    EXPECT_EQ(Statuses(), (std::vector<int>{STATUS_TAKEN, STATUS_AVAILABLE}));
    scheduler->OnTimer();
    EXPECT_EQ(Running(), 0);
    EXPECT_EQ(server.ConnectionsAccepted(), 2);
}

TEST_F(LookupSchedulerTest, StopAllEndsEveryRunningLookupAtOnce)
{
    server.SetDefault(Script::With(Mode::Stall));
    scheduler->SetTimeouts({2s, 60s});
    AddTicked(3);
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.ConnectionsOpen() == 3; }, 5000));
    QElapsedTimer timer;
    timer.start();
    scheduler->StopAll();
    EXPECT_FALSE(scheduler->IsLookupAllOn());
    ASSERT_TRUE(WaitUntilIdle(2000));
    EXPECT_LT(timer.elapsed(), 1000);
    for (const auto& entry : doc.GetEntries()) {
        EXPECT_EQ(entry->m_nStatus, STATUS_ERROR_1) << "a stopped lookup that decided nothing";
        EXPECT_TRUE(entry->m_strInfo.startsWith("WHOIS server: 127.0.0.1, Domain: "));
        EXPECT_TRUE(entry->m_timeChecked.IsValid());
    }
    EXPECT_FALSE(scheduler->IsBusy());
}

TEST_F(LookupSchedulerTest, StalledServerTimesOutAsAFailure)
{
    server.SetDefault(Script::With(Mode::Stall));
    scheduler->SetTimeouts({2s, 300ms});
    AddTicked(1);
    ASSERT_TRUE(scheduler->CheckDomain(0));
    ASSERT_TRUE(WaitUntilIdle(5000));
    EXPECT_EQ(doc.GetAt(0)->m_strInfo, QByteArray("whois: connection timed out"));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_ERROR_1);
}

TEST_F(LookupSchedulerTest, UnresolvableServerAbortsTheLookupsWaitingForIt)
{
    CheckNameUnderZZ("no..such..host");
    EXPECT_EQ(FiveTries(), (std::vector<int>{5, 6, 7, 8, 4}));
    EXPECT_EQ(doc.GetAt(0)->m_strInfo, QByteArray("Unknown 'whois' server (no..such..host)\r\n"));
}

TEST_F(LookupSchedulerTest, NameServiceThatNeverAnswersIsAskedOnceAndEachTryEndsOnTime)
{
    CNameServiceStandIn nameService(CNameServiceStandIn::Answer::Never);
    scheduler->GetResolver().SetHostLookup(nameService.Lookup());
    scheduler->SetTimeouts({300ms, 60s, 60s});
    for (const QByteArray tld : {"AA", "BB", "CC"}) {
        tlds.AddOrUpdateTLD(tld, "whois." + tld + ".example");
    }
    CheckNameUnderZZ("whois.never.example");
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(FiveTries(3000), (std::vector<int>{5, 6, 7, 8, 4}));
    EXPECT_LT(timer.elapsed(), 5000) << "five tries of 300 ms each";
    EXPECT_EQ(doc.GetAt(0)->m_strInfo,
              QByteArray("Unknown 'whois' server (whois.never.example)\r\n"));
    EXPECT_EQ(nameService.Started(), 1)
        << "the pending resolution is not asked again, nor the servers no name needs";
}

TEST_F(LookupSchedulerTest, RowThatNowStandsForAnotherTLDReleasesTheLookupsWaitingForTheOld)
{
    CNameServiceStandIn nameService(CNameServiceStandIn::Answer::Never);
    scheduler->GetResolver().SetHostLookup(nameService.Lookup());
    CheckNameUnderZZ("whois.never.example");
    scheduler->OnTimer();
    ASSERT_TRUE(scheduler->IsLookupRunning(0)) << "it waits for ZZ's address";
    CTLDInfo& row = *tlds.FindTLD("ZZ");
    row.m_strTLD = "IO";
    row.m_strServer = server.Address();
    scheduler->GetResolver().ResolveServers();
    ASSERT_TRUE(WaitUntilIdle(3000));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_ERROR_1);
    EXPECT_EQ(server.ConnectionsAccepted(), 0) << "name.zz was never sent to IO's server";
}

TEST_F(LookupSchedulerTest, FailedResolutionIsRememberedForAWhileThenTriedAgain)
{
    CNameServiceStandIn nameService(CNameServiceStandIn::Answer::NotFound);
    scheduler->GetResolver().SetHostLookup(nameService.Lookup());
    scheduler->GetResolver().SetFailureMemory(1500ms);
    CheckNameUnderZZ("whois.unknown.example");
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(FiveTries(3000), (std::vector<int>{5, 6, 7, 8, 4}));
    CServerResolver& resolver = scheduler->GetResolver();
    for (int tick = 0; tick < 20 && timer.elapsed() < 1000; ++tick) {
        resolver.ResolveServers(); // as every tick does
        QTest::qWait(20);
    }
    ASSERT_LT(timer.elapsed(), 1400) << "the ticks must fall within the failure's memory";
    EXPECT_EQ(nameService.Started(), 1) << "the tries and ticks after the failure ask nothing";

    QTest::qWait(1600);
    resolver.ResolveServers();
    EXPECT_EQ(nameService.Started(), 2) << "once the memory has passed the server is asked again";
    resolver.ClearAllResults();
    resolver.ResolveServers();
    EXPECT_EQ(nameService.Started(), 3) << "an edited table is resolved again at once";
}

TEST_F(LookupSchedulerTest, UnresolvableSecondEntryOfATLDLeavesTheLookupsOfTheFirstAlone)
{
    server.SetDefault(Script::Answer(kFree, 1500ms));
    tlds.Append(std::make_unique<CTLDInfo>("COM", "no..such..host"));
    AddTicked(1);
    ASSERT_TRUE(scheduler->CheckDomain(0));
    ASSERT_TRUE(WaitUntilIdle(10000));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE)
        << "the failed resolution of the second COM entry aborted nothing of the first";
}

TEST_F(LookupSchedulerTest, ServerGivenByNameIsResolvedBeforeItsLookups)
{
    tlds.AddOrUpdateTLD("COM", "localhost:" + QByteArray::number(server.Port()));
    AddTicked(2);
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_TRUE(WaitUntilIdle(10000));
    EXPECT_EQ(Statuses(), (std::vector<int>{STATUS_AVAILABLE, STATUS_AVAILABLE}));
    EXPECT_TRUE(doc.GetAt(0)->m_strInfo.startsWith("WHOIS server: localhost, Domain: name0.com"));
}

TEST_F(LookupSchedulerTest, NameUnderATLDMissingFromTheTableGoesToTheServerOfCom)
{
    tlds.AddOrUpdateTLD("IO", "no..such..host");
    ASSERT_TRUE(doc.AdmitName("orphan.io"));
    tlds.RemoveAt(1);
    ASSERT_TRUE(scheduler->CheckDomain(0));
    ASSERT_TRUE(WaitUntilIdle());
    ASSERT_EQ(server.Queries().size(), 1u);
    EXPECT_EQ(server.Queries().front(), QByteArray("orphan.io\r\n"));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
}

TEST_F(LookupSchedulerTest, ClearingTheListDuringLookupsReturnsPromptlyAndLeaksNothing)
{
    server.SetDefault(Script::With(Mode::Stall));
    scheduler->SetTimeouts({2s, 60s});
    AddTicked(4);
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.ConnectionsOpen() == 4; }, 5000));
    std::weak_ptr<CLookupTask> lookup = doc.GetAt(0)->m_pLookup;

    QElapsedTimer timer;
    timer.start();
    doc.ClearList();
    EXPECT_LT(timer.elapsed(), CDomainDoc::kAbortWaitMs + 500);
    EXPECT_EQ(doc.GetCount(), 0);

    QSignalSpy completed(scheduler.get(), &CLookupScheduler::LookupCompleted);
    ASSERT_TRUE(QTest::qWaitFor([&lookup] { return lookup.expired(); }, 5000))
        << "the detached lookup is released once its worker ends";
    EXPECT_EQ(completed.count(), 0) << "its completion finds no row";
    EXPECT_TRUE(QTest::qWaitFor([this] { return server.ConnectionsOpen() == 0; }, 5000));
    EXPECT_EQ(CSocketHolder::LayerUsers(), 0);
}

TEST_F(LookupSchedulerTest, CompletionFindsItsEntryAfterTheListWasSorted)
{
    server.SetDefault(Script::Answer(kFree, 200ms));
    server.SetScript("b-taken.com", Script::Answer(kTaken, 200ms));
    ASSERT_TRUE(doc.AdmitName("b-taken.com"));
    ASSERT_TRUE(doc.AdmitName("a-free.com"));
    ASSERT_TRUE(scheduler->CheckDomain(0));
    ASSERT_TRUE(scheduler->CheckDomain(1));
    doc.SortList(DomainSort::Key::ByName);
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(doc.GetAt(0)->m_strName, QByteArray("a-free.com"));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(doc.GetAt(1)->m_nStatus, STATUS_TAKEN);
}

TEST_F(LookupSchedulerTest, SingleCheckStopAndReset)
{
    server.SetDefault(Script::With(Mode::Stall));
    scheduler->SetTimeouts({2s, 60s});
    AddTicked(2);
    ASSERT_TRUE(scheduler->CheckDomain(0));
    EXPECT_FALSE(scheduler->CheckDomain(0)) << "one lookup per entry at a time";
    EXPECT_FALSE(doc.ResetEntry(0)) << "an entry being checked is not reset";
    EXPECT_TRUE(scheduler->IsBusy());
    scheduler->StopLookup(0);
    ASSERT_TRUE(WaitUntilIdle(2000));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_ERROR_1);

    doc.SetModifiedFlag(false);
    EXPECT_TRUE(doc.ResetEntry(0));
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_UNKNOWN);
    EXPECT_TRUE(doc.GetAt(0)->m_strInfo.isEmpty());
    EXPECT_EQ(doc.GetAt(0)->m_timeChecked.GetStatus(), DateTimeValue::Null);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.ResetEntry(1)) << "an unknown entry has nothing to reset";
}

TEST_F(LookupSchedulerTest, ResetTickedResetsTickedEntriesWithAResult)
{
    const std::pair<std::uint8_t, bool> entries[] = {
        {STATUS_TAKEN, true}, {STATUS_TOO_MANY_ERRORS, false}, {STATUS_ERROR_3, true}};
    for (const auto& [status, ticked] : entries) {
        CDomainInfo& entry = AddStoredEntry(doc, "name" + QByteArray::number(doc.GetCount()));
        entry.m_nStatus = status;
        entry.m_bTicked = ticked ? 1 : 0;
    }
    EXPECT_EQ(doc.ResetTicked(), 2);
    EXPECT_EQ(Statuses(), (std::vector<int>{0, STATUS_TOO_MANY_ERRORS, 0}));
}

TEST_F(LookupSchedulerTest, OptionsAreClampedWhenApplied)
{
    SetSetting(Setting::MaxConnections, 100);
    SetSetting(Setting::ConnectionInterval, 1);
    SetSetting(Setting::MaxEntries, 123);
    SetSetting(Setting::StripOutput, 0);
    scheduler->ApplyOptions();
    EXPECT_EQ(scheduler->GetMaxConnections(), 40);
    EXPECT_EQ(scheduler->GetInterval(), 2000ms);
    EXPECT_EQ(doc.GetMaxEntries(), 123);

    SetSetting(Setting::MaxConnections, 0);
    SetSetting(Setting::ConnectionInterval, 7);
    scheduler->ApplyOptions();
    EXPECT_EQ(scheduler->GetMaxConnections(), 1);
    EXPECT_EQ(scheduler->GetInterval(), 7000ms);
    SetSetting(Setting::StripOutput, 1);
    scheduler->ApplyOptions();
}

TEST_F(LookupSchedulerTest, IntervalTooLongForTheTimerKeepsItsLongestWait)
{
    constexpr std::chrono::milliseconds longest(std::numeric_limits<int>::max());
    for (const int seconds : {2147484, 4294968, std::numeric_limits<int>::max()}) {
        SetSetting(Setting::ConnectionInterval, seconds);
        scheduler->ApplyOptions();
        EXPECT_EQ(scheduler->GetInterval(), longest) << seconds << " s applied";
        CLookupScheduler fresh(doc);
        EXPECT_EQ(fresh.GetInterval(), longest) << seconds << " s at start";
    }
}

TEST_F(LookupSchedulerTest, TimeoutsStayWithinTheirLimits)
{
    SetSetting(Setting::ConnectTimeout, 0);
    SetSetting(Setting::ReadTimeout, 100000);
    SetSetting(Setting::LookupTimeout, -5);
    const CLookupTimeouts timeouts = CLookupTimeouts::FromSettings();
    EXPECT_EQ(timeouts.connect, 1s);
    EXPECT_EQ(timeouts.read, 300s);
    EXPECT_EQ(timeouts.lookup, 1s);
    SetSetting(Setting::LookupTimeout, 45);
    EXPECT_EQ(CLookupTimeouts::FromSettings().lookup, 45s);
}

TEST_F(LookupSchedulerTest, NewSchedulerTakesThePacingAsStored)
{
    SetSetting(Setting::MaxConnections, 9);
    SetSetting(Setting::ConnectionInterval, 3);
    CLookupScheduler fresh(doc);
    EXPECT_EQ(fresh.GetMaxConnections(), 9);
    EXPECT_EQ(fresh.GetInterval(), 3000ms);
}

TEST_F(LookupSchedulerTest, DestroyingTheSchedulerStopsAndWaitsForItsWorkers)
{
    server.SetDefault(Script::With(Mode::Stall));
    scheduler->SetTimeouts({2s, 60s});
    AddTicked(3);
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.ConnectionsOpen() == 3; }, 5000));
    QElapsedTimer timer;
    timer.start();
    scheduler.reset();
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(CSocketHolder::LayerUsers(), 0);
    for (const auto& entry : doc.GetEntries()) {
        EXPECT_FALSE(entry->IsLookupRunning());
        EXPECT_EQ(entry->m_nStatus, STATUS_ERROR_1);
    }
}

// PIR's answer to a client over its limit.
const QByteArray kThrottleText = "WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\r\n";

TEST_F(LookupSchedulerTest, ThrottledNamesWaitForTheirServerAndEndDecided)
{
    server.SetThrottle(10, 4, kThrottleText);
    scheduler->SetMaxConnections(10);
    scheduler->SetInterval(50ms);
    AddTicked(12);
    QSignalSpy throttled(scheduler.get(), &CLookupScheduler::LookupThrottled);
    scheduler->CheckAllSelected();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scheduler->IsBusy(); }, 30000));
    EXPECT_EQ(Statuses(), std::vector<int>(12, STATUS_AVAILABLE)) << "no name ends in error";
    EXPECT_GT(server.ThrottledQueries(), 0) << "the server did slow the batch down";
    EXPECT_EQ(throttled.count(), server.ThrottledQueries());
    EXPECT_EQ(scheduler->ThrottleCount(), server.ThrottledQueries());
}

TEST_F(LookupSchedulerTest, ServerThatKeepsThrottlingHoldsBackOnlyItsOwnNames)
{
    CTestWhoisServer other;
    other.SetDefault(Script::Answer(kFree));
    tlds.AddOrUpdateTLD("NET", other.Address());
    server.SetThrottle(0.001, 0, kThrottleText);
    scheduler->SetInterval(50ms);
    AddTicked(3, "held");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(doc.AdmitName("other" + QByteArray::number(i) + ".net"));
        doc.SetTicked(doc.GetCount() - 1, true);
    }
    scheduler->CheckAllSelected();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            return doc.GetAt(3)->IsChecked() && doc.GetAt(4)->IsChecked() &&
                   doc.GetAt(5)->IsChecked();
        },
        5000));
    QTest::qWait(300);
    EXPECT_EQ(Statuses(), (std::vector<int>{STATUS_UNKNOWN, STATUS_UNKNOWN, STATUS_UNKNOWN,
                                            STATUS_AVAILABLE, STATUS_AVAILABLE, STATUS_AVAILABLE}))
        << "the throttled names wait, unchanged";
    EXPECT_TRUE(scheduler->IsBusy());
    const std::optional<CServerWait> wait = scheduler->CurrentWait();
    ASSERT_TRUE(wait);
    EXPECT_EQ(wait->server, server.Address());
    EXPECT_TRUE(wait->resumesIn) << "paused, not only paced";

    scheduler->StopAll();
    EXPECT_FALSE(scheduler->IsBusy()) << "Stop All ends the wait at once";
}

TEST_F(LookupSchedulerTest, WithoutTheBackOffAThrottleCountsAgainstTheName)
{
    scheduler->SetBackOff(false, 900s);
    server.SetThrottle(0.001, 0, kThrottleText);
    AddTicked(1);
    scheduler->CheckAllSelected();
    EXPECT_EQ(FiveTries(), (std::vector<int>{5, 6, 7, 8, 4}));
    EXPECT_EQ(server.ThrottledQueries(), 5);
}

} // namespace
