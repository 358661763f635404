#include "shell/AutostartEntry.h"

#include "core/SaveFile.h"
#include "shell/DesktopIntegration.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AutostartEntry {

QString FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/Quillon.desktop");
}

QByteArray Contents(const QString& program)
{
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Quillon\n"
                             "Comment=Quillon\n"
                             "Exec=") +
           CDesktopIntegration::ExecArgument(program).toUtf8() + QByteArrayLiteral("\n");
}

CFileResult Create(const QString& program)
{
    const QString path = FilePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return CFileResult::Failure(
            QStringLiteral("The folder \"%1\" could not be created.").arg(folder));
    }
    return SaveFile::Write(path, Contents(program));
}

void Remove()
{
    QFile::remove(FilePath());
}

} // namespace AutostartEntry
