#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "shell/MainFrame.h"
#include "shell/QuillonApp.h"
#include "shell/RegistrarURLDialog.h"
#include "view/DomainView.h"
#include "view/UserPrompt.h"
#include "web/BrowserLauncher.h"

#include "lookup/RdapBootstrap.h"

#include "support/CleanProgram.h"
#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "support/TestHttpServer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The commands other parts of the program contribute, reached through the real window.
class FeatureCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetToCleanProgram();
        m_previousOpener = CBrowserLauncher::SetOpener([this](const QUrl& url) {
            m_opened.append(url);
            return true;
        });
        app = std::make_unique<CQuillonApp>();
        app->Start(QString());
        app->GetDocument().AdmitName("alpha.com");
        AddStoredEntry(app->GetDocument(), "beta.com").m_nStatus = STATUS_AVAILABLE;
        app->GetDocument().AnnounceAdmitted();
    }

    void TearDown() override
    {
        app.reset();
        CBrowserLauncher::SetOpener(m_previousOpener);
    }

    void Trigger(Command command)
    {
        app->GetFrame().UpdateCommandStates();
        ASSERT_TRUE(app->GetFrame().GetAction(command)->isEnabled()) << RowOf(command).menuText;
        app->GetFrame().GetAction(command)->trigger();
        QApplication::processEvents();
    }

    QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<CQuillonApp> app;
    QList<QUrl> m_opened;
    CBrowserLauncher::Opener m_previousOpener;
    QTemporaryDir folder;
};

TEST_F(FeatureCommandsTest, FreeNamesExportWritesTheFileAndSaysHowMany)
{
    const QString path = folder.filePath(QStringLiteral("free.txt"));
    CUserPrompt::SetNextFileName(path);
    Trigger(Command::ExportFreeText);
    EXPECT_EQ(ReadFile(path), QByteArray("1, beta.com\r\n"));
    ASSERT_FALSE(CUserPrompt::ShownTexts().isEmpty());
    EXPECT_EQ(CUserPrompt::ShownTexts().last(), QStringLiteral("1 records added to %1").arg(path));
    EXPECT_EQ(GetSetting(Setting::SavePathTXT), folder.path() + QStringLiteral("/*.TXT"));
}

TEST_F(FeatureCommandsTest, ReportsAndTickedExportsWaitForATick)
{
    app->GetFrame().UpdateCommandStates();
    EXPECT_FALSE(app->GetFrame().GetAction(Command::ReportFull)->isEnabled());
    EXPECT_FALSE(app->GetFrame().GetAction(Command::ExportDatabase)->isEnabled());
    app->GetDocument().SetTicked(0, true);
    const QString path = folder.filePath(QStringLiteral("report.htm"));
    CUserPrompt::SetNextFileName(path);
    CUserPrompt::SetNextAnswer(QMessageBox::Yes);
    Trigger(Command::ReportSummary);
    EXPECT_TRUE(ReadFile(path).contains("<b>alpha.com</b>"));
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened.first().toLocalFile(), path) << "Yes opens the report in the browser";
}

TEST_F(FeatureCommandsTest, RegisterButtonAsksForTheFavouriteRegistrarAndRemembersIt)
{
    app->GetFrame().GetView().SelectRow(0);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CRegistrarURLDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->GetURLBox().setText(QStringLiteral("https://registrar.example/?d={D}&again={D}"));
        dialog->GetRememberBox().setChecked(true);
        dialog->accept();
    });
    Q_EMIT app->GetFrame().GetView().RegisterRequested();
    QApplication::processEvents();
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened.first().toString(),
              QStringLiteral("https://registrar.example/?d=alpha.com&again=alpha.com"));
    EXPECT_EQ(app->GetTLDList().FindTLD("COM")->m_strRegistrarURL,
              QByteArray("https://registrar.example/?d={D}&again={D}"));
}

TEST_F(FeatureCommandsTest, BrowseWebsiteOpensTheNameUnderWww)
{
    app->GetFrame().GetView().SelectRow(0);
    Trigger(Command::BrowseWebsite);
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened.first().toString(), QStringLiteral("http://www.alpha.com"));
    app->GetFrame().GetView().SelectRow(1);
    app->GetFrame().UpdateCommandStates();
    EXPECT_FALSE(app->GetFrame().GetAction(Command::BrowseWebsite)->isEnabled())
        << "an available name has no web site";
}

TEST_F(FeatureCommandsTest, WizardIsOfferedOnlyForAnEmptyList)
{
    app->GetFrame().UpdateCommandStates();
    EXPECT_FALSE(app->GetFrame().GetAction(Command::NewListWizard)->isEnabled());
    EXPECT_TRUE(app->GetFrame().GetAction(Command::AddNames)->isEnabled());
    app->GetDocument().OnNewDocument();
    app->GetFrame().UpdateCommandStates();
    EXPECT_TRUE(app->GetFrame().GetAction(Command::NewListWizard)->isEnabled());
}

} // namespace

TEST_F(FeatureCommandsTest, UpdateRdapServersSavesAGoodListAndKeepsItOnABadOne)
{
    CTestHttpServer server;
    SetSetting(Setting::RdapBootstrapURL, QString::fromUtf8(server.BaseUrl() + "dns.json"));
    const QByteArray good =
        R"({"publication":"2026-03-23T19:00:02Z","services":[[["com"],["https://rdap.example/"]]]})";
    const auto updateShows = [this](const QString& words) {
        const qsizetype before = CUserPrompt::ShownTexts().size();
        Trigger(Command::UpdateRdapServers);
        EXPECT_TRUE(
            QTest::qWaitFor([before] { return CUserPrompt::ShownTexts().size() > before; }, 10000));
        EXPECT_TRUE(CUserPrompt::ShownTexts().last().contains(words))
            << CUserPrompt::ShownTexts().last().toStdString();
    };
    server.SetDefault(CTestHttpServer::Script::Answer(200, good));
    updateShows(QStringLiteral("The RDAP server list was updated: 1 TLDs"));
    EXPECT_EQ(ReadFile(CRdapBootstrap::DataFolderCopy()), good);

    server.SetDefault(CTestHttpServer::Script::Answer(503, {}));
    updateShows(QStringLiteral("the copy in use is kept: %1dns.json answered with HTTP status 503")
                    .arg(QString::fromUtf8(server.BaseUrl())));
    EXPECT_EQ(ReadFile(CRdapBootstrap::DataFolderCopy()), good);
}
