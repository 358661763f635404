#pragma once

#include "export/ExportResult.h"

#include <QString>

class CDomainDoc;

// Writes the ticked entries into the SQLite database at `path`, one record per name in the table
// "Domain Names" (see DomainTable.h): a record of the same name is updated, otherwise one is added.
//
// An existing database must hold the table already; without it the export ends with the
// "Opening Table" error, and so does a file that is no database at all. Such files are only read.
// A path where no file exists gets a new database with the table and the records, written in one
// piece. Changes to an existing database are made in one transaction.
//
// On success the message is "%d records added to %s", counting added and updated records alike.
// A failed step gives "Error: <step>\r\n<description>"; a failure while seeking or saving a
// record (a name too long for its field) gives the engine's own message. Either way the export
// leaves nothing half-made: no new database is written, and an existing one keeps what it held.
CExportResult ExportDatabase(const CDomainDoc& doc, const QString& path);
