#include "export/DatabaseExport.h"

#include "core/DomainDoc.h"
#include "core/SaveFile.h"
#include "export/DatabaseStepError.h"
#include "export/DomainRecordSet.h"
#include "export/DomainTable.h"
#include "export/SqliteHandle.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Busy waits for another program that holds the database for writing.
constexpr int kBusyTimeoutMs = 5000;

// The database at `path`, opened for reading and writing without creating it. SQLite reads the
// file only when first asked something, so a file that is no database opens here too.
SqliteDatabase OpenExisting(const QString& path)
{
    sqlite3* raw = nullptr;
    // An absolute path, so that no file name is taken for one of SQLite's special names.
    const int opened = sqlite3_open_v2(QFile::encodeName(QFileInfo(path).absoluteFilePath()), &raw,
                                       SQLITE_OPEN_READWRITE, nullptr);
    SqliteDatabase db(raw);
    if (opened != SQLITE_OK) {
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    return db;
}

// An existing database is never given the table: it must have it already.
CFileResult OpenTable(sqlite3* db)
{
    sqlite3_stmt* raw = nullptr;
    const int opened = sqlite3_prepare_v2(db, DomainTable::kOpenSql, -1, &raw, nullptr);
    const SqliteStatement table(raw);
    if (opened != SQLITE_OK) {
        return CFileResult::Failure(
            DatabaseStepError(DatabaseStep::kOpeningTable, opened, EngineMessage(db)));
    }
    return CFileResult::Success();
}

CExportResult WriteRecords(const CDomainDoc& doc, sqlite3* db, const QString& path)
{
    CDomainRecordSet records(db);
    if (CFileResult opened = records.Open(); !opened.Ok()) {
        return CExportResult::Failure(opened.Message());
    }
    if (CFileResult indexed = records.UseNameIndex(); !indexed.Ok()) {
        return CExportResult::Failure(indexed.Message());
    }
    int count = 0;
    for (const auto& entry : doc.GetEntries()) {
        if (!entry->m_bTicked) {
            continue;
        }
        if (CFileResult saved = records.Save(*entry); !saved.Ok()) {
            return CExportResult::Failure(saved.Message()); // the record set rolls back
        }
        ++count;
    }
    if (CFileResult committed = records.Commit(); !committed.Ok()) {
        return CExportResult::Failure(committed.Message());
    }
    return CExportResult::Added(count, path);
}

CExportResult ExportToExisting(const CDomainDoc& doc, sqlite3* db, const QString& path)
{
    if (CFileResult opened = OpenTable(db); !opened.Ok()) {
        return CExportResult::Failure(opened.Message());
    }
    return WriteRecords(doc, db, path);
}

CExportResult CreatingDatabaseFailure(int errorCode, const QString& description)
{
    return CExportResult::Failure(
        DatabaseStepError(DatabaseStep::kCreatingDatabase, errorCode, description));
}

// The new database is built in memory and written as a whole, and only when every record went
// in, so no half-made database is left behind when a step or a record fails.
CExportResult ExportToNew(const CDomainDoc& doc, const QString& path)
{
    if (QFileInfo::exists(path)) {
        return CreatingDatabaseFailure(
            SQLITE_CANTOPEN,
            QStringLiteral("The file exists but cannot be opened for reading and writing."));
    }
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const SqliteDatabase db(raw);
    if (opened != SQLITE_OK) {
        return CreatingDatabaseFailure(opened, EngineMessage(db.get()));
    }
    if (CFileResult created = DomainTable::Create(db.get()); !created.Ok()) {
        return CExportResult::Failure(created.Message());
    }
    const CExportResult written = WriteRecords(doc, db.get(), path);
    if (!written.Ok()) {
        return written;
    }
    sqlite3_int64 size = 0;
    const SqliteMemory image(sqlite3_serialize(db.get(), "main", &size, 0));
    if (!image) {
        return CreatingDatabaseFailure(SQLITE_NOMEM, QString());
    }
    const CFileResult saved =
        SaveFile::Write(path, QByteArrayView(reinterpret_cast<const char*>(image.get()), size));
    if (!saved.Ok()) {
        return CreatingDatabaseFailure(SQLITE_CANTOPEN, saved.Message());
    }
    return written;
}

} // namespace

CExportResult ExportDatabase(const CDomainDoc& doc, const QString& path)
{
    if (const SqliteDatabase existing = OpenExisting(path)) {
        return ExportToExisting(doc, existing.get(), path);
    }
    return ExportToNew(doc, path);
}
