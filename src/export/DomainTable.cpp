#include "export/DomainTable.h"

#include "export/TableBuilder.h"

#include <array>

namespace DomainTable {

namespace {

struct CField {
    const char* name;
    const char* declaration;
};

// Texts hold at most 90 characters and are never empty: an empty text is left unset instead.
constexpr std::array kFields = {
    CField{"Names", R"(VARCHAR(90) COLLATE NOCASE CHECK (length("Names") BETWEEN 1 AND 90))"},
    CField{"Status", R"(VARCHAR(90) CHECK (length("Status") BETWEEN 1 AND 90))"},
    CField{"Last Lookup At", "DATETIME"},
    CField{"Information", R"(TEXT CHECK ("Information" <> ''))"},
    CField{"Last Lookup Day Count", "REAL"},
};

} // namespace

CFileResult Create(sqlite3* db)
{
    CTableBuilder table(db, QLatin1String(kTableName));
    if (CFileResult created = table.CreateTable(); !created.Ok()) {
        return created;
    }
    for (const CField& field : kFields) {
        CFileResult added =
            table.CreateField(QLatin1String(field.name), QLatin1String(field.declaration));
        if (!added.Ok()) {
            return added;
        }
    }
    if (CFileResult appended = table.Append(); !appended.Ok()) {
        return appended;
    }
    // SQLite indexes a table that exists, so the index follows the table into the database.
    return table.CreateIndex(QStringLiteral("NameIndex"), QStringLiteral("Names"));
}

} // namespace DomainTable
