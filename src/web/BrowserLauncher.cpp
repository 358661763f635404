#include "web/BrowserLauncher.h"

#include "web/BrowserCommand.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <utility>

namespace {

// Bounds the wait for xdg-mime, which reads a handful of small files.
constexpr int kQueryTimeoutMs = 5000;

// The desktop entry of the default text/html handler, such as "firefox-esr.desktop".
QString DefaultHtmlHandlerEntry()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
        query.kill();
        return QString();
    }
    return QString::fromUtf8(query.readAllStandardOutput().trimmed());
}

QString DefaultHtmlHandlerExecLine()
{
    const QString entry = DefaultHtmlHandlerEntry();
    if (entry.isEmpty()) {
        return QString();
    }
    QFile file(QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return BrowserCommand::ExecLine(file.readAll());
}

// What the handler's command line gets: a local file as its path, anything else as its URL.
QString TargetText(const QUrl& target)
{
    return target.isLocalFile() ? target.toLocalFile() : target.toString(QUrl::FullyEncoded);
}

} // namespace

bool CBrowserLauncher::Open(const QUrl& target)
{
    const Opener& opener = CurrentOpener();
    return opener ? opener(target) : OpenOnDesktop(target);
}

CBrowserLauncher::Opener CBrowserLauncher::SetOpener(Opener opener)
{
    return std::exchange(CurrentOpener(), std::move(opener));
}

bool CBrowserLauncher::OpenOnDesktop(const QUrl& target)
{
    if (QDesktopServices::openUrl(target)) {
        return true;
    }
    const QStringList command =
        BrowserCommand::ForTarget(DefaultHtmlHandlerExecLine(), TargetText(target));
    return !command.isEmpty() && QProcess::startDetached(command.first(), command.mid(1));
}

CBrowserLauncher::Opener& CBrowserLauncher::CurrentOpener()
{
    static Opener opener;
    return opener;
}
