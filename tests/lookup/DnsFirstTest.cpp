#include "lookup/LookupScheduler.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/StatusLine.h"

#include "support/StoredEntry.h"
#include "support/TestDnsServer.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"
#include "support/TickedNames.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTest>

#include <map>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using Answer = CTestDnsServer::Answer;
using Rule = CTestDnsServer::Rule;
using Script = CTestWhoisServer::Script;

const QByteArray kFree = "No match for domain.\r\n";
const QByteArray kTaken = "Domain Name: HELD.COM\r\nRegistrar: Example Registrar, Inc.\r\n"
                          "Creation Date: 2001-01-01T00:00:00Z\r\n";

// What DNS knows of each name the tests look up; names without a rule do not exist.
QHash<QByteArray, Rule> DnsRules()
{
    QHash<QByteArray, Rule> rules{
        {"delegated.com", Rule::With(Answer::Delegated, "192.0.2.7", "2001:db8::7")},
        {"referred.com", Rule::With(Answer::Referral)},
        {"bare.com", Rule::With(Answer::Delegated)},
        {"held.com", Rule::With(Answer::NoData)},
        {"failing.com", Rule::With(Answer::ServFail)},
        {"truncated.com", Rule::With(Answer::Truncated, "192.0.2.9")},
    };
    for (int i = 0; i < 5; ++i) {
        rules.insert("silent" + QByteArray::number(i) + ".com", Rule::With(Answer::Silent));
    }
    return rules;
}

// Ticked names under COM, whose WHOIS server is the test server and whose DNS server is the test
// DNS server, and a scheduler whose timer the tests drive by hand.
class DnsFirstTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dns.IsRunning());
        CTestEnvironment::Instance().Reset();
        SetSetting(Setting::CheckDnsFirst, 1);
        SetSetting(Setting::DnsServer, QString::fromLatin1(dns.Address()));
        tlds.AddOrUpdateTLD("COM", whois.Address());
        doc.SetMaxEntries(1000);
        whois.SetDefault(Script::Answer(kFree));
        whois.SetScript("held.com", Script::Answer(kTaken));
        scheduler = std::make_unique<CLookupScheduler>(doc);
        scheduler->SetInterval(1h);
        scheduler->SetMaxConnections(10);
        scheduler->SetTimeouts({1s, 2s});
        QObject::connect(scheduler.get(), &CLookupScheduler::LookupCompleted,
                         [this](int index, VerdictSource source) {
                             sources[doc.GetAt(index)->m_strName] = source;
                         });
    }

    void TearDown() override
    {
        scheduler.reset();
        CTestEnvironment::Instance().Reset();
    }

    void AddTicked(const QByteArrayList& names)
    {
        for (const QByteArray& name : names) {
            ASSERT_TRUE(AdmitTicked(doc, name));
        }
    }

    int Running() const { return RunningLookups(doc); }

    // Ticks until the batch has run to its end.
    void RunBatch()
    {
        scheduler->CheckAllSelected();
        while (scheduler->IsLookupAllOn()) {
            scheduler->OnTimer();
            ASSERT_TRUE(QTest::qWaitFor([this] { return Running() == 0; }, 10000));
        }
    }

    int WhoisQueriesFor(const QByteArray& name) const
    {
        const auto queries = whois.Queries();
        return static_cast<int>(std::count(queries.begin(), queries.end(), name + "\r\n"));
    }

    const CDomainInfo& Entry(const QByteArray& name) const { return *doc.LookupName(name); }

    CTestDnsServer dns{DnsRules()};
    CTestWhoisServer whois;
    CTLDList tlds;
    CDomainDoc doc{tlds, AnalyseStoredAnswer};
    std::unique_ptr<CLookupScheduler> scheduler;
    std::map<QByteArray, VerdictSource> sources;
};

