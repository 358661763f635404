#include "cli/CliProcess.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include "core/Settings.h"

#include "support/StoredEntry.h"
#include "support/TestDnsServer.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using Mode = CTestWhoisServer::Mode;
using Script = CTestWhoisServer::Script;

const QByteArray kFree = "No match for domain.\r\n";
const QByteArray kTaken = "Domain Name: TAKEN.COM\r\nRegistrar: Example Registrar, Inc.\r\n"
                          "Creation Date: 2001-01-01T00:00:00Z\r\n";

// quillon-cli check against the test server, with a TLD table that sends COM and NET there.
class CheckCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        server.SetDefault(Script::Answer(kFree));
        server.SetScript("taken.com", Script::Answer(kTaken));
        CTLDList table;
        table.AddOrUpdateTLD("COM", server.Address());
        table.AddOrUpdateTLD("NET", server.Address());
        table.GetAt(0)->m_bUseForNew = 1;
        tldFile = folder.filePath(QStringLiteral("test.tld"));
        ASSERT_TRUE(table.WriteFile(tldFile).Ok());
    }

    QStringList Check(QStringList arguments) const
    {
        return QStringList{QStringLiteral("check"), QStringLiteral("--tld-file"), tldFile,
                           QStringLiteral("--interval"), QStringLiteral("0.1")} +
               arguments;
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    CTestWhoisServer server;
    QTemporaryDir folder;
    QString tldFile;
};

TEST_F(CheckCommandTest, PrintsEachVerdictAndTheSummary)
{
    const CCliResult result =
        RunCli(Check({QStringLiteral("--format"), QStringLiteral("tsv"),
                      QStringLiteral("taken.com"), QStringLiteral("free.com")}));
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    QList<QByteArray> lines = result.out.trimmed().split('\n');
    std::sort(lines.begin(), lines.end());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("free.com\t*AVAILABLE*\t20")) << lines[0].constData();
    EXPECT_TRUE(lines[1].startsWith("taken.com\tNot Available\t20")) << lines[1].constData();
    EXPECT_TRUE(result.err.contains("[2 Domains, 2 checked, 1 available, 1 taken]"));
}

TEST_F(CheckCommandTest, DelegatedNamesAreSettledByDnsAndEachVerdictNamesItsSource)
{
    CTestDnsServer dns({{"taken.com", CTestDnsServer::Rule{}}});
    ASSERT_TRUE(dns.IsRunning());
    SetSetting(Setting::CheckDnsFirst, 1);
    SetSetting(Setting::DnsServer, QString::fromLatin1(dns.Address()));

    const CCliResult result =
        RunCli(Check({QStringLiteral("--format"), QStringLiteral("json"),
                      QStringLiteral("taken.com"), QStringLiteral("free.com")}));
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    QHash<QString, QJsonObject> verdicts;
    for (const QByteArray& line : result.out.trimmed().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        verdicts.insert(object.value(QStringLiteral("name")).toString(), object);
    }
    const QJsonObject taken = verdicts.value(QStringLiteral("taken.com"));
    EXPECT_EQ(taken.value(QStringLiteral("status")).toString(), QStringLiteral("Not Available"));
    EXPECT_EQ(taken.value(QStringLiteral("source")).toString(), QStringLiteral("dns"));
    const QJsonObject free = verdicts.value(QStringLiteral("free.com"));
    EXPECT_EQ(free.value(QStringLiteral("status")).toString(), QStringLiteral("*AVAILABLE*"));
    EXPECT_EQ(free.value(QStringLiteral("source")).toString(), QStringLiteral("whois"));
    EXPECT_EQ(server.Queries(), std::vector<QByteArray>{"free.com\r\n"});
    EXPECT_TRUE(result.err.contains("[2 Domains, 2 checked, 1 available, 1 taken], 1 settled by "
                                    "DNS, 1 of 2 registry queries saved"))
        << result.err.constData();

    const int questions = static_cast<int>(dns.Questions().size());
    const CCliResult plain = RunCli(Check({QStringLiteral("--no-dns"), QStringLiteral("--format"),
                                           QStringLiteral("tsv"), QStringLiteral("taken.com")}));
    EXPECT_EQ(plain.exitCode, 0) << plain.err.constData();
    const QByteArrayList fields = plain.out.trimmed().split('\t');
    ASSERT_EQ(fields.size(), 6) << plain.out.constData();
    EXPECT_EQ(fields[1], QByteArray("Not Available"));
    EXPECT_EQ(fields[3], QByteArray("whois"));
    EXPECT_EQ(dns.Questions().size(), questions) << "--no-dns asks DNS nothing";
    EXPECT_EQ(server.Queries().size(), 2u);
    EXPECT_FALSE(plain.err.contains("DNS")) << plain.err.constData();
}

