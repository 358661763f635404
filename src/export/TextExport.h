#pragma once

#include "export/ExportResult.h"

#include <QString>

class CDomainDoc;

enum class TextExportMode {
    // Ticked entries, each with its status: "%d, %s, %s\r\n".
    SelectedNames,
    // Available entries, ticked or not: "%d, %s\r\n".
    AvailableNames,
};

// Writes one numbered line per exported entry, in list order, serials counting the lines
// written; a name in other scripts reads "münchen.de (xn--mnchen-3ya.de)"; the file is written in
// one piece. When it cannot be written nothing counts as added: the result carries "0 records added
// to <path>" followed by why the file could not be written.
CExportResult ExportTextFile(const CDomainDoc& doc, const QString& path, TextExportMode mode);
