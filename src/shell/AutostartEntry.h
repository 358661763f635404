#pragma once

#include "core/FileResult.h"

#include <QByteArray>
#include <QString>

// The desktop entry that starts Quillon when the user logs in: Quillon.desktop in the XDG
// autostart folder ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart), named and described
// "Quillon", running the program's own executable.
namespace AutostartEntry {

QString FilePath();
// The entry's text for the program at `program`.
QByteArray Contents(const QString& program);
// Writes the entry, creating the autostart folder when it is missing.
CFileResult Create(const QString& program);
// Deletes the entry; a missing entry is no error.
void Remove();

} // namespace AutostartEntry
