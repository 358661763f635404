// The bytes the worker's cleaning leaves of a fresh record text, with "Strip Output" on and off.

#include "core/DomainInfo.h"
#include "lookup/AnswerAnalysis.h"

#include "support/AnswerLookup.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// As a string, so a failure prints the text rather than its bytes one by one.
std::string Cleaned(const QByteArray& text, bool strip)
{
    CDomainInfo record("example.com");
    record.m_strInfo = text;
    CleanAnswer(record, strip ? Strip::Yes : Strip::No);
    return record.m_strInfo.toStdString();
}

const QByteArray kOwnLine = "WHOIS server: whois.example.net, Domain: example.com\n\n";
const QByteArray kOwnLineCleaned = "WHOIS server: whois.example.net, Domain: example.com\r\n\r\n";

// The five disclaimers removed by their exact text, as servers sent them with LF line ends.
const QByteArray kHelpHint = "\nTo optimize query speed and answer correctness see the\n"
                             "--help option. Depending on your whois client use\n"
                             "  whois -h whois.corenic.net --help\n"
                             "or\n"
                             "  whois --help@whois.corenic.net\n";
const QByteArray kServerHeader =
    "\n\nWhois Server Version 1.1\n\n"
    "Domain names in the .com, .net, and .org domains can now be registered\n"
    "with many different competing registrars. Go to http://www.internic.net\n"
    "for detailed information.\n";
const QByteArray kRegistryFooterWithRuler =
    "\nThe Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\n"
    "Registrars.\n\n" +
    QByteArray(52, '=');
const QByteArray kPreviousInformation =
    "\nThe previous information has been obtained either directly from the\n"
    "registrant or a registrar of the domain name other than Network Solutions.\n"
    "Network Solutions, therefore, does not guarantee its accuracy or\n"
    "completeness.\n";
const QByteArray kRegistryFooter =
    "The Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\n"
    "Registrars.\n";

TEST(AnswerCleaning, EveryLineFeedBecomesCrLfEvenAfterACr)
{
    EXPECT_EQ(Cleaned(kOwnLine + "A\r\nB\n", false),
              (kOwnLineCleaned + "A\r\r\nB\r\n").toStdString());
}

TEST(AnswerCleaning, AdvertisingSentenceGoesWithStrippingOnAndOff)
{
    const QByteArray text =
        kOwnLine +
        "No match for \"EXAMPLE.COM\".\nGo to www.networksolutions.com to register it now!\n";
    const QByteArray expected = kOwnLineCleaned + "No match for \"EXAMPLE.COM\".\r\n\r\n";
    EXPECT_EQ(Cleaned(text, false), expected.toStdString());
    EXPECT_EQ(Cleaned(text, true), expected.toStdString());
}

TEST(AnswerCleaning, StrippingOffKeepsEveryDisclaimerAndNotice)
{
    const QByteArray text =
        kOwnLine + "By submitting a WHOIS query, you agree to abide by this policy.\n\n" +
        kHelpHint + kServerHeader + "No match for \"EXAMPLE.COM\".\n\n" + kPreviousInformation +
        "\n" + kRegistryFooterWithRuler + "\n" + kRegistryFooter +
        "\nNOTICE: The expiration date displayed in this record is the date the\nregistrar's "
        "sponsorship of the domain name registration is set to expire.\n";
    QByteArray expected = text;
    expected.replace("\n", "\r\n");
    EXPECT_EQ(Cleaned(text, false), expected.toStdString());
}

struct DisclaimerCase {
    const char* behaviour;
    QByteArray answer;
    QByteArray expected; // after the cleaned first line
};

class Disclaimer : public testing::TestWithParam<DisclaimerCase> {};

