#pragma once

#include <QString>
#include <QStringList>

// The program's help: HTML pages shipped with it, opened in the browser at the contents page.
namespace HelpPages {

// The folders the help may be in, in the order they are tried: the installed share folder beside
// the program's own folder, then the source tree the program was built from.
QStringList CandidateFolders();
// The contents page (zul-1.htm) in the first folder that holds it; empty when none does.
QString FindContentsPage(const QStringList& folders);

} // namespace HelpPages
