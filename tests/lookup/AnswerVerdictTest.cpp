// The verdict's rules one by one, on short answers worded as registries word them, each taken
// through the worker's path with "Strip Output" on and off.

#include "core/DomainInfo.h"
#include "lookup/AnswerAnalysis.h"

#include "support/AnswerLookup.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct VerdictCase {
    const char* behaviour;
    QByteArray answer;
    std::uint8_t expected;
};

class Verdict : public testing::TestWithParam<VerdictCase> {};

constexpr std::uint8_t kTaken = STATUS_TAKEN;
constexpr std::uint8_t kFree = STATUS_AVAILABLE;
constexpr std::uint8_t kUndecided = STATUS_ERROR_1;

// A stored text that decides nothing reads back as not looked up.
TEST_P(Verdict, IsTheSameWithStrippingOnAndOffAndWhenReadBack)
{
    const VerdictCase& c = GetParam();
    const std::uint8_t readBack =
        c.expected == kUndecided ? std::uint8_t{STATUS_UNKNOWN} : c.expected;
    for (const bool strip : {false, true}) {
        const CDomainInfo record = LookedUp(c.answer, strip);
        EXPECT_EQ(record.m_nStatus, c.expected) << "strip " << strip;
        EXPECT_EQ(StatusReadBack(record.m_strInfo), readBack) << "strip " << strip;
    }
}

std::string VerdictCaseName(const testing::TestParamInfo<VerdictCase>& info)
{
    return CaseName(info.param.behaviour);
}

INSTANTIATE_TEST_SUITE_P(
    FirstTable, Verdict,
    testing::Values(
        VerdictCase{"no match in any case is free", "No MaTcH for \"EXAMPLE.COM\".\n", kFree},
        VerdictCase{"registrar line in any case wins over no match",
                    "No match for \"EXAMPLE.COM\".\nREGISTRAR: Example Registrar, Inc.\n", kTaken},
        VerdictCase{"no entries found is free", "%% No entries found in the AFNIC Database.\n",
                    kFree},
        VerdictCase{"is not a registered domain is free",
                    "example.ie is not a registered domain.\n", kFree},
        VerdictCase{"answer without a telling line decides nothing", "Whois Server Version 2.0\n",
                    kUndecided},
        VerdictCase{"connection that delivered nothing decides nothing", "", kUndecided},
        VerdictCase{"registrant field is taken", "Registrant Name: Example Holder\n", kTaken},
        VerdictCase{"address field is taken", "Address: 1 Example Street\n", kTaken},
        VerdictCase{"name servers section is taken", "Name servers:\n   ns1.example.net\n", kTaken},
        VerdictCase{"domain servers section is taken",
                    "Domain servers in listed order:\n   NS1.EXAMPLE.NET\n", kTaken}),
    VerdictCaseName);

