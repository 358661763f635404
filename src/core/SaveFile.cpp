#include "core/SaveFile.h"

#include <QSaveFile>

namespace SaveFile {

namespace {

// Pushes out what Qt still buffers. A flush that wrote only part of it sets no reason; a second
// one writes the rest or fails with the system's reason.
bool FlushAll(QSaveFile& file)
{
    return file.flush() || file.flush();
}

} // namespace

bool WriteAll(QIODevice& device, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = device.write(bytes.data(), bytes.size());
        if (written <= 0) {
            return false;
        }
        bytes = bytes.sliced(written);
    }
    return true;
}

CFileResult Commit(QSaveFile& file)
{
    // A failed write leaves its reason in the file until commit() closes it; flushing first
    // makes the last buffered piece fail here, where its reason can still be read.
    if (file.error() != QFileDevice::NoError || !FlushAll(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return CFileResult::Failure(reason);
    }
    if (!file.commit()) {
        return CFileResult::Failure(file.errorString());
    }
    return CFileResult::Success();
}

CFileResult Write(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    const auto writeWhole = [&file, bytes] {
        if (!file.open(QIODevice::WriteOnly)) {
            return CFileResult::Failure(file.errorString());
        }
        if (!WriteAll(file, bytes)) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return CFileResult::Failure(reason);
        }
        return Commit(file);
    };
    const CFileResult written = writeWhole();
    if (!written.Ok()) {
        return CFileResult::Failure(
            QStringLiteral("\"%1\" could not be written: %2").arg(path, written.Message()));
    }
    return written;
}

} // namespace SaveFile
