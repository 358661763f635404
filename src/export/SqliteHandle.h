#pragma once

#include <sqlite3.h>

#include <QString>

#include <memory>

// Owning handles for the SQLite C API. A connection closes once its last statement is finalized,
// whatever order the handles go in.
struct CSqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct CSqliteFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
struct CSqliteFree {
    void operator()(void* memory) const { sqlite3_free(memory); }
};

using SqliteDatabase = std::unique_ptr<sqlite3, CSqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, CSqliteFinalizer>;
using SqliteMemory = std::unique_ptr<unsigned char, CSqliteFree>;

// The engine's description of the last failure on `db`; empty when there is no connection.
inline QString EngineMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
}
