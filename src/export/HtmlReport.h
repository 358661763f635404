#pragma once

#include "core/DomainDoc.h"
#include "core/FileResult.h"
#include "export/ExportFileChoice.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The HTML report of the ticked entries: a numbered table of their names (in Unicode, with the
// A-label when it differs) with, for each, the taken entry's WHOIS record (full report) or a
// one-word status (summary report).
namespace HtmlReport {

enum class Kind { Full, Summary };

// The whole file. Names and record texts are escaped: a WHOIS server is an untrusted peer, and
// nothing it sends may become markup in the user's browser.
QByteArray Build(const CDomainDoc::Entries& entries, Kind kind);
// Writes the report in one piece, replacing `path`.
CFileResult Write(const CDomainDoc::Entries& entries, const QString& path, Kind kind);

// What the full report shows of a taken entry's record: the text between the registry's terms
// of use and the first contact heading, without line breaks at either end and with blank lines
// thinned. Works on the record's bytes; escaping comes after.
QByteArray TrimmedRecord(QByteArrayView info);
// The text with "&", "<", ">" and both quotes written as character references.
QByteArray Escaped(QByteArrayView text);

// The report commands are offered while at least one entry is ticked.
bool HasTickedEntries(const CDomainDoc::Entries& entries);

// The save dialog's choice: the folder remembered as "Save Path"/"HTM", *.htm.
const CExportFileChoice& FileChoice();
// Asked with Yes and No once the report is saved; Yes opens it in the browser.
QString SavedQuestion(const QString& path);

} // namespace HtmlReport
