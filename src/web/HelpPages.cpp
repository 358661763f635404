#include "web/HelpPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace HelpPages {

namespace {

constexpr char kContentsPage[] = "zul-1.htm";

} // namespace

QStringList CandidateFolders()
{
    return {QDir::cleanPath(QCoreApplication::applicationDirPath() +
                            QStringLiteral("/" QUILLON_HELP_FROM_PROGRAM_DIR)),
            QStringLiteral(QUILLON_HELP_SOURCE_DIR)};
}

QString FindContentsPage(const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo page(QDir(folder).filePath(QLatin1String(kContentsPage)));
        if (page.isFile()) {
            return page.absoluteFilePath();
        }
    }
    return QString();
}

} // namespace HelpPages
