#include "export/DatabaseExport.h"

#include "export/DatabaseStepError.h"
#include "export/ExportTestDoc.h"
#include "export/TableBuilder.h"
#include "support/CaseName.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

// A connection for reading back or preparing a database, closed when the test is done with it.
class CTestDatabase {
public:
    explicit CTestDatabase(const QString& path)
    {
        EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
                  SQLITE_OK);
    }
    ~CTestDatabase() { sqlite3_close_v2(m_db); }
    CTestDatabase(const CTestDatabase&) = delete;
    CTestDatabase& operator=(const CTestDatabase&) = delete;

    sqlite3* Handle() const { return m_db; }

    void Execute(const char* sql) const
    {
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
        sqlite3_free(error);
    }

    // Every row of a query, each column as its bytes; a NULL reads as std::nullopt.
    std::vector<std::vector<std::optional<QByteArray>>> Rows(const char* sql) const
    {
        std::vector<std::vector<std::optional<QByteArray>>> rows;
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr), SQLITE_OK)
            << sqlite3_errmsg(m_db);
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            std::vector<std::optional<QByteArray>> row;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                if (sqlite3_column_type(statement, column) == SQLITE_NULL) {
                    row.push_back(std::nullopt);
                    continue;
                }
                const auto* bytes =
                    static_cast<const char*>(sqlite3_column_blob(statement, column));
                row.push_back(QByteArray(bytes, sqlite3_column_bytes(statement, column)));
            }
            rows.push_back(row);
        }
        sqlite3_finalize(statement);
        return rows;
    }

    double DayCount(const char* name) const
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(
            m_db, R"(SELECT "Last Lookup Day Count" FROM "Domain Names" WHERE "Names" = ?1)", -1,
            &statement, nullptr);
        sqlite3_bind_text(statement, 1, name, -1, SQLITE_STATIC);
        const double days =
            sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_double(statement, 0) : -1.0;
        sqlite3_finalize(statement);
        return days;
    }

private:
    sqlite3* m_db = nullptr;
};

using Row = std::vector<std::optional<QByteArray>>;

constexpr char kRecordsSql[] =
    R"(SELECT "Names", "Status", "Last Lookup At", "Information" FROM "Domain Names" ORDER BY rowid)";

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList FolderContents(const QTemporaryDir& folder)
{
    return QDir(folder.path())
        .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
}

class DatabaseExportTest : public testing::Test {
protected:
    void SetUp() override
    {
        doc = ExportTestDoc::Make();
        path = folder.filePath(QStringLiteral("names.db"));
    }

    QTemporaryDir folder;
    QString path;
    std::unique_ptr<ExportTestDoc::CTestDoc> doc;
};

TEST_F(DatabaseExportTest, FirstExportCreatesTableFieldsAndIndex)
{
    CDomainInfo& alpha = ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);
    alpha.m_strInfo = "No match for \"ALPHA.COM\".\r\n";
    alpha.m_timeChecked = ExportTestDoc::At(2026, 12, 7, 21, 55, 28);

    const CExportResult result = ExportDatabase(*doc, path);

    EXPECT_TRUE(result.Ok()) << result.Message().toStdString();
    EXPECT_EQ(result.Message(), QStringLiteral("1 records added to %1").arg(path));
    ASSERT_TRUE(ReadAll(path).startsWith(QByteArray("SQLite format 3\0", 16)));
    const CTestDatabase db(path);
    EXPECT_EQ(db.Rows(R"(SELECT name, type FROM pragma_table_info('Domain Names') ORDER BY cid)"),
              (std::vector<Row>{{"Names", "VARCHAR(90)"},
                                {"Status", "VARCHAR(90)"},
                                {"Last Lookup At", "DATETIME"},
                                {"Information", "TEXT"},
                                {"Last Lookup Day Count", "REAL"}}));
    EXPECT_EQ(db.Rows(R"(SELECT name, "unique", origin FROM pragma_index_list('Domain Names'))"),
              (std::vector<Row>{{"NameIndex", "0", "c"}}))
        << "one index, made by CREATE INDEX, not unique";
    EXPECT_EQ(db.Rows(R"(SELECT name, "desc" FROM pragma_index_xinfo('NameIndex') WHERE "key")"),
              (std::vector<Row>{{"Names", "0"}}))
        << "on Names, ascending";
}

