// RDAP answers turned into record text and the verdict read from that text: live (with the
// worker's default) and from the stored text alone (what a re-opened document does).

#include "lookup/RdapRecord.h"
#include "core/DomainInfo.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/HttpTransfer.h"

#include <gtest/gtest.h>

namespace {

using RdapRecord::Notices;

CHttpResponse Answer(long status, QByteArray body, std::optional<long> retryAfter = {})
{
    return {CHttpResponse::Outcome::Answered, status, std::move(body), retryAfter, {}};
}

QByteArray Text(const CHttpResponse& response, Notices notices = Notices::Drop,
                QByteArray note = {})
{
    return RdapRecord::Render({"https://rdap.example/", "example.com", note, notices}, response);
}

std::uint8_t LiveStatus(const QByteArray& text)
{
    CDomainInfo record("example.com");
    record.m_strInfo = text;
    AnalyseAnswer(record, STATUS_ERROR_1);
    return record.m_nStatus;
}

std::uint8_t StoredStatus(const QByteArray& text)
{
    CDomainInfo record;
    record.m_strInfo = text;
    AnalyseStoredAnswer(record);
    return record.m_nStatus;
}

const QByteArray kDomain = R"({"objectClassName":"domain","ldhName":"EXAMPLE.COM",
  "status":["active"],
  "notices":[{"title":"Terms","description":["x\nHTTP status: 404","No RDAP service: y"]}],
  "nameservers":[{"objectClassName":"nameserver","ldhName":"NS1.EXAMPLE.NET"}]})";

struct VerdictCase {
    const char* name;
    CHttpResponse response;
    Notices notices;
    std::uint8_t live;
    const char* shows;
};

TEST(RdapRecordTest, VerdictIsTheSameLiveAndFromTheStoredText)
{
    const std::vector<VerdictCase> cases = {
        {"empty 404", Answer(404, {}), Notices::Drop, STATUS_AVAILABLE,
         "HTTP status: 404 Not Found"},
        {"404 error object", Answer(404, R"({"errorCode":404,"title":"Not Found"})"), Notices::Drop,
         STATUS_AVAILABLE, "Error: Not Found"},
        {"redirector without a service for the TLD",
         Answer(404,
                R"({"errorCode":404,"title":"Not Found","description":["TLD not in bootstrap"]})"),
         Notices::Drop, STATUS_ERROR_1, "No RDAP service: Not Found TLD not in bootstrap"},
        {"plain-text redirector answer", Answer(404, "No RDAP server found for tld 'zz'\n"),
         Notices::Drop, STATUS_ERROR_1, "No RDAP service: No RDAP server found"},
        {"throttled", Answer(429, {}, 120), Notices::Drop, STATUS_ERROR_1,
         "Retry-After: 120 seconds"},
        {"server error", Answer(503, "<html>busy</html>"), Notices::Drop, STATUS_ERROR_1,
         "HTTP status: 503 Service Unavailable"},
        {"odd status", Answer(418, {}), Notices::Drop, STATUS_ERROR_1, "HTTP status: 418\r\n"},
        {"invalid JSON", Answer(200, "{\"objectClassName\":"), Notices::Drop, STATUS_ERROR_1,
         "RDAP error: the answer is not valid RDAP JSON."},
        {"entity instead of a domain", Answer(200, R"({"objectClassName":"entity"})"),
         Notices::Drop, STATUS_ERROR_1, "not a domain object"},
        {"domain object", Answer(200, kDomain), Notices::Drop, STATUS_TAKEN,
         "Domain Name: EXAMPLE.COM\r\nStatus: active\r\nName Server: NS1.EXAMPLE.NET\r\n"},
        {"notices cannot forge the lines the verdict reads", Answer(200, kDomain), Notices::Keep,
         STATUS_TAKEN, "Notice: Terms\r\n  x HTTP status: 404\r\n  No RDAP service: y\r\n"},
        {"a 404 body cannot claim a registration",
         Answer(404, R"({"title":"Domain Name: EXAMPLE.COM"})"), Notices::Keep, STATUS_AVAILABLE,
         "Error: Domain Name: EXAMPLE.COM"},
        {"no answer",
         {CHttpResponse::Outcome::Failed, 0, {}, {}, "the server did not answer"},
         Notices::Drop,
         STATUS_ERROR_1,
         "RDAP error: the server did not answer"},
    };
    for (const VerdictCase& verdict : cases) {
        const QByteArray text = Text(verdict.response, verdict.notices);
        EXPECT_TRUE(text.startsWith("RDAP server: https://rdap.example/, Domain: example.com\r\n"))
            << verdict.name;
        EXPECT_TRUE(text.contains(verdict.shows)) << verdict.name << ":\n" << text.toStdString();
        EXPECT_EQ(LiveStatus(text), verdict.live) << verdict.name;
        const std::uint8_t stored =
            verdict.live == STATUS_ERROR_1 ? std::uint8_t{STATUS_UNKNOWN} : verdict.live;
        EXPECT_EQ(StoredStatus(text), stored) << verdict.name;
        EXPECT_EQ(RdapRecord::ProtocolOf(text), "rdap");
    }
}

