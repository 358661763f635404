// quillon-cli with RDAP: check over HTTPS beside WHOIS with the source of each verdict in its
// output, a mixed document that shows, reports, exports and prints afterwards, analyse --rdap, and
// rdap-update.

#include "cli/CliProcess.h"

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/RdapBootstrap.h"

#include "support/PdfPageCount.h"
#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "support/TestHttpServer.h"
#include "support/TestWhoisServer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

using HttpScript = CTestHttpServer::Script;

const QByteArray kTakenCom = R"({"objectClassName":"domain","ldhName":"TAKEN.COM"})";

class RdapCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        qputenv("QUILLON_CA_FILE", CTestHttpServer::CaFile());
        rdap.SetDefault(HttpScript::Answer(404, {}));
        rdap.SetScript("/domain/taken.com", HttpScript::Answer(200, kTakenCom));
        whois.SetDefault(CTestWhoisServer::Script::Answer("No match for domain.\r\n"));
    }
    void TearDown() override { qunsetenv("QUILLON_CA_FILE"); }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    CTestHttpServer rdap{CTestHttpServer::Tls::On};
    CTestWhoisServer whois;
    QTemporaryDir folder;
};

TEST_F(RdapCommandTest, CheckMixesWhoisAndRdapAndTheDocumentServesEveryOutput)
{
    const QString servers =
        WriteFile(QStringLiteral("servers.txt"),
                  "com: " + rdap.BaseUrl() + "\nnet: " + whois.Address() + '\n');
    const QString document = folder.filePath(QStringLiteral("mixed.zul"));
    {
        CTLDList tlds;
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        for (const char* name : {"taken.com", "free.com", "free.net"}) {
            AddStoredEntry(doc, name).m_bTicked = 1;
        }
        ASSERT_TRUE(doc.OnSaveDocument(document).Ok());
    }
    const CCliResult check =
        RunCli({QStringLiteral("check"), QStringLiteral("--tld-import"), servers,
                QStringLiteral("--document"), document, QStringLiteral("--interval"),
                QStringLiteral("0.1"), QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(check.exitCode, 0) << check.err.constData();
    std::map<QString, std::pair<QString, QString>> seen;
    for (const QByteArray& line : check.out.trimmed().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        seen[object.value(QStringLiteral("name")).toString()] = {
            object.value(QStringLiteral("status")).toString(),
            object.value(QStringLiteral("source")).toString()};
    }
    using Seen = std::pair<QString, QString>;
    EXPECT_EQ(seen[QStringLiteral("taken.com")],
              Seen(QStringLiteral("Not Available"), QStringLiteral("rdap")));
    EXPECT_EQ(seen[QStringLiteral("free.com")],
              Seen(QStringLiteral("*AVAILABLE*"), QStringLiteral("rdap")));
    EXPECT_EQ(seen[QStringLiteral("free.net")],
              Seen(QStringLiteral("*AVAILABLE*"), QStringLiteral("whois")));

    const CCliResult show = RunCli(
        {QStringLiteral("show"), QStringLiteral("--format"), QStringLiteral("tsv"), document});
    EXPECT_EQ(show.exitCode, 0) << show.err.constData();
    EXPECT_TRUE(show.out.contains("taken.com\tNot Available")) << show.out.constData();
    EXPECT_TRUE(show.out.contains("free.com\t*AVAILABLE*"));
    EXPECT_TRUE(show.out.contains("free.net\t*AVAILABLE*"));

    const QString report = folder.filePath(QStringLiteral("report.htm"));
    EXPECT_EQ(
        RunCli({QStringLiteral("report"), QStringLiteral("--full"), document, report}).exitCode, 0);
    const QByteArray html = ReadFile(report);
    EXPECT_TRUE(html.contains("RDAP server: " + rdap.BaseUrl() + ", Domain: taken.com"));
    EXPECT_TRUE(html.contains("Domain Name: TAKEN.COM"));

    const QString exported = folder.filePath(QStringLiteral("free.txt"));
    EXPECT_EQ(
        RunCli({QStringLiteral("export"), QStringLiteral("--free"), document, exported}).exitCode,
        0);
    const QByteArray freeNames = ReadFile(exported);
    EXPECT_TRUE(freeNames.contains("free.com") && freeNames.contains("free.net"));
    EXPECT_FALSE(freeNames.contains("taken.com"));

    const QString pdf = folder.filePath(QStringLiteral("list.pdf"));
    EXPECT_EQ(RunCli({QStringLiteral("print"), document, pdf}).exitCode, 0);
    EXPECT_EQ(PdfFilePageCount(pdf), 1);
}

TEST_F(RdapCommandTest, AnalyseRdapGivesTheLookupsVerdict)
{
    struct Case {
        const char* status;
        QByteArray body;
        const char* verdict;
    };
    const std::vector<Case> cases = {
        {"404", {}, "3\t*AVAILABLE*\t"},
        {"200", kTakenCom, "2\tNot Available\t"},
        {"404", R"({"errorCode":404,"description":["TLD not in bootstrap"]})", "5\tError\t"},
        {"429", {}, "5\tError\t"},
        {"200", "not json", "5\tError\t"},
    };
    for (const Case& analysed : cases) {
        const QString file = WriteFile(QStringLiteral("answer.json"), analysed.body);
        const CCliResult result = RunCli({QStringLiteral("analyse"), QStringLiteral("--rdap"),
                                          QLatin1String(analysed.status), file});
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        EXPECT_TRUE(result.out.startsWith(analysed.verdict))
            << analysed.status << " " << analysed.body.constData() << ": "
            << result.out.constData();
    }
    const QString file = WriteFile(QStringLiteral("answer.json"), {});
    EXPECT_EQ(
        RunCli({QStringLiteral("analyse"), QStringLiteral("--rdap"), QStringLiteral("ok"), file})
            .exitCode,
        2);
}

TEST_F(RdapCommandTest, RdapUpdateSavesAGoodFileAndKeepsItOnABadOne)
{
    const QByteArray good =
        R"({"version":"1.0","publication":"2026-03-23T19:00:02Z","services":[[["com"],["https://rdap.example/"]]]})";
    const QStringList update = {QStringLiteral("rdap-update"), QStringLiteral("--url"),
                                QString::fromUtf8(rdap.BaseUrl() + "dns.json")};
    rdap.SetDefault(HttpScript::Answer(200, good));
    const CCliResult saved = RunCli(update);
    EXPECT_EQ(saved.exitCode, 0) << saved.err.constData();
    EXPECT_TRUE(saved.out.contains("1 TLDs")) << saved.out.constData();
    EXPECT_EQ(ReadFile(CRdapBootstrap::DataFolderCopy()), good);

    rdap.SetDefault(HttpScript::Answer(200, "<html>maintenance</html>"));
    const CCliResult kept = RunCli(update);
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_TRUE(kept.err.contains("not an RDAP bootstrap file")) << kept.err.constData();
    EXPECT_EQ(ReadFile(CRdapBootstrap::DataFolderCopy()), good);
}

} // namespace
