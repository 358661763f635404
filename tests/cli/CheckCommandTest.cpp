#include "cli/CliProcess.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"

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

TEST_F(CheckCommandTest, BareNamesTakeTheGivenTLDsAndFilesUseTheAddNamesSeparators)
{
    const QString names =
        WriteFile(QStringLiteral("names.txt"), "alpha; beta.com,\r\n gamma\tdelta");
    const CCliResult result = RunCli(
        Check({QStringLiteral("-i"), names, QStringLiteral("--tld"), QStringLiteral("com,net"),
               QStringLiteral("--format"), QStringLiteral("csv")}));
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    QList<QByteArray> names2;
    for (const QByteArray& line : result.out.trimmed().split('\n')) {
        names2.append(line.split(',').first());
    }
    std::sort(names2.begin(), names2.end());
    EXPECT_EQ(names2, (QList<QByteArray>{"alpha.COM", "alpha.NET", "beta.com"}));
    EXPECT_TRUE(result.err.contains("skipped 'gamma\tdelta'")) << result.err.constData();
    ASSERT_EQ(server.Queries().size(), 3u);
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
          QStringList{QStringLiteral("--format"), QStringLiteral("xml"),
                      QStringLiteral("a.com")}}) {
        const CCliResult result = RunCli(Check(arguments));
        EXPECT_EQ(result.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(result.err.isEmpty());
    }
    EXPECT_EQ(server.ConnectionsAccepted(), 0);
}

} // namespace
