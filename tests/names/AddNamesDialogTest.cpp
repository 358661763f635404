#include "names/AddNamesDialog.h"

#include "NamesTestFixture.h"

#include "core/Settings.h"
#include "names/ByteTextEdit.h"
#include "names/NameCommands.h"

#include "support/CaseName.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdint>

namespace {

const QString kEmptyTextMessage =
    QStringLiteral("Please type in the domain names you wish to check.");

QByteArray NameLines(int count)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i) {
        lines += "name" + QByteArray::number(i) + ".com\r\n";
    }
    return lines;
}

// Bytes from 128 up in a fixed random order: no text, no separator, no line break. The no-break
// space is left out, as the box gives it back as a plain space.
QByteArray HighBytes(int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    std::uint32_t state = 7;
    for (char& c : bytes) {
        do {
            state = state * 1664525u + 1013904223u;
            c = static_cast<char>(0x80 | (state >> 25));
        } while (c == '\xa0');
    }
    return bytes;
}

bool WaitUntilAllShown(const CByteTextEdit& box)
{
    return QTest::qWaitFor([&box] { return box.HasShownAll(); }, 20000);
}

class AddNamesDialogTest : public NamesTestFixture {
protected:
    // Runs the command: the dialog gets the text and the ticks, then OK.
    void AddNames(const QByteArray& text, const QStringList& tlds)
    {
        OnNextModal<CAddNamesDialog>([text, tlds](CAddNamesDialog& dialog) {
            Control<QPlainTextEdit>(dialog, "names").setPlainText(QString::fromLatin1(text));
            Tick(Control<QListWidget>(dialog, "tldList"), tlds);
            Control<QPushButton>(dialog, "okButton").click();
        });
        RunAddNamesCommand(nullptr, doc);
    }
};

struct AdmissionCase {
    const char* behaviour;
    QByteArray text;
    QStringList tlds;
    QByteArrayList expected;
};

class AddNamesAdmission : public AddNamesDialogTest,
                          public testing::WithParamInterface<AdmissionCase> {};

