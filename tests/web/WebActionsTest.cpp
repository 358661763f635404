#include "web/WebActions.h"

#include "core/Settings.h"
#include "core/TLDList.h"
#include "web/WebRequests.h"

#include "support/CaseName.h"
#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "web/PostForm.h"
#include "web/RecordingBrowser.h"
#include "web/ScriptedHost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kPickOne = QStringLiteral("Please select a domain from the list");
const QString kEmptyList = QStringLiteral(
    "The list is empty.\r\nUse the 'Add Names' option to add domain names to the list. You can "
    "also create domain names from your keywords using the 'Construct domain names' option.");
const QString kLooksRegistered =
    QStringLiteral("This domain appears to be registered.\r\nContinue?");

bool IsLocalFile(const QUrl& target)
{
    return target.isLocalFile();
}

class WebActionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        tlds.ClearTLDList();
        tlds.FillDefaults();
    }

    // Appends an entry and returns its row. The name is taken as a name read from a document
    // would be, unchecked.
    int Add(const char* name, std::uint8_t status = STATUS_UNKNOWN, const char* record = "")
    {
        CDomainInfo& entry = AddStoredEntry(doc, name);
        entry.m_nStatus = status;
        entry.m_strInfo = record;
        return doc.GetCount() - 1;
    }

    CTLDInfo& Com() { return *tlds.FindTLD("COM"); }

    // The registrar address of COM as zul.tld holds it; empty when the file is not there.
    QByteArray SavedComAddress()
    {
        CTLDList saved;
        if (!QFile::exists(CTLDList::FilePath()) || !saved.ReadFile(CTLDList::FilePath()).Ok()) {
            return QByteArray();
        }
        return saved.FindTLD("COM") ? saved.FindTLD("COM")->m_strRegistrarURL : QByteArray();
    }

    CTLDList tlds;

    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};
    CScriptedHost host;
    CRecordingBrowser browser;
    CWebActions actions{host, tlds};
};

TEST_F(WebActionsTest, BrowseWebsiteOpensWwwAndTheWholeNameAsStored)
{
    const int row = Add("Label.co.uk", STATUS_TAKEN);
    actions.BrowseWebsite(doc, row);
    EXPECT_EQ(browser.Opened(), QList<QUrl>{QUrl(QStringLiteral("http://www.Label.co.uk"))});
}

TEST_F(WebActionsTest, BrowseWebsitePutsTheNameInTheHostAlone)
{
    const int row = Add("my-shop2.example.com", STATUS_TAKEN);
    actions.BrowseWebsite(doc, row);
    ASSERT_EQ(browser.Opened().size(), 1);
    const QUrl& page = browser.Opened().first();
    EXPECT_EQ(page.scheme(), QStringLiteral("http"));
    EXPECT_EQ(page.host(), QStringLiteral("www.my-shop2.example.com"));
    EXPECT_EQ(page.toString(QUrl::FullyEncoded), QStringLiteral("http://www.my-shop2.example.com"))
        << "no user, port, path, query or fragment";
}

TEST_F(WebActionsTest, BrowseWebsiteRefusesANameThatIsNoHostName)
{
    const int row = Add("x.com@evil.example", STATUS_TAKEN);
    actions.BrowseWebsite(doc, row);
    EXPECT_TRUE(browser.Opened().isEmpty());
    EXPECT_EQ(host.Prompts(),
              QList<CPrompt>{CPrompt::Message(QStringLiteral(
                  "\"x.com@evil.example\" is not a domain name, so it has no web site to "
                  "open.\r\nA domain name holds only letters, digits, hyphens and dots."))});
}

class HostileWebsiteNames : public WebActionsTest,
                            public testing::WithParamInterface<const char*> {};

