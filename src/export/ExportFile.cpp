#include "export/ExportFile.h"

#include <QSaveFile>

CFileResult WriteExportFile(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit()) {
        return CFileResult::Failure(
            QStringLiteral("\"%1\" could not be written: %2").arg(path, file.errorString()));
    }
    return CFileResult::Success();
}
