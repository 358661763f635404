#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The command line that opens a page when the desktop cannot: the one of the default HTML
// handler's desktop entry.
namespace BrowserCommand {

// The Exec line of a desktop entry's [Desktop Entry] group; empty when it has none.
QString ExecLine(QByteArrayView desktopEntry);

// The program and its arguments that open `target` with an Exec line. The line is cut at its
// first file or URL placeholder (%u, %U, %f, %F), before the quote when the placeholder is quoted,
// so options after it are dropped; the target follows as one more argument, never split. Empty
// when the line names no program.
QStringList ForTarget(const QString& execLine, const QString& target);

} // namespace BrowserCommand