TEST_P(AddNamesAdmission, AdmitsTheTokensAndRebuildsOnce)
{
    const AdmissionCase& c = GetParam();
    QSignalSpy updates(&doc, &CDomainDoc::ListReset);
    AddNames(c.text, c.tlds);
    EXPECT_EQ(Names(), c.expected);
    EXPECT_EQ(updates.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    AddNames, AddNamesAdmission,
    testing::Values(AdmissionCase{"bare names take each ticked TLD and full names stay as typed",
                                  "alpha, beta.org",
                                  {QStringLiteral("COM"), QStringLiteral("NET")},
                                  {"alpha.COM", "alpha.NET", "beta.org"}},
                    AdmissionCase{"runs of the five separators make one break",
                                  "a1\r\n\r\nb2;;c3,d4  e5\n;, f6",
                                  {QStringLiteral("COM")},
                                  {"a1.COM", "b2.COM", "c3.COM", "d4.COM", "e5.COM", "f6.COM"}},
                    AdmissionCase{"tabs stay inside a token which is then refused",
                                  "alpha.com\tbeta.com gamma.com",
                                  {QStringLiteral("COM")},
                                  {"gamma.com"}},
                    AdmissionCase{"a name typed twice or made again enters once",
                                  "alpha.com alpha ALPHA.COM alpha",
                                  {QStringLiteral("COM")},
                                  {"alpha.com"}},
                    AdmissionCase{
                        "without ticks only full names enter", "alpha beta.com", {}, {"beta.com"}},
                    AdmissionCase{"a suffix outside the table counts as bare",
                                  "alpha.xyz",
                                  {QStringLiteral("COM"), QStringLiteral("HK")},
                                  {"alpha.xyz.HK"}},
                    AdmissionCase{"separators alone admit nothing but still rebuild",
                                  " ,;, ;\r\n",
                                  {QStringLiteral("COM")},
                                  {}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(AddNamesDialogTest, AdmissionStopsAtTheListLimit)
{
    doc.SetMaxEntries(3);
    AddNames("a b c d e", {QStringLiteral("COM")});
    EXPECT_EQ(Names(), (QByteArrayList{"a.COM", "b.COM", "c.COM"}));
}

TEST_F(AddNamesDialogTest, OpensWithTheTableAndItsTicks)
{
    tlds.GetAt(2)->m_bUseForNew = 1;
    QStringList items;
    QStringList ticked;
    QString text = QStringLiteral("<not read>");
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        auto& list = Control<QListWidget>(dialog, "tldList");
        for (int row = 0; row < list.count(); ++row) {
            items.append(list.item(row)->text());
        }
        ticked = Ticked(list);
        text = Control<QPlainTextEdit>(dialog, "names").toPlainText();
        dialog.reject();
    });
    RunAddNamesCommand(nullptr, doc);
    ASSERT_EQ(items.size(), tlds.GetCount());
    EXPECT_EQ(items.front(), QStringLiteral(" COM"));
    EXPECT_EQ(items.back(), QStringLiteral(" HK"));
    EXPECT_EQ(ticked, (QStringList{QStringLiteral(" COM"), QStringLiteral(" ORG")}));
    EXPECT_TRUE(text.isEmpty());
}

TEST_F(AddNamesDialogTest, OkWritesTheTicksIntoTheTableAndItsFile)
{
    AddNames("alpha", {QStringLiteral("NET"), QStringLiteral("CO.UK")});
    EXPECT_EQ(FlaggedTLDs(), (QByteArrayList{"NET", "CO.UK"}));
    EXPECT_EQ(Names(), (QByteArrayList{"alpha.NET", "alpha.CO.UK"}));
    tlds.ClearTLDList();
    ASSERT_TRUE(tlds.LoadTLDList().Ok());
    EXPECT_EQ(FlaggedTLDs(), (QByteArrayList{"NET", "CO.UK"}));
}

TEST_F(AddNamesDialogTest, EmptyTextIsRefusedWithAMessageButTheTicksAreSaved)
{
    bool stayedOpen = false;
    QSignalSpy updates(&doc, &CDomainDoc::ListReset);
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        Tick(Control<QListWidget>(dialog, "tldList"), {QStringLiteral("ORG")});
        Control<QPushButton>(dialog, "okButton").click();
        stayedOpen = dialog.isVisible();
        Control<QPushButton>(dialog, "cancelButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kEmptyTextMessage});
    EXPECT_EQ(FlaggedTLDs(), QByteArrayList{"ORG"});
    EXPECT_NE(ReadDataFile(QStringLiteral("zul.tld")), QByteArray("<missing>"));
    EXPECT_EQ(doc.GetCount(), 0);
    EXPECT_EQ(updates.count(), 0);
}

TEST_F(AddNamesDialogTest, CancelAdmitsNothingAndKeepsTheTicks)
{
    QSignalSpy updates(&doc, &CDomainDoc::ListReset);
    OnNextModal<CAddNamesDialog>([](CAddNamesDialog& dialog) {
        Control<QPlainTextEdit>(dialog, "names").setPlainText(QStringLiteral("alpha"));
        Tick(Control<QListWidget>(dialog, "tldList"), {QStringLiteral("NET")});
        Control<QPushButton>(dialog, "cancelButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_EQ(doc.GetCount(), 0);
    EXPECT_EQ(updates.count(), 0);
    EXPECT_EQ(FlaggedTLDs(), QByteArrayList{"COM"});
    EXPECT_EQ(ReadDataFile(QStringLiteral("zul.tld")), QByteArray("<missing>"));
}

TEST_F(AddNamesDialogTest, ImportReplacesTheTextAndRemembersTheFolder)
{
    const QString path = WriteFile(QStringLiteral("names.txt"), "one two.net\r\nthree");
    CUserPrompt::SetNextFileName(path);
    QString shown;
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        auto& names = Control<QPlainTextEdit>(dialog, "names");
        names.setPlainText(QStringLiteral("typed"));
        Control<QPushButton>(dialog, "importButton").click();
        shown = names.toPlainText();
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_EQ(shown, QStringLiteral("one two.net\nthree"));
    EXPECT_EQ(Names(), (QByteArrayList{"one.COM", "two.net", "three.COM"}));
    EXPECT_EQ(GetSetting(Setting::OpenPathTXT),
              path.left(path.lastIndexOf(QLatin1Char('/')) + 1) + QStringLiteral("*.TXT"));
}

TEST_F(AddNamesDialogTest, ImportedBytesEnterAsTheBoxShowsThem)
{
    // Not UTF-8, so the box shows the bytes as Latin-1: "café", whose A-label the list keeps.
    CUserPrompt::SetNextFileName(
        WriteFile(QStringLiteral("latin1.txt"), "x.caf\xe9.hk Stra\xdf\x65 x.a_b.hk"));
    OnNextModal<CAddNamesDialog>([](CAddNamesDialog& dialog) {
        Control<QPushButton>(dialog, "importButton").click();
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_EQ(Names(), (QByteArrayList{"x.xn--caf-dma.hk", "xn--strae-oqa.COM", "x.a_b.hk"}));
}

TEST_F(AddNamesDialogTest, ImportShowsTheFileUpToItsFirstZeroByte)
{
    CUserPrompt::SetNextFileName(
        WriteFile(QStringLiteral("binary.txt"), QByteArray("alpha beta\0gamma", 16)));
    OnNextModal<CAddNamesDialog>([](CAddNamesDialog& dialog) {
        Control<QPushButton>(dialog, "importButton").click();
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_EQ(Names(), (QByteArrayList{"alpha.COM", "beta.COM"}));
}

struct ImportLeftAloneCase {
    const char* behaviour;
    bool fileChosen;
    bool folderRemembered;
};

class ImportLeavesTheText : public AddNamesDialogTest,
                            public testing::WithParamInterface<ImportLeftAloneCase> {};

TEST_P(ImportLeavesTheText, WhenNothingCanBeRead)
{
    const QString missing = WriteFile(QStringLiteral("gone.txt"), "x") + QStringLiteral(".gone");
    if (GetParam().fileChosen) {
        CUserPrompt::SetNextFileName(missing);
    }
    QString shown;
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        auto& names = Control<QPlainTextEdit>(dialog, "names");
        names.setPlainText(QStringLiteral("typed"));
        Control<QPushButton>(dialog, "importButton").click();
        shown = names.toPlainText();
        dialog.reject();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_EQ(shown, QStringLiteral("typed"));
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{QStringLiteral("Open")})
        << "an unreadable file is ignored without a message";
    EXPECT_EQ(GetSetting(Setting::OpenPathTXT).isEmpty(), !GetParam().folderRemembered);
}

INSTANTIATE_TEST_SUITE_P(AddNames, ImportLeavesTheText,
                         testing::Values(ImportLeftAloneCase{"file dialog cancelled", false, false},
                                         ImportLeftAloneCase{"file that cannot be opened", true,
                                                             true}),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(AddNamesDialogTest, LargeImportFillsTheListToItsLimit)
{
    CUserPrompt::SetNextFileName(WriteFile(QStringLiteral("large.txt"), NameLines(65535)));
    int shownLines = 0;
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        auto& names = Control<CByteTextEdit>(dialog, "names");
        Control<QPushButton>(dialog, "importButton").click();
        EXPECT_TRUE(WaitUntilAllShown(names));
        shownLines = names.blockCount();
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_EQ(shownLines, 65536);
    ASSERT_EQ(doc.GetCount(), 3000);
    EXPECT_EQ(doc.GetAt(2999)->m_strName, QByteArray("name2999.com"));
}

TEST_F(AddNamesDialogTest, LargeImportShowsTheWholeFileWhileTheWindowKeepsResponding)
{
    const QByteArray lines = NameLines(100000);
    CUserPrompt::SetNextFileName(WriteFile(QStringLiteral("large.txt"), lines));
    bool readOnlyWhileShowing = false;
    bool respondedBeforeAllShowed = false;
    bool editableOnceShown = false;
    QString shown;
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        auto& names = Control<CByteTextEdit>(dialog, "names");
        Control<QPushButton>(dialog, "importButton").click();
        readOnlyWhileShowing = names.isReadOnly();
        QTimer::singleShot(0, &names, [&names, &respondedBeforeAllShowed] {
            respondedBeforeAllShowed = !names.HasShownAll();
        });
        EXPECT_TRUE(WaitUntilAllShown(names));
        shown = names.toPlainText();
        editableOnceShown = !names.isReadOnly();
        dialog.reject();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_TRUE(readOnlyWhileShowing);
    EXPECT_TRUE(respondedBeforeAllShowed) << "the import held the window until the box was full";
    EXPECT_EQ(shown,
              QString::fromLatin1(lines).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(editableOnceShown);
}

TEST_F(AddNamesDialogTest, OkBeforeTheImportHasShownAdmitsTheWholeFile)
{
    doc.SetMaxEntries(65535);
    CUserPrompt::SetNextFileName(WriteFile(QStringLiteral("large.txt"), NameLines(65535)));
    bool stillShowing = false;
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        Control<QPushButton>(dialog, "importButton").click();
        stillShowing = !Control<CByteTextEdit>(dialog, "names").HasShownAll();
        Control<QPushButton>(dialog, "okButton").click();
    });
    RunAddNamesCommand(nullptr, doc);
    EXPECT_TRUE(stillShowing);
    ASSERT_EQ(doc.GetCount(), 65535);
    EXPECT_EQ(doc.GetAt(65534)->m_strName, QByteArray("name65534.com"));
}

// A file on one long line shows on short lines and enters as it is.
struct LongLineCase {
    const char* behaviour;
    QByteArray file;
    QByteArrayList expected;
};

QByteArray NamesOnOneLine(int count)
{
    QByteArray line;
    for (int i = 0; i < count; ++i) {
        line += "n" + QByteArray::number(i) + ".com,";
    }
    return line;
}

class LongLineImport : public AddNamesDialogTest,
                       public testing::WithParamInterface<LongLineCase> {};

TEST_P(LongLineImport, ShowsOnShortLinesAndEntersUnchanged)
{
    const LongLineCase& c = GetParam();
    CUserPrompt::SetNextFileName(WriteFile(QStringLiteral("one-line.txt"), c.file));
    QStringList shownLines;
    QByteArray nameText;
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        auto& names = Control<CByteTextEdit>(dialog, "names");
        Control<QPushButton>(dialog, "importButton").click();
        EXPECT_TRUE(WaitUntilAllShown(names));
        shownLines = names.toPlainText().split(QLatin1Char('\n'));
        Control<QPushButton>(dialog, "okButton").click();
        nameText = dialog.NameText();
    });
    RunAddNamesCommand(nullptr, doc);
    ASSERT_GT(shownLines.size(), 10);
    for (const QString& line : shownLines) {
        EXPECT_LT(line.size(), 2000);
    }
    EXPECT_EQ(shownLines.join(QString()), QString::fromLatin1(c.file)) << "only line breaks differ";
    EXPECT_EQ(nameText, c.file);
    EXPECT_EQ(Names(), c.expected);
}

QByteArrayList FirstNamesOnOneLine(int count)
{
    QByteArrayList names;
    for (int i = 0; i < count; ++i) {
        names.append("n" + QByteArray::number(i) + ".com");
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    AddNames, LongLineImport,
    testing::Values(LongLineCase{"names separated by commas", NamesOnOneLine(20000),
                                 FirstNamesOnOneLine(3000)},
                    LongLineCase{"bytes that are no text", HighBytes(200000), {}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(AddNamesDialogTest, NamesOnOneLineAreBrokenOnlyAfterTheirSeparators)
{
    CUserPrompt::SetNextFileName(WriteFile(QStringLiteral("one-line.txt"), NamesOnOneLine(20000)));
    QStringList shownLines;
    OnNextModal<CAddNamesDialog>([&](CAddNamesDialog& dialog) {
        auto& names = Control<CByteTextEdit>(dialog, "names");
        Control<QPushButton>(dialog, "importButton").click();
        EXPECT_TRUE(WaitUntilAllShown(names));
        shownLines = names.toPlainText().split(QLatin1Char('\n'));
        dialog.reject();
    });
    RunAddNamesCommand(nullptr, doc);
    ASSERT_GT(shownLines.size(), 10);
    for (const QString& line : shownLines) {
        EXPECT_TRUE(line.endsWith(QLatin1Char(','))) << line.right(20).toStdString();
    }
}

} // namespace
