#include "core/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace DataFolder {

void InitApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel Systems"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillon"));
}

QString Path()
{
    const QString overridden = qEnvironmentVariable("QUILLON_DATA_DIR");
    if (!overridden.isEmpty()) {
        return overridden;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString FilePath(const QString& fileName)
{
    return QDir(Path()).filePath(fileName);
}

bool Ensure()
{
    return QDir().mkpath(Path());
}

} // namespace DataFolder
