// The RDAP client's HTTP transfers against the test HTTP server: what a user would see from a
// server that stalls, floods, loops, downgrades, throttles, breaks off or shows a certificate
// nobody vouches for.

#include "lookup/HttpTransfer.h"
#include "lookup/RdapClient.h"

#include "support/TestHttpServer.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace {

using Mode = CTestHttpServer::Mode;
using Script = CTestHttpServer::Script;
using Tls = CTestHttpServer::Tls;

const QByteArray kDomain = R"({"objectClassName":"domain","ldhName":"EXAMPLE.COM"})";
const CLookupTimeouts kShort{2s, 1s, 10s};

CHttpResponse Get(const QByteArray& url, const QByteArray& caFile = {},
                  CLookupTimeouts timeouts = kShort)
{
    CHttpTransfer transfer;
    return transfer.Get({url, "application/rdap+json", timeouts, caFile});
}

struct FailureCase {
    const char* name;
    Script script;
    const char* words;
};

TEST(HttpTransferTest, BadServersEndInAFailureInPlainWords)
{
    CTestHttpServer server;
    const QByteArray loop = server.BaseUrl() + "loop";
    const std::vector<FailureCase> cases = {
        {"stalled before answering", Script::With(Mode::Stall), "did not answer in time"},
        {"stalled in the middle of the body", Script::With(Mode::StallMidBody, kDomain),
         "did not answer in time"},
        {"reset in the middle of the body", Script::With(Mode::ResetMidBody, kDomain + kDomain),
         "broke off"},
        {"endless body", Script::With(Mode::Endless), "larger than 1 MiB"},
        {"redirect loop", Script::Redirect(loop), "redirected too often"},
    };
    for (const FailureCase& failure : cases) {
        server.SetScript("/loop", failure.script);
        QElapsedTimer clock;
        clock.start();
        const CHttpResponse response = Get(loop);
        EXPECT_EQ(response.outcome, CHttpResponse::Outcome::Failed) << failure.name;
        EXPECT_TRUE(response.error.contains(failure.words))
            << failure.name << ": " << response.error.toStdString();
        EXPECT_LT(clock.elapsed(), 6000) << failure.name;
    }
}

TEST(HttpTransferTest, FollowsUpToThreeRedirectsAndNoMore)
{
    CTestHttpServer server;
    const QByteArray base = server.BaseUrl();
    for (int hop = 1; hop <= 4; ++hop) {
        server.SetScript("/hop" + QByteArray::number(hop),
                         Script::Redirect(base + "hop" + QByteArray::number(hop + 1)));
    }
    server.SetScript("/hop4", Script::Answer(200, kDomain));
    server.SetScript("/hop5", Script::Answer(200, kDomain));
    EXPECT_EQ(Get(base + "hop2").status, 200) << "two redirects";
    EXPECT_EQ(Get(base + "hop1").status, 200) << "three redirects";
    server.SetScript("/hop4", Script::Redirect(base + "hop5"));
    EXPECT_FALSE(Get(base + "hop1").Answered()) << "four redirects";
}

TEST(HttpTransferTest, HttpsNeverRedirectsToHttp)
{
    CTestHttpServer plain;
    CTestHttpServer secure(Tls::On);
    plain.SetDefault(Script::Answer(404, {}));
    secure.SetDefault(Script::Redirect(plain.BaseUrl() + "domain/example.com"));
    const CHttpResponse response =
        Get(secure.BaseUrl() + "domain/example.com", CTestHttpServer::CaFile());
    EXPECT_EQ(response.outcome, CHttpResponse::Outcome::Failed);
    EXPECT_TRUE(response.error.contains("not allowed")) << response.error.toStdString();
    EXPECT_TRUE(plain.Requests().empty());
}

TEST(HttpTransferTest, CertificateIsTrustedOnlyWhenSomeoneVouchesForIt)
{
    CTestHttpServer secure(Tls::On);
    secure.SetDefault(Script::Answer(200, kDomain));
    const CHttpResponse untrusted = Get(secure.BaseUrl() + "domain/example.com");
    EXPECT_EQ(untrusted.outcome, CHttpResponse::Outcome::Failed);
    EXPECT_TRUE(untrusted.error.contains("certificate is not trusted"))
        << untrusted.error.toStdString();

    const CHttpResponse trusted =
        Get(secure.BaseUrl() + "domain/example.com", CTestHttpServer::CaFile());
    EXPECT_EQ(trusted.status, 200) << trusted.error.toStdString();
    EXPECT_EQ(trusted.body, kDomain);
}

TEST(HttpTransferTest, ThrottledAnswerKeepsItsStatusAndRetryAfter)
{
    CTestHttpServer server;
    Script throttled = Script::Answer(429, R"({"errorCode":429,"title":"Too Many Requests"})");
    throttled.headers.append(qMakePair(QByteArray("Retry-After"), QByteArray("120")));
    server.SetDefault(throttled);
    const CHttpResponse response = Get(server.BaseUrl() + "domain/example.com");
    ASSERT_TRUE(response.Answered()) << response.error.toStdString();
    EXPECT_EQ(response.status, 429);
    EXPECT_EQ(response.retryAfterSeconds, 120);
}

TEST(HttpTransferTest, AbortEndsAStalledTransferAtOnceAndForGood)
{
    CTestHttpServer server;
    server.SetDefault(Script::With(Mode::Stall));
    CHttpTransfer transfer;
    QElapsedTimer clock;
    clock.start();
    std::thread stopper([&transfer] {
        std::this_thread::sleep_for(200ms);
        transfer.Abort();
    });
    const CHttpResponse response = transfer.Get({server.BaseUrl() + "x", {}, {20s, 20s, 60s}, {}});
    stopper.join();
    EXPECT_EQ(response.outcome, CHttpResponse::Outcome::Stopped);
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_EQ(transfer.Get({server.BaseUrl() + "x", {}, kShort, {}}).outcome,
              CHttpResponse::Outcome::Stopped)
        << "a stopped lookup never starts another transfer";
}

TEST(RdapClientTest, AsksForTheDomainAsRdapJson)
{
    CTestHttpServer server;
    server.SetDefault(Script::Answer(404, {}));
    CRdapClient client({kShort, {}, RdapRecord::Notices::Drop});
    const CRdapResult result = client.Query(server.BaseUrl().chopped(1), "Example.com");
    EXPECT_EQ(result.httpStatus, 404);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].first, "/domain/Example.com");
    EXPECT_EQ(server.Requests()[0].second, "application/rdap+json");
}

} // namespace
