#include "shell/RecentFiles.h"

#include "core/Settings.h"

#include <QFileInfo>

namespace {

QString Key(int number)
{
    return QStringLiteral("File%1").arg(number);
}

} // namespace

QStringList CRecentFiles::Load()
{
    QStringList files;
    for (int i = 1; i <= kCount; ++i) {
        const QString file =
            GetSettingText(QLatin1String(Setting::RecentFileList), Key(i), QString());
        if (!file.isEmpty()) {
            files.append(file);
        }
    }
    return files;
}

QStringList CRecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = Load();
    files.removeAll(absolute);
    files.prepend(absolute);
    return Store(files);
}

QStringList CRecentFiles::Remove(const QString& path)
{
    QStringList files = Load();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    return Store(files);
}

QStringList CRecentFiles::Store(QStringList files)
{
    while (files.size() > kCount) {
        files.removeLast();
    }
    for (int i = 1; i <= kCount; ++i) {
        SetSettingText(QLatin1String(Setting::RecentFileList), Key(i),
                       i <= files.size() ? files[i - 1] : QString());
    }
    return files;
}