TEST_F(CheckCommandTest, BareNamesTakeTheGivenTLDsAndFilesUseTheAddNamesSeparators)
{
    const QString names =
        WriteFile(QStringLiteral("names.txt"), "alpha; beta.com,\r\n gamma\tdelta");
    const CCliResult result = RunCli(
        Check({QStringLiteral("-i"), names, QStringLiteral("--tld"), QStringLiteral("com,net"),
               QStringLiteral("--format"), QStringLiteral("csv")}));
    EXPECT_EQ(result.exitCode, 1) << "a name was skipped";
    QList<QByteArray> names2;
    for (const QByteArray& line : result.out.trimmed().split('\n')) {
        names2.append(line.split(',').first());
    }
    std::sort(names2.begin(), names2.end());
    EXPECT_EQ(names2, (QList<QByteArray>{"alpha.COM", "alpha.NET", "beta.com"}));
    EXPECT_TRUE(result.err.contains("skipped 'gamma\tdelta'")) << result.err.constData();
    ASSERT_EQ(server.Queries().size(), 3u);
}

TEST_F(CheckCommandTest, ThrottledNamesAreDecidedAndTheThrottlesCounted)
{
    server.SetThrottle(20, 2, "WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\r\n");
    QStringList names = {QStringLiteral("--format"), QStringLiteral("json")};
    for (int i = 0; i < 6; ++i) {
        names.append(QStringLiteral("name%1.com").arg(i));
    }
    const CCliResult result = RunCli(Check(names));
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    int throttles = 0;
    int available = 0;
    for (const QByteArray& line : result.out.trimmed().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        available +=
            object.value(QStringLiteral("status")).toString() == QStringLiteral("*AVAILABLE*") ? 1
                                                                                               : 0;
        throttles += object.value(QStringLiteral("throttles")).toInt(-100);
    }
    EXPECT_EQ(available, 6);
    ASSERT_GT(server.ThrottledQueries(), 0);
    EXPECT_EQ(throttles, server.ThrottledQueries()) << "each name says what it met";
    const QByteArray counted = ", " + QByteArray::number(server.ThrottledQueries()) + " throttled";
    EXPECT_TRUE(result.err.contains(counted)) << result.err.constData();
}

TEST_F(CheckCommandTest, FailingLookupsAreRetriedThenExitWithOne)
{
    server.SetScript("broken.com", Script::With(Mode::CloseAtOnce));
    const CCliResult result =
        RunCli(Check({QStringLiteral("--format"), QStringLiteral("json"),
                      QStringLiteral("broken.com"), QStringLiteral("ok.com")}));
    EXPECT_EQ(result.exitCode, 1);
    int brokenQueries = 0;
    for (const QByteArray& query : server.Queries()) {
        brokenQueries += query == "broken.com\r\n" ? 1 : 0;
    }
    EXPECT_EQ(brokenQueries, 5) << "tried until \"Too many errors\"";
    bool sawTooMany = false;
    for (const QByteArray& line : result.out.trimmed().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.value(QStringLiteral("name")).toString() == QStringLiteral("broken.com")) {
            sawTooMany = object.value(QStringLiteral("status")).toString() ==
                         QStringLiteral("Too many errors");
        }
    }
    EXPECT_TRUE(sawTooMany) << result.out.constData();
}