TEST_F(DnsFirstTest, DelegatedNamesAreTakenWithoutARegistryQueryAndTheOthersGoOnAsBefore)
{
    const QByteArrayList delegated{"delegated.com", "referred.com", "bare.com"};
    const QByteArrayList undecided{"held.com", "failing.com", "truncated.com", "silent0.com",
                                   "free.com"};
    AddTicked(delegated + undecided);
    RunBatch();

    const std::map<QByteArray, QByteArray> addresses{
        {"delegated.com", "192.0.2.7"}, {"referred.com", ""}, {"bare.com", ""}};
    for (const QByteArray& name : delegated) {
        const CDomainInfo& entry = Entry(name);
        EXPECT_EQ(entry.m_nStatus, STATUS_TAKEN) << name.constData();
        EXPECT_EQ(entry.m_strDNS, addresses.at(name)) << name.constData();
        EXPECT_TRUE(entry.m_strInfo.startsWith(
            "DNS: delegated to ns1.example.net, ns2.example.net\r\n\r\nName Server: "))
            << entry.m_strInfo.constData();
        EXPECT_EQ(WhoisQueriesFor(name), 0) << name.constData() << " reached the registry";
        EXPECT_EQ(sources.at(name), VerdictSource::Dns);
    }
    for (const QByteArray& name : undecided) {
        const CDomainInfo& entry = Entry(name);
        EXPECT_EQ(WhoisQueriesFor(name), 1) << name.constData();
        EXPECT_EQ(entry.m_nStatus, name == "held.com" ? STATUS_TAKEN : STATUS_AVAILABLE)
            << name.constData() << ": the registry's verdict";
        EXPECT_TRUE(entry.m_strInfo.startsWith("WHOIS server: ")) << name.constData();
        EXPECT_TRUE(entry.m_strDNS.isEmpty()) << name.constData();
        EXPECT_EQ(sources.at(name), VerdictSource::Registry);
    }
    EXPECT_EQ(scheduler->GetDnsTally().settled, 3);
    EXPECT_EQ(scheduler->GetDnsTally().referred, 5);
    EXPECT_EQ(SummaryText(CListCounts::Of(doc, scheduler->GetDnsTally())),
              QStringLiteral("[8 Domains, 8 checked, 4 available, 4 taken], 3 settled by DNS, 3 "
                             "of 8 registry queries saved"));
}

TEST_F(DnsFirstTest, WhileTheRegistryIsPausedDnsStillSettlesTheDelegatedNames)
{
    whois.SetThrottle(0.001, 0, "WHOIS LIMIT EXCEEDED - please try again later.\r\n");
    AddTicked({"held.com"});
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Running() == 0; }, 10000));
    ASSERT_EQ(whois.ThrottledQueries(), 1) << "the registry is paused from now on";

    AddTicked({"delegated.com", "referred.com", "bare.com"});
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Running() == 0; }, 10000));
    for (const QByteArray name : {"delegated.com", "referred.com", "bare.com"}) {
        EXPECT_EQ(Entry(name).m_nStatus, STATUS_TAKEN) << name.constData();
    }
    EXPECT_EQ(Entry("held.com").m_nStatus, STATUS_UNKNOWN) << "it waits for its registry";
    EXPECT_EQ(whois.Queries().size(), 1u);
    EXPECT_TRUE(scheduler->IsBusy());
    scheduler->StopAll();
}

TEST_F(DnsFirstTest, DocumentOpensAgainWithTheSameStatusesAndAddresses)
{
    AddTicked({"delegated.com", "referred.com", "bare.com", "held.com", "free.com"});
    RunBatch();
    QBuffer file;
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(doc.Write(file).Ok());
    file.seek(0);
    CDomainDoc reopened(tlds, AnalyseStoredAnswer);
    ASSERT_TRUE(reopened.Read(file).Ok());
    ASSERT_EQ(reopened.GetCount(), doc.GetCount());
    for (int i = 0; i < doc.GetCount(); ++i) {
        const CDomainInfo& before = *doc.GetAt(i);
        const CDomainInfo& after = *reopened.GetAt(i);
        EXPECT_EQ(after.m_strName, before.m_strName);
        EXPECT_EQ(after.m_nStatus, before.m_nStatus) << before.m_strName.constData();
        EXPECT_EQ(after.m_strDNS, before.m_strDNS) << before.m_strName.constData();
        EXPECT_EQ(after.m_strInfo, before.m_strInfo) << before.m_strName.constData();
    }
}