TEST_P(Disclaimer, IsRemovedWhenStripping)
{
    const DisclaimerCase& c = GetParam();
    EXPECT_EQ(Cleaned(kOwnLine + c.answer, true), (kOwnLineCleaned + c.expected).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    AnswerCleaning, Disclaimer,
    testing::Values(
        DisclaimerCase{"help hint of the registry", "NOT FOUND\n" + kHelpHint + "\nEnd\n",
                       "NOT FOUND\r\n\r\nEnd\r\n"},
        DisclaimerCase{"server header of the first shared registry",
                       kServerHeader + "\nNo match for \"EXAMPLE.COM\".\n",
                       "No match for \"EXAMPLE.COM\".\r\n"},
        DisclaimerCase{"registry footer with its ruler",
                       "No match for \"EXAMPLE.COM\".\n" + kRegistryFooterWithRuler + "\n",
                       "No match for \"EXAMPLE.COM\".\r\n\r\n"},
        DisclaimerCase{"note on information from other registrars",
                       "Registrant:\n   Example Holder\n" + kPreviousInformation + "\nEnd\n",
                       "Registrant:\r\n   Example Holder\r\n\r\nEnd\r\n"},
        DisclaimerCase{"registry footer", "No match for \"EXAMPLE.COM\".\n\n" + kRegistryFooter,
                       "No match for \"EXAMPLE.COM\".\r\n\r\n"},
        DisclaimerCase{"notices leading and closing the answer with blank lines between",
                       "NOT FOUND\n\n\n\nNOTICE: The expiration date displayed in this record is "
                       "the date the\nregistrar's sponsorship of the domain name registration is "
                       "set to expire.\n\nTERMS OF USE: You are not authorized to access or query "
                       "our Whois\ndatabase except as reasonably necessary.\n",
                       "NOT FOUND\r\n\r\n"},
        DisclaimerCase{"text after the closing line",
                       "Domain Name: EXAMPLE.COM\nRegistrar: Example\n>>> Last update of WHOIS "
                       "database: 2024-01-01T00:00:00Z <<<\n\nFor more information on Whois "
                       "status codes, please visit https://icann.org/epp\n",
                       "Domain Name: EXAMPLE.COM\r\nRegistrar: Example\r\n>>> Last update of WHOIS "
                       "database: 2024-01-01T00:00:00Z <<<\r\n"},
        DisclaimerCase{"policy notice that closes the answer stays out of the cut",
                       "Domain Name: EXAMPLE.INFO\nRegistrar: Example\n\nAccess to WHOIS "
                       "information is provided to assist persons. By submitting this query, you "
                       "agree to abide by this policy.\n",
                       "Domain Name: EXAMPLE.INFO\r\nRegistrar: Example\r\n\r\n"},
        DisclaimerCase{"policy sentence that does not end its notice stays out of the cut",
                       "By submitting a WHOIS query, you agree to abide by this policy. See the "
                       "terms.\n\nRegistrant:\n   Example Holder\n",
                       "Registrant:\r\n   Example Holder\r\n"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

// Records with notices among their fields. Lines marked "-" are notice lines stripping removes;
// every other line stays, and the stored text reads back with the lookup's verdict.
struct LayoutCase {
    const char* behaviour;
    QByteArray marked;
    std::uint8_t status;
    bool cutsOwnLine = false; // the opening policy notice goes with the program's first line
};

QByteArray Unmarked(const QByteArray& marked, bool dropMarked)
{
    QByteArray text;
    for (const QByteArray& line : marked.split('\n')) {
        if (!line.startsWith('-')) {
            text += line + '\n';
        } else if (!dropMarked) {
            text += line.sliced(1) + '\n';
        }
    }
    text.chop(1); // the line end after the split's empty last piece
    return text;
}

class RecordLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(RecordLayout, KeepsEveryFieldAndItsVerdict)
{
    const LayoutCase& c = GetParam();
    for (const bool strip : {true, false}) {
        const CDomainInfo record = LookedUp(Unmarked(c.marked, false), strip);
        QByteArray expected = (strip && c.cutsOwnLine ? QByteArray() : kOwnLine);
        expected += Unmarked(c.marked, strip);
        EXPECT_EQ(record.m_strInfo.toStdString(), expected.replace("\n", "\r\n").toStdString());
        EXPECT_EQ(record.m_nStatus, c.status) << "strip " << strip;
        EXPECT_EQ(StatusReadBack(record.m_strInfo), c.status) << "read back, strip " << strip;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AnswerCleaning, RecordLayout,
    testing::Values(
        LayoutCase{"contact field worded as a notice before the name servers",
                   "Tech Email: Please query the RDDS service of the Registrar of Record; by using "
                   "this service you agree to its terms of use.\nName Server: NS1.EXAMPLE.NET\n",
                   STATUS_TAKEN},
        LayoutCase{"notice between the dates and the registrant",
                   "Creation Date: 2001-01-01\n-NOTICE: The expiration date displayed in this "
                   "record is the date the\n-registrar's sponsorship of the domain name "
                   "registration is set to expire.\nRegistrant Name: Example Holder\n",
                   STATUS_TAKEN},
        LayoutCase{"policy notice right above the record",
                   "-Terms of use: by querying this server you agree to abide by this policy.\n"
                   "Domain Name: example.com\nRegistrant: Example Holder\nName Servers: "
                   "ns1.example.net\nExpires: 2030-01-01\n",
                   STATUS_TAKEN, true},
        LayoutCase{"policy sentence below the record stays out of the cut",
                   "Registrant: Example Holder\n-By querying this server you agree to abide by "
                   "this policy.\nName Server: ns1.example.net\n",
                   STATUS_TAKEN},
        LayoutCase{"record inside the policy notice stays out of the cut",
                   "-The data is provided for information purposes only.\nRegistrant: Example "
                   "Holder\n-By submitting a query you agree to abide by this policy.\n",
                   STATUS_TAKEN},
        LayoutCase{"status field after a notice line is read",
                   "-The data is provided for information purposes only.\nDomain Status: No Object "
                   "Found\n",
                   STATUS_AVAILABLE},
        LayoutCase{"host names below a section heading after a notice line",
                   "-Terms of use apply.\nName Servers:\n  ns1.example.net\n", STATUS_TAKEN},
        LayoutCase{"field after the closing line stays and is not read",
                   "NOT FOUND\n>>> Last update of WHOIS database: 2024-01-01T00:00:00Z <<<\n-By "
                   "submitting a query you agree to these terms.\nRegistrant Name: Example\n",
                   STATUS_AVAILABLE}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(AnswerCleaning, PolicyNoticeOpeningTheAnswerIsCutWithTheTextBeforeIt)
{
    const QByteArray text =
        kOwnLine +
        "The Data in Example Registrar's WHOIS database is provided for information purposes "
        "only. By submitting a WHOIS query, you agree to abide by this policy.\n\nRegistrant:\n"
        "   Example Holder\n";
    EXPECT_EQ(Cleaned(text, true), "Registrant:\r\n   Example Holder\r\n");
}

TEST(AnswerCleaning, LeadingWhiteSpaceGoesOnlyWhenTheTextBeginsWithCrLf)
{
    EXPECT_EQ(Cleaned("\n\n  NOT FOUND\n", true), "NOT FOUND\r\n");
    EXPECT_EQ(Cleaned("  NOT FOUND\n", true), "  NOT FOUND\r\n");
    EXPECT_EQ(Cleaned("\n\n  NOT FOUND\n", false), "\r\n\r\n  NOT FOUND\r\n");
}

} // namespace
