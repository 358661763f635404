#include "lookup/DnsProbe.h"

#include "core/DomainInfo.h"
#include "core/Settings.h"
#include "lookup/AnswerAnalysis.h"

#include "support/CaseName.h"
#include "support/TestDnsServer.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>

#include <thread>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using Answer = CTestDnsServer::Answer;
using Rule = CTestDnsServer::Rule;

struct ServerTextCase {
    const char* behaviour;
    const char* setting;
    const char* servers; // nullptr: refused
};

class DnsServerSetting : public testing::TestWithParam<ServerTextCase> {};

TEST_P(DnsServerSetting, BecomesTheResolversServerOrIsRefused)
{
    const ServerTextCase& c = GetParam();
    const std::optional<QByteArray> servers = DnsServerList(QString::fromLatin1(c.setting));
    if (!c.servers) {
        EXPECT_FALSE(servers.has_value()) << servers.value_or("").constData();
    } else {
        ASSERT_TRUE(servers.has_value());
        EXPECT_EQ(*servers, QByteArray(c.servers));
    }
}

INSTANTIATE_TEST_SUITE_P(
    DnsProbe, DnsServerSetting,
    testing::Values(
        ServerTextCase{"empty asks the system's resolvers", "  ", ""},
        ServerTextCase{"IPv4 address alone takes port 53", "192.0.2.53", "192.0.2.53:53"},
        ServerTextCase{"IPv4 address with a port", " 127.0.0.1:5353 ", "127.0.0.1:5353"},
        ServerTextCase{"bare IPv6 address", "2001:db8::53", "[2001:db8::53]:53"},
        ServerTextCase{"IPv6 address in brackets with a port", "[2001:DB8::53]:5353",
                       "[2001:db8::53]:5353"},
        ServerTextCase{"host name", "dns.example.net", nullptr},
        ServerTextCase{"port zero", "127.0.0.1:0", nullptr},
        ServerTextCase{"port beyond 65535", "127.0.0.1:65536", nullptr},
        ServerTextCase{"unclosed bracket", "[::1:53", nullptr},
        ServerTextCase{"two servers", "192.0.2.1,192.0.2.2", nullptr},
        ServerTextCase{"address with a scope", "fe80::1%eth0", nullptr}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(DnsProbe, ServerThatIsNoAddressTurnsTheStepOff)
{
    CTestEnvironment::Instance().Reset();
    SetSetting(Setting::CheckDnsFirst, 1);
    SetSetting(Setting::DnsServer, QStringLiteral("127.0.0.1:5353"));
    EXPECT_TRUE(CDnsFirst::FromSettings().enabled);
    EXPECT_EQ(CDnsFirst::FromSettings().servers, QByteArray("127.0.0.1:5353"));
    SetSetting(Setting::DnsServer, QStringLiteral("resolver.example"));
    EXPECT_FALSE(CDnsFirst::FromSettings().enabled);
    CTestEnvironment::Instance().Reset();
}

// Host names whose words the verdict reads in running text: a failure, a free statement, the
// start of a notice. As name servers of a delegation they must still read as taken.
const QByteArrayList kTrickyHosts{
    "exceeded.example",    "ns.exceeded",       "try-again.example",   "no-match.example",
    "not-found.example",   "available.example", "free.example",        "disclaimer.example",
    "notice.example",      "limit-reached.ex",  "reserved.example",    "too-many.example",
    "ns1.is-free.example", "timed-out.example", "unavailable.example", "a.b.c.d.example",
};

TEST(DelegationRecord, ReadsAsTakenLiveAfterCleaningAndWhenOpenedAgain)
{
    std::vector<QByteArrayList> delegations{{"ns1.example.net", "ns2.example.net"},
                                            {"NS1.EXAMPLE.NET"}};
    for (const QByteArray& host : kTrickyHosts) {
        delegations.push_back({host});
        delegations.push_back({host, "ns2.example.net"});
    }
    delegations.push_back(kTrickyHosts);
    for (const QByteArrayList& servers : delegations) {
        for (const Strip strip : {Strip::No, Strip::Yes}) {
            CDomainInfo live("name.com");
            live.m_nPrevStatus = STATUS_ERROR_2;
            live.m_strInfo = DelegationRecord({servers, "192.0.2.7"});
            CleanAnswer(live, strip);
            AnalyseAnswer(live, STATUS_ERROR_1);
            EXPECT_EQ(live.m_nStatus, STATUS_TAKEN) << live.m_strInfo.constData();
            EXPECT_TRUE(live.m_strInfo.startsWith("DNS: delegated to " + servers.first()));
            CDomainInfo stored("name.com");
            stored.m_strInfo = live.m_strInfo;
            AnalyseStoredAnswer(stored);
            EXPECT_EQ(stored.m_nStatus, STATUS_TAKEN) << stored.m_strInfo.constData();
        }
    }
}

TEST(DelegationRecord, NamesEveryNameServerOnALineOfItsOwn)
{
    EXPECT_EQ(DelegationRecord({{"ns1.example.net", "ns2.example.net"}, "192.0.2.7"}),
              QByteArray("DNS: delegated to ns1.example.net, ns2.example.net\n\n"
                         "Name Server: ns1.example.net\nName Server: ns2.example.net\n"));
}

struct ProbeCase {
    const char* behaviour;
    Rule rule;
    QByteArrayList servers; // empty: no delegation shown
    QByteArray address;
};

Rule Hosts(QByteArrayList hosts)
{
    Rule rule = Rule::With(Answer::Delegated, "192.0.2.9");
    rule.nameServers = std::move(hosts);
    return rule;
}

const QByteArrayList kExampleServers{"ns1.example.net", "ns2.example.net"};

const ProbeCase kProbeCases[] = {
    {"delegation with an IPv4 address", Rule::With(Answer::Delegated, "192.0.2.7", "2001:db8::7"),
     kExampleServers, "192.0.2.7"},
    {"delegation with only an IPv6 address", Rule::With(Answer::Delegated, {}, "2001:db8::7"),
     kExampleServers, "2001:db8::7"},
    {"delegation without an address", Rule::With(Answer::Delegated), kExampleServers, ""},
    {"referral of the parent zone", Rule::With(Answer::Referral), kExampleServers, ""},
    {"name without records of its own", Rule::With(Answer::NoData, "192.0.2.7"), {}, ""},
    {"name servers of the parent zone", Rule::With(Answer::ParentNs), {}, ""},
    {"no such name", Rule::With(Answer::NxDomain), {}, ""},
    {"server failure", Rule::With(Answer::ServFail), {}, ""},
    {"truncated delegation", Rule::With(Answer::Truncated, "192.0.2.7"), {}, ""},
    {"no answer within the time", Rule::With(Answer::Silent), {}, ""},
    {"name servers that are no host names", Hosts({"bad_host.example", "localhost"}), {}, ""},
    {"only the host names among the name servers",
     Hosts({"bad_host.example", "ns3.example.org"}),
     {"ns3.example.org"},
     "192.0.2.9"},
};

class DnsProbeAnswers : public testing::TestWithParam<ProbeCase> {};

TEST_P(DnsProbeAnswers, ShowADelegationOnlyWhenTheNameHasOne)
{
    const ProbeCase& c = GetParam();
    CTestDnsServer server({{"subject.com", c.rule}});
    ASSERT_TRUE(server.IsRunning());
    CDnsProbe probe(server.Address());
    QElapsedTimer timer;
    timer.start();
    const std::optional<CDelegation> delegation =
        probe.Ask("Subject.COM", CDnsProbe::Clock::now() + 600ms);
    EXPECT_LT(timer.elapsed(), 2000) << "the probe keeps to its deadline";
    if (c.servers.isEmpty()) {
        EXPECT_FALSE(delegation.has_value());
        return;
    }
    ASSERT_TRUE(delegation.has_value());
    EXPECT_EQ(delegation->nameServers, c.servers);
    EXPECT_EQ(delegation->address, c.address);
    EXPECT_GE(server.QuestionsAbout("subject.com"), 1);
}

INSTANTIATE_TEST_SUITE_P(DnsProbe, DnsProbeAnswers, testing::ValuesIn(kProbeCases),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(DnsProbe, AbortEndsAWaitForAServerThatNeverAnswers)
{
    CTestDnsServer server({{"silent.com", Rule::With(Answer::Silent)}});
    ASSERT_TRUE(server.IsRunning());
    CDnsProbe probe(server.Address());
    std::optional<CDelegation> delegation{CDelegation{}};
    qint64 waitedMs = 0;
    std::thread worker([&] {
        QElapsedTimer timer;
        timer.start();
        delegation = probe.Ask("silent.com", CDnsProbe::Clock::now() + 30s);
        waitedMs = timer.elapsed();
    });
    while (server.QuestionsAbout("silent.com") == 0) {
        std::this_thread::sleep_for(10ms);
    }
    QElapsedTimer sinceAbort;
    sinceAbort.start();
    probe.Abort();
    worker.join();
    EXPECT_FALSE(delegation.has_value());
    EXPECT_LT(sinceAbort.elapsed(), 500);
    EXPECT_LT(waitedMs, 5000);
}

} // namespace
