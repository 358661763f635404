#include "shell/AutostartEntry.h"

#include "support/CaseName.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString AutostartFolder()
{
    return CTestEnvironment::Instance().ConfigFolder() + QStringLiteral("/autostart");
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class AutostartEntryTest : public testing::Test {
protected:
    void SetUp() override
    {
        QDir(AutostartFolder()).removeRecursively();
        QFile::remove(AutostartFolder());
    }
    void TearDown() override { SetUp(); }
};

TEST_F(AutostartEntryTest, LivesInTheAutostartFolderOfTheConfigHome)
{
    EXPECT_EQ(AutostartEntry::FilePath(), AutostartFolder() + QStringLiteral("/Quillon.desktop"));
}

TEST_F(AutostartEntryTest, CreateWritesANamedEntryThatRunsTheProgram)
{
    const CFileResult created = AutostartEntry::Create(QStringLiteral("/usr/bin/quillon"));
    ASSERT_TRUE(created.Ok()) << created.Message().toStdString();
    EXPECT_EQ(ReadAll(AutostartEntry::FilePath()), QByteArray("[Desktop Entry]\n"
                                                              "Type=Application\n"
                                                              "Name=Quillon\n"
                                                              "Comment=Quillon\n"
                                                              "Exec=/usr/bin/quillon\n"));
}

TEST_F(AutostartEntryTest, CreateReplacesAnEarlierEntry)
{
    ASSERT_TRUE(AutostartEntry::Create(QStringLiteral("/old/quillon")).Ok());
    ASSERT_TRUE(AutostartEntry::Create(QStringLiteral("/new/quillon")).Ok());
    const QByteArray contents = ReadAll(AutostartEntry::FilePath());
    EXPECT_TRUE(contents.contains("Exec=/new/quillon\n"));
    EXPECT_FALSE(contents.contains("/old/"));
}

TEST_F(AutostartEntryTest, RemoveDeletesTheEntryAndAMissingEntryIsNoError)
{
    ASSERT_TRUE(AutostartEntry::Create(QStringLiteral("/usr/bin/quillon")).Ok());
    AutostartEntry::Remove();
    EXPECT_FALSE(QFile::exists(AutostartEntry::FilePath()));
    AutostartEntry::Remove();
    EXPECT_FALSE(QFile::exists(AutostartEntry::FilePath()));
}

TEST_F(AutostartEntryTest, CreateFailsWhenTheAutostartFolderCannotBeMade)
{
    QFile blocker(AutostartFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)) << "a file where the folder should be";
    blocker.close();
    const CFileResult created = AutostartEntry::Create(QStringLiteral("/usr/bin/quillon"));
    EXPECT_FALSE(created.Ok());
    EXPECT_FALSE(created.Message().isEmpty());
}

struct ExecCase {
    const char* behaviour;
    const char* program;
    const char* execLine;
};

class AutostartExecLine : public testing::TestWithParam<ExecCase> {};

TEST_P(AutostartExecLine, QuotesAndEscapesTheProgramPath)
{
    const QByteArray contents = AutostartEntry::Contents(QString::fromUtf8(GetParam().program));
    EXPECT_TRUE(contents.contains(QByteArray("\nExec=") + GetParam().execLine + "\n"))
        << contents.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    AutostartEntry, AutostartExecLine,
    testing::Values(
        ExecCase{"plain path as it is", "/opt/quillon/bin/quillon", "/opt/quillon/bin/quillon"},
        ExecCase{"space makes a quoted path", "/opt/My Apps/quillon", "\"/opt/My Apps/quillon\""},
        ExecCase{"dollar and quote escaped inside the quotes", "/opt/a$b\"c/quillon",
                 "\"/opt/a\\\\$b\\\\\"c/quillon\""},
        ExecCase{"backslash escaped for the quotes and for the file", "/opt/a\\b/quillon",
                 "\"/opt/a\\\\\\\\b/quillon\""},
        ExecCase{"percent doubled so it is no field code", "/opt/100%/quillon",
                 "/opt/100%%/quillon"},
        ExecCase{"non-ASCII path kept as UTF-8", "/opt/\xc3\xa9t\xc3\xa9/quillon",
                 "/opt/\xc3\xa9t\xc3\xa9/quillon"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
