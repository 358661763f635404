#include "export/TextExport.h"
#include "export/ExportFileChoice.h"

#include "core/Settings.h"
#include "export/ExportTestDoc.h"
#include "support/CaseName.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct FileCase {
    const char* behaviour;
    TextExportMode mode;
    std::function<void(CDomainDoc&)> fill;
    QByteArray expected;
    int count;
};

void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

// One of each status, ticked and unticked mixed, so both modes skip entries between the ones
// they write.
void FillMixedList(CDomainDoc& doc)
{
    ExportTestDoc::Add(doc, "alpha.com", STATUS_AVAILABLE, true);
    ExportTestDoc::Add(doc, "beta.com", STATUS_TAKEN, false);
    ExportTestDoc::Add(doc, "Gamma.net", STATUS_TAKEN, true);
    ExportTestDoc::Add(doc, "delta.org", STATUS_AVAILABLE, false);
    ExportTestDoc::Add(doc, "epsilon.co.uk", STATUS_ERROR_2, true);
    ExportTestDoc::Add(doc, "zeta.com", STATUS_UNKNOWN, true);
    ExportTestDoc::Add(doc, "eta.com", STATUS_CHECKING, true);
    ExportTestDoc::Add(doc, "theta.com", STATUS_TOO_MANY_ERRORS, true);
    ExportTestDoc::Add(doc, "iota.com", STATUS_AVAILABLE, true);
}

const FileCase kFileCases[] = {
    {"ticked entries with their status texts numbered without gaps", TextExportMode::SelectedNames,
     FillMixedList,
     "1, alpha.com, *AVAILABLE*\r\n"
     "2, Gamma.net, Not Available\r\n"
     "3, epsilon.co.uk, Error\r\n"
     "4, zeta.com, Unknown\r\n"
     "5, eta.com, Checking\r\n"
     "6, theta.com, Too many errors\r\n"
     "7, iota.com, *AVAILABLE*\r\n",
     7},
    {"available entries ticked or not and nothing else", TextExportMode::AvailableNames,
     FillMixedList, "1, alpha.com\r\n2, delta.org\r\n3, iota.com\r\n", 3},
    {"no ticked entry gives an empty file", TextExportMode::SelectedNames,
     [](CDomainDoc& doc) { ExportTestDoc::Add(doc, "alpha.com", STATUS_AVAILABLE, false); }, "", 0},
    {"no available entry gives an empty file", TextExportMode::AvailableNames,
     [](CDomainDoc& doc) { ExportTestDoc::Add(doc, "alpha.com", STATUS_TAKEN, true); }, "", 0},
    {"names go out as their bytes", TextExportMode::SelectedNames,
     [](CDomainDoc& doc) {
         ExportTestDoc::Add(doc, "caf\xe9.com", STATUS_AVAILABLE, true);
         ExportTestDoc::Add(doc,
                            "b\xc3\xbc"
                            "cher.de",
                            STATUS_TAKEN, true);
     },
     "1, caf\xe9.com, *AVAILABLE*\r\n2, b\xc3\xbc"
     "cher.de, Not Available\r\n",
     2},
    {"names in other scripts read in unicode beside their a-labels", TextExportMode::AvailableNames,
     [](CDomainDoc& doc) { ExportTestDoc::Add(doc, "xn--mnchen-3ya.de", STATUS_AVAILABLE, true); },
     "1, m\xc3\xbcnchen.de (xn--mnchen-3ya.de)\r\n", 1},
    {"a line break or escape inside a name cannot forge a line", TextExportMode::AvailableNames,
     [](CDomainDoc& doc) {
         ExportTestDoc::Add(doc, "evil.com\r\n2, forged.com\x1b[2J", STATUS_AVAILABLE, true);
         ExportTestDoc::Add(doc, "plain.com", STATUS_AVAILABLE, true);
     },
     "1, evil.com\\x0d\\x0a2, forged.com\\x1b[2J\r\n2, plain.com\r\n", 2},
};

class TextExportFile : public testing::TestWithParam<FileCase> {};

