#pragma once

#include "core/FileResult.h"

#include <QByteArrayView>
#include <QString>

// Writes a whole export (report, text file) in one piece through a temporary file and a rename,
// so a failure never leaves half a file where a good one was.
CFileResult WriteExportFile(const QString& path, QByteArrayView bytes);