TEST_F(DatabaseExportTest, RecordsHoldTheTickedEntriesWithReadableDatesAndExactDayCounts)
{
    CDomainInfo& alpha = ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);
    alpha.m_strInfo = "No match for \"ALPHA.COM\".\r\n";
    alpha.m_timeChecked = ExportTestDoc::At(2026, 12, 7, 21, 55, 28);
    ExportTestDoc::Add(*doc, "unticked.com", STATUS_TAKEN, false);
    CDomainInfo& beta = ExportTestDoc::Add(*doc, "beta.net", STATUS_TAKEN, true);
    beta.m_strInfo = "Domain Name: BETA.NET\r\nRegistrar: caf\xe9\r\n";
    beta.m_timeChecked = DateTimeValue(DateTimeValue::Valid, 46363.123456789012);
    ExportTestDoc::Add(*doc, "never.org", STATUS_UNKNOWN, true);

    const CExportResult result = ExportDatabase(*doc, path);

    EXPECT_EQ(result.Message(), QStringLiteral("3 records added to %1").arg(path));
    const CTestDatabase db(path);
    EXPECT_EQ(
        db.Rows(kRecordsSql),
        (std::vector<Row>{
            {"alpha.com", "*AVAILABLE*", "2026-12-07 21:55:28", "No match for \"ALPHA.COM\".\r\n"},
            {"beta.net", "Not Available", "2026-12-07 02:57:46",
             "Domain Name: BETA.NET\r\nRegistrar: caf\xe9\r\n"},
            {"never.org", "Unknown", "1899-12-30 00:00:00", std::nullopt},
        }));
    EXPECT_EQ(db.DayCount("alpha.com"), alpha.m_timeChecked.GetDays());
    EXPECT_EQ(db.DayCount("beta.net"), 46363.123456789012) << "the day count is kept exactly";
    EXPECT_EQ(db.DayCount("never.org"), 0.0) << "an entry never looked up carries day 0";
    EXPECT_EQ(db.Rows(R"(SELECT date("Last Lookup At") FROM "Domain Names" WHERE rowid = 1)"),
              (std::vector<Row>{{"2026-12-07"}}))
        << "SQLite's date functions read the text as a date";
}

TEST_F(DatabaseExportTest, SecondExportOfTheSameNamesUpdatesInsteadOfDuplicating)
{
    CDomainInfo& alpha = ExportTestDoc::Add(*doc, "alpha.com", STATUS_UNKNOWN, true);
    CDomainInfo& beta = ExportTestDoc::Add(*doc, "beta.net", STATUS_UNKNOWN, true);
    ASSERT_TRUE(ExportDatabase(*doc, path).Ok());

    alpha.m_nStatus = STATUS_TAKEN;
    alpha.m_strInfo = "Domain Name: ALPHA.COM\r\n";
    alpha.m_timeChecked = ExportTestDoc::At(2026, 12, 8, 9, 0, 0);
    beta.m_strName = "BETA.NET";
    ExportTestDoc::Add(*doc, "gamma.org", STATUS_AVAILABLE, true);
    const CExportResult second = ExportDatabase(*doc, path);

    EXPECT_EQ(second.Message(), QStringLiteral("3 records added to %1").arg(path))
        << "updated records count as added";
    const CTestDatabase db(path);
    EXPECT_EQ(
        db.Rows(kRecordsSql),
        (std::vector<Row>{
            {"alpha.com", "Not Available", "2026-12-08 09:00:00", "Domain Name: ALPHA.COM\r\n"},
            {"BETA.NET", "Unknown", "1899-12-30 00:00:00", std::nullopt},
            {"gamma.org", "*AVAILABLE*", "1899-12-30 00:00:00", std::nullopt},
        }))
        << "a name found without regard to case is updated, with the case of the list";
}

