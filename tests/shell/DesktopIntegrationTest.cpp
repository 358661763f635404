#include "shell/DesktopIntegration.h"

#include "support/CaseName.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QString& value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet) {
            qputenv(m_name, m_old);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

struct ToolStart {
    QString program;
    QStringList arguments;
};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// The keys of one group of the launcher, [Desktop Entry] unless told.
QMap<QString, QString> LauncherKeys(const QByteArray& entry,
                                    QByteArrayView group = "[Desktop Entry]")
{
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith('[')) {
            inGroup = line == group;
        } else if (inGroup && line.contains('=')) {
            const qsizetype equals = line.indexOf('=');
            keys.insert(QString::fromUtf8(line.left(equals)),
                        QString::fromUtf8(line.mid(equals + 1)));
        }
    }
    return keys;
}

struct MimeType {
    QString type;
    QString comment;
    QStringList globs;
};

// The first type a package describes, or the type of a file update-mime-database wrote; empty
// when the XML is broken.
MimeType ReadMimePackage(const QByteArray& package)
{
    QXmlStreamReader reader(package);
    if (!reader.readNextStartElement()) {
        return MimeType();
    }
    if (reader.name() == QLatin1String("mime-info") && !reader.readNextStartElement()) {
        return MimeType();
    }
    if (reader.name() != QLatin1String("mime-type")) {
        return MimeType();
    }
    MimeType found;
    found.type = reader.attributes().value(QLatin1String("type")).toString();
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("comment")) {
            found.comment = reader.readElementText();
        } else if (reader.name() == QLatin1String("glob")) {
            found.globs.append(reader.attributes().value(QLatin1String("pattern")).toString());
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
    return reader.hasError() ? MimeType() : found;
}

class DesktopIntegrationTest : public testing::Test {
protected:
    DesktopIntegrationTest()
        : m_dataHome(QDir(m_root.path()).filePath(QStringLiteral("data")))
        , m_tools(QDir(m_root.path()).filePath(QStringLiteral("bin")))
        , m_dataHomeEnvironment("XDG_DATA_HOME", m_dataHome)
        , m_pathEnvironment("PATH", m_tools)
    {
        QDir().mkpath(m_tools);
        AddFakeTool(QStringLiteral("update-mime-database"));
        AddFakeTool(QStringLiteral("update-desktop-database"));
    }