INSTANTIATE_TEST_SUITE_P(
    FreeWording, Verdict,
    testing::Values(
        VerdictCase{"no data found", "No Data Found\n", kFree},
        VerdictCase{"no object found", "Domain Status: No Object Found\n", kFree},
        VerdictCase{"object does not exist", "The queried object does not exist.\n", kFree},
        VerdictCase{"nothing found in a comment line", "% nothing found\n", kFree},
        VerdictCase{"no such domain", "No such domain example.com\n", kFree},
        VerdictCase{"no information available",
                    "No information available about domain name example.pl in the Registry NASK "
                    "database.\n",
                    kFree},
        VerdictCase{"has not been registered", "This domain name has not been registered.\n",
                    kFree},
        VerdictCase{"status not registered", "Status: Not Registered\n", kFree},
        VerdictCase{"misspelt not registred", "Domain example.ai not registred.\n", kFree},
        VerdictCase{"name is free", "example.nl is free\n", kFree},
        VerdictCase{"is freely is no statement", "Data is freely given\n", kUndecided},
        VerdictCase{"no entry in our database",
                    "We do not have an entry in our database matching your query.\n", kFree},
        VerdictCase{"available for registration",
                    "The name example.com is available for registration.\n", kFree},
        VerdictCase{"status free", "Domain: example.de\nStatus: free\n", kFree},
        VerdictCase{"status available in capitals", "Domain: example.eu\nStatus: AVAILABLE\n",
                    kFree},
        VerdictCase{"domain status available after padding",
                    "Domain name:           example.ca\nDomain status:         available\n", kFree},
        VerdictCase{"status with a numeric code", "query_status: 220 Available\n", kFree},
        VerdictCase{"no matching record", "No matching record.\n", kFree},
        VerdictCase{"object not found with underscores",
                    "No_Se_Encontro_El_Objeto/Object_Not_Found\n", kFree},
        VerdictCase{"domain name not known",
                    "Invalid query or domain name not known in Dot TK Domain Registry\n", kFree},
        VerdictCase{"no found", "No Found\n", kFree},
        VerdictCase{"no se encuentra registrado",
                    "El dominio no se encuentra registrado en NIC Argentina\n", kFree}),
    VerdictCaseName);

INSTANTIATE_TEST_SUITE_P(
    RecordFields, Verdict,
    testing::Values(
        VerdictCase{"sponsoring registrar", "Sponsoring Registrar: Example Registrar\n", kTaken},
        VerdictCase{"nserver", "domain: example.de\nnserver: ns1.example.net\n", kTaken},
        VerdictCase{"creation date", "Domain Name: EXAMPLE.COM\nCreation Date: 2001-01-01\n",
                    kTaken},
        VerdictCase{"expires", "domain: example.com.br\nexpires: 20300101\n", kTaken},
        VerdictCase{"holder handle", "holder-c: EX1-FRNIC\n", kTaken},
        VerdictCase{"owner", "owner: Example Ltda\n", kTaken},
        VerdictCase{"nameservers heading", "Nameservers\n  ns1.example.net\n", kTaken},
        VerdictCase{"registrant in brackets", "[Registrant]   Example KK\n", kTaken},
        VerdictCase{"registered on", "    Relevant dates:\n        Registered on: 14-Feb-1999\n",
                    kTaken},
        VerdictCase{"admin handle", "admin-c: EX1-RIPE\n", kTaken},
        VerdictCase{"epp status", "Domain Status: clientTransferProhibited\n", kTaken},
        VerdictCase{"denic status connect", "Domain: example.de\nStatus: connect\n", kTaken},
        VerdictCase{"status not available is taken",
                    "Domain:\texample.be\nStatus:\tNOT AVAILABLE\n", kTaken},
        VerdictCase{"record with available in its notice stays taken",
                    "Registrar: Example Registrar\n\nIt allows persons to check whether a specific "
                    "domain name is still available or not.\n",
                    kTaken},
        VerdictCase{"record with no match in a footer stays taken",
                    "Domain Name: EXAMPLE.COM\nRegistrar: Example Registrar\n\nNo match for "
                    "nameserver \"NS9.EXAMPLE.COM\".\n",
                    kTaken},
        VerdictCase{"not found in a registered name",
                    "Domain Name: NOTFOUND.COM\nRegistrar: Example Registrar\n", kTaken},
        VerdictCase{"name echo alone decides nothing", "Domain Name: NOTFOUND.COM\n", kUndecided}),
    VerdictCaseName);

