#include "core/RememberedFolder.h"

#include <QDir>
#include <QFileInfo>

namespace RememberedFolder {

QString ValueFor(const QString& path, const QString& extension)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) {
        return path;
    }
    return path.left(slash + 1) + QStringLiteral("*.") + extension.toUpper();
}

QString InitialFileName(const QString& stored, const QString& extension)
{
    if (!stored.isEmpty()) {
        return stored;
    }
    return QDir::homePath() + QStringLiteral("/*.") + extension.toLower();
}

} // namespace RememberedFolder