    // A stand-in for the desktop's tool that notes the folder it was asked to refresh.
    void AddFakeTool(const QString& name)
    {
        const QString path = QDir(m_tools).filePath(name);
        const QString marker = QDir(m_root.path()).filePath(name + QStringLiteral(".ran"));
        WriteFile(path, "#!/bin/sh\nprintf '%s' \"$1\" > '" + QFile::encodeName(marker) + "'\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString Marker(const QString& tool) const
    {
        return QDir(m_root.path()).filePath(tool + QStringLiteral(".ran"));
    }

    CDesktopIntegration Recording(const QString& programPath)
    {
        return CDesktopIntegration(
            programPath, [this](const QString& program, const QStringList& arguments) {
                m_started.push_back({QFileInfo(program).fileName(), arguments});
            });
    }

    QString MimePath() const { return m_dataHome + QStringLiteral("/mime/packages/quillon.xml"); }
    QString LauncherPath() const
    {
        return m_dataHome + QStringLiteral("/applications/quillon.desktop");
    }

    QTemporaryDir m_root;
    QString m_dataHome;
    QString m_tools;
    ScopedEnvironment m_dataHomeEnvironment;
    ScopedEnvironment m_pathEnvironment;
    std::vector<ToolStart> m_started;
};

TEST_F(DesktopIntegrationTest, PathsAreUnderTheUsersDataFolder)
{
    EXPECT_EQ(CDesktopIntegration::DataHome(), m_dataHome);
    EXPECT_EQ(CDesktopIntegration::MimePackagePath(), MimePath());
    EXPECT_EQ(CDesktopIntegration::LauncherPath(), LauncherPath());
}

TEST_F(DesktopIntegrationTest, FirstStartWritesTheFileTypeAndTheLauncherAndRefreshesBothCaches)
{
    const CFileResult result = Recording(QStringLiteral("/opt/quillon/bin/quillon")).Register();
    ASSERT_TRUE(result.Ok()) << result.Message().toStdString();

    const MimeType mime = ReadMimePackage(ReadFile(MimePath()));
    EXPECT_EQ(mime.type, QStringLiteral("application/x-zul"));
    EXPECT_EQ(mime.comment, QStringLiteral("ZUL Document"));
    EXPECT_EQ(mime.globs, QStringList{QStringLiteral("*.zul")});

    const QMap<QString, QString> launcher = LauncherKeys(ReadFile(LauncherPath()));
    EXPECT_EQ(launcher.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(launcher.value(QStringLiteral("Name")), QStringLiteral("Quillon"));
    EXPECT_EQ(launcher.value(QStringLiteral("Exec")),
              QStringLiteral("/opt/quillon/bin/quillon %f"));
    EXPECT_EQ(launcher.value(QStringLiteral("MimeType")), QStringLiteral("application/x-zul;"));
    EXPECT_EQ(launcher.value(QStringLiteral("Icon")), QStringLiteral("quillon"));
    const QByteArray icon =
        ReadFile(m_dataHome + QStringLiteral("/icons/hicolor/scalable/apps/quillon.svg"));
    EXPECT_TRUE(icon.contains("<svg")) << "the icon the launcher names";
    EXPECT_EQ(icon, ReadFile(QStringLiteral(":/icons/quillon.svg")));

    ASSERT_EQ(m_started.size(), 2u);
    EXPECT_EQ(m_started[0].program, QStringLiteral("update-mime-database"));
    EXPECT_EQ(m_started[0].arguments, QStringList{m_dataHome + QStringLiteral("/mime")});
    EXPECT_EQ(m_started[1].program, QStringLiteral("update-desktop-database"));
    EXPECT_EQ(m_started[1].arguments, QStringList{m_dataHome + QStringLiteral("/applications")});
}

TEST_F(DesktopIntegrationTest, LaterStartsWriteNothingAndStartNoTool)
{
    const CDesktopIntegration integration = Recording(QStringLiteral("/usr/bin/quillon"));
    ASSERT_TRUE(integration.Register().Ok());
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6));
    for (const QString& path : {MimePath(), LauncherPath()}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    m_started.clear();

    ASSERT_TRUE(integration.Register().Ok());
    EXPECT_EQ(QFileInfo(MimePath()).lastModified(), longAgo);
    EXPECT_EQ(QFileInfo(LauncherPath()).lastModified(), longAgo);
    EXPECT_TRUE(m_started.empty());
}

TEST_F(DesktopIntegrationTest, MovedProgramRewritesOnlyTheLauncher)
{
    ASSERT_TRUE(Recording(QStringLiteral("/usr/bin/quillon")).Register().Ok());
    m_started.clear();

    ASSERT_TRUE(Recording(QStringLiteral("/home/ann/bin/quillon")).Register().Ok());
    EXPECT_EQ(LauncherKeys(ReadFile(LauncherPath())).value(QStringLiteral("Exec")),
              QStringLiteral("/home/ann/bin/quillon %f"));
    ASSERT_EQ(m_started.size(), 1u);
    EXPECT_EQ(m_started[0].program, QStringLiteral("update-desktop-database"));
}

TEST_F(DesktopIntegrationTest, PrintActionStartsTheProgramFromItsOwnPathWithPrint)
{
    ASSERT_TRUE(Recording(QStringLiteral("/opt/my apps/quillon")).Register().Ok());
    const QByteArray launcher = ReadFile(LauncherPath());
    EXPECT_EQ(LauncherKeys(launcher).value(QStringLiteral("Actions")), QStringLiteral("Print;"));
    EXPECT_EQ(LauncherKeys(launcher).value(QStringLiteral("Exec")),
              QStringLiteral("\"/opt/my apps/quillon\" %f"));
    const QMap<QString, QString> print = LauncherKeys(launcher, "[Desktop Action Print]");
    EXPECT_EQ(print.value(QStringLiteral("Name")), QStringLiteral("Print"));
    EXPECT_EQ(print.value(QStringLiteral("Exec")),
              QStringLiteral("\"/opt/my apps/quillon\" --print %f"));
}

TEST_F(DesktopIntegrationTest, DamagedFileTypeIsRestoredAndOnlyItsCacheRebuilt)
{
    ASSERT_TRUE(Recording(QStringLiteral("/usr/bin/quillon")).Register().Ok());
    ASSERT_TRUE(WriteFile(MimePath(), "<mime-info/>"));
    m_started.clear();

    ASSERT_TRUE(Recording(QStringLiteral("/usr/bin/quillon")).Register().Ok());
    EXPECT_EQ(ReadFile(MimePath()), CDesktopIntegration::MimePackage());
    ASSERT_EQ(m_started.size(), 1u);
    EXPECT_EQ(m_started[0].program, QStringLiteral("update-mime-database"));
}

TEST_F(DesktopIntegrationTest, MissingToolsAreNotStarted)
{
    const ScopedEnvironment noTools("PATH", m_root.path() + QStringLiteral("/empty"));
    ASSERT_TRUE(Recording(QStringLiteral("/usr/bin/quillon")).Register().Ok());
    EXPECT_TRUE(QFile::exists(MimePath()));
    EXPECT_TRUE(QFile::exists(LauncherPath()));
    EXPECT_TRUE(m_started.empty());
}

TEST_F(DesktopIntegrationTest, UnwritableDataFolderIsReportedAndStartsNoTool)
{
    const QString notAFolder = m_root.path() + QStringLiteral("/plain-file");
    ASSERT_TRUE(WriteFile(notAFolder, "x"));
    const ScopedEnvironment dataHome("XDG_DATA_HOME", notAFolder);
    const CFileResult result = Recording(QStringLiteral("/usr/bin/quillon")).Register();
    EXPECT_FALSE(result.Ok());
    EXPECT_TRUE(result.Message().contains(QStringLiteral("quillon.xml")))
        << result.Message().toStdString();
    EXPECT_TRUE(m_started.empty());
}

TEST_F(DesktopIntegrationTest, ToolsReallyStartDetached)
{
    ASSERT_TRUE(CDesktopIntegration(QStringLiteral("/usr/bin/quillon")).Register().Ok());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return ReadFile(Marker(QStringLiteral("update-mime-database"))) ==
                       QFile::encodeName(m_dataHome + QStringLiteral("/mime")) &&
                   ReadFile(Marker(QStringLiteral("update-desktop-database"))) ==
                       QFile::encodeName(m_dataHome + QStringLiteral("/applications"));
        },
        10000));
}

