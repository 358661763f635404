#pragma once

#include <QString>

// Where the program keeps its per-user data files (the TLD table, the word files):
// $QUILLON_DATA_DIR when set, else the application data location.
namespace DataFolder {

// Sets the organisation and application names that settings and data locations derive from.
void InitApplicationIdentity();

QString Path();
// The full path of a file in the data folder.
QString FilePath(const QString& fileName);
// Creates the folder when it does not exist yet; false when that fails.
bool Ensure();

} // namespace DataFolder
