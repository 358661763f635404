#include "lookup/WhoisClient.h"

#include "support/TestWhoisServer.h"

#include <QElapsedTimer>

#include <future>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using Mode = CTestWhoisServer::Mode;
using Script = CTestWhoisServer::Script;

class WhoisClientTest : public testing::Test {
protected:
    std::shared_ptr<CHostRecord> ResolvedTo(QList<QHostAddress> addresses, quint16 port)
    {
        auto host = std::make_shared<CHostRecord>();
        host->SetResolved(std::move(addresses), "127.0.0.1", port);
        return host;
    }

    std::shared_ptr<CHostRecord> Local()
    {
        return ResolvedTo({QHostAddress::LocalHost}, server.Port());
    }

    CWhoisClient Client(const QByteArray& name, std::shared_ptr<CHostRecord> host,
                        CLookupTimeouts timeouts = {})
    {
        return CWhoisClient(name, std::move(host), "whois.example", timeouts);
    }

    static QByteArray FirstLine(const QByteArray& name)
    {
        return "WHOIS server: 127.0.0.1, Domain: " + name + "\n\n";
    }

    CTestWhoisServer server;
};

TEST_F(WhoisClientTest, SendsTheNameWithCrLfAndCollectsTheAnswerAfterItsFirstLine)
{
    server.SetDefault(Script::Answer("No match for \"EXAMPLE.COM\".\r\n"));
    CWhoisClient client = Client("example.com", Local());
    ASSERT_TRUE(client.Query());
    EXPECT_EQ(client.GetAnswer(), FirstLine("example.com") + "No match for \"EXAMPLE.COM\".\r\n");
    ASSERT_EQ(server.Queries().size(), 1u);
    EXPECT_EQ(server.Queries().front(), QByteArray("example.com\r\n"));
    EXPECT_EQ(CSocketHolder::LayerUsers(), 0) << "every start of the socket layer is paired";
}

TEST_F(WhoisClientTest, ServerClosingAtOnceGivesOnlyTheFirstLine)
{
    server.SetDefault(Script::With(Mode::CloseAtOnce));
    CWhoisClient client = Client("example.com", Local());
    ASSERT_TRUE(client.Query());
    EXPECT_EQ(client.GetAnswer(), FirstLine("example.com"));
}

TEST_F(WhoisClientTest, AnswerFillsTheBufferToItsLastByte)
{
    QByteArray pattern;
    for (int line = 0; pattern.size() < 6000; ++line) {
        pattern += "Notice line " + QByteArray::number(line) + " of a long registry preamble.\r\n";
    }
    server.SetScript("long.com", Script::Answer(pattern));
    server.SetScript("flood.com", Script::With(Mode::Flood));
    for (const QByteArray& name : {QByteArray("long.com"), QByteArray("flood.com")}) {
        SCOPED_TRACE(name.constData());
        CWhoisClient client = Client(name, Local());
        ASSERT_TRUE(client.Query());
        const QByteArray answer = client.GetAnswer();
        ASSERT_EQ(answer.size(), CWhoisClient::kAnswerCapacity - 1)
            << "the piece that no longer fits whole is kept up to the cap";
        const QByteArray sent = name == "flood.com" ? QByteArray(answer.size(), 'x') : pattern;
        EXPECT_EQ(answer, (FirstLine(name) + sent).first(answer.size()));
    }
}

TEST_F(WhoisClientTest, ChunkCountsOnlyUpToItsFirstZeroByte)
{
    server.SetDefault(Script::Answer(QByteArray("Domain Name: A.COM\0garbage", 26)));
    CWhoisClient client = Client("a.com", Local());
    ASSERT_TRUE(client.Query());
    EXPECT_EQ(client.GetAnswer(), FirstLine("a.com") + "Domain Name: A.COM");
}

TEST_F(WhoisClientTest, TrickledAnswerArrivesWhole)
{
    const QByteArray answer = "Domain Name: TRICKLE.COM\r\nRegistrar: Slow Registrar\r\n";
    server.SetDefault(Script::Trickle(answer, 2ms));
    CWhoisClient client = Client("trickle.com", Local(), {1s, 500ms});
    ASSERT_TRUE(client.Query());
    EXPECT_EQ(client.GetAnswer(), FirstLine("trickle.com") + answer);
}