TEST_P(TextExportFile, WritesTheLinesByteForByte)
{
    const FileCase& c = GetParam();
    const auto doc = ExportTestDoc::Make();
    c.fill(*doc);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("names.txt"));

    const CExportResult result = ExportTextFile(*doc, path, c.mode);

    EXPECT_EQ(ReadAll(path), c.expected);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(result.Count(), c.count);
    EXPECT_EQ(result.Message(), QStringLiteral("%1 records added to %2").arg(c.count).arg(path));
}

INSTANTIATE_TEST_SUITE_P(Lines, TextExportFile, testing::ValuesIn(kFileCases),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST(TextExport, ReplacesAnExistingFileWhole)
{
    const auto doc = ExportTestDoc::Make();
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("names.txt"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older and much longer export that must not shine through\r\n");
    old.close();

    ASSERT_TRUE(ExportTextFile(*doc, path, TextExportMode::AvailableNames).Ok());

    EXPECT_EQ(ReadAll(path), QByteArray("1, alpha.com\r\n"));
}

TEST(TextExport, UnwritableFileCountsNothingAndNamesThePathAndTheReason)
{
    const auto doc = ExportTestDoc::Make();
    ExportTestDoc::Add(*doc, "alpha.com", STATUS_AVAILABLE, true);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/names.txt"));

    const CExportResult result = ExportTextFile(*doc, path, TextExportMode::SelectedNames);

    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Count(), 0);
    EXPECT_TRUE(result.Message().startsWith(QStringLiteral("0 records added to %1\r\n").arg(path)))
        << result.Message().toStdString();
    EXPECT_TRUE(result.Message().contains(QStringLiteral("could not be written")))
        << result.Message().toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << "no temporary file is left behind";
}

class ExportFileChoiceTest : public testing::Test {
protected:
    void SetUp() override { CTestEnvironment::Instance().Reset(); }
};

TEST_F(ExportFileChoiceTest, TextChoiceRemembersTheFolderUnderSavePathTxt)
{
    const CExportFileChoice& choice = CExportFileChoice::Text();
    EXPECT_EQ(choice.InitialFileName(), QString()) << "nothing filled in the first time";

    choice.Remember(QStringLiteral("/data/lists/week 12.txt"));

    EXPECT_EQ(GetSettingText(QStringLiteral("Save Path"), QStringLiteral("TXT"), QString()),
              QStringLiteral("/data/lists/*.TXT"));
    EXPECT_EQ(choice.InitialFileName(), QStringLiteral("/data/lists/*.TXT"));
    EXPECT_EQ(choice.DefaultSuffix(), QStringLiteral("txt"));
    EXPECT_EQ(choice.Filter(), QStringLiteral("Text Files (*.txt);;All Files (*.*)"));
}

TEST_F(ExportFileChoiceTest, DatabaseChoiceRemembersTheFolderUnderSavePathMdb)
{
    const CExportFileChoice& choice = CExportFileChoice::Database();
    EXPECT_EQ(choice.InitialFileName(), QString()) << "nothing filled in the first time";

    choice.Remember(QStringLiteral("/data/names.db"));

    EXPECT_EQ(GetSettingText(QStringLiteral("Save Path"), QStringLiteral("MDB"), QString()),
              QStringLiteral("/data/*.DB"));
    EXPECT_EQ(GetSettingText(QStringLiteral("Save Path"), QStringLiteral("TXT"), QString()),
              QString())
        << "each kind of export remembers its own folder";
    EXPECT_EQ(choice.DefaultSuffix(), QStringLiteral("db"));
    EXPECT_EQ(choice.Filter(), QStringLiteral("Database Files (*.db);;All Files (*.*)"));
}

TEST_F(ExportFileChoiceTest, NameWithoutFolderLeavesTheRememberedFolder)
{
    const CExportFileChoice& choice = CExportFileChoice::Text();
    choice.Remember(QStringLiteral("/data/lists/a.txt"));
    choice.Remember(QStringLiteral("b.txt"));
    EXPECT_EQ(choice.InitialFileName(), QStringLiteral("/data/lists/*.TXT"));
}

} // namespace
