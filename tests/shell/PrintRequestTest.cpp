#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "shell/SingleInstance.h"
#include "shell/StartRequest.h"

#include "support/CaseName.h"
#include "support/CleanProgram.h"
#include "support/PdfPageCount.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

struct StartCase {
    const char* behaviour;
    QStringList arguments;
    bool valid;
    CStartRequest::Action action;
    const char* file;
};

class StartArguments : public testing::TestWithParam<StartCase> {};

TEST_P(StartArguments, SayWhatTheStartIsFor)
{
    const StartCase& c = GetParam();
    QString error;
    const std::optional<CStartRequest> request =
        CStartRequest::Parse(QStringList{QStringLiteral("quillon")} + c.arguments, &error);
    ASSERT_EQ(request.has_value(), c.valid) << error.toStdString();
    if (request) {
        EXPECT_EQ(request->action, c.action);
        EXPECT_EQ(request->file, QString::fromUtf8(c.file));
    } else {
        EXPECT_FALSE(error.isEmpty()) << "a refused line says why";
    }
}

INSTANTIATE_TEST_SUITE_P(
    PrintRequest, StartArguments,
    testing::Values(
        StartCase{"no argument opens an empty window", {}, true, CStartRequest::Action::Open, ""},
        StartCase{"a document opens it",
                  {QStringLiteral("list.zul")},
                  true,
                  CStartRequest::Action::Open,
                  "list.zul"},
        StartCase{"print before the document",
                  {QStringLiteral("--print"), QStringLiteral("list.zul")},
                  true,
                  CStartRequest::Action::Print,
                  "list.zul"},
        StartCase{"print after the document",
                  {QStringLiteral("/data/my list.zul"), QStringLiteral("--print")},
                  true,
                  CStartRequest::Action::Print,
                  "/data/my list.zul"},
        StartCase{"print without a document is refused",
                  {QStringLiteral("--print")},
                  false,
                  CStartRequest::Action::Open,
                  ""},
        StartCase{"an unknown option is refused",
                  {QStringLiteral("--frobnicate")},
                  false,
                  CStartRequest::Action::Open,
                  ""}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

// The built program started as the desktop's print action starts it, while another instance
// listens for documents: the second start prints by itself and hands nothing over.
TEST(PrintRequest, SecondStartPrintsTheListAndHandsNothingOver)
{
    ResetToCleanProgram();
    QTemporaryDir folder;
    const QString runtime = folder.filePath(QStringLiteral("run"));
    ASSERT_TRUE(QDir().mkpath(runtime));
    CSingleInstance running(QDir(runtime).filePath(QStringLiteral("quillon-%1").arg(::getuid())));
    ASSERT_TRUE(running.Listen());
    QStringList handedOver;
    QObject::connect(&running, &CSingleInstance::FileReceived,
                     [&handedOver](const QString& path) { handedOver.append(path); });

    const QString document = folder.filePath(QStringLiteral("week.zul"));
    {
        CTLDList tlds;
        tlds.FillDefaults();
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        for (const char* name : {"alpha.com", "beta.com", "gamma.com"}) {
            ASSERT_TRUE(doc.AdmitName(name));
        }
        ASSERT_TRUE(doc.OnSaveDocument(document).Ok());
    }
    const QString pdf = folder.filePath(QStringLiteral("printed.pdf"));
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       CTestEnvironment::Instance().ConfigFolder());
    environment.insert(QStringLiteral("QUILLON_DATA_DIR"),
                       CTestEnvironment::Instance().DataFolder());
    environment.insert(QStringLiteral("QUILLON_PRINT_TO_FILE"), pdf);
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(QUILLON_PROGRAM_PATH), {QStringLiteral("--print"), document});
    ASSERT_TRUE(second.waitForStarted());
    // The running instance keeps answering while the second start runs.
    EXPECT_TRUE(
        QTest::qWaitFor([&second] { return second.state() == QProcess::NotRunning; }, 30000));
    QTest::qWait(100);

    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_TRUE(handedOver.isEmpty()) << "the running window did not get the document";
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray bytes = printed.readAll();
    EXPECT_EQ(PdfPageCount(bytes), 1);
    EXPECT_EQ(PdfTitle(bytes), QStringLiteral("week.zul"));
}

} // namespace
