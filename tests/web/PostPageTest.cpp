#include "web/PostPage.h"
#include "web/WebRequests.h"

#include "web/PostForm.h"
#include "web/RecordingBrowser.h"

#include "support/CaseName.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PostPage, FormSubmitsItselfByPostWithTheFieldsInOrder)
{
    const CPostPage page(
        QUrl(QStringLiteral("https://search.example/cgi-bin/find?DB+3")),
        {{QStringLiteral("A"), QStringLiteral("1")}, {QStringLiteral("B"), QStringLiteral("two")}});
    const CPostForm form = CPostForm::Read(page.Html());
    ASSERT_TRUE(form.parseError.isEmpty()) << form.parseError.toStdString();
    EXPECT_EQ(form.onload, QStringLiteral("document.forms[0].submit()"));
    EXPECT_EQ(form.forms, 1);
    EXPECT_EQ(form.method, QStringLiteral("post"));
    EXPECT_EQ(form.enctype, QStringLiteral("application/x-www-form-urlencoded"));
    EXPECT_EQ(form.action, QStringLiteral("https://search.example/cgi-bin/find?DB+3"));
    EXPECT_EQ(form.Body(), QByteArray("A=1&B=two"));
}

TEST(PostPage, MarkupInAValueCannotEndTheFormOrAddAField)
{
    const QString hostile =
        QStringLiteral("x\" /><input type=\"hidden\" name=\"EntityType\" value=\"person\" />"
                       "</form><form method=\"get\" action=\"https://evil.example/\">&amp;'");
    const CPostPage page(QUrl(QStringLiteral("https://pay.example/p.pl")),
                         {{QStringLiteral("EntityType"), QStringLiteral("domain")},
                          {QStringLiteral("EntityName"), hostile}});
    const CPostForm form = CPostForm::Read(page.Html());
    ASSERT_TRUE(form.parseError.isEmpty()) << form.parseError.toStdString();
    EXPECT_EQ(form.forms, 1);
    EXPECT_EQ(form.action, QStringLiteral("https://pay.example/p.pl"));
    ASSERT_EQ(form.fields.size(), 2);
    EXPECT_EQ(form.fields[0].second, QStringLiteral("domain"));
    EXPECT_EQ(form.fields[1].second, hostile);
}

TEST(PostPage, OpenWritesThePageAndOpensItsFile)
{
    CRecordingBrowser browser;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("request.htm"));
    const CPostPage page = WebRequest::PaymentStatus("alpha.com");
    ASSERT_TRUE(page.Open(path));
    ASSERT_EQ(browser.Opened().size(), 1);
    EXPECT_EQ(browser.Opened().first(), QUrl::fromLocalFile(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), page.Html());
}

TEST(PostPage, OpenFailsWithoutOpeningWhenThePageCannotBeWritten)
{
    CRecordingBrowser browser;
    QTemporaryDir folder;
    const CPostPage page = WebRequest::PaymentStatus("alpha.com");
    EXPECT_FALSE(page.Open(folder.filePath(QStringLiteral("missing/request.htm"))));
    EXPECT_TRUE(browser.Opened().isEmpty());
}

TEST(PostPage, OpenFailsWhenNoBrowserStarts)
{
    CRecordingBrowser browser([](const QUrl&) { return false; });
    QTemporaryDir folder;
    EXPECT_FALSE(WebRequest::PaymentStatus("alpha.com")
                     .Open(folder.filePath(QStringLiteral("request.htm"))));
}

struct RequestCase {
    const char* behaviour;
    CPostPage page;
    const char* action;
    const char* body;
};

void PrintTo(const RequestCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

class WebSearchRequests : public testing::TestWithParam<RequestCase> {};

TEST_P(WebSearchRequests, PostTheSitesBodyToItsPath)
{
    const RequestCase& c = GetParam();
    const CPostForm form = CPostForm::Read(c.page.Html());
    ASSERT_TRUE(form.parseError.isEmpty()) << form.parseError.toStdString();
    EXPECT_EQ(form.method, QStringLiteral("post"));
    EXPECT_EQ(form.action, QLatin1String(c.action));
    EXPECT_EQ(form.Body(), QByteArray(c.body));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebSearchRequests,
    testing::Values(
        RequestCase{"trademark search for a hyphenated label without its tld",
                    WebRequest::TrademarkSearch("my-shop.co.uk"),
                    "http://tmsearch.uspto.gov/cgi-bin/simple_srch4?TRADEMARK+3",
                    "DBSELECT2=ALL&QUERY=my-shop&SEARCH_TYPE=ALL&DEFAULT_FIELD=MS&ELEMENT_SET=F"},
        RequestCase{"trademark search for a name without a dot takes it whole",
                    WebRequest::TrademarkSearch("Quillon"),
                    "http://tmsearch.uspto.gov/cgi-bin/simple_srch4?TRADEMARK+3",
                    "DBSELECT2=ALL&QUERY=Quillon&SEARCH_TYPE=ALL&DEFAULT_FIELD=MS&ELEMENT_SET=F"},
        RequestCase{"trademark term from a document cannot add a field",
                    WebRequest::TrademarkSearch("x&SEARCH_TYPE=NONE.com"),
                    "http://tmsearch.uspto.gov/cgi-bin/simple_srch4?TRADEMARK+3",
                    "DBSELECT2=ALL&QUERY=x%26SEARCH_TYPE%3DNONE&SEARCH_TYPE=ALL&DEFAULT_FIELD=MS&"
                    "ELEMENT_SET=F"},
        RequestCase{"payment status posts the whole name", WebRequest::PaymentStatus("Alpha.co.uk"),
                    "https://www.networksolutions.com/cgi-bin/payment-decision.pl",
                    "EntityType=domain&EntityName=Alpha.co.uk"},
        RequestCase{"payment status name from a document cannot change the entity type",
                    WebRequest::PaymentStatus("a.com&EntityType=person"),
                    "https://www.networksolutions.com/cgi-bin/payment-decision.pl",
                    "EntityType=domain&EntityName=a.com%26EntityType%3Dperson"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
