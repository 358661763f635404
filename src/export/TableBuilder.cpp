#include "export/TableBuilder.h"

#include "export/DatabaseStepError.h"
#include "export/SqliteHandle.h"

CTableBuilder::CTableBuilder(sqlite3* db, QString tableName)
    : m_db(db)
    , m_tableName(std::move(tableName))
{}

CFileResult CTableBuilder::CreateTable()
{
    // Tables, views and indexes share one name space, compared without regard to case.
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(
        m_db, "SELECT 1 FROM sqlite_master WHERE name = ?1 COLLATE NOCASE", -1, &raw, nullptr);
    const SqliteStatement query(raw);
    if (prepared != SQLITE_OK) {
        return CFileResult::Failure(
            DatabaseStepError(DatabaseStep::kCreatingTable, prepared, EngineMessage(m_db)));
    }
    const QByteArray name = m_tableName.toUtf8();
    sqlite3_bind_text(query.get(), 1, name.constData(), static_cast<int>(name.size()),
                      SQLITE_STATIC);
    const int step = sqlite3_step(query.get());
    if (step == SQLITE_ROW) {
        return CFileResult::Failure(
            DatabaseStepError(DatabaseStep::kCreatingTable, SQLITE_ERROR,
                              QStringLiteral("Table '%1' already exists.").arg(m_tableName)));
    }
    if (step != SQLITE_DONE) {
        return CFileResult::Failure(
            DatabaseStepError(DatabaseStep::kCreatingTable, step, EngineMessage(m_db)));
    }
    return CFileResult::Success();
}

CFileResult CTableBuilder::CreateField(const QString& name, const QString& declaration)
{
    if (m_fieldNames.contains(name, Qt::CaseInsensitive)) {
        return CFileResult::Failure(
            DatabaseStepError(DatabaseStep::kCreatingField, SQLITE_ERROR,
                              QStringLiteral("Field '%1' already exists.").arg(name)));
    }
    m_fieldNames.append(name);
    m_fieldDefinitions.append(Quoted(name) + QLatin1Char(' ') + declaration);
    return CFileResult::Success();
}

CFileResult CTableBuilder::Append()
{
    return Execute(DatabaseStep::kAppendTable,
                   QStringLiteral("CREATE TABLE %1 (%2)")
                       .arg(Quoted(m_tableName), m_fieldDefinitions.join(QStringLiteral(", "))));
}

CFileResult CTableBuilder::CreateIndex(const QString& name, const QString& column)
{
    return Execute(DatabaseStep::kCreatingIndex,
                   QStringLiteral("CREATE INDEX %1 ON %2 (%3 ASC)")
                       .arg(Quoted(name), Quoted(m_tableName), Quoted(column)));
}

QString CTableBuilder::Quoted(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

CFileResult CTableBuilder::Execute(const char* step, const QString& sql)
{
    const int result = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (result != SQLITE_OK) {
        return CFileResult::Failure(DatabaseStepError(step, result, EngineMessage(m_db)));
    }
    return CFileResult::Success();
}
