#pragma once

#include "core/FileResult.h"

#include <QByteArrayView>
#include <QString>

class QIODevice;
class QSaveFile;

// Every file the program writes goes through a temporary file and a rename (QSaveFile), so a
// failure never leaves half a file where a good one was. Qt alone lets two faults through on a
// full disk: a write that fits only in part returns short without a reason, so the caller has
// nothing to show but "Unknown error" (or, not checking, commits a short file); and when the
// last piece still in Qt's buffer cannot be written, commit() renames the short file over the
// old one and reports success.
namespace SaveFile {

// Writes every byte; after a short write it goes on with the rest, so that a failure leaves the
// system's reason in the device's errorString(). False when not every byte was written.
bool WriteAll(QIODevice& device, QByteArrayView bytes);

// Ends writing through `file`: the new file replaces the old one only when every byte reached
// it; otherwise the temporary file is dropped and the result carries the system's reason, such
// as "No space left on device".
CFileResult Commit(QSaveFile& file);

// Writes `bytes` as the whole file at `path`. A failure says "\"<path>\" could not be written: "
// and the system's reason; the old file stays as it was.
CFileResult Write(const QString& path, QByteArrayView bytes);

} // namespace SaveFile