TEST_F(DesktopIntegrationTest, SharedMimeInfoAcceptsThePackage)
{
    const QString realTool =
        QStandardPaths::findExecutable(QStringLiteral("update-mime-database"),
                                       {QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    if (realTool.isEmpty()) {
        GTEST_SKIP() << "update-mime-database is not installed";
    }
    // The desktop's own tool, run to its end so its output can be read.
    const CDesktopIntegration integration(
        QStringLiteral("/usr/bin/quillon"),
        [&](const QString& program, const QStringList& arguments) {
            if (program.endsWith(QStringLiteral("update-mime-database"))) {
                EXPECT_EQ(QProcess::execute(realTool, arguments), 0);
            }
        });
    ASSERT_TRUE(integration.Register().Ok());
    const MimeType mime =
        ReadMimePackage(ReadFile(m_dataHome + QStringLiteral("/mime/application/x-zul.xml")));
    EXPECT_EQ(mime.type, QStringLiteral("application/x-zul"));
    EXPECT_EQ(mime.comment, QStringLiteral("ZUL Document"));
    const QString globs = QString::fromUtf8(ReadFile(m_dataHome + QStringLiteral("/mime/globs2")));
    EXPECT_TRUE(globs.contains(QStringLiteral("application/x-zul:*.zul"))) << globs.toStdString();
}

struct ExecCase {
    const char* behaviour;
    const char* path;
    const char* expected;
};

class ExecArgument : public testing::TestWithParam<ExecCase> {};

TEST_P(ExecArgument, FollowsTheLauncherQuotingRules)
{
    EXPECT_EQ(CDesktopIntegration::ExecArgument(QString::fromUtf8(GetParam().path)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    DesktopIntegration, ExecArgument,
    testing::Values(
        ExecCase{"plain path stays bare", "/usr/bin/quillon", "/usr/bin/quillon"},
        ExecCase{"space is quoted", "/opt/my apps/quillon", "\"/opt/my apps/quillon\""},
        ExecCase{"percent is doubled", "/opt/100%/quillon", "/opt/100%%/quillon"},
        ExecCase{"dollar is escaped twice", "/opt/$HOME/quillon", "\"/opt/\\\\$HOME/quillon\""},
        ExecCase{"backslash becomes four", "/opt/a\\b/quillon", "\"/opt/a\\\\\\\\b/quillon\""},
        ExecCase{"double quote is escaped twice", "/opt/say \"hi\"/quillon",
                 "\"/opt/say \\\\\"hi\\\\\"/quillon\""},
        ExecCase{"line break is written as an escape", "/opt/a\nb/quillon",
                 "\"/opt/a\\nb/quillon\""},
        ExecCase{"non ascii letters stay bare", "/opt/caf\xc3\xa9/quillon",
                 "/opt/caf\xc3\xa9/quillon"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

} // namespace
