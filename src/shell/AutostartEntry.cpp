#include "shell/AutostartEntry.h"

#include "shell/DesktopIntegration.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return CFileResult::Failure(
            QStringLiteral("\"%1\" could not be written: %2").arg(path, file.errorString()));
    }
    file.write(Contents(program));
    if (!file.commit()) {
        return CFileResult::Failure(
            QStringLiteral("\"%1\" could not be written: %2").arg(path, file.errorString()));
    }
    return CFileResult::Success();
}

void Remove()
{
    QFile::remove(FilePath());
}

} // namespace AutostartEntry
