#pragma once

#include "core/FileResult.h"

#include <QString>
#include <QStringList>

struct sqlite3;

// Creates a table in the steps the database export reports: the table's name is checked, each
// field is added to the definition, the definition is appended to the database, then the index
// is created on the table it names. Each step returns "Error: <step>\r\n<description>" when it
// fails.
class CTableBuilder {
public:
    CTableBuilder(sqlite3* db, QString tableName);

    // Fails with "Table '<name>' already exists." when the database holds an object of that name.
    CFileResult CreateTable();
    // Fails with "Field '<name>' already exists." when the definition has a field of that name.
    CFileResult CreateField(const QString& name, const QString& declaration);
    CFileResult Append();
    CFileResult CreateIndex(const QString& name, const QString& column);

    // A name as SQL quotes it, so spaces and quotes in names are safe.
    static QString Quoted(const QString& name);

private:
    CFileResult Execute(const char* step, const QString& sql);

    sqlite3* m_db;
    QString m_tableName;
    QStringList m_fieldNames;
    QStringList m_fieldDefinitions;
};
