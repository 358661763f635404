// quillon-cli analyse, run as a user would, on the real answers of tests/data/whois-samples.

#include "cli/CliProcess.h"

#include "core/TLDList.h"

#include "support/TestWhoisServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Sample(const char* relativePath)
{
    return QStringLiteral(QUILLON_TEST_DATA_DIR "/whois-samples/") + QLatin1String(relativePath);
}

const QString kFreeCom =
    Sample("available/whois.verisign-grs.com__com__weppos-status_available.txt");
const QString kTakenCom =
    Sample("registered/whois.verisign-grs.com__com__weppos-status_registered.txt");
const QString kThrottledBe = Sample("error/whois.dns.be__be__weppos-response_throttled_hourly.txt");

QByteArray Line(const char* codeAndStatus, const QString& file)
{
    return QByteArray(codeAndStatus) + '\t' + file.toUtf8() + '\n';
}

const QByteArray kExpectedVerdicts = Line("3\t*AVAILABLE*", kFreeCom) +
                                     Line("2\tNot Available", kTakenCom) +
                                     Line("5\tError", kThrottledBe);

TEST(AnalyseCommand, PrintsCodeStatusAndFileForEachAnswerInOrder)
{
    const CCliResult result =
        RunCli({QStringLiteral("analyse"), kFreeCom, kTakenCom, kThrottledBe});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(result.out.toStdString(), kExpectedVerdicts.toStdString());
    EXPECT_TRUE(result.err.isEmpty()) << result.err.constData();
}

TEST(AnalyseCommand, GivesTheSameVerdictsWithoutStripping)
{
    const CCliResult result = RunCli({QStringLiteral("analyse"), QStringLiteral("--no-strip"),
                                      kFreeCom, kTakenCom, kThrottledBe});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(result.out.toStdString(), kExpectedVerdicts.toStdString());
}

TEST(AnalyseCommand, QueriedNameAndServerDoNotDecideTheVerdict)
{
    const CCliResult result =
        RunCli({QStringLiteral("analyse"), QStringLiteral("--name"),
                QStringLiteral("registrant-tools.com"), QStringLiteral("--server"),
                QStringLiteral("registrar.example.net"), kFreeCom});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(result.out.toStdString(), Line("3\t*AVAILABLE*", kFreeCom).toStdString());
}

TEST(AnalyseCommand, ReportsAnUnreadableFileAndStillPrintsTheOthers)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("missing.txt"));
    const CCliResult result =
        RunCli({QStringLiteral("analyse"), kFreeCom, missing, folder.path(), kTakenCom});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(
        result.out.toStdString(),
        (Line("3\t*AVAILABLE*", kFreeCom) + Line("2\tNot Available", kTakenCom)).toStdString());
    EXPECT_TRUE(result.err.startsWith("quillon-cli: " + missing.toUtf8() + ": "))
        << result.err.constData();
    EXPECT_TRUE(result.err.contains("\nquillon-cli: " + folder.path().toUtf8() + ": "))
        << result.err.constData();
}

TEST(AnalyseCommand, EmptyAnswerIsAFailure)
{
    QTemporaryDir folder;
    const QString empty = folder.filePath(QStringLiteral("empty.txt"));
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const CCliResult result = RunCli({QStringLiteral("analyse"), empty});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(result.out.toStdString(), Line("5\tError", empty).toStdString());
}

TEST(AnalyseCommand, ReadsAnAnswerAsALookupReceivesItAndAgreesWithCheck)
{
    const QByteArray decisive = "No match for \"EXAMPLE.COM\".\r\n";
    QByteArray preamble;
    while (preamble.size() < 4100) {
        preamble += "% NOTICE: The data in this record is provided for information only.\r\n";
    }
    const struct {
        const char* behaviour;
        QByteArray answer;
        QByteArray analysed;
        QByteArray checked;
    } cases[] = {
        {"decisive line within the buffer", decisive, "3\t*AVAILABLE*", "*AVAILABLE*"},
        {"decisive line beyond the 4095-byte buffer", preamble + decisive, "5\tError",
         "Too many errors"},
        {"decisive line after a zero byte of its piece",
         QByteArray("% notice\r\n\0", 11) + decisive, "5\tError", "Too many errors"},
    };
    QTemporaryDir folder;
    CTestWhoisServer server;
    CTLDList table;
    table.AddOrUpdateTLD("COM", server.Address());
    const QString tldFile = folder.filePath(QStringLiteral("test.tld"));
    ASSERT_TRUE(table.WriteFile(tldFile).Ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.behaviour);
        const QString answerFile = folder.filePath(QStringLiteral("answer.txt"));
        QFile file(answerFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.answer);
        file.close();
        const CCliResult analysed = RunCli({QStringLiteral("analyse"), QStringLiteral("--name"),
                                            QStringLiteral("example.com"), answerFile});
        EXPECT_TRUE(analysed.out.startsWith(c.analysed + '\t')) << analysed.out.constData();

        server.SetDefault(CTestWhoisServer::Script::Answer(c.answer));
        const CCliResult checked =
            RunCli({QStringLiteral("check"), QStringLiteral("--tld-file"), tldFile,
                    QStringLiteral("--interval"), QStringLiteral("0.1"), QStringLiteral("--format"),
                    QStringLiteral("tsv"), QStringLiteral("example.com")});
        EXPECT_TRUE(checked.out.startsWith("example.com\t" + c.checked + '\t'))
            << checked.out.constData();
    }
}

TEST(AnalyseCommand, WithoutFilesIsAUsageError)
{
    const CCliResult result = RunCli({QStringLiteral("analyse")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains("quillon-cli analyse --help")) << result.err.constData();
}

TEST(AnalyseCommand, HelpNamesTheOptions)
{
    const CCliResult result = RunCli({QStringLiteral("analyse"), QStringLiteral("--help")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.startsWith("Usage: quillon-cli analyse [--no-strip]"))
        << result.out.constData();
    for (const char* option : {"--no-strip", "--server <host>", "--name <name>"}) {
        EXPECT_TRUE(result.out.contains(option)) << option;
    }
}

} // namespace
