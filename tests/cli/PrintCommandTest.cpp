#include "cli/CliProcess.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include "support/CaseName.h"
#include "support/PdfPageCount.h"
#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct PrintCase {
    const char* behaviour;
    int entries;
    std::optional<int> storedPrintLines;
    QStringList options;
    int pages;
};

void PrintTo(const PrintCase& c, std::ostream* os)
{
    *os << c.behaviour;
}

const PrintCase kPrintCases[] = {
    {"default thirty lines give a second page after thirty entries", 30, std::nullopt, {}, 2},
    {"stored print lines set the rows per page", 25, 5, {}, 6},
    {"lines option overrides the stored value",
     25,
     5,
     {QStringLiteral("--lines"), QStringLiteral("10")},
     3},
    {"stored print lines below one count as one", 3, 0, {}, 4},
    {"empty list prints one page", 0, std::nullopt, {}, 1},
};

class PrintCommandTest : public testing::Test {
protected:
    void SetUp() override { CTestEnvironment::Instance().Reset(); }

    QString Document(int entries)
    {
        CTLDList tlds;
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        for (int i = 1; i <= entries; ++i) {
            AddStoredEntry(doc, "name" + QByteArray::number(i) + ".com");
        }
        const QString path = folder.filePath(QStringLiteral("list.zul"));
        EXPECT_TRUE(doc.OnSaveDocument(path).Ok());
        return path;
    }

    QTemporaryDir folder;
};

class PrintCommandPages : public PrintCommandTest, public testing::WithParamInterface<PrintCase> {};

TEST_P(PrintCommandPages, WritesOnePdfPagePerPrintedPage)
{
    const PrintCase& c = GetParam();
    if (c.storedPrintLines) {
        SetSetting(Setting::PrintLines, *c.storedPrintLines);
    }
    const QString document = Document(c.entries);
    const QString pdf = folder.filePath(QStringLiteral("list.pdf"));

    const CCliResult result =
        RunCli(QStringList{QStringLiteral("print")} + c.options + QStringList{document, pdf});

    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    const QByteArray pages =
        c.pages == 1 ? QByteArray("1 page") : QByteArray::number(c.pages) + " pages";
    EXPECT_EQ(result.out, pages + " written to " + pdf.toUtf8() + '\n');
    EXPECT_EQ(PdfFilePageCount(pdf), c.pages);
}

INSTANTIATE_TEST_SUITE_P(Pages, PrintCommandPages, testing::ValuesIn(kPrintCases),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(PrintCommandTest, UnwritablePdfFailsNamingThePath)
{
    const QString pdf = folder.filePath(QStringLiteral("missing/list.pdf"));
    const CCliResult result = RunCli({QStringLiteral("print"), Document(2), pdf});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(pdf.toUtf8())) << result.err.constData();
}

TEST_F(PrintCommandTest, UnreadableDocumentFailsAndWritesNothing)
{
    const QString pdf = folder.filePath(QStringLiteral("list.pdf"));
    const CCliResult result =
        RunCli({QStringLiteral("print"), folder.filePath(QStringLiteral("none.zul")), pdf});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("none.zul")) << result.err.constData();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintCommandTest, UsageMistakesExitWithTwo)
{
    const QString document = Document(1);
    const QString pdf = folder.filePath(QStringLiteral("list.pdf"));
    const QString print = QStringLiteral("print");
    const QString lines = QStringLiteral("--lines");
    EXPECT_EQ(RunCli({print, lines, QStringLiteral("0"), document, pdf}).exitCode, 2);
    EXPECT_EQ(RunCli({print, lines, QStringLiteral("ten"), document, pdf}).exitCode, 2);
    EXPECT_EQ(RunCli({print, document}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(pdf));
    const CCliResult help = RunCli({print, QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quillon-cli print")) << help.out.constData();
}

} // namespace
