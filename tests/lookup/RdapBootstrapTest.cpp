// The RDAP bootstrap file: which service answers for a name, and an update that replaces the
// data folder's copy only with a good file.

#include "lookup/RdapBootstrap.h"

#include "core/TLDList.h"
#include "lookup/HttpTransfer.h"

#include "support/TestEnvironment.h"
#include "support/TestHttpServer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using Script = CTestHttpServer::Script;

const QByteArray kGood = R"({"version":"1.0","publication":"2026-03-23T19:00:02Z","services":[
  [["com","net"],["https://rdap.verisign.com/com/v1/"]],
  [["uk"],["http://rdap.nominet.uk/uk/","https://rdap.nominet.uk/uk/"]],
  [["co.uk"],["https://rdap.example/co.uk/"]]]})";

CRdapBootstrap Parsed(const QByteArray& json)
{
    QString problem;
    const std::optional<CRdapBootstrap> bootstrap = CRdapBootstrap::Parse(json, problem);
    EXPECT_TRUE(bootstrap) << problem.toStdString();
    return bootstrap.value_or(CRdapBootstrap());
}

QByteArray StoredCopy()
{
    QFile file(CRdapBootstrap::DataFolderCopy());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(RdapBootstrapTest, FindsTheServiceForTheLongestMatchingSuffix)
{
    const CRdapBootstrap bootstrap = Parsed(kGood);
    EXPECT_EQ(bootstrap.BaseUrlFor("Example.COM"), "https://rdap.verisign.com/com/v1/");
    EXPECT_EQ(bootstrap.BaseUrlFor("example.net"), "https://rdap.verisign.com/com/v1/");
    EXPECT_EQ(bootstrap.BaseUrlFor("shop.co.uk"), "https://rdap.example/co.uk/");
    EXPECT_EQ(bootstrap.BaseUrlFor("shop.org.uk"), "https://rdap.nominet.uk/uk/")
        << "HTTPS is preferred where a service lists both";
    EXPECT_EQ(bootstrap.BaseUrlFor("example.zz"), QByteArray());
    EXPECT_EQ(bootstrap.TLDCount(), 4);
}

TEST(RdapBootstrapTest, ShippedFileCoversTheGenericTLDs)
{
    QFile file(QStringLiteral(QUILLON_TEST_DATA_DIR "/../../resources/rdap-dns.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const CRdapBootstrap bootstrap = Parsed(file.readAll());
    EXPECT_GT(bootstrap.TLDCount(), 1100);
    EXPECT_EQ(bootstrap.BaseUrlFor("example.com"), "https://rdap.verisign.com/com/v1/");
}

TEST(RdapBootstrapTest, ShippedServerListAnswersForEveryTLDTheBootstrapServes)
{
    QFile list(QStringLiteral(QUILLON_TEST_DATA_DIR "/../../resources/wholist.txt"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    CTLDList table;
    table.ImportTLDText(list.readAll());
    QFile file(QStringLiteral(QUILLON_TEST_DATA_DIR "/../../resources/rdap-dns.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray services =
        QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("services")).toArray();
    int checked = 0;
    for (const QJsonValue service : services) {
        for (const QJsonValue tld : service.toArray().at(0).toArray()) {
            EXPECT_NE(table.FindTLD(tld.toString().toUtf8()), nullptr)
                << tld.toString().toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 1100);
}

TEST(RdapBootstrapTest, RejectsFilesThatAreNoBootstrap)
{
    for (const QByteArray& bad : {QByteArray("<html>maintenance</html>"), QByteArray("{}"),
                                  QByteArray(R"({"services":[[["com"],["ftp://x/"]]]})"),
                                  QByteArray(R"({"services":[[[],["https://x/"]]]})"),
                                  QByteArray(R"({"services":[[[""],["https://x/"]]]})")}) {
        QString problem;
        EXPECT_FALSE(CRdapBootstrap::Parse(bad, problem)) << bad.toStdString();
        EXPECT_FALSE(problem.isEmpty());
    }
}

TEST(RdapBootstrapTest, UpdateReplacesTheCopyOnlyWithAGoodFile)
{
    CTestEnvironment::Instance().Reset();
    CTestHttpServer server;
    const QByteArray url = server.BaseUrl() + "dns.json";
    const auto update = [&url] {
        CHttpTransfer transfer;
        return UpdateRdapBootstrap(transfer, url, {2s, 1s, 10s}, {});
    };
    server.SetDefault(Script::Answer(200, kGood));
    const CBootstrapUpdate good = update();
    EXPECT_TRUE(good.ok) << good.message.toStdString();
    EXPECT_TRUE(good.message.contains(QLatin1String("4 TLDs")));
    EXPECT_EQ(StoredCopy(), kGood);
    EXPECT_EQ(CRdapBootstrap::Load().BaseUrlFor("a.co.uk"), "https://rdap.example/co.uk/")
        << "the data folder's copy is the one in use";

    struct BadDownload {
        Script script;
        const char* why;
    };
    const std::vector<BadDownload> bad = {
        {Script::Answer(200, "<html>maintenance</html>"), "not an RDAP bootstrap file"},
        {Script::Answer(500, {}), "HTTP status 500"},
        {Script::With(CTestHttpServer::Mode::ResetMidBody, kGood), "download"},
        {Script::With(CTestHttpServer::Mode::Stall), "did not answer in time"},
    };
    for (const BadDownload& download : bad) {
        server.SetDefault(download.script);
        const CBootstrapUpdate result = update();
        EXPECT_FALSE(result.ok) << download.why;
        EXPECT_TRUE(result.message.contains(QLatin1String("the copy in use is kept")));
        EXPECT_TRUE(result.message.contains(QLatin1String(download.why)))
            << result.message.toStdString();
        EXPECT_EQ(StoredCopy(), kGood) << download.why;
    }
}

} // namespace