TEST_F(WhoisClientTest, ResetConnectionKeepsWhatArrived)
{
    server.SetDefault(Script::With(Mode::Reset, "Domain Name: RESET.COM\r\n"));
    CWhoisClient client = Client("reset.com", Local());
    ASSERT_TRUE(client.Query());
    EXPECT_TRUE(client.GetAnswer().startsWith(FirstLine("reset.com")));
}

TEST_F(WhoisClientTest, StalledServerTimesOut)
{
    server.SetDefault(Script::With(Mode::Stall));
    CWhoisClient client = Client("stall.com", Local(), {1s, 300ms});
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(client.Query());
    EXPECT_EQ(client.GetMessage(), QByteArray("whois: connection timed out"));
    EXPECT_GE(timer.elapsed(), 250);
    EXPECT_LT(timer.elapsed(), 3000);
}

TEST_F(WhoisClientTest, ServerTricklingForEverIsCutOffAtTheLookupTimeout)
{
    server.SetDefault(Script::TricklePerSecond("Domain Name: SLOW.COM\r\n", 20));
    CWhoisClient client = Client("slow.com", Local(), {1s, 1s, 1500ms});
    QElapsedTimer timer;
    timer.start();
    auto query = std::async(std::launch::async, [&client] { return client.Query(); });
    const bool ended = query.wait_for(10s) == std::future_status::ready;
    client.Abort(); // lets a client that ignores the deadline go at last
    ASSERT_TRUE(ended) << "each byte came within the read timeout, but the try must end";
    EXPECT_TRUE(query.get()) << "what arrived is kept, as after a stall";
    EXPECT_GE(timer.elapsed(), 1400);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(client.GetAnswer().startsWith(FirstLine("slow.com") + "Domain Name: SLOW"));
}

TEST_F(WhoisClientTest, ServerThatStallsAfterAnsweringPartlyKeepsThePart)
{
    server.SetDefault(Script::Trickle("Domain Name: PART.COM\r\n", 10s));
    CWhoisClient client = Client("part.com", Local(), {1s, 300ms});
    ASSERT_TRUE(client.Query());
    EXPECT_EQ(client.GetAnswer(), FirstLine("part.com") + "D");
}

TEST_F(WhoisClientTest, RefusedConnectionIsReported)
{
    quint16 closedPort = 0;
    {
        CTestWhoisServer gone;
        closedPort = gone.Port();
    }
    CWhoisClient client = Client("example.com", ResolvedTo({QHostAddress::LocalHost}, closedPort));
    EXPECT_FALSE(client.Query());
    EXPECT_EQ(client.GetMessage(), QByteArray("whois: unable to connect to WHOIS server"));
    client.GetSocket().Close(); // as the worker does after every query
    EXPECT_EQ(CSocketHolder::LayerUsers(), 0);
}

TEST_F(WhoisClientTest, NextAddressIsTriedWhenTheFirstRefuses)
{
    server.SetDefault(Script::Answer("No match\r\n"));
    // The server listens on 127.0.0.1 only, so 127.0.0.2 refuses.
    CWhoisClient client =
        Client("example.com",
               ResolvedTo({QHostAddress(QStringLiteral("127.0.0.2")), QHostAddress::LocalHost},
                          server.Port()));
    ASSERT_TRUE(client.Query());
    EXPECT_TRUE(client.GetAnswer().endsWith("No match\r\n"));
}

TEST_F(WhoisClientTest, NameWithoutAnyServerFailsAtOnce)
{
    CWhoisClient client = Client("example.zz", nullptr);
    EXPECT_FALSE(client.Query());
    EXPECT_EQ(client.GetMessage(), QByteArray("'whois' server not defined.\n"));
}

