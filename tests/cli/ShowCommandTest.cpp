#include "cli/CliProcess.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ShowCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTLDList tlds;
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        CDomainInfo& alpha = AddStoredEntry(doc, "alpha.com");
        CDomainInfo& beta = AddStoredEntry(doc, "beta.co.uk");
        alpha.m_strInfo = "WHOIS server: whois.verisign-grs.com, Domain: alpha.com\r\n\r\n"
                          "No match for \"ALPHA.COM\".\r\n";
        alpha.m_timeChecked =
            DateTimeValue::FromLocal(QDateTime(QDate(2026, 12, 7), QTime(21, 55, 28)));
        alpha.m_bTicked = 1;
        beta.m_strDNS = "192.0.2.1";
        beta.m_nSuffixMarker = 2;
        beta.m_nSuffixNumber = 3;
        path = folder.filePath(QStringLiteral("list.zul"));
        ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    }

    QTemporaryDir folder;
    QString path;
};

TEST_F(ShowCommandTest, TsvListsEveryFieldInListOrder)
{
    const CCliResult result =
        RunCli({QStringLiteral("show"), QStringLiteral("--format"), QStringLiteral("tsv"), path});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(result.out,
              QByteArray("1\talpha.com\t*AVAILABLE*\t2026-12-07T21:55:28\t1\t\t0\t0\talpha.com\n"
                         "2\tbeta.co.uk\tUnknown\t\t0\t192.0.2.1\t2\t3\tbeta.co.uk\n"));
}

TEST_F(ShowCommandTest, JsonGivesOneObjectPerEntry)
{
    const CCliResult result =
        RunCli({QStringLiteral("show"), QStringLiteral("--format=json"), path});
    ASSERT_EQ(result.exitCode, 0);
    const QList<QByteArray> lines = result.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_EQ(second.value(QStringLiteral("name")).toString(), QStringLiteral("beta.co.uk"));
    EXPECT_EQ(second.value(QStringLiteral("dns")).toString(), QStringLiteral("192.0.2.1"));
    EXPECT_EQ(second.value(QStringLiteral("checkedAt")).toString(), QString());
    EXPECT_EQ(second.value(QStringLiteral("ticked")).toBool(), false);
    EXPECT_EQ(second.value(QStringLiteral("suffixNumber")).toInt(), 3);
}

TEST_F(ShowCommandTest, TextShowsTheListColumns)
{
    const CCliResult result = RunCli({QStringLiteral("show"), path});
    ASSERT_EQ(result.exitCode, 0);
    const QList<QByteArray> lines = result.out.split('\n');
    EXPECT_TRUE(lines[0].contains("alpha.com")) << lines[0].constData();
    EXPECT_TRUE(lines[0].contains("*AVAILABLE*"));
    EXPECT_TRUE(lines[0].contains("ticked"));
    EXPECT_TRUE(lines[1].contains("Unknown"));
    EXPECT_TRUE(lines[1].contains(" - ")) << "no time of lookup";
}

TEST_F(ShowCommandTest, DamagedFilePrintsWhatWasReadThenTheErrorAndFails)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() - 5);
    file.close();
    const CCliResult result =
        RunCli({QStringLiteral("show"), QStringLiteral("--format"), QStringLiteral("tsv"), path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.startsWith("1\talpha.com\t"));
    EXPECT_EQ(result.out.count('\n'), 1);
    EXPECT_TRUE(result.err.contains("Unexpected end of file.")) << result.err.constData();
}

TEST_F(ShowCommandTest, MissingFileFailsWithItsName)
{
    const CCliResult result =
        RunCli({QStringLiteral("show"), folder.filePath(QStringLiteral("no.zul"))});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains("no.zul")) << result.err.constData();
}

TEST_F(ShowCommandTest, ControlCharactersFromACraftedFileNeverReachTheTerminal)
{
    {
        CTLDList tlds;
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        CDomainInfo& entry = AddStoredEntry(doc, "evil\x1b]0;owned\x07.com\r\n     2  forged.com");
        entry.m_strDNS = "192.0.2.1\x1b[2J\xc2\x9b"
                         "31m";
        ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    }
    for (const char* format : {"text", "tsv", "json"}) {
        SCOPED_TRACE(format);
        const CCliResult result = RunCli(
            {QStringLiteral("show"), QStringLiteral("--format"), QLatin1String(format), path});
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        EXPECT_FALSE(HasTerminalControls(result.out)) << result.out.toPercentEncoding().constData();
        EXPECT_EQ(result.out.count('\n'), 1) << "one entry, one line";
    }
    const CCliResult text = RunCli({QStringLiteral("show"), path});
    EXPECT_TRUE(text.out.contains("evil\\x1b]0;owned\\x07.com\\x0d\\x0a     2  forged.com"))
        << text.out.constData();
    EXPECT_TRUE(text.out.contains("dns=192.0.2.1\\x1b[2J\\x9b"
                                  "31m"))
        << text.out.constData();
}

TEST_F(ShowCommandTest, NameInOtherScriptsShowsInBothForms)
{
    {
        CTLDList tlds;
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        AddStoredEntry(doc, "xn--fa-hia.de");
        ASSERT_TRUE(doc.OnSaveDocument(path).Ok());
    }
    const struct {
        const char* format;
        QByteArray line;
    } cases[] = {
        // Padded to 30 characters, not bytes.
        {"text", "     1  fa\xc3\x9f.de (xn--fa-hia.de)          Unknown"},
        {"tsv", "1\txn--fa-hia.de\tUnknown\t\t0\t\t0\t0\tfa\xc3\x9f.de\n"},
        {"json", R"({"number":1,"name":"xn--fa-hia.de",)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const CCliResult result = RunCli(
            {QStringLiteral("show"), QStringLiteral("--format"), QLatin1String(c.format), path});
        EXPECT_TRUE(result.out.startsWith(c.line)) << result.out.constData();
    }
    const CCliResult json = RunCli({QStringLiteral("show"), QStringLiteral("--format=json"), path});
    EXPECT_EQ(QJsonDocument::fromJson(json.out).object().value(QStringLiteral("unicode")),
              QStringLiteral("fa\u00df.de"));
}

TEST_F(ShowCommandTest, UsageMistakesExitWithTwo)
{
    EXPECT_EQ(RunCli({QStringLiteral("show")}).exitCode, 2);
    EXPECT_EQ(
        RunCli({QStringLiteral("show"), QStringLiteral("--format"), QStringLiteral("xml"), path})
            .exitCode,
        2);
    EXPECT_EQ(RunCli({QStringLiteral("show"), QStringLiteral("--bogus"), path}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("frobnicate")}).exitCode, 2);
    const CCliResult none = RunCli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains("--help"));
}

TEST_F(ShowCommandTest, HelpListsTheCommands)
{
    const CCliResult overview = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_TRUE(overview.out.contains("show"));
    EXPECT_TRUE(overview.out.contains("check"));
    const CCliResult show = RunCli({QStringLiteral("show"), QStringLiteral("--help")});
    EXPECT_EQ(show.exitCode, 0);
    EXPECT_TRUE(show.out.startsWith("Usage: quillon-cli show")) << show.out.constData();
    EXPECT_TRUE(show.out.contains("--format"));
}

} // namespace