TEST_F(DatabaseExportTest, NamesInOtherScriptsKeepTheirALabelsAndGetTheirUnicodeBeside)
{
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_UNKNOWN, true);
    ASSERT_TRUE(ExportDatabase(*doc, path).Ok());
    EXPECT_EQ(CTestDatabase(path).Rows(R"(SELECT name FROM sqlite_master)").size(), 2u)
        << "ASCII names leave the database as it always was: the table and its index";

    CDomainInfo& munich = ExportTestDoc::Add(*doc, "xn--mnchen-3ya.de", STATUS_AVAILABLE, true);
    ExportTestDoc::Add(*doc, "xn--zz.com", STATUS_UNKNOWN, true);
    ASSERT_TRUE(ExportDatabase(*doc, path).Ok());
    munich.m_strName = "XN--MNCHEN-3YA.DE";
    const CExportResult again = ExportDatabase(*doc, path);
    EXPECT_EQ(again.Message(), QStringLiteral("3 records added to %1").arg(path));

    const CTestDatabase db(path);
    EXPECT_EQ(db.Rows(R"(SELECT "Names" FROM "Domain Names" ORDER BY rowid)"),
              (std::vector<Row>{{"alpha.com"}, {"XN--MNCHEN-3YA.DE"}, {"xn--zz.com"}}));
    EXPECT_EQ(db.Rows(R"(SELECT d."Names", u."Unicode Name" FROM "Domain Names" d )"
                      R"(LEFT JOIN "Unicode Names" u ON u."Names" = d."Names" ORDER BY d.rowid)"),
              (std::vector<Row>{{"alpha.com", std::nullopt},
                                {"XN--MNCHEN-3YA.DE", "m\xc3\xbcnchen.DE"},
                                {"xn--zz.com", std::nullopt}}))
        << "read beside each other through a join";
    EXPECT_EQ(db.Rows(R"(SELECT * FROM "Unicode Names")"),
              (std::vector<Row>{{"XN--MNCHEN-3YA.DE", "m\xc3\xbcnchen.DE"}}))
        << "one record per name, updated by the later export";
}

TEST_F(DatabaseExportTest, EmptyRecordTextKeepsTheOldInformation)
{
    CDomainInfo& alpha = ExportTestDoc::Add(*doc, "alpha.com", STATUS_TAKEN, true);
    alpha.m_strInfo = "Domain Name: ALPHA.COM\r\n";
    alpha.m_timeChecked = ExportTestDoc::At(2026, 12, 7, 10, 0, 0);
    ASSERT_TRUE(ExportDatabase(*doc, path).Ok());

    alpha.m_nStatus = STATUS_UNKNOWN;
    alpha.m_strInfo.clear();
    alpha.m_timeChecked = ExportTestDoc::At(2026, 12, 9, 11, 30, 0);
    ASSERT_TRUE(ExportDatabase(*doc, path).Ok());

    const CTestDatabase db(path);
    EXPECT_EQ(db.Rows(kRecordsSql),
              (std::vector<Row>{
                  {"alpha.com", "Unknown", "2026-12-09 11:30:00", "Domain Name: ALPHA.COM\r\n"}}));
}

TEST_F(DatabaseExportTest, TableWithoutTheDayCountFieldReceivesTheOtherFourFields)
{
    {
        const CTestDatabase handMade(path);
        handMade.Execute(
            R"(CREATE TABLE "Domain Names" ("Names" VARCHAR(90), "Status" VARCHAR(90), )"
            R"("Last Lookup At" DATETIME, "Information" TEXT); )"
            R"(CREATE INDEX "NameIndex" ON "Domain Names" ("Names"); )"
            R"(INSERT INTO "Domain Names" VALUES ('alpha.com', 'Unknown', NULL, 'Old record'))");
    }
    CDomainInfo& alpha = ExportTestDoc::Add(*doc, "alpha.com", STATUS_TAKEN, true);
    alpha.m_strInfo = "Domain Name: ALPHA.COM\r\n";
    alpha.m_timeChecked = ExportTestDoc::At(2026, 12, 7, 21, 55, 28);
    CDomainInfo& beta = ExportTestDoc::Add(*doc, "beta.net", STATUS_AVAILABLE, true);
    beta.m_timeChecked = ExportTestDoc::At(2026, 12, 8, 9, 0, 0);

    const CExportResult result = ExportDatabase(*doc, path);

    EXPECT_TRUE(result.Ok()) << result.Message().toStdString();
    EXPECT_EQ(result.Message(), QStringLiteral("2 records added to %1").arg(path));
    const CTestDatabase db(path);
    EXPECT_EQ(
        db.Rows(kRecordsSql),
        (std::vector<Row>{
            {"alpha.com", "Not Available", "2026-12-07 21:55:28", "Domain Name: ALPHA.COM\r\n"},
            {"beta.net", "*AVAILABLE*", "2026-12-08 09:00:00", std::nullopt},
        }))
        << "the existing record is updated, the new one added";
    EXPECT_EQ(db.Rows(R"(SELECT name FROM pragma_table_info('Domain Names') ORDER BY cid)"),
              (std::vector<Row>{{"Names"}, {"Status"}, {"Last Lookup At"}, {"Information"}}))
        << "the table keeps its fields";
}