INSTANTIATE_TEST_SUITE_P(
    NoRecordField, Verdict,
    testing::Values(
        VerdictCase{"registrant in a sentence",
                    "NOT FOUND\nRegistrant data available at http://whois.example.net/\n", kFree},
        VerdictCase{"registrar in a url", "Go to http://registrar.example.net/ for details.\n",
                    kUndecided},
        VerdictCase{"registrant in a quoted name", "No match for \"REGISTRANT.COM\".\n", kFree},
        VerdictCase{"registrant in a name before a colon", "registrant.cl: no entries found.\n",
                    kFree},
        VerdictCase{"registrars at the end of a sentence",
                    "No match for \"EXAMPLE.COM\".\nThe Registry database contains ONLY .COM, "
                    ".NET, .EDU domains and\nRegistrars.\n",
                    kFree},
        VerdictCase{
            "field names in comment lines are the registry talking",
            "% Administrative contact for this service: hostmaster@example.net\nNOT FOUND\n",
            kFree},
        VerdictCase{"negated field name", "Registrar not found: example.com\n", kFree}),
    VerdictCaseName);

INSTANTIATE_TEST_SUITE_P(
    Failures, Verdict,
    testing::Values(
        VerdictCase{"limit exceeded", "WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\n",
                    kUndecided},
        VerdictCase{"quota exceeded over two lines",
                    "    The WHOIS query quota for 127.0.0.1 has been exceeded\n    and will be "
                    "replenished in 50 seconds.\n",
                    kUndecided},
        VerdictCase{"too many requests before not found", "Too many requests\nNOT FOUND\n",
                    kUndecided},
        VerdictCase{"try again later before no match",
                    "Please try again later.\nNo match for \"EXAMPLE.COM\".\n", kUndecided},
        VerdictCase{"limit reached in a comment line",
                    "% Error: 55000000002 Connection refused; access control limit reached.\n",
                    kUndecided},
        VerdictCase{
            "maximum queries in a comment line",
            "% WHOIS example\n% Maximum queries per hour reached (100)\nStatus: AVAILABLE\n",
            kUndecided},
        VerdictCase{"service unavailable", "Service temporarily unavailable\nNo Data Found\n",
                    kUndecided},
        VerdictCase{"request denied",
                    "domain_name: example.co.nz\nquery_status: 440 Request Denied\n", kUndecided},
        VerdictCase{"failure before a shortened record wins",
                    "% Query rate limit exceeded.\n\ndomain: example.com.br\nowner: Example Ltda\n",
                    kUndecided},
        VerdictCase{"record before a warning stands",
                    "Domain Name: EXAMPLE.COM\nRegistrar: Example Registrar\nQuery rate limit "
                    "exceeded\n",
                    kTaken},
        VerdictCase{"exceeded in a registered name",
                    "Domain Name: EXCEEDED.COM\nRegistrar: Example Registrar\n", kTaken},
        VerdictCase{"rate limits named in a notice",
                    "NOT FOUND\n\nBy submitting a query you agree to these terms. Clients that "
                    "exceeded the limit must try again later.\n",
                    kFree},
        VerdictCase{"exceeding in running text",
                    "NOT FOUND\nData with a delay not exceeding 15 "
                    "minutes\n",
                    kFree}),
    VerdictCaseName);

