#pragma once

#include "core/FileResult.h"
#include "export/SqliteHandle.h"

#include <QByteArray>

#include <optional>

class CDomainInfo;

// The records of "Domain Names" as the export writes them, inside one transaction. An entry
// updates the first record of the same name found through "NameIndex", or adds a record; texts
// that are empty are not assigned, so an existing record keeps its old value. A table without
// "Last Lookup Day Count" gets the other fields. A name in other scripts also gets its Unicode
// form into "Unicode Names". A transaction that is not committed is rolled back when the record
// set goes.
class CDomainRecordSet {
public:
    explicit CDomainRecordSet(sqlite3* db)
        : m_db(db)
    {}
    ~CDomainRecordSet();
    CDomainRecordSet(const CDomainRecordSet&) = delete;
    CDomainRecordSet& operator=(const CDomainRecordSet&) = delete;

    // "Creating Recordset" takes the database for writing; "Opening Recordset" prepares the
    // writes on the table.
    CFileResult Open();
    // Seeks go through "NameIndex". Fails with the engine's own message.
    CFileResult UseNameIndex();
    // Fails with the engine's own message; the records saved before stay in the transaction.
    CFileResult Save(const CDomainInfo& entry);
    CFileResult Commit();

private:
    CFileResult Prepare(const char* sql, SqliteStatement& statement);
    // Whether the table has "Last Lookup Day Count", which tables made by hand often lack.
    CFileResult FindDayCountField(bool& found);
    // The insert and update for the table's fields.
    CFileResult PrepareWrites(bool hasDayCount);
    CFileResult EngineFailure() const;
    // The rowid of the first record with the name, if there is one.
    CFileResult Seek(const QByteArray& name, std::optional<sqlite3_int64>& rowid);
    // Nothing for a name that reads the same in Unicode.
    CFileResult SaveUnicodeName(const QByteArray& name);

    sqlite3* m_db;
    bool m_bInTransaction = false;
    SqliteStatement m_insert;
    SqliteStatement m_update;
    SqliteStatement m_seek;
    // Prepared with the first name in other scripts.
    SqliteStatement m_unicodeName;
};
