#pragma once

#include "core/FileResult.h"

struct sqlite3;

// The table the database export fills: "Domain Names" with the fields "Names", "Status",
// "Last Lookup At", "Information" and "Last Lookup Day Count", and the index "NameIndex" on
// "Names".
//
// "Last Lookup At" holds the local time of the lookup as text, "YYYY-MM-DD HH:MM:SS", which the
// sqlite3 shell, SQLite's date functions and spreadsheets read as a date. "Last Lookup Day Count"
// holds the same moment exactly as the list keeps it: days since 30 December 1899, the fraction
// being the time of day. Names compare without regard to case, as in the list.
namespace DomainTable {

inline constexpr char kTableName[] = "Domain Names";

// Creates the table and its index in the steps "Creating Table", "Creating Field",
// "Append Table" and "Creating Index".
CFileResult Create(sqlite3* db);

// Reads nothing; preparing it fails when the table is missing or the file is no database.
inline constexpr char kOpenSql[] = R"(SELECT * FROM "Domain Names")";
// ?1 the name. The first record of that name in the index's order.
inline constexpr char kSeekSql[] =
    R"(SELECT rowid FROM "Domain Names" INDEXED BY "NameIndex" WHERE "Names" = ?1 LIMIT 1)";
// ?1 name, ?2 status, ?3 date text, ?4 day count, ?5 information; NULL texts leave the field as
// it was (a new record: empty).
inline constexpr char kInsertSql[] =
    R"(INSERT INTO "Domain Names" ("Names", "Status", "Last Lookup At", "Last Lookup Day Count", )"
    R"("Information") VALUES (?1, ?2, ?3, ?4, ?5))";
// As kInsertSql, for the record whose rowid is ?6.
inline constexpr char kUpdateSql[] =
    R"(UPDATE "Domain Names" SET "Names" = coalesce(?1, "Names"), )"
    R"("Status" = coalesce(?2, "Status"), "Last Lookup At" = ?3, "Last Lookup Day Count" = ?4, )"
    R"("Information" = coalesce(?5, "Information") WHERE rowid = ?6)";

} // namespace DomainTable