TEST_P(HostileWebsiteNames, OpenNothingAndSaySo)
{
    const int row = Add(GetParam(), STATUS_TAKEN);
    actions.BrowseWebsite(doc, row);
    EXPECT_TRUE(browser.Opened().isEmpty()) << browser.Opened().value(0).toString().toStdString();
    ASSERT_EQ(host.Prompts().size(), 1);
    EXPECT_EQ(host.Prompts().first().buttons, CPrompt::Buttons::Ok);
    EXPECT_TRUE(host.Prompts().first().text.startsWith(
        QLatin1Char('"') + QString::fromUtf8(GetParam()) + QStringLiteral("\" is not")));
    EXPECT_FALSE(WebRequest::Website(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Names, HostileWebsiteNames,
                         testing::Values("evil.example/x.com", "x.com/../admin",
                                         "x.com?redirect=evil.example", "x.com#evil", "x.com:8080",
                                         "x.com\\evil.example", "x.com%2fevil", "x .com",
                                         "x.com\tevil", "a..com", "caf\xc3\xa9.com", ""));

TEST_F(WebActionsTest, CommandsOnTheHighlightedEntryDoNothingWithoutOne)
{
    Add("alpha.com", STATUS_AVAILABLE);
    for (const int row : {-1, 1}) {
        actions.BrowseWebsite(doc, row);
        actions.LookUpTrademark(doc, row);
        actions.CheckPaymentStatus(doc, row);
    }
    EXPECT_TRUE(browser.Opened().isEmpty());
    EXPECT_TRUE(host.Prompts().isEmpty());
}

TEST_F(WebActionsTest, EnablingRulesFollowTheHighlightedEntry)
{
    const int available = Add("alpha.com", STATUS_AVAILABLE);
    const int taken = Add("beta.com", STATUS_TAKEN);
    const int unknown = Add("gamma.com", STATUS_UNKNOWN);
    EXPECT_FALSE(CWebActions::CanBrowseWebsite(doc, available));
    EXPECT_TRUE(CWebActions::CanBrowseWebsite(doc, taken));
    EXPECT_TRUE(CWebActions::CanBrowseWebsite(doc, unknown));
    EXPECT_FALSE(CWebActions::CanBrowseWebsite(doc, -1));
    EXPECT_FALSE(CWebActions::CanBrowseWebsite(doc, doc.GetCount()));
    EXPECT_TRUE(CWebActions::HasHighlightedEntry(doc, available));
    EXPECT_FALSE(CWebActions::HasHighlightedEntry(doc, -1));
    EXPECT_FALSE(CWebActions::HasHighlightedEntry(doc, doc.GetCount()));
}

TEST_F(WebActionsTest, RegistrarWithoutAHighlightedEntryAsksForOne)
{
    Add("alpha.com");
    actions.OpenRegistrarPage(doc, -1);
    EXPECT_EQ(host.Prompts(), QList<CPrompt>{CPrompt::Message(kPickOne)});
    EXPECT_TRUE(host.DialogStarts().isEmpty());
    EXPECT_TRUE(browser.Opened().isEmpty());
}

TEST_F(WebActionsTest, RegistrarOnAnEmptyListExplainsHowToAddNames)
{
    actions.OpenRegistrarPage(doc, 0);
    EXPECT_EQ(host.Prompts(), QList<CPrompt>{CPrompt::Message(kEmptyList)});
    EXPECT_TRUE(browser.Opened().isEmpty());
}

TEST_F(WebActionsTest, RegistrarForATakenNameStopsOnNo)
{
    Com().m_strRegistrarURL = "https://reg.example/?d={D}";
    const int row = Add("alpha.com", STATUS_TAKEN);
    host.AnswerNext(PromptAnswer::No);
    actions.OpenRegistrarPage(doc, row);
    EXPECT_EQ(host.Prompts(), QList<CPrompt>{CPrompt::Question(kLooksRegistered)});
    EXPECT_TRUE(browser.Opened().isEmpty());
}

TEST_F(WebActionsTest, RegistrarForATakenNameGoesOnAfterYes)
{
    Com().m_strRegistrarURL = "https://reg.example/?d={D}";
    const int row = Add("alpha.com", STATUS_TAKEN);
    host.AnswerNext(PromptAnswer::Yes);
    actions.OpenRegistrarPage(doc, row);
    EXPECT_EQ(host.Prompts(), QList<CPrompt>{CPrompt::Question(kLooksRegistered)});
    EXPECT_EQ(browser.Opened(),
              QList<QUrl>{QUrl(QStringLiteral("https://reg.example/?d=alpha.com"))});
}

struct RegistrarCase {
    const char* behaviour;
    const char* address;
    const char* name;
    const char* expected;
};

void PrintTo(const RegistrarCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

class RegistrarAddresses : public WebActionsTest,
                           public testing::WithParamInterface<RegistrarCase> {};

TEST_P(RegistrarAddresses, PutTheLowerCaseNameInEveryPlaceholder)
{
    const RegistrarCase& c = GetParam();
    Com().m_strRegistrarURL = c.address;
    const int row = Add(c.name, STATUS_AVAILABLE);
    actions.OpenRegistrarPage(doc, row);
    ASSERT_EQ(browser.Opened().size(), 1);
    EXPECT_EQ(browser.Opened().first().toString(QUrl::FullyEncoded), QLatin1String(c.expected));
    EXPECT_TRUE(host.DialogStarts().isEmpty()) << "a stored address needs no dialog";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistrarAddresses,
    testing::Values(
        RegistrarCase{"two placeholders both get the name", "https://reg.example/buy?d={D}&w={D}",
                      "Alpha.COM", "https://reg.example/buy?d=alpha.com&w=alpha.com"},
        RegistrarCase{"address without a placeholder opens unchanged",
                      "https://reg.example/welcome", "Alpha.COM", "https://reg.example/welcome"},
        RegistrarCase{"address without a scheme opens as http", "www.reg.example/?domain={D}",
                      "alpha.com", "http://www.reg.example/?domain=alpha.com"},
        RegistrarCase{"name from a document cannot add query fields",
                      "https://reg.example/?domain={D}&lang=en", "evil&admin=1.com",
                      "https://reg.example/?domain=evil%26admin%3D1.com&lang=en"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(WebActionsTest, RememberedRegistrarIsSavedWithTheTableAndAskedOnce)
{
    const int row = Add("Alpha.com", STATUS_AVAILABLE);
    host.ChooseNext(CRegistrarChoice{QStringLiteral("https://reg.example/?d={D}"), true});
    actions.OpenRegistrarPage(doc, row);
    EXPECT_EQ(host.DialogStarts(), (QList<CRegistrarDialogStart>{{QStringLiteral("COM"), true}}));
    EXPECT_EQ(Com().m_strRegistrarURL, QByteArray("https://reg.example/?d={D}"));
    EXPECT_EQ(SavedComAddress(), QByteArray("https://reg.example/?d={D}"));
    EXPECT_EQ(GetSetting(Setting::SaveRegistrarURL), 1);

    actions.OpenRegistrarPage(doc, row);
    EXPECT_EQ(host.DialogStarts().size(), 1);
    const QUrl page(QStringLiteral("https://reg.example/?d=alpha.com"));
    EXPECT_EQ(browser.Opened(), (QList<QUrl>{page, page}));
}

TEST_F(WebActionsTest, UnrememberedRegistrarIsUsedOnceAndAskedForAgain)
{
    const int row = Add("alpha.com", STATUS_AVAILABLE);
    host.ChooseNext(CRegistrarChoice{QStringLiteral("https://reg.example/{D}"), false});
    actions.OpenRegistrarPage(doc, row);
    EXPECT_EQ(browser.Opened(), QList<QUrl>{QUrl(QStringLiteral("https://reg.example/alpha.com"))});
    EXPECT_TRUE(Com().m_strRegistrarURL.isEmpty());
    EXPECT_FALSE(QFile::exists(CTLDList::FilePath())) << "nothing to save";
    EXPECT_EQ(GetSetting(Setting::SaveRegistrarURL), 0);

    actions.OpenRegistrarPage(doc, row);
    ASSERT_EQ(host.DialogStarts().size(), 2);
    EXPECT_EQ(host.DialogStarts()[1], (CRegistrarDialogStart{QStringLiteral("COM"), false}));
    EXPECT_EQ(browser.Opened().size(), 1) << "the second dialog was cancelled";
}

TEST_F(WebActionsTest, CancelledRegistrarDialogOpensNothingAndKeepsTheRememberSetting)
{
    SetSetting(Setting::SaveRegistrarURL, 0);
    const int row = Add("alpha.com", STATUS_AVAILABLE);
    host.ChooseNext(std::nullopt);
    actions.OpenRegistrarPage(doc, row);
    EXPECT_EQ(host.DialogStarts(), (QList<CRegistrarDialogStart>{{QStringLiteral("COM"), false}}));
    EXPECT_TRUE(browser.Opened().isEmpty());
    EXPECT_EQ(GetSetting(Setting::SaveRegistrarURL), 0);
}

TEST_F(WebActionsTest, EmptyRegistrarAddressOpensAndStoresNothing)
{
    const int row = Add("alpha.com", STATUS_AVAILABLE);
    host.ChooseNext(CRegistrarChoice{QString(), true});
    actions.OpenRegistrarPage(doc, row);
    EXPECT_TRUE(browser.Opened().isEmpty());
    EXPECT_TRUE(Com().m_strRegistrarURL.isEmpty());
    EXPECT_FALSE(QFile::exists(CTLDList::FilePath()));
}

TEST_F(WebActionsTest, RegistrarForANameUnderNoTLDOfTheTableIsUsedWithoutStoring)
{
    const int row = Add("alpha.xyz", STATUS_AVAILABLE);
    host.ChooseNext(CRegistrarChoice{QStringLiteral("https://reg.example/?d={D}"), true});
    actions.OpenRegistrarPage(doc, row);
    EXPECT_EQ(host.DialogStarts(), (QList<CRegistrarDialogStart>{{QStringLiteral("XYZ"), true}}));
    EXPECT_EQ(browser.Opened(),
              QList<QUrl>{QUrl(QStringLiteral("https://reg.example/?d=alpha.xyz"))});
    EXPECT_FALSE(QFile::exists(CTLDList::FilePath()));
}

TEST_F(WebActionsTest, TrademarkLookupPostsTheFirstLabelThroughALocalPage)
{
    const int row = Add("my-shop.co.uk", STATUS_TAKEN);
    actions.LookUpTrademark(doc, row);
    ASSERT_EQ(browser.Opened().size(), 1);
    ASSERT_TRUE(browser.Opened().first().isLocalFile());
    const CPostForm form = CPostForm::ReadFile(browser.Opened().first());
    ASSERT_TRUE(form.parseError.isEmpty()) << form.parseError.toStdString();
    EXPECT_EQ(form.onload, QStringLiteral("document.forms[0].submit()"));
    EXPECT_EQ(form.method, QStringLiteral("post"));
    EXPECT_EQ(form.enctype, QStringLiteral("application/x-www-form-urlencoded"));
    EXPECT_EQ(form.action,
              QStringLiteral("http://tmsearch.uspto.gov/cgi-bin/simple_srch4?TRADEMARK+3"));
    EXPECT_EQ(form.Body(),
              QByteArray("DBSELECT2=ALL&QUERY=my-shop&SEARCH_TYPE=ALL&DEFAULT_FIELD=MS&"
                         "ELEMENT_SET=F"));
}

TEST_F(WebActionsTest, TrademarkLookupOpensTheSearchPageWhenThePostCannotBeOpened)
{
    CRecordingBrowser failingFiles([](const QUrl& target) { return !IsLocalFile(target); });
    const int row = Add("my-shop.co.uk", STATUS_TAKEN);
    actions.LookUpTrademark(doc, row);
    ASSERT_EQ(failingFiles.Opened().size(), 2);
    EXPECT_TRUE(failingFiles.Opened()[0].isLocalFile());
    EXPECT_EQ(failingFiles.Opened()[1], WebRequest::TrademarkSearchPage());
    EXPECT_EQ(WebRequest::TrademarkSearchPage().toString(),
              QStringLiteral("http://tmsearch.uspto.gov/cgi-bin/simple_srch4?TRADEMARK+3"));
}

TEST_F(WebActionsTest, PaymentStatusStopsWhenTheQuestionIsAnsweredNo)
{
    const int row = Add("alpha.com", STATUS_AVAILABLE, "No match for \"ALPHA.COM\".\r\n");
    host.AnswerNext(PromptAnswer::No);
    actions.CheckPaymentStatus(doc, row);
    ASSERT_EQ(host.Prompts().size(), 1);
    EXPECT_EQ(host.Prompts().first().buttons, CPrompt::Buttons::YesNo);
    EXPECT_TRUE(browser.Opened().isEmpty());
}

TEST_F(WebActionsTest, PaymentStatusPostsTheWholeNameAfterYes)
{
    const int row = Add("Alpha.co.uk", STATUS_TAKEN, "Registrar: X\r\nExpires: 2027\r\n");
    host.AnswerNext(PromptAnswer::Yes);
    actions.CheckPaymentStatus(doc, row);
    EXPECT_EQ(host.Prompts().size(), 1);
    ASSERT_EQ(browser.Opened().size(), 1);
    const CPostForm form = CPostForm::ReadFile(browser.Opened().first());
    EXPECT_EQ(form.method, QStringLiteral("post"));
    EXPECT_EQ(form.action,
              QStringLiteral("https://www.networksolutions.com/cgi-bin/payment-decision.pl"));
    EXPECT_EQ(form.Body(), QByteArray("EntityType=domain&EntityName=Alpha.co.uk"));
}

TEST_F(WebActionsTest, PaymentStatusOfAnEntryNeverLookedUpGoesStraightToThePage)
{
    const int row = Add("alpha.com");
    actions.CheckPaymentStatus(doc, row);
    EXPECT_TRUE(host.Prompts().isEmpty());
    ASSERT_EQ(browser.Opened().size(), 1);
    EXPECT_TRUE(browser.Opened().first().isLocalFile());
}

TEST_F(WebActionsTest, PaymentStatusOpensTheHomePageWhenThePostCannotBeOpened)
{
    CRecordingBrowser failingFiles([](const QUrl& target) { return !IsLocalFile(target); });
    const int row = Add("alpha.com");
    actions.CheckPaymentStatus(doc, row);
    ASSERT_EQ(failingFiles.Opened().size(), 2);
    EXPECT_EQ(failingFiles.Opened()[1], QUrl(QStringLiteral("http://www.networksolutions.com/")));
}

TEST_F(WebActionsTest, EachPostGetsAPageOfItsOwn)
{
    const int alpha = Add("alpha.com");
    const int beta = Add("beta.com");
    actions.CheckPaymentStatus(doc, alpha);
    actions.CheckPaymentStatus(doc, beta);
    ASSERT_EQ(browser.Opened().size(), 2);
    EXPECT_NE(browser.Opened()[0], browser.Opened()[1]);
    EXPECT_EQ(CPostForm::ReadFile(browser.Opened()[0]).Body(),
              QByteArray("EntityType=domain&EntityName=alpha.com"));
    EXPECT_EQ(CPostForm::ReadFile(browser.Opened()[1]).Body(),
              QByteArray("EntityType=domain&EntityName=beta.com"));
}

TEST_F(WebActionsTest, CustomerSupportOpensTheMakersSupportPage)
{
    actions.OpenCustomerSupport();
    EXPECT_EQ(browser.Opened(),
              QList<QUrl>{QUrl(QStringLiteral("https://www.tavrel.com/quillon/support/"))});
}

TEST_F(WebActionsTest, HelpTopicsOpensTheContentsPage)
{
    actions.OpenHelpTopics();
    ASSERT_EQ(browser.Opened().size(), 1);
    const QUrl page = browser.Opened().first();
    EXPECT_TRUE(page.isLocalFile());
    EXPECT_TRUE(page.toLocalFile().endsWith(QLatin1String("/zul-1.htm")));
    EXPECT_TRUE(QFile::exists(page.toLocalFile()));
    EXPECT_TRUE(host.Prompts().isEmpty());
}

class ReportSaving : public WebActionsTest {
protected:
    void SetUp() override
    {
        WebActionsTest::SetUp();
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Reports")));
        path = folder.filePath(QStringLiteral("Reports/week.htm"));
        doc.SetTicked(Add("alpha.com", STATUS_AVAILABLE), true);
    }

    QByteArray Saved() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QString path;
};

TEST_F(ReportSaving, RemembersTheFolderWritesTheReportAndOpensItOnYes)
{
    host.AnswerNext(PromptAnswer::Yes);
    actions.SaveReport(doc, path, HtmlReport::Kind::Summary);
    EXPECT_EQ(Saved(), HtmlReport::Build(doc.GetEntries(), HtmlReport::Kind::Summary));
    EXPECT_EQ(GetSetting(Setting::SavePathHTM), folder.filePath(QStringLiteral("Reports/*.HTM")));
    EXPECT_EQ(host.Prompts(),
              QList<CPrompt>{CPrompt::Question(
                  QStringLiteral("Information has been saved in %1\r\n\r\nDo you wish to open it "
                                 "in your browser?")
                      .arg(path))});
    EXPECT_EQ(browser.Opened(), QList<QUrl>{QUrl::fromLocalFile(path)});
}

TEST_F(ReportSaving, LeavesTheReportClosedOnNo)
{
    host.AnswerNext(PromptAnswer::No);
    actions.SaveReport(doc, path, HtmlReport::Kind::Full);
    EXPECT_EQ(Saved(), HtmlReport::Build(doc.GetEntries(), HtmlReport::Kind::Full));
    EXPECT_TRUE(browser.Opened().isEmpty());
}

TEST_F(ReportSaving, UnwritableReportIsReportedInsteadOfOffered)
{
    const QString unwritable = folder.filePath(QStringLiteral("missing/week.htm"));
    actions.SaveReport(doc, unwritable, HtmlReport::Kind::Full);
    ASSERT_EQ(host.Prompts().size(), 1);
    EXPECT_EQ(host.Prompts().first().buttons, CPrompt::Buttons::Ok);
    EXPECT_TRUE(host.Prompts().first().text.contains(unwritable));
    EXPECT_TRUE(browser.Opened().isEmpty());
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST(Prompt, DisplayTextShowsLineBreaksPlainly)
{
    EXPECT_EQ(CPrompt::Question(QStringLiteral("One.\r\n\r\nTwo?")).DisplayText(),
              QStringLiteral("One.\n\nTwo?"));
}

} // namespace
