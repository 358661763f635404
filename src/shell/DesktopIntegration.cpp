#include "shell/DesktopIntegration.h"

#include "core/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

QByteArray ReadResource(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString MimeFolder()
{
    return QDir(CDesktopIntegration::DataHome()).filePath(QStringLiteral("mime"));
}

QString ApplicationsFolder()
{
    return QDir(CDesktopIntegration::DataHome()).filePath(QStringLiteral("applications"));
}

bool NeedsQuotes(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (const QChar c : argument) {
        if (reserved.contains(c)) {
            return true;
        }
    }
    return argument.isEmpty();
}

} // namespace

CDesktopIntegration::CDesktopIntegration(QString programPath, ToolStarter startTool)
    : m_programPath(std::move(programPath))
    , m_startTool(std::move(startTool))
{}

CFileResult CDesktopIntegration::Register() const
{
    const CFileResult mime = Install(MimePackagePath(), MimePackage(),
                                     QStringLiteral("update-mime-database"), MimeFolder());
    const CFileResult launcher =
        Install(LauncherPath(), LauncherEntry(), QStringLiteral("update-desktop-database"),
                ApplicationsFolder());
    // The launcher and the file type name their icon "quillon"; a program run from its build
    // folder has no installed one. The user's own hicolor folder needs no cache.
    const CFileResult icon =
        Install(IconPath(), ReadResource(QStringLiteral(":/icons/quillon.svg")), QString(), {});
    for (const CFileResult& result : {mime, launcher, icon}) {
        if (!result.Ok()) {
            return result;
        }
    }
    return CFileResult::Success();
}

QString CDesktopIntegration::IconPath()
{
    return QDir(DataHome()).filePath(QStringLiteral("icons/hicolor/scalable/apps/quillon.svg"));
}

QString CDesktopIntegration::DataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString CDesktopIntegration::MimePackagePath()
{
    return QDir(MimeFolder()).filePath(QStringLiteral("packages/quillon.xml"));
}

QString CDesktopIntegration::LauncherPath()
{
    return QDir(ApplicationsFolder()).filePath(QStringLiteral("quillon.desktop"));
}

QByteArray CDesktopIntegration::MimePackage()
{
    return ReadResource(QStringLiteral(":/packaging/quillon-zul.xml"));
}

// Every command line of the installed entry (the launcher's and its actions') starts this
// program by the path it runs from.
QByteArray CDesktopIntegration::LauncherEntry() const
{
    static constexpr QByteArrayView kInstalledExec = "Exec=quillon";
    QByteArray entry;
    const QByteArray installed = ReadResource(QStringLiteral(":/packaging/quillon.desktop"));
    for (const QByteArray& line : installed.split('\n')) {
        if (line.startsWith(kInstalledExec)) {
            entry +=
                "Exec=" + ExecArgument(m_programPath).toUtf8() + line.mid(kInstalledExec.size());
        } else {
            entry += line;
        }
        entry += '\n';
    }
    entry.chop(1);
    return entry;
}

// The launcher's rules: inside quotes a backslash protects '"', '`', '$' and itself; '%' is
// doubled; and the whole value is a string whose backslashes and control characters are escaped
// once more.
QString CDesktopIntegration::ExecArgument(const QString& path)
{
    QString argument;
    if (NeedsQuotes(path)) {
        argument += QLatin1Char('"');
        for (const QChar c : path) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\')) {
                argument += QLatin1Char('\\');
            }
            argument += c;
        }
        argument += QLatin1Char('"');
    } else {
        argument = path;
    }
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    argument.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    argument.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    argument.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    argument.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return argument;
}

void CDesktopIntegration::StartDetached(const QString& program, const QStringList& arguments)
{
    QProcess::startDetached(program, arguments);
}

CFileResult CDesktopIntegration::Install(const QString& path, const QByteArray& contents,
                                         const QString& cacheTool, const QString& cacheFolder) const
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == contents) {
        return CFileResult::Success();
    }
    current.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (CFileResult written = SaveFile::Write(path, contents); !written.Ok()) {
        return written;
    }
    const QString program =
        cacheTool.isEmpty() ? QString() : QStandardPaths::findExecutable(cacheTool);
    if (!program.isEmpty()) {
        m_startTool(program, {cacheFolder});
    }
    return CFileResult::Success();
}