TEST_F(CheckCommandTest, DocumentGetsItsResultsAndKeepsItsTicks)
{
    const QString path = folder.filePath(QStringLiteral("list.zul"));
    CTLDList tlds;
    {
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        AddStoredEntry(doc, "taken.com");
        AddStoredEntry(doc, "free.com").m_bTicked = 1;
        ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    }
    const CCliResult result =
        RunCli(Check({QStringLiteral("--document"), path, QStringLiteral("--record")}));
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_TRUE(result.out.contains("    Registrar: Example Registrar, Inc."))
        << result.out.constData();

    CDomainDoc reopened(tlds, AnalyseStoredAnswer);
    ASSERT_TRUE(reopened.OnOpenDocument(path).Ok());
    ASSERT_EQ(reopened.GetCount(), 2);
    EXPECT_EQ(reopened.GetAt(0)->m_nStatus, STATUS_TAKEN);
    EXPECT_EQ(reopened.GetAt(1)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_TRUE(reopened.GetAt(0)->m_timeChecked.IsValid());
    EXPECT_EQ(reopened.GetAt(0)->m_bTicked, 0);
    EXPECT_EQ(reopened.GetAt(1)->m_bTicked, 1);
}

TEST_F(CheckCommandTest, CtrlCStopsTheLookupsSavesTheDocumentAndExitsWith130)
{
    server.SetDefault(Script::With(Mode::Stall));
    const QString path = folder.filePath(QStringLiteral("stalled.zul"));
    CTLDList tlds;
    {
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        AddStoredEntry(doc, "slow1.com");
        AddStoredEntry(doc, "slow2.com");
        ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    }
    QProcess process;
    StartCli(process, Check({QStringLiteral("--document"), path, QStringLiteral("--timeout"),
                             QStringLiteral("60")}));
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.ConnectionsOpen() == 2; }, 10000));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);

    CDomainDoc reopened(tlds, AnalyseStoredAnswer);
    ASSERT_TRUE(reopened.OnOpenDocument(path).Ok());
    ASSERT_EQ(reopened.GetCount(), 2);
    EXPECT_TRUE(reopened.GetAt(0)->m_timeChecked.IsValid()) << "the stopped lookups were saved";
    EXPECT_TRUE(reopened.GetAt(0)->m_strInfo.startsWith("WHOIS server: 127.0.0.1"));
}

TEST_F(CheckCommandTest, StalledServerTimesOut)
{
    server.SetDefault(Script::With(Mode::Stall));
    const CCliResult result =
        RunCli(Check({QStringLiteral("--timeout"), QStringLiteral("0.3"),
                      QStringLiteral("--record"), QStringLiteral("slow.com")}),
               60000);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains("Too many errors"));
    EXPECT_TRUE(result.out.contains("whois: connection timed out")) << result.out.constData();
}

TEST_F(CheckCommandTest, RefusedNamesAreNamedCountedAndMakeTheExitStatusOne)
{
    const CCliResult result =
        RunCli(Check({QStringLiteral("taken.com"), QStringLiteral("dash-.com"),
                      QStringLiteral("free"), QStringLiteral("name.zz")}));
    EXPECT_EQ(result.exitCode, 1) << "every lookup decided, but two names were refused";
    EXPECT_TRUE(
        result.err.contains("skipped 'dash-.com': not a domain name under a TLD of the table.\n"))
        << result.err.constData();
    EXPECT_TRUE(result.err.contains("skipped 'name.zz': not a domain name"))
        << result.err.constData();
    EXPECT_TRUE(
        result.err.contains("[2 Domains, 2 checked, 1 available, 1 taken], 2 names skipped"))
        << result.err.constData();
    EXPECT_EQ(server.Queries().size(), 2u);
}

