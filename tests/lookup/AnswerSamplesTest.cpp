// Real answers of today's registries (tests/data/whois-samples) taken through the path of a
// lookup: the query client's first line, the raw answer, the worker's cleaning with "Strip
// Output" on and off, then the verdict with the worker's default; and the verdict a document
// gives the stored text when it is read back.

#include "lookup/AnswerLayout.h"
#include "lookup/AnswerLines.h"

#include "support/AnswerLookup.h"
#include "support/CaseName.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

QString SamplesDir()
{
    return QStringLiteral(QUILLON_TEST_DATA_DIR "/whois-samples");
}

QByteArray ReadSample(const QString& relativePath)
{
    QFile file(SamplesDir() + QLatin1Char('/') + relativePath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath.toStdString();
    return file.readAll();
}

struct Sample {
    QString folder;
    QString fileName;
    QByteArray server;
    QByteArray name;

    QString Path() const { return folder + QLatin1Char('/') + fileName; }
    QByteArray Answer() const { return ReadSample(Path()); }
    CDomainInfo Lookup(bool strip, std::uint8_t prevStatus = STATUS_UNKNOWN) const
    {
        return LookupOf(Answer(), strip, prevStatus);
    }
    // The same lookup of a changed answer.
    CDomainInfo LookupOf(const QByteArray& answer, bool strip,
                         std::uint8_t prevStatus = STATUS_UNKNOWN) const
    {
        return LookedUp(answer, strip, prevStatus, server, name);
    }
};

// So a failing case names its file.
void PrintTo(const Sample& sample, std::ostream* out)
{
    *out << sample.Path().toStdString();
}

// "<server>__<tld>__<origin>.txt"
Sample SampleFromFile(const QString& folder, const QString& fileName)
{
    const QStringList parts = fileName.split(QStringLiteral("__"));
    return Sample{folder, fileName, parts.value(0).toLatin1(),
                  "example." + parts.value(1).toLatin1()};
}

// "<folder>/<file>"
Sample SampleAt(const char* path)
{
    const QString relative = QString::fromLatin1(path);
    return SampleFromFile(relative.section(QLatin1Char('/'), 0, 0),
                          relative.section(QLatin1Char('/'), 1));
}

std::vector<Sample> SamplesIn(const QString& folder)
{
    std::vector<Sample> samples;
    const QStringList files =
        QDir(SamplesDir() + QLatin1Char('/') + folder).entryList({QStringLiteral("*.txt")});
    for (const QString& file : files) {
        samples.push_back(SampleFromFile(folder, file));
    }
    return samples;
}

std::vector<Sample> AllSamples()
{
    std::vector<Sample> samples;
    for (const char* folder : {"available", "registered", "error"}) {
        for (Sample& sample : SamplesIn(QLatin1String(folder))) {
            samples.push_back(std::move(sample));
        }
    }
    return samples;
}

struct Expected {
    std::uint8_t lookup;
    std::uint8_t readBack;
};

Expected ExpectedFor(const QString& folder)
{
    if (folder == QLatin1String("available")) {
        return {STATUS_AVAILABLE, STATUS_AVAILABLE};
    }
    if (folder == QLatin1String("registered")) {
        return {STATUS_TAKEN, STATUS_TAKEN};
    }
    return {STATUS_ERROR_1, STATUS_UNKNOWN};
}

std::string SampleCaseName(const testing::TestParamInfo<Sample>& info)
{
    const QString name = info.param.folder + QLatin1Char(' ') + info.param.fileName;
    return CaseName(name.toLatin1().constData());
}

TEST(WhoisSamples, EveryFolderHoldsItsSamples)
{
    EXPECT_EQ(SamplesIn(QStringLiteral("available")).size(), 83u);
    EXPECT_EQ(SamplesIn(QStringLiteral("registered")).size(), 98u);
    EXPECT_EQ(SamplesIn(QStringLiteral("error")).size(), 20u);
}

class SampleVerdict : public testing::TestWithParam<Sample> {};

TEST_P(SampleVerdict, IsTheFoldersVerdictWithStrippingOnAndOff)
{
    const Sample& sample = GetParam();
    const Expected expected = ExpectedFor(sample.folder);
    for (const bool strip : {true, false}) {
        const CDomainInfo record = sample.Lookup(strip);
        EXPECT_EQ(record.m_nStatus, expected.lookup) << "strip " << strip;
        EXPECT_EQ(StatusReadBack(record.m_strInfo), expected.readBack) << "strip " << strip;
    }
}

TEST_P(SampleVerdict, CountsAsAFailureInARowOnlyWhenItDecidesNothing)
{
    const Sample& sample = GetParam();
    const std::uint8_t expected = ExpectedFor(sample.folder).lookup;
    const CDomainInfo record = sample.Lookup(true, STATUS_ERROR_2);
    const std::uint8_t counted =
        expected == STATUS_ERROR_1 ? std::uint8_t{STATUS_ERROR_3} : expected;
    EXPECT_EQ(record.m_nStatus, counted);
}

// Of the answers that decide nothing, only those about the name itself (an invalid or
// unmanaged name) are no throttle; the others tell this client to slow down or come back.
TEST_P(SampleVerdict, IsAThrottleWhenTheServerWillNotServeThisClientNow)
{
    const Sample& sample = GetParam();
    const QStringList aboutTheName = {
        QStringLiteral("whois.denic.de__de__flipbit-xn--tstdomain-failed-nserver-qbc.de.txt"),
        QStringLiteral("whois.denic.de__de__weppos-response_error_55000000010.txt"),
        QStringLiteral("whois.dns.be__be__flipbit-www.kimdemolenaer.be.txt"),
        QStringLiteral("whois.nic.tr__gov.tr__whoisdomain-www.turkiye.gov.tr-invalid.txt"),
        QStringLiteral("whois.srs.net.nz__nz__iodev-free_progressbuilders.co.nz.nz.txt")};
    const bool throttle =
        sample.folder == QLatin1String("error") && !aboutTheName.contains(sample.fileName);
    for (const bool strip : {true, false}) {
        CDomainInfo record = sample.Lookup(strip);
        EXPECT_EQ(AnalyseAnswer(record, STATUS_ERROR_1) == AnswerKind::Throttled, throttle)
            << "strip " << strip;
    }
}

// Stripping changes what the user reads, never what the verdict reads: every statement of the
// unstripped text is still there, in order and byte for byte.
TEST_P(SampleVerdict, StrippingKeepsEveryStatementTheVerdictReads)
{
    const Sample& sample = GetParam();
    const QByteArray unstripped = sample.Lookup(false).m_strInfo;
    const QByteArray stripped = sample.Lookup(true).m_strInfo;
    qsizetype from = 0;
    AnswerLayout::ForEachSpan(unstripped, [&](const AnswerLayout::Span& span) {
        if (span.role != AnswerLayout::Role::Statement) {
            return;
        }
        const QByteArray statement = unstripped.sliced(span.begin, span.end - span.begin);
        const qsizetype at = stripped.indexOf(statement, from);
        EXPECT_GE(at, 0) << statement.toStdString();
        from = at < 0 ? from : at + statement.size();
    });
}

// A throttle line above any answer leaves it undecided: whatever follows, the server refused.
TEST_P(SampleVerdict, DecidesNothingBelowAThrottleLine)
{
    const Sample& sample = GetParam();
    const QByteArray answer = "Too many requests, please try again later.\n\n" + sample.Answer();
    for (const bool strip : {true, false}) {
        const CDomainInfo record = sample.LookupOf(answer, strip);
        EXPECT_EQ(record.m_nStatus, STATUS_ERROR_1) << "strip " << strip;
        EXPECT_EQ(StatusReadBack(record.m_strInfo), STATUS_UNKNOWN) << "strip " << strip;
    }
}

// The labels of notices that the real answers print as "label: text", some of them lines of a
// notice's sentences that hold a colon.
bool IsNoticeLabel(QByteArrayView key)
{
    static const QByteArrayList labels =
        QByteArray("TERMS OF USE:|NOTICE:|NOTE:|NOTICE AND TERMS OF USE:|WHOIS TERMS & CONDITIONS:|"
                   "T\xC3\xA9rminos de Uso:|Disclaimer:|Status Codes:|whois:|You acknowledge that:|"
                   "Whois information provided by:|For Whois usage policy please check:|For more "
                   "information please visit:|by the following terms of use:|which includes "
                   "restrictions on:|includes restrictions on:|use this data:|use:|to:")
            .split('|');
    return std::any_of(labels.begin(), labels.end(), [&](const QByteArray& label) {
        return key.compare(label, Qt::CaseInsensitive) == 0;
    });
}

// Every "key: value" line of the unstripped text is in the stripped one, in order, unless a
// notice label is its key; the program's first line may go with an opening policy notice.
void ExpectEveryFieldLineKept(const QByteArray& unstripped, const QByteArray& stripped)
{
    qsizetype from = 0;
    for (const QByteArray& text : unstripped.sliced(unstripped.indexOf('\n') + 1).split('\n')) {
        const AnswerLines::Line line = AnswerLines::ReadLine(text);
        if (line.comment || line.key.isEmpty() || line.shape == AnswerLines::Shape::Heading) {
            continue;
        }
        const qsizetype at = stripped.indexOf(line.body, from);
        EXPECT_TRUE(at >= 0 || IsNoticeLabel(line.key)) << "lost: " << text.toStdString();
        from = at < 0 ? from : at + line.body.size();
    }
}

TEST_P(SampleVerdict, StrippingKeepsEveryFieldLine)
{
    const Sample& sample = GetParam();
    ExpectEveryFieldLineKept(sample.Lookup(false).m_strInfo, sample.Lookup(true).m_strInfo);
}

INSTANTIATE_TEST_SUITE_P(WhoisSamples, SampleVerdict, testing::ValuesIn(AllSamples()),
                         SampleCaseName);

// Real answers with a notice put among their fields, or notice wording put into a field's
// value: every field stays, and the verdict is still the folder's, also when read back.
TEST(WhoisSamples, NoticeAmongTheFieldsTakesNoField)
{
    struct Case {
        const char* path;
        QByteArray from;
        QByteArray to;
    };
    const char* const app = "registered/whois.nic.google__app__asyncwhois-tld_app.txt";
    const Case cases[] = {
        {app, "Z\nRegistry Expiry Date:",
         "Z\nNOTICE: The expiration date displayed in this record is the date the\nregistrar's "
         "sponsorship of the domain name registration is set to expire.\nRegistry Expiry Date:"},
        {app, "Tech Email: Please query",
         "Tech Email: By using this service you agree to its terms of use. Please query"},
        {"registered/whois.usp.ac.fj__com.fj__iodev-google.com.fj.txt",
         "by this policy.\n\nDomain name:", "by this policy.\nDomain name:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to.toStdString());
        const Sample sample = SampleAt(c.path);
        QByteArray answer = sample.Answer();
        ASSERT_TRUE(answer.contains(c.from));
        answer.replace(c.from, c.to);
        const CDomainInfo stripped = sample.LookupOf(answer, true);
        const CDomainInfo unstripped = sample.LookupOf(answer, false);
        EXPECT_EQ(stripped.m_nStatus, STATUS_TAKEN);
        EXPECT_EQ(unstripped.m_nStatus, STATUS_TAKEN);
        EXPECT_EQ(StatusReadBack(stripped.m_strInfo), STATUS_TAKEN);
        ExpectEveryFieldLineKept(unstripped.m_strInfo, stripped.m_strInfo);
    }
}

// The wrong verdicts the first phrase table gave on these answers, each pinned by the answers
// that showed it.
struct FaultCase {
    const char* behaviour;
    const char* path;
    std::uint8_t expected;
};

class FaultOfTheFirstTable : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultOfTheFirstTable, IsMended)
{
    const FaultCase& c = GetParam();
    const Sample sample = SampleAt(c.path);
    for (const bool strip : {true, false}) {
        EXPECT_EQ(sample.Lookup(strip).m_nStatus, c.expected) << c.behaviour << ", strip " << strip;
    }
}

INSTANTIATE_TEST_SUITE_P(
    WhoisSamples, FaultOfTheFirstTable,
    testing::Values(
        FaultCase{"registrant in Verisign com notice",
                  "available/whois.verisign-grs.com__com__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"registrant in Verisign net notice",
                  "available/whois.verisign-grs.com__net__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"registrant in Verisign cc notice",
                  "available/ccwhois.verisign-grs.com__cc__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"registrant in Verisign tv notice",
                  "available/tvwhois.verisign-grs.com__tv__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"registrant in io notice after the closing line",
                  "available/whois.nic.io__io__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"registrant in EURid comment notice",
                  "available/whois.eu__eu__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"registrant in NASK pointer sentence",
                  "available/whois.dns.pl__pl__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"HKIRC has not been registered",
                  "available/whois.hkirc.hk__hk__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"DENIC status free", "available/whois.denic.de__de__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"SIDN is free",
                  "available/whois.domain-registry.nl__nl__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"SWITCH no entry in our database",
                  "available/whois.nic.ch__ch__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"nic it status AVAILABLE",
                  "available/whois.nic.it__it__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"nic ai not registred", "available/whois.nic.ai__ai__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"NIC AT nothing found", "available/whois.nic.at__at__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"CIRA domain status available",
                  "available/whois.cira.ca__ca__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"auDA no data found",
                  "available/whois.audns.net.au__au__weppos-status_available.txt",
                  STATUS_AVAILABLE},
        FaultCase{"Neustar biz no data found",
                  "available/whois.biz__biz__weppos-status_available.txt", STATUS_AVAILABLE},
        FaultCase{"DNS Belgium throttle with registrants in its notice",
                  "error/whois.dns.be__be__weppos-response_throttled_hourly.txt", STATUS_ERROR_1},
        FaultCase{"PIR limit exceeded", "error/whois.pir.org__org__weppos-response_throttled.txt",
                  STATUS_ERROR_1},
        FaultCase{"Nominet quota exceeded",
                  "error/whois.nic.uk__co.uk__weppos-response_throttled.txt", STATUS_ERROR_1}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

// A throttle answer that also carries a not-found line must not read as free: AFNIC's answer
// with its throttle line in place of the query echo, the rest as the registry printed it.
TEST(WhoisSamples, ThrottleLineWinsOverANotFoundLine)
{
    const QByteArray answer =
        ReadSample(QStringLiteral("available/whois.nic.fr__fr__weppos-status_available.txt"));
    const QByteArray echo = "%% [0.0.0.0 REQUEST] >> u34jedzcq.fr\n";
    ASSERT_TRUE(answer.contains(echo));
    QByteArray throttled = answer;
    throttled.replace(echo, "%% Too many requests from your IP address, try again later.\n");
    for (const bool strip : {true, false}) {
        EXPECT_EQ(LookedUp(answer, strip, STATUS_UNKNOWN, "whois.nic.fr", "u34jedzcq.fr").m_nStatus,
                  STATUS_AVAILABLE);
        EXPECT_EQ(
            LookedUp(throttled, strip, STATUS_UNKNOWN, "whois.nic.fr", "u34jedzcq.fr").m_nStatus,
            STATUS_ERROR_1);
    }
}

// The first line repeats the queried name; so do many answers. Neither makes a free name whose
// first label holds "registrant" taken.
TEST(WhoisSamples, RegistrantInTheQueriedNameDecidesNothing)
{
    struct Case {
        const char* behaviour;
        const char* path;
        QByteArray queriedEcho;
        QByteArray name;
    };
    const Case cases[] = {
        {"Verisign echo in quotes",
         "available/whois.verisign-grs.com__com__weppos-status_available.txt", "U34JEDZCQ.COM",
         "REGISTRANT-TOOLS.COM"},
        {"SIDN name before is free",
         "available/whois.domain-registry.nl__nl__weppos-status_available.txt", "u34jedzcq.nl",
         "registrant.nl"},
        {"IIS quoted name before not found",
         "available/whois.iis.se__se__weppos-status_available.txt", "u34jedzcq.se",
         "registrantregister.se"},
        {"DENIC domain field", "available/whois.denic.de__de__weppos-status_available.txt",
         "u34jedzcq.de", "myregistrant.de"},
    };
    for (const Case& c : cases) {
        const QByteArray original = ReadSample(QString::fromLatin1(c.path));
        ASSERT_TRUE(original.contains(c.queriedEcho)) << c.behaviour;
        QByteArray answer = original;
        answer.replace(c.queriedEcho, c.name);
        for (const bool strip : {true, false}) {
            EXPECT_EQ(LookedUp(answer, strip, STATUS_UNKNOWN, "whois.example.net", c.name.toLower())
                          .m_nStatus,
                      STATUS_AVAILABLE)
                << c.behaviour << ", strip " << strip;
        }
    }
}

// With stripping on, notices go and the record stays; with it off, every byte stays.
TEST(WhoisSamples, StrippingRemovesRecognisedNoticesOnly)
{
    struct Case {
        const char* behaviour;
        const char* path;
        QByteArray kept;
        QByteArray removed;
    };
    const Case cases[] = {
        {"Verisign terms of use after the record",
         "registered/whois.verisign-grs.com__com__weppos-status_registered.txt",
         "   Registrar: MarkMonitor Inc.\r\r\n", "TERMS OF USE:"},
        {"Verisign closing line stays, the text after it goes",
         "registered/whois.verisign-grs.com__com__weppos-status_registered.txt",
         ">>> Last update of whois database: 2017-07-31T23:59:53Z <<<", "For more information"},
        {"EURid comment notice above the answer",
         "available/whois.eu__eu__weppos-status_available.txt", "Status: AVAILABLE",
         "% By submitting the query"},
        {"DENIC terms above the record",
         "registered/whois.denic.de__de__weppos-status_registered.txt",
         "Nserver: ns1.google.com\r\n", "Terms and Conditions of Use"},
        {"Nominet terms after the signature line",
         "registered/whois.nic.uk__co.uk__weppos-status_registered.txt",
         "        Registered on: 14-Feb-1999\r\r\n", "You may not access the .uk WHOIS"},
        {"Afilias policy after the record",
         "registered/whois.afilias.net__info__weppos-status_registered.txt",
         "Registrant Name:DNS Admin\r\n", "Access to AFILIAS WHOIS information"},
        {"SIDN copyright notice after the verdict",
         "available/whois.domain-registry.nl__nl__weppos-status_available.txt",
         "u34jedzcq.nl is free\r\r\n", "No part of this publication"},
    };
    for (const Case& c : cases) {
        const Sample sample = SampleAt(c.path);
        const QByteArray stripped = sample.Lookup(true).m_strInfo;
        const QByteArray unstripped = sample.Lookup(false).m_strInfo;
        EXPECT_TRUE(stripped.contains(c.kept)) << c.behaviour;
        EXPECT_FALSE(stripped.contains(c.removed)) << c.behaviour;
        EXPECT_TRUE(unstripped.contains(c.kept)) << c.behaviour;
        EXPECT_TRUE(unstripped.contains(c.removed)) << c.behaviour;
        EXPECT_TRUE(stripped.startsWith(OwnLine(sample.server, sample.name).replace("\n", "\r\n")))
            << c.behaviour;
    }
}

} // namespace