INSTANTIATE_TEST_SUITE_P(
    Notices, Verdict,
    testing::Values(
        VerdictCase{"phrase in a notice paragraph decides nothing",
                    "By submitting a query you agree to these terms of use. A name that is not "
                    "found may still be registered.\n",
                    kUndecided},
        VerdictCase{"record fields leading a notice paragraph still count",
                    "Registrar: Example Registrar\nThe data is provided for information purposes "
                    "only and no match is guaranteed.\n",
                    kTaken},
        VerdictCase{"verdict printed right above the terms",
                    "Domain not found.\nTerms of Use: Example Registry provides this Whois "
                    "service for information purposes only.\n",
                    kFree},
        VerdictCase{"statement leading a notice paragraph still counts",
                    "No Data Found\nURL of the ICANN Whois Inaccuracy Complaint Form: "
                    "https://www.icann.org/wicf/\n",
                    kFree},
        VerdictCase{"nothing after the closing line counts",
                    "NOT FOUND\n>>> Last update of WHOIS database: 2019-06-25T20:04:37Z <<<\n\n"
                    "Registrant Name: Example\n",
                    kFree},
        VerdictCase{"nothing after the signature line counts",
                    "    No match for \"example.co.uk\".\n\n--\nRegistrar: Example\n", kFree},
        VerdictCase{"plain line after a comment notice is a paragraph of its own",
                    "% By submitting a query you agree to abide by these terms.\nStatus: "
                    "AVAILABLE\n",
                    kFree},
        VerdictCase{"notice after a comment separator line",
                    "% Status: AVAILABLE\n%\n% By submitting a query you agree to these terms; "
                    "registrants are protected.\n",
                    kFree},
        VerdictCase{"policy notice going on below its sentence is not cut",
                    "By submitting a query, you agree to abide by this policy.\nNames not found "
                    "here may be held elsewhere.\n\nInvalid query.\n",
                    kUndecided},
        VerdictCase{"label of terms of use starts a notice",
                    "WHOIS TERMS & CONDITIONS: Use by registrants is restricted.\nregistrars of "
                    "record may not resell it; no match is guaranteed\n",
                    kUndecided}),
    VerdictCaseName);

// Wording close to what the registries of the second sample set say for a free or a taken name
// ("Available", "Domain is available.", "This Domain is not available in our whois database", a
// reduced answer after a throttle line, name servers alone), which decides nothing.
INSTANTIATE_TEST_SUITE_P(
    SecondSet, Verdict,
    testing::Values(
        VerdictCase{"bare not available line", "Not Available\n", kUndecided},
        VerdictCase{"domain is available at a web site is a pointer",
                    "Domain is available at https://www.example.net/whois\n", kUndecided},
        VerdictCase{"domain is not available alone", "This domain is not available.\n", kUndecided},
        VerdictCase{"reduced information on another line does not lift a throttle",
                    "% Query rate limit exceeded.\n% Reduced information.\n% No match for "
                    "domain \"example.br\"\n",
                    kUndecided},
        VerdictCase{"throttle wins over a bare available line",
                    "Too many requests, try again later.\nAvailable\n", kUndecided},
        VerdictCase{"delegation lines of different names",
                    "Querying whois.example.net\nat www.example.net.\n", kUndecided},
        VerdictCase{"delegation lines without host names", "example 192.0.2.1\nexample 192.0.2.2\n",
                    kUndecided},
        VerdictCase{"delegation lines apart",
                    "example ns1.example.net\n\nexample ns2.example.net\n", kUndecided}),
    VerdictCaseName);

