#include "cli/CliProcess.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include "support/StoredEntry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray AvailableAnswer(const QByteArray& name)
{
    return "WHOIS server: whois.verisign-grs.com, Domain: " + name + "\r\n\r\nNo match for \"" +
           name.toUpper() + "\".\r\n";
}

QByteArray TakenAnswer(const QByteArray& name)
{
    return "WHOIS server: whois.verisign-grs.com, Domain: " + name +
           "\r\n\r\nDomain Name: " + name.toUpper() +
           "\r\nRegistrar: Example Registrar, Inc.\r\nCreation Date: 2001-01-01T00:00:00Z\r\n"
           "Name Server: NS1.EXAMPLE.COM\r\n";
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A document whose statuses come from its stored answers: alpha (available, ticked), beta
// (taken), gamma (available) and delta (taken, ticked).
class ExportCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTLDList tlds;
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        const struct {
            QByteArray name;
            bool taken;
            bool ticked;
        } entries[] = {{"alpha.com", false, true},
                       {"beta.com", true, false},
                       {"gamma.net", false, false},
                       {"delta.com", true, true}};
        for (const auto& e : entries) {
            CDomainInfo& entry = AddStoredEntry(doc, e.name);
            entry.m_strInfo = e.taken ? TakenAnswer(e.name) : AvailableAnswer(e.name);
            entry.m_bTicked = e.ticked ? 1 : 0;
        }
        document = folder.filePath(QStringLiteral("list.zul"));
        ASSERT_TRUE(doc.OnSaveDocument(document).Ok());
    }

    CCliResult Export(const char* mode, const QString& out)
    {
        return RunCli({QStringLiteral("export"), QLatin1String(mode), document, out});
    }

    QTemporaryDir folder;
    QString document;
};

TEST_F(ExportCommandTest, SelectedWritesTheTickedEntriesWithTheirStatus)
{
    const QString out = folder.filePath(QStringLiteral("selected.txt"));
    const CCliResult result = Export("--selected", out);
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(result.out, "2 records added to " + out.toUtf8() + '\n');
    EXPECT_EQ(ReadAll(out),
              QByteArray("1, alpha.com, *AVAILABLE*\r\n2, delta.com, Not Available\r\n"));
}

TEST_F(ExportCommandTest, FreeWritesTheAvailableEntriesTickedOrNot)
{
    const QString out = folder.filePath(QStringLiteral("free.txt"));
    const CCliResult result = Export("--free", out);
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(result.out, "2 records added to " + out.toUtf8() + '\n');
    EXPECT_EQ(ReadAll(out), QByteArray("1, alpha.com\r\n2, gamma.net\r\n"));
}

TEST_F(ExportCommandTest, DatabaseIsCreatedThenUpdated)
{
    const QString out = folder.filePath(QStringLiteral("names.db"));
    const CCliResult first = Export("--database", out);
    EXPECT_EQ(first.exitCode, 0) << first.err.constData();
    EXPECT_EQ(first.out, "2 records added to " + out.toUtf8() + '\n');
    EXPECT_TRUE(ReadAll(out).startsWith(QByteArray("SQLite format 3\0", 16)));

    const CCliResult second = Export("--database", out);
    EXPECT_EQ(second.exitCode, 0) << second.err.constData();
    EXPECT_EQ(second.out, first.out);
}

TEST_F(ExportCommandTest, FileThatIsNoDatabaseFailsWithTheStepAndStaysUnchanged)
{
    const QString out = folder.filePath(QStringLiteral("notes.db"));
    QFile notes(out);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write(QByteArray(4096, 'n'));
    notes.close();

    const CCliResult result = Export("--database", out);

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err,
              QByteArray("quillon-cli: Error: Opening Table\nfile is not a database\n"));
    EXPECT_EQ(ReadAll(out), QByteArray(4096, 'n'));
}

TEST_F(ExportCommandTest, UnwritableTextFileFailsNamingThePath)
{
    const QString out = folder.filePath(QStringLiteral("missing/selected.txt"));
    const CCliResult result = Export("--selected", out);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith("quillon-cli: 0 records added to " + out.toUtf8() + '\n'))
        << result.err.constData();
}

TEST_F(ExportCommandTest, UnreadableDocumentFailsAndWritesNothing)
{
    const QString out = folder.filePath(QStringLiteral("selected.txt"));
    const CCliResult result = RunCli({QStringLiteral("export"), QStringLiteral("--selected"),
                                      folder.filePath(QStringLiteral("none.zul")), out});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("none.zul")) << result.err.constData();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ExportCommandTest, UsageMistakesExitWithTwo)
{
    const QString out = folder.filePath(QStringLiteral("out.txt"));
    const QString export_ = QStringLiteral("export");
    EXPECT_EQ(RunCli({export_, document, out}).exitCode, 2) << "no mode";
    EXPECT_EQ(
        RunCli({export_, QStringLiteral("--selected"), QStringLiteral("--free"), document, out})
            .exitCode,
        2)
        << "two modes";
    EXPECT_EQ(RunCli({export_, QStringLiteral("--database"), document}).exitCode, 2)
        << "no output file";
    EXPECT_FALSE(QFile::exists(out));
    const CCliResult help = RunCli({export_, QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quillon-cli export")) << help.out.constData();
}

} // namespace