TEST_F(DatabaseExportTest, FileThatIsNoDatabaseGivesTheOpeningTableErrorAndStaysUnchanged)
{
    QByteArray notADatabase;
    for (int i = 0; i < 3000; ++i) {
        notADatabase += static_cast<char>(i * 7 % 251);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(notADatabase);
    file.close();
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);

    const CExportResult result = ExportDatabase(*doc, path);

    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Message(), QStringLiteral("Error: Opening Table\r\nfile is not a database"));
    EXPECT_EQ(ReadAll(path), notADatabase);
    EXPECT_EQ(FolderContents(folder), QStringList{QStringLiteral("names.db")});
}

TEST_F(DatabaseExportTest, DatabaseWithoutTheTableGivesTheOpeningTableErrorAndStaysUnchanged)
{
    {
        const CTestDatabase other(path);
        other.Execute("CREATE TABLE customers (name TEXT); INSERT INTO customers VALUES ('Ann')");
    }
    const QByteArray before = ReadAll(path);
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);

    const CExportResult result = ExportDatabase(*doc, path);

    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Message(),
              QStringLiteral("Error: Opening Table\r\nno such table: Domain Names"));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(FolderContents(folder), QStringList{QStringLiteral("names.db")});
}

TEST_F(DatabaseExportTest, TableWithoutNameIndexGivesTheEngineMessageAndWritesNothing)
{
    {
        const CTestDatabase other(path);
        other.Execute(
            R"(CREATE TABLE "Domain Names" ("Names" TEXT, "Status" TEXT, )"
            R"("Last Lookup At" TEXT, "Information" TEXT, "Last Lookup Day Count" REAL))");
    }
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);

    const CExportResult result = ExportDatabase(*doc, path);

    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Message(), QStringLiteral("no such index: NameIndex"));
    EXPECT_TRUE(CTestDatabase(path).Rows(kRecordsSql).empty());
}

TEST_F(DatabaseExportTest, RecordTheTableRefusesLeavesNoNewDatabaseAndTheOldOneAsItWas)
{
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);
    CDomainInfo& beta = ExportTestDoc::Add(*doc, "beta.net", STATUS_TAKEN, true);
    // A name longer than 90 characters does not fit its field.
    CDomainInfo& tooLong =
        ExportTestDoc::Add(*doc, QByteArray(88, 'x') + ".com", STATUS_AVAILABLE, true);
    CDomainInfo& gamma = ExportTestDoc::Add(*doc, "gamma.org", STATUS_AVAILABLE, true);
    const auto expectRefused = [](const CExportResult& result) {
        EXPECT_FALSE(result.Ok());
        EXPECT_TRUE(result.Message().startsWith(QStringLiteral("CHECK constraint failed")))
            << result.Message().toStdString();
    };

    expectRefused(ExportDatabase(*doc, path));
    EXPECT_TRUE(FolderContents(folder).isEmpty()) << "no new database with some of the rows";

    tooLong.m_bTicked = 0;
    gamma.m_bTicked = 0;
    ASSERT_TRUE(ExportDatabase(*doc, path).Ok());
    const QByteArray before = ReadAll(path);
    beta.m_strInfo = "Domain Name: BETA.NET\r\nchanged";
    tooLong.m_bTicked = 1;
    gamma.m_bTicked = 1;
    expectRefused(ExportDatabase(*doc, path));
    EXPECT_EQ(ReadAll(path), before) << "the existing database keeps what it held";
    EXPECT_EQ(CTestDatabase(path).Rows(R"(SELECT "Names" FROM "Domain Names")"),
              (std::vector<Row>{{"alpha.com"}, {"beta.net"}}));
}