TEST_F(CheckCommandTest, NamesInOtherScriptsGoOutAsALabelsAndComeBackInBothForms)
{
    server.SetScript("xn--mnchen-3ya.com",
                     Script::Answer("Domain Name: m\xc3\xbcnchen.com\r\nRegistrar: Example\r\n"));
    const struct {
        const char* format;
        QByteArray start;
        QByteArray end;
    } cases[] = {
        {"text", "m\xc3\xbcnchen.com (xn--mnchen-3ya.com)  Not Available", ""},
        {"tsv", "xn--mnchen-3ya.com\tNot Available\t", "\tm\xc3\xbcnchen.com\n"},
        {"csv", "xn--mnchen-3ya.com,Not Available,", ",m\xc3\xbcnchen.com\n"},
        {"json", R"({"name":"xn--mnchen-3ya.com","status":"Not Available",)",
         ",\"unicode\":\"m\xc3\xbcnchen.com\"}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const CCliResult result =
            RunCli(Check({QStringLiteral("--format"), QLatin1String(c.format),
                          QStringLiteral("M\u00dcNCHEN.com"), QStringLiteral("\U0001F600"),
                          QStringLiteral("\u00fc") + QString(56, QLatin1Char('a'))}));
        EXPECT_EQ(result.exitCode, 1) << "two names were skipped";
        EXPECT_TRUE(result.out.startsWith(c.start)) << result.out.constData();
        EXPECT_TRUE(result.out.endsWith(c.end)) << result.out.constData();
        EXPECT_TRUE(result.err.contains("skipped '\xf0\x9f\x98\x80': it holds a character that "
                                        "domain names may not hold, such as an emoji or a symbol."))
            << result.err.constData();
        EXPECT_TRUE(
            result.err.contains("aaaa': a label is longer than 63 characters once encoded.\n"))
            << result.err.constData();
    }
    ASSERT_EQ(server.Queries().size(), 4u);
    EXPECT_EQ(server.Queries().front(), QByteArray("xn--mnchen-3ya.com\r\n"));
}

TEST_F(CheckCommandTest, ServerBytesNeverReachTheTerminalRaw)
{
    server.SetDefault(Script::Answer("Domain Name: EVIL.COM\r\n\x1b]0;owned\x07\x1b[2J"
                                     "Registrar: \xc2\x9b"
                                     "31mEvil\r\nStatus:\tactive\r\n"));
    for (const char* format : {"text", "tsv", "csv", "json"}) {
        SCOPED_TRACE(format);
        const CCliResult result =
            RunCli(Check({QStringLiteral("--record"), QStringLiteral("--format"),
                          QLatin1String(format), QStringLiteral("evil.com")}));
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        EXPECT_FALSE(HasTerminalControls(result.out)) << result.out.toPercentEncoding().constData();
        EXPECT_TRUE(result.out.contains("owned")) << "the text is shown, escaped";
    }
}

TEST_F(CheckCommandTest, TimeoutBoundsEachTryOfAServerThatTricklesForEver)
{
    server.SetDefault(Script::TricklePerSecond("Domain Name: SLOW.COM\r\n", 10));
    QElapsedTimer timer;
    timer.start();
    const CCliResult result = RunCli(
        Check({QStringLiteral("--timeout"), QStringLiteral("1"), QStringLiteral("slow.com")}),
        60000);
    EXPECT_EQ(result.exitCode, 1) << result.err.constData();
    EXPECT_TRUE(result.out.contains("Too many errors")) << result.out.constData();
    EXPECT_LT(timer.elapsed(), 20000) << "five tries of about a second each";
}

TEST_F(CheckCommandTest, NamesBeyondAFullDocumentAreRefusedBeforeAnyLookup)
{
    const QString path = folder.filePath(QStringLiteral("nearly-full.zul"));
    constexpr int kRoomLeft = 1;
    CTLDList tlds;
    {
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        for (int i = 0; i < 65535 - kRoomLeft; ++i) {
            const QByteArray name = "n" + QByteArray::number(i) + ".com";
            AddStoredEntry(doc, name).m_strInfo =
                "WHOIS server: 127.0.0.1, Domain: " + name + "\r\n\r\n" + kFree;
        }
        ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    }
    const CCliResult result =
        RunCli(Check({QStringLiteral("--document"), path, QStringLiteral("fits.com"),
                      QStringLiteral("beyond1.com"), QStringLiteral("beyond2.com")}),
               120000);
    EXPECT_EQ(result.exitCode, 1) << result.err.constData();
    EXPECT_TRUE(result.err.contains("skipped 'beyond1.com': the list is full; a .zul file holds "
                                    "at most 65,535 entries.\n"))
        << result.err.constData();
    EXPECT_TRUE(result.err.contains("skipped 'beyond2.com'"));
    EXPECT_TRUE(result.err.contains(", 2 names skipped")) << result.err.constData();
    ASSERT_EQ(server.Queries().size(), 1u) << "only the name that fits is looked up";
    EXPECT_EQ(server.Queries().front(), QByteArray("fits.com\r\n"));

    CDomainDoc reopened(tlds, AnalyseStoredAnswer);
    ASSERT_TRUE(reopened.OnOpenDocument(path).Ok());
    ASSERT_EQ(reopened.GetCount(), 65535);
    EXPECT_EQ(reopened.GetAt(65534)->m_strName, QByteArray("fits.com"));
    EXPECT_EQ(reopened.GetAt(65534)->m_nStatus, STATUS_AVAILABLE) << "the run's result was saved";
}

TEST_F(CheckCommandTest, SecondInterruptDuringTheSaveLetsTheSaveFinish)
{
    server.SetDefault(Script::With(Mode::Stall));
    const QString path = folder.filePath(QStringLiteral("large.zul"));
    constexpr int kDecided = 20000; // about 60 MB, so that the save takes a while
    CTLDList tlds;
    {
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        const QByteArray notice = "% " + QByteArray(3000, 'n') + "\r\n";
        for (int i = 0; i < kDecided; ++i) {
            const QByteArray name = "n" + QByteArray::number(i) + ".com";
            AddStoredEntry(doc, name).m_strInfo =
                "WHOIS server: 127.0.0.1, Domain: " + name + "\r\n\r\n" + notice + kFree;
        }
        AddStoredEntry(doc, "slow1.com");
        AddStoredEntry(doc, "slow2.com");
        ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    }
    QProcess process;
    StartCli(process, Check({QStringLiteral("--document"), path}));
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.ConnectionsOpen() == 2; }, 30000));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    // The summary goes out just before the save begins.
    ASSERT_TRUE(QTest::qWaitFor(
        [&process] {
            process.waitForReadyRead(10);
            return process.readAllStandardError().contains("Domains,") ||
                   process.state() == QProcess::NotRunning;
        },
        10000));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "the second Ctrl-C killed the save";
    EXPECT_EQ(process.exitCode(), 130);

    CDomainDoc reopened(tlds, AnalyseStoredAnswer);
    ASSERT_TRUE(reopened.OnOpenDocument(path).Ok());
    ASSERT_EQ(reopened.GetCount(), kDecided + 2);
    EXPECT_TRUE(reopened.GetAt(kDecided)->m_timeChecked.IsValid())
        << "the run's results were saved";
}

TEST_F(CheckCommandTest, UsageMistakesExitWithTwo)
{
    for (const QStringList& arguments :
         {QStringList{},
          QStringList{QStringLiteral("--connections"), QStringLiteral("41"),
                      QStringLiteral("a.com")},
          QStringList{QStringLiteral("--connections"), QStringLiteral("0"),
                      QStringLiteral("a.com")},
          QStringList{QStringLiteral("--interval"), QStringLiteral("0.05"),
                      QStringLiteral("a.com")},
          QStringList{QStringLiteral("--interval"), QStringLiteral("soon"),
                      QStringLiteral("a.com")},
          QStringList{QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("a.com")},
          QStringList{QStringLiteral("--connections"), QStringLiteral("2.5"),
                      QStringLiteral("a.com")},
          QStringList{QStringLiteral("--connections"), QStringLiteral("3x"),
                      QStringLiteral("a.com")}}) {
        const CCliResult result = RunCli(Check(arguments));
        EXPECT_EQ(result.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(result.err.isEmpty());
    }
    EXPECT_EQ(server.ConnectionsAccepted(), 0);
}

} // namespace
