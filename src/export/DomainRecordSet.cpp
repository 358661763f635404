#include "export/DomainRecordSet.h"

#include "core/DomainInfo.h"
#include "core/DomainName.h"
#include "export/DatabaseStepError.h"
#include "export/DomainTable.h"

namespace {

void BindText(sqlite3_stmt* statement, int parameter, const QByteArray& text)
{
    if (text.isEmpty()) {
        sqlite3_bind_null(statement, parameter);
        return;
    }
    sqlite3_bind_text(statement, parameter, text.constData(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

// The date as the shell and spreadsheets read it; empty when the day count names no date.
QByteArray DateText(double days)
{
    const QDateTime when = DateTimeValue(DateTimeValue::Valid, days).ToLocal();
    return when.isValid() ? when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1()
                          : QByteArray();
}

void BindRecord(sqlite3_stmt* statement, const CDomainInfo& entry)
{
    // Every entry carries a date, even one never looked up (day count 0).
    const double days = entry.m_timeChecked.GetDays();
    BindText(statement, 1, entry.m_strName);
    BindText(statement, 2, StatusText(entry.m_nStatus));
    BindText(statement, 3, DateText(days));
    sqlite3_bind_double(statement, 4, days);
    BindText(statement, 5, entry.m_strInfo);
}

} // namespace

CDomainRecordSet::~CDomainRecordSet()
{
    if (m_bInTransaction) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

CFileResult CDomainRecordSet::Open()
{
    const int begun = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (begun != SQLITE_OK) {
        return CFileResult::Failure(
            DatabaseStepError(DatabaseStep::kCreatingRecordset, begun, EngineMessage(m_db)));
    }
    m_bInTransaction = true;
    bool hasDayCount = false;
    const bool prepared = FindDayCountField(hasDayCount).Ok() && PrepareWrites(hasDayCount).Ok();
    if (!prepared) {
        return CFileResult::Failure(DatabaseStepError(DatabaseStep::kOpeningRecordset,
                                                      sqlite3_errcode(m_db), EngineMessage(m_db)));
    }
    return CFileResult::Success();
}

CFileResult CDomainRecordSet::UseNameIndex()
{
    return Prepare(DomainTable::kSeekSql, m_seek);
}

CFileResult CDomainRecordSet::Save(const CDomainInfo& entry)
{
    std::optional<sqlite3_int64> rowid;
    if (CFileResult sought = Seek(entry.m_strName, rowid); !sought.Ok()) {
        return sought;
    }
    sqlite3_stmt* write = rowid ? m_update.get() : m_insert.get();
    BindRecord(write, entry);
    if (rowid) {
        sqlite3_bind_int64(write, 6, *rowid);
    }
    const int stepped = sqlite3_step(write);
    sqlite3_reset(write);
    return stepped == SQLITE_DONE ? SaveUnicodeName(entry.m_strName) : EngineFailure();
}

CFileResult CDomainRecordSet::SaveUnicodeName(const QByteArray& name)
{
    const CNameConversion unicode = DomainName::ToUnicode(name);
    if (!unicode.Ok() || unicode.Name() == name) {
        return CFileResult::Success();
    }
    if (!m_unicodeName) {
        if (sqlite3_exec(m_db, DomainTable::kUnicodeTableSql, nullptr, nullptr, nullptr) !=
            SQLITE_OK) {
            return EngineFailure();
        }
        if (CFileResult prepared = Prepare(DomainTable::kUnicodeNameSql, m_unicodeName);
            !prepared.Ok()) {
            return prepared;
        }
    }
    BindText(m_unicodeName.get(), 1, name);
    BindText(m_unicodeName.get(), 2, unicode.Name());
    const int stepped = sqlite3_step(m_unicodeName.get());
    sqlite3_reset(m_unicodeName.get());
    return stepped == SQLITE_DONE ? CFileResult::Success() : EngineFailure();
}

CFileResult CDomainRecordSet::Commit()
{
    if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return EngineFailure();
    }
    m_bInTransaction = false;
    return CFileResult::Success();
}

CFileResult CDomainRecordSet::Prepare(const char* sql, SqliteStatement& statement)
{
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(m_db, sql, -1, &raw, nullptr);
    statement.reset(raw);
    return prepared == SQLITE_OK ? CFileResult::Success() : EngineFailure();
}

CFileResult CDomainRecordSet::FindDayCountField(bool& found)
{
    SqliteStatement query;
    if (CFileResult prepared = Prepare(DomainTable::kDayCountFieldSql, query); !prepared.Ok()) {
        return prepared;
    }
    const int stepped = sqlite3_step(query.get());
    found = stepped == SQLITE_ROW;
    return stepped == SQLITE_ROW || stepped == SQLITE_DONE ? CFileResult::Success()
                                                           : EngineFailure();
}

CFileResult CDomainRecordSet::PrepareWrites(bool hasDayCount)
{
    const DomainTable::CWriteSql& sql =
        hasDayCount ? DomainTable::kWriteSql : DomainTable::kWriteWithoutDayCountSql;
    if (CFileResult prepared = Prepare(sql.insert, m_insert); !prepared.Ok()) {
        return prepared;
    }
    return Prepare(sql.update, m_update);
}

CFileResult CDomainRecordSet::EngineFailure() const
{
    return CFileResult::Failure(EngineMessage(m_db));
}

CFileResult CDomainRecordSet::Seek(const QByteArray& name, std::optional<sqlite3_int64>& rowid)
{
    sqlite3_stmt* seek = m_seek.get();
    sqlite3_bind_text(seek, 1, name.constData(), static_cast<int>(name.size()), SQLITE_STATIC);
    const int stepped = sqlite3_step(seek);
    if (stepped == SQLITE_ROW) {
        rowid = sqlite3_column_int64(seek, 0);
    }
    sqlite3_reset(seek);
    sqlite3_clear_bindings(seek);
    return stepped == SQLITE_ROW || stepped == SQLITE_DONE ? CFileResult::Success()
                                                           : EngineFailure();
}