TEST_F(DatabaseExportTest, MissingFolderGivesTheCreatingDatabaseErrorAndCreatesNothing)
{
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);
    const QString inMissingFolder = folder.filePath(QStringLiteral("missing/names.db"));

    const CExportResult result = ExportDatabase(*doc, inMissingFolder);

    EXPECT_FALSE(result.Ok());
    EXPECT_TRUE(result.Message().startsWith(QStringLiteral("Error: Creating Database\r\n")))
        << result.Message().toStdString();
    EXPECT_TRUE(result.Message().contains(inMissingFolder));
    EXPECT_TRUE(FolderContents(folder).isEmpty());
}

TEST_F(DatabaseExportTest, PathThatCannotBeOpenedIsNotReplaced)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("names.db")));
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);

    const CExportResult result = ExportDatabase(*doc, path);

    EXPECT_EQ(result.Message(),
              QStringLiteral("Error: Creating Database\r\nThe file exists but cannot be opened for "
                             "reading and writing."));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

struct StepCase {
    const char* behaviour;
    const char* table;
    std::function<CFileResult(CTableBuilder&)> steps;
    QString expected;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

const StepCase kStepCases[] = {
    {"a table of the same name exists", "Domain Names",
     [](CTableBuilder& table) { return table.CreateTable(); },
     QStringLiteral("Error: Creating Table\r\nTable 'Domain Names' already exists.")},
    {"a field is added twice", "Fresh",
     [](CTableBuilder& table) {
         table.CreateField(QStringLiteral("Names"), QStringLiteral("TEXT"));
         return table.CreateField(QStringLiteral("names"), QStringLiteral("TEXT"));
     },
     QStringLiteral("Error: Creating Field\r\nField 'names' already exists.")},
    {"the index name is taken", "Fresh",
     [](CTableBuilder& table) {
         table.CreateField(QStringLiteral("Names"), QStringLiteral("TEXT"));
         table.Append();
         return table.CreateIndex(QStringLiteral("NameIndex"), QStringLiteral("Names"));
     },
     QStringLiteral("Error: Creating Index\r\nthere is already a table named NameIndex")},
    {"a definition without fields cannot be appended", "Fresh",
     [](CTableBuilder& table) { return table.Append(); },
     QStringLiteral("Error: Append Table\r\nnear \")\": syntax error")},
};

class TableBuilderStep : public testing::TestWithParam<StepCase> {};

// The builder runs on a database that has a "Domain Names" table (under another case) and a
// table called NameIndex.
TEST_P(TableBuilderStep, FailsWithItsStepName)
{
    QTemporaryDir folder;
    const CTestDatabase db(folder.filePath(QStringLiteral("steps.db")));
    db.Execute(R"(CREATE TABLE "DOMAIN NAMES" (x); CREATE TABLE NameIndex (x))");
    CTableBuilder builder(db.Handle(), QLatin1String(GetParam().table));

    EXPECT_EQ(GetParam().steps(builder).Message(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Steps, TableBuilderStep, testing::ValuesIn(kStepCases),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(DatabaseStepError, WordsTheEngineDescription)
{
    EXPECT_EQ(DatabaseStepError(DatabaseStep::kOpeningRecordset, SQLITE_BUSY,
                                QStringLiteral("database is locked")),
              QStringLiteral("Error: Opening Recordset\r\ndatabase is locked"));
    EXPECT_EQ(DatabaseStepError(DatabaseStep::kCreatingRecordset, SQLITE_NOMEM,
                                QStringLiteral("out of memory")),
              QStringLiteral("Error: Creating Recordset\r\nMemory"));
    EXPECT_EQ(DatabaseStepError(DatabaseStep::kCreatingDatabase, SQLITE_CANTOPEN, QString()),
              QStringLiteral("Error: Creating Database\r\nThe database engine gave no description "
                             "of the error."));
}

} // namespace