TEST_F(WhoisClientTest, AbortWhileWaitingForTheAddressEndsTheWaitPromptly)
{
    auto unresolved = std::make_shared<CHostRecord>();
    CWhoisClient client = Client("example.com", unresolved);
    auto query = std::async(std::launch::async, [&client] { return client.Query(); });
    std::this_thread::sleep_for(1500ms);
    QElapsedTimer timer;
    timer.start();
    client.Abort();
    EXPECT_FALSE(query.get());
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(client.GetMessage(), QByteArray("Unknown 'whois' server (whois.example)\n"));
}

TEST_F(WhoisClientTest, AddressThatNeverArrivesEndsTheLookupAfterTheConnectTimeout)
{
    auto unresolved = std::make_shared<CHostRecord>();
    CWhoisClient client = Client("example.com", unresolved, {600ms, 60s, 60s});
    QElapsedTimer timer;
    timer.start();
    auto query = std::async(std::launch::async, [&client] { return client.Query(); });
    const bool ended = query.wait_for(5s) == std::future_status::ready;
    client.Abort();
    ASSERT_TRUE(ended) << "a name service that never answers must not hold the lookup";
    EXPECT_FALSE(query.get());
    EXPECT_GE(timer.elapsed(), 550);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(client.GetMessage(), QByteArray("Unknown 'whois' server (whois.example)\n"));
}

TEST_F(WhoisClientTest, ServerWhoseResolutionFailedFailsAtOnce)
{
    auto failed = std::make_shared<CHostRecord>();
    failed->SetFailed(CHostRecord::Clock::now());
    CWhoisClient client = Client("example.com", failed);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(client.Query());
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(client.GetMessage(), QByteArray("Unknown 'whois' server (whois.example)\n"));
}

TEST_F(WhoisClientTest, WaitingLookupProceedsOnceTheAddressArrives)
{
    server.SetDefault(Script::Answer("No match\r\n"));
    auto host = std::make_shared<CHostRecord>();
    CWhoisClient client = Client("late.com", host);
    auto query = std::async(std::launch::async, [&client] { return client.Query(); });
    std::this_thread::sleep_for(300ms);
    host->SetResolved({QHostAddress::LocalHost}, "127.0.0.1", server.Port());
    EXPECT_TRUE(query.get());
    EXPECT_TRUE(client.GetAnswer().endsWith("No match\r\n"));
}

TEST_F(WhoisClientTest, EntryLeavingTheTableReleasesItsWaitingLookup)
{
    auto host = std::make_shared<CHostRecord>();
    CWhoisClient client = Client("gone.com", host);
    auto query = std::async(std::launch::async, [&client] { return client.Query(); });
    std::this_thread::sleep_for(200ms);
    host->Withdraw();
    ASSERT_EQ(query.wait_for(3s), std::future_status::ready);
    EXPECT_FALSE(query.get());
    EXPECT_EQ(client.GetMessage(), QByteArray("Unknown 'whois' server (whois.example)\n"));
}

TEST_F(WhoisClientTest, AbortDuringTheAnswerEndsTheQueryWithWhatArrived)
{
    server.SetDefault(Script::With(Mode::Stall));
    CWhoisClient client = Client("stall.com", Local(), {1s, 60s});
    auto query = std::async(std::launch::async, [&client] { return client.Query(); });
    std::this_thread::sleep_for(300ms);
    QElapsedTimer timer;
    timer.start();
    client.Abort();
    EXPECT_TRUE(query.get());
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(client.GetAnswer(), FirstLine("stall.com"));
}

TEST_F(WhoisClientTest, OverlongNameAndMessagesAreCutToTheirBuffers)
{
    server.SetDefault(Script::With(Mode::CloseAtOnce));
    const QByteArray longName(400, 'n');
    CWhoisClient client = Client(longName, Local());
    ASSERT_TRUE(client.Query());
    ASSERT_EQ(server.Queries().size(), 1u);
    EXPECT_EQ(server.Queries().front(), QByteArray(255, 'n') + "\r\n");
    EXPECT_EQ(client.GetAnswer().size(), CWhoisClient::kMessageCapacity - 1)
        << "the first line is built in the 256-byte message buffer";
}

} // namespace
