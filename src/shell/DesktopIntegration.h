#pragma once

#include "core/FileResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Makes the user's desktop know Quillon: .zul files as "ZUL Document" (application/x-zul), and a
// launcher, with the program's icon, that opens them with this program. Run at every start: it
// writes under the user's data folder only what is missing or out of date, and only then has the
// desktop rebuild its caches.
class CDesktopIntegration {
public:
    // Starts a helper program without waiting for it.
    using ToolStarter = std::function<void(const QString& program, const QStringList& arguments)>;

    explicit CDesktopIntegration(QString programPath, ToolStarter startTool = StartDetached);

    CFileResult Register() const;

    // $XDG_DATA_HOME, else ~/.local/share.
    static QString DataHome();
    static QString MimePackagePath();
    static QString LauncherPath();
    static QString IconPath();
    // The shared-mime-info package installed with the program, packaging/quillon-zul.xml.
    static QByteArray MimePackage();
    // The installed launcher, packaging/quillon.desktop, starting this program's own path.
    QByteArray LauncherEntry() const;
    // A path as one argument of a launcher's Exec line: quoted and escaped where the desktop
    // would otherwise split or expand it.
    static QString ExecArgument(const QString& path);

private:
    static void StartDetached(const QString& program, const QStringList& arguments);
    CFileResult Install(const QString& path, const QByteArray& contents, const QString& cacheTool,
                        const QString& cacheFolder) const;

    QString m_programPath;
    ToolStarter m_startTool;
};