TEST_F(DnsFirstTest, SingleCheckAsksTheRegistryAndKeepsTheAddressDnsFound)
{
    AddTicked({"delegated.com"});
    RunBatch();
    ASSERT_EQ(Entry("delegated.com").m_strDNS, QByteArray("192.0.2.7"));
    const int questions = static_cast<int>(dns.Questions().size());
    whois.SetScript("delegated.com", Script::Answer(kTaken));
    ASSERT_TRUE(scheduler->CheckDomain(0));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Running() == 0; }, 10000));
    EXPECT_EQ(WhoisQueriesFor("delegated.com"), 1);
    EXPECT_EQ(dns.Questions().size(), questions) << "a single check never asks DNS";
    EXPECT_EQ(sources.at("delegated.com"), VerdictSource::Registry);
    const CDomainInfo& entry = Entry("delegated.com");
    EXPECT_TRUE(entry.m_strInfo.contains("Registrar: Example Registrar")) << "the full record";
    EXPECT_EQ(entry.m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(entry.m_strDNS, QByteArray("192.0.2.7")) << "the registry gives no address";
}

TEST_F(DnsFirstTest, SettingOffAsksEveryNameOfTheRegistryAndDnsNothing)
{
    SetSetting(Setting::CheckDnsFirst, 0);
    scheduler->ApplyOptions();
    CDomainInfo& stored = AddStoredEntry(doc, "delegated.com");
    stored.m_strDNS = "198.51.100.1";
    stored.m_bTicked = 1;
    const QByteArrayList names{"delegated.com", "referred.com", "held.com", "free.com"};
    AddTicked(names.sliced(1));
    RunBatch();
    EXPECT_TRUE(dns.Questions().isEmpty());
    for (const QByteArray& name : names) {
        EXPECT_EQ(WhoisQueriesFor(name), 1) << name.constData();
        EXPECT_EQ(Entry(name).m_nStatus, name == "held.com" ? STATUS_TAKEN : STATUS_AVAILABLE);
        EXPECT_EQ(sources.at(name), VerdictSource::Registry);
    }
    EXPECT_EQ(Entry("delegated.com").m_strDNS, QByteArray("198.51.100.1"));
    EXPECT_EQ(scheduler->GetDnsTally().Asked(), 0);
    EXPECT_EQ(SummaryText(CListCounts::Of(doc, scheduler->GetDnsTally())),
              QStringLiteral("[4 Domains, 4 checked, 3 available, 1 taken]"));
}

TEST_F(DnsFirstTest, StopAllEndsTheDnsQuestionsAtOnce)
{
    scheduler->SetTimeouts({20s, 60s, 60s});
    AddTicked({"silent0.com", "silent1.com", "silent2.com", "silent3.com", "silent4.com"});
    scheduler->CheckAllSelected();
    scheduler->OnTimer();
    ASSERT_EQ(Running(), 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dns.QuestionsAbout("silent4.com") > 0; }, 5000));
    QElapsedTimer timer;
    timer.start();
    scheduler->StopAll();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Running() == 0; }, 3000));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(whois.Queries().empty()) << "a stopped lookup does not go on to the registry";
    for (const auto& entry : doc.GetEntries()) {
        EXPECT_NE(entry->m_nStatus, STATUS_TAKEN) << entry->m_strName.constData();
        EXPECT_NE(entry->m_nStatus, STATUS_AVAILABLE) << entry->m_strName.constData();
    }
}

} // namespace
