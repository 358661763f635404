#pragma once

#include <QString>

// The folder a file dialog remembers under "Path" or "Save Path": the chosen file's folder, "/",
// then "*." and the extension in capitals ("/home/ann/reports/*.HTM"). It is the next dialog's
// initial file name.
namespace RememberedFolder {

// The value to store after the user chose `path`.
QString ValueFor(const QString& path, const QString& extension);
// The initial file name of the next dialog: the stored value, or the home folder and
// "*.<extension>" when nothing is stored.
QString InitialFileName(const QString& stored, const QString& extension);

} // namespace RememberedFolder