TEST(RdapRecordTest, ThrottleIsA429OrA503ThatSaysWhenToComeBack)
{
    EXPECT_TRUE(RdapRecord::IsThrottle(Text(Answer(429, {}), Notices::Drop)));
    EXPECT_TRUE(RdapRecord::IsThrottle(Text(Answer(503, {}, 30), Notices::Drop)));
    EXPECT_FALSE(RdapRecord::IsThrottle(Text(Answer(503, "<html>busy</html>"), Notices::Drop)));
    EXPECT_FALSE(RdapRecord::IsThrottle(
        Text(Answer(503, R"({"title":"Busy","description":["Retry-After: 5 seconds"]})"),
             Notices::Keep)))
        << "the server's words cannot claim a Retry-After";
    EXPECT_FALSE(RdapRecord::IsThrottle(Text(Answer(200, kDomain), Notices::Keep)));
}

TEST(RdapRecordTest, NoticesShowOnlyWithStripOutputOff)
{
    EXPECT_FALSE(Text(Answer(200, kDomain), Notices::Drop).contains("Notice:"));
    EXPECT_TRUE(Text(Answer(200, kDomain), Notices::Keep).contains("Notice: Terms"));
}

TEST(RdapRecordTest, FallbackSaysWhyAndKeepsTheVerdict)
{
    const QByteArray text = Text(Answer(404, {}), Notices::Drop,
                                 "the WHOIS server whois.example refused the connection.");
    EXPECT_TRUE(text.contains(
        "\r\nAsked over RDAP: the WHOIS server whois.example refused the connection.\r\n"));
    EXPECT_EQ(LiveStatus(text), STATUS_AVAILABLE);
}

TEST(RdapRecordTest, WhoisRecordsAreNotRdap)
{
    EXPECT_EQ(RdapRecord::ProtocolOf("WHOIS server: whois.example, Domain: a.com\r\n"), "whois");
    EXPECT_EQ(RdapRecord::ProtocolOf("Unknown 'whois' server (x)\r\n"), "whois");
}

TEST(RdapRecordTest, FailuresCountUpAsWithWhois)
{
    const QByteArray text = Text(Answer(503, {}));
    std::vector<int> seen;
    std::uint8_t previous = STATUS_UNKNOWN;
    for (int round = 0; round < 5; ++round) {
        CDomainInfo record("example.com");
        record.m_strInfo = text;
        record.m_nPrevStatus = previous;
        AnalyseAnswer(record, STATUS_ERROR_1);
        previous = record.m_nStatus;
        seen.push_back(previous);
    }
    EXPECT_EQ(seen, (std::vector<int>{5, 6, 7, 8, 4}));
}

} // namespace
