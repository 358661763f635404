#pragma once

#include "core/FileResult.h"

struct sqlite3;

// The table the database export fills: "Domain Names" with the fields "Names", "Status",
// "Last Lookup At", "Information" and "Last Lookup Day Count", and the index "NameIndex" on
// "Names". Tables made by hand or by older programs often lack "Last Lookup Day Count"; their
// records get the other four fields.
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
// One row when the table has "Last Lookup Day Count".
inline constexpr char kDayCountFieldSql[] =
    R"(SELECT 1 FROM pragma_table_info('Domain Names') )"
    R"(WHERE name = 'Last Lookup Day Count' COLLATE NOCASE)";

// The statements that add a record and update the record whose rowid is ?6. ?1 name, ?2 status,
// ?3 date text, ?4 day count, ?5 information; NULL texts leave the field as it was (a new record:
// empty).
struct CWriteSql {
    const char* insert;
    const char* update;
};

inline constexpr CWriteSql kWriteSql{
    R"(INSERT INTO "Domain Names" ("Names", "Status", "Last Lookup At", "Last Lookup Day Count", )"
    R"("Information") VALUES (?1, ?2, ?3, ?4, ?5))",
    R"(UPDATE "Domain Names" SET "Names" = coalesce(?1, "Names"), )"
    R"("Status" = coalesce(?2, "Status"), "Last Lookup At" = ?3, "Last Lookup Day Count" = ?4, )"
    R"("Information" = coalesce(?5, "Information") WHERE rowid = ?6)"};

// For a table without "Last Lookup Day Count". With ?5 in the text, ?4 remains a parameter that
// nothing reads, so both forms take the same bindings.
inline constexpr CWriteSql kWriteWithoutDayCountSql{
    R"(INSERT INTO "Domain Names" ("Names", "Status", "Last Lookup At", "Information") )"
    R"(VALUES (?1, ?2, ?3, ?5))",
    R"(UPDATE "Domain Names" SET "Names" = coalesce(?1, "Names"), )"
    R"("Status" = coalesce(?2, "Status"), "Last Lookup At" = ?3, )"
    R"("Information" = coalesce(?5, "Information") WHERE rowid = ?6)"};

// Names in other scripts stay in "Names" as the list keeps them, as A-labels
// ("xn--mnchen-3ya.de"), so that later exports find their records and the table keeps its
// layout. Their Unicode forms go beside them into a table of their own, "Unicode Names", made
// when the first such name is exported: "Names" (the same text, unique without regard to case)
// and "Unicode Name" ("münchen.de"). Join the two on "Names" to read both.
inline constexpr char kUnicodeTableSql[] =
    R"(CREATE TABLE IF NOT EXISTS "Unicode Names" ()"
    R"("Names" VARCHAR(90) COLLATE NOCASE PRIMARY KEY, "Unicode Name" TEXT NOT NULL))";
// ?1 the name, ?2 its Unicode form.
inline constexpr char kUnicodeNameSql[] =
    R"(INSERT INTO "Unicode Names" ("Names", "Unicode Name") VALUES (?1, ?2) )"
    R"(ON CONFLICT ("Names") DO UPDATE SET "Names" = excluded."Names", )"
    R"("Unicode Name" = excluded."Unicode Name")";

} // namespace DomainTable