struct RefusalCase {
    const char* behaviour;
    QByteArray answer;
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

// Refusals worded as no table lists them, each followed by the "no entries" line a throttled
// server may still print: none may read as available, and each is the server's, not the name's.
TEST_P(Refusal, NeverReadsAsAvailableAndIsAThrottle)
{
    for (const bool strip : {false, true}) {
        CDomainInfo record = LookedUp(GetParam().answer + "No entries found.\n", strip);
        EXPECT_EQ(record.m_nStatus, kUndecided) << "strip " << strip;
        EXPECT_EQ(AnalyseAnswer(record, STATUS_ERROR_1), AnswerKind::Throttled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Throttle, Refusal,
    testing::Values(RefusalCase{"rate limit reached", "Query rate limit has been reached.\n"},
                    RefusalCase{"quota used up", "Your quota is used up for today.\n"},
                    RefusalCase{"allowed queries reached", "Number of allowed queries reached\n"},
                    RefusalCase{"banned", "% You have been banned from this service.\n"},
                    RefusalCase{"daily allowance exhausted", "Daily lookup allowance exhausted.\n"},
                    RefusalCase{"maximum per minute over", "Maximum lookups per minute: over\n"},
                    RefusalCase{"blacklisted client", "Your address 192.0.2.7 is blacklisted\n"},
                    RefusalCase{"being throttled",
                                "You are being throttled, come back in a minute.\n"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(Verdict, LimitOnlyDescribedIsNoThrottle)
{
    CDomainInfo record =
        LookedUp("% Access to the whois service is rate limited.\n\nDomain not found.\n", true);
    EXPECT_EQ(record.m_nStatus, kFree);
    EXPECT_EQ(AnalyseAnswer(record, STATUS_ERROR_1), AnswerKind::Answered);
}

TEST(Verdict, OwnFirstLineIsNotRead)
{
    CDomainInfo record("registrant-tools.com");
    record.m_strInfo = "WHOIS server: registrar.example.net, Domain: registrant-tools.com\n\nNOT "
                       "FOUND\n";
    CleanAnswer(record, Strip::Yes);
    AnalyseAnswer(record, STATUS_ERROR_1);
    EXPECT_EQ(record.m_nStatus, STATUS_AVAILABLE);
}

struct CountingCase {
    const char* behaviour;
    QByteArray answer;
    std::uint8_t prevStatus;
    std::uint8_t expected;
};

class FailureCounting : public testing::TestWithParam<CountingCase> {};

TEST_P(FailureCounting, FollowsThePreviousStatus)
{
    const CountingCase& c = GetParam();
    EXPECT_EQ(LookedUp(c.answer, true, c.prevStatus).m_nStatus, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Verdict, FailureCounting,
    testing::Values(CountingCase{"first failure", "", STATUS_UNKNOWN, STATUS_ERROR_1},
                    CountingCase{"failure after a taken verdict starts again", "", STATUS_TAKEN,
                                 STATUS_ERROR_1},
                    CountingCase{"failure after too many errors starts again", "",
                                 STATUS_TOO_MANY_ERRORS, STATUS_ERROR_1},
                    CountingCase{"second failure", "", STATUS_ERROR_1, STATUS_ERROR_2},
                    CountingCase{"third failure", "", STATUS_ERROR_2, STATUS_ERROR_3},
                    CountingCase{"fourth failure", "", STATUS_ERROR_3, STATUS_ERROR_4},
                    CountingCase{"fifth failure is too many", "", STATUS_ERROR_4,
                                 STATUS_TOO_MANY_ERRORS},
                    CountingCase{"throttle counts as a failure", "Too many requests\n",
                                 STATUS_ERROR_2, STATUS_ERROR_3},
                    CountingCase{"verdict after four failures", "NOT FOUND\n", STATUS_ERROR_4,
                                 STATUS_AVAILABLE}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

struct StoredCase {
    const char* behaviour;
    QByteArray text;
    std::uint8_t prevStatus;
    std::uint8_t expected;
};

class StoredText : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredText, ReadsBackWithTheDocumentsDefault)
{
    const StoredCase& c = GetParam();
    CDomainInfo record("example.com");
    record.m_strInfo = c.text;
    record.m_nPrevStatus = c.prevStatus;
    AnalyseStoredAnswer(record);
    EXPECT_EQ(record.m_nStatus, c.expected);
    EXPECT_EQ(record.m_strInfo, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Verdict, StoredText,
    testing::Values(
        StoredCase{
            "no entries found reads back available",
            "WHOIS server: whois.example.net, Domain: example.com\r\n\r\nno entries found\r\n",
            STATUS_UNKNOWN, STATUS_AVAILABLE},
        StoredCase{"error message reads back unknown", "whois: unable to connect to WHOIS server",
                   STATUS_UNKNOWN, STATUS_UNKNOWN},
        StoredCase{"empty text reads back unknown", "", STATUS_UNKNOWN, STATUS_UNKNOWN},
        StoredCase{"undecided text does not count failures", "Too many requests\r\n",
                   STATUS_ERROR_3, STATUS_UNKNOWN},
        StoredCase{"record reads back taken", "Registrar: Example\r\r\n", STATUS_UNKNOWN,
                   STATUS_TAKEN}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
