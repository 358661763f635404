// quillon-cli writing onto a disk that is full: a small tmpfs filled to the brim, mounted in a
// mount namespace of the test's own (unshare), so no privilege is needed and nothing outside
// the test sees it.

#include "cli/CliProcess.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Mounts a full disk on $1, copies the files before `--` onto it, runs the command after `--`,
// and copies what the disk then holds to <name>.after beside it, for the test to read.
constexpr char kOnFullDisk[] = R"(disk=$1; shift
mount -t tmpfs -o size=64k quillon-test "$disk" || exit 99
while [ "$1" != -- ]; do cp "$1" "$disk/" || exit 99; shift; done; shift
head -c 1048576 /dev/zero > "$disk/filler" 2>/dev/null
"$@"; status=$?
rm "$disk/filler"
for file in "$disk"/*; do [ -e "$file" ] && cp "$file" "$disk.$(basename "$file").after"; done
exit $status)";

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class FullDiskTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QProcess::execute(QStringLiteral("unshare"),
                              {QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                               QStringLiteral("--mount"), QStringLiteral("mount"),
                               QStringLiteral("-t"), QStringLiteral("tmpfs"),
                               QStringLiteral("quillon-test"), folder.path()}) != 0) {
            GTEST_SKIP() << "this machine lets no test mount a disk of its own";
        }
        CTestEnvironment::Instance().Reset();
        CTLDList tlds;
        tlds.AddOrUpdateTLD("COM", server.Address());
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        CDomainInfo& alpha = AddStoredEntry(doc, "alpha.com");
        alpha.m_strInfo = "No match for \"ALPHA.COM\".\r\n";
        alpha.m_bTicked = 1;
        AddStoredEntry(doc, "beta.com");
        document = folder.filePath(QStringLiteral("list.zul"));
        ASSERT_TRUE(doc.OnSaveDocument(document).Ok());
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("disk")));
        disk = folder.filePath(QStringLiteral("disk"));
        table = folder.filePath(QStringLiteral("test.tld"));
        ASSERT_TRUE(tlds.WriteFile(table).Ok());
    }

    // quillon-cli with `arguments` on the full disk, `onDisk` copied there first.
    CCliResult RunOnFullDisk(const QStringList& onDisk, const QStringList& arguments) const
    {
        return RunProgram(QStringLiteral("unshare"),
                          QStringList{QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                                      QStringLiteral("--mount"), QStringLiteral("sh"),
                                      QStringLiteral("-c"), QLatin1String(kOnFullDisk),
                                      QStringLiteral("sh"), disk} +
                              onDisk + QStringList{QStringLiteral("--"), CliPath()} + arguments);
    }

    QString OnDisk(const QString& name) const { return disk + QLatin1Char('/') + name; }
    QString After(const QString& name) const
    {
        return QStringLiteral("%1.%2.after").arg(disk, name);
    }

    CTestWhoisServer server;
    QTemporaryDir folder;
    QString document;
    QString disk;
    QString table;
};

const QByteArray kNoSpace = "No space left on device";

TEST_F(FullDiskTest, DocumentSaveSaysSoAndKeepsTheOldFile)
{
    server.SetDefault(CTestWhoisServer::Script::Answer("No match for \"BETA.COM\".\r\n"));
    const CCliResult result = RunOnFullDisk(
        {document},
        {QStringLiteral("check"), QStringLiteral("--tld-file"), table, QStringLiteral("--interval"),
         QStringLiteral("0.1"), QStringLiteral("--document"), OnDisk(QStringLiteral("list.zul"))});
    EXPECT_EQ(result.exitCode, 1) << result.err.constData();
    EXPECT_TRUE(result.err.contains("list.zul: the results were not saved: The file could not "
                                    "be written: " +
                                    kNoSpace))
        << result.err.constData();
    EXPECT_EQ(ReadAll(After(QStringLiteral("list.zul"))), ReadAll(document))
        << "the document on the full disk is the old one, whole";
}

TEST_F(FullDiskTest, ReportAndTextExportGiveTheSystemsReason)
{
    const QString report = OnDisk(QStringLiteral("report.htm"));
    const QString text = OnDisk(QStringLiteral("names.txt"));
    const struct {
        QStringList arguments;
        QString written;
    } runs[] = {
        {{QStringLiteral("report"), QStringLiteral("--full"), document, report}, report},
        {{QStringLiteral("export"), QStringLiteral("--selected"), document, text}, text},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.arguments.first().toStdString());
        const CCliResult result = RunOnFullDisk({}, run.arguments);
        EXPECT_EQ(result.exitCode, 1) << result.err.constData();
        EXPECT_TRUE(result.err.contains("\"" + run.written.toUtf8() +
                                        "\" could not be written: " + kNoSpace))
            << result.err.constData();
        EXPECT_FALSE(QFile::exists(After(QFileInfo(run.written).fileName())))
            << "no file is left on the disk";
    }
}

} // namespace
