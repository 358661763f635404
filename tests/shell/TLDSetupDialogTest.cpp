#include "shell/TLDSetupDialog.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/HostRecord.h"
#include "lookup/LookupScheduler.h"
#include "shell/ImportServersDialog.h"
#include "view/UserPrompt.h"

#include "support/CaseName.h"
#include "support/CleanProgram.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace std::chrono_literals;

namespace {

using Script = CTestWhoisServer::Script;

const QString kBusyOnClose = QStringLiteral(
    "A connection to the whois server is in progress.\nChanges in whois server (if any) will not "
    "take effect now");
const QString kBusyOnReset = QStringLiteral(
    "A connection to a WHOIS server is progress. The TLDs can not be reset now. Please attempt to "
    "do this after stopping all connections");
const QString kResetQuestion = QStringLiteral("This will remove all TLDs added by you and reset "
                                              "the list to the program defaults! Are you sure?");
const QByteArray kFree = "No match for domain.\r\n";

// Acts on the next modal dialog of type T that is not `previous`, once it shows.
template <typename T>
void WhenShown(std::function<void(T&)> action, QWidget* previous = nullptr)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, action, previous = QPointer<QWidget>(previous)] {
                         auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
                         if (dialog && dialog != previous) {
                             timer->stop();
                             timer->deleteLater();
                             action(*dialog);
                         }
                     });
    timer->start();
}

QTreeWidget* Rows(QWidget& dialog)
{
    return dialog.findChild<QTreeWidget*>();
}

QLineEdit* Box(QWidget& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QLatin1String(name));
}

void Click(QWidget& dialog, const char* text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(text)) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << text;
}

void ClickRow(QWidget& dialog, int row, Qt::MouseButton button = Qt::LeftButton)
{
    QTreeWidget* rows = Rows(dialog);
    QTreeWidgetItem* item = rows->topLevelItem(row);
    rows->scrollToItem(item);
    QTest::mouseClick(rows->viewport(), button, {}, rows->visualItemRect(item).center());
}

void ClickHeader(QWidget& dialog, int column)
{
    QHeaderView* header = Rows(dialog)->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

void Type(QWidget& dialog, const char* box, const char* text)
{
    QLineEdit* edit = Box(dialog, box);
    edit->selectAll();
    edit->insert(QString::fromUtf8(text));
}

QStringList RowTexts(QWidget& dialog)
{
    QStringList texts;
    QTreeWidget* rows = Rows(dialog);
    for (int row = 0; row < rows->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = rows->topLevelItem(row);
        texts.append(item->text(0) + QLatin1Char(' ') + item->text(1) + QLatin1Char(' ') +
                     item->text(2));
    }
    return texts;
}

QStringList Boxes(QWidget& dialog)
{
    return {Box(dialog, "tld")->text(), Box(dialog, "server")->text(),
            Box(dialog, "registrar")->text()};
}

int SelectedRow(QWidget& dialog)
{
    const QList<QTreeWidgetItem*> selected = Rows(dialog)->selectedItems();
    return selected.isEmpty() ? -1 : Rows(dialog)->indexOfTopLevelItem(selected.constFirst());
}

QList<QByteArray> TableTLDs(const CTLDList& list)
{
    QList<QByteArray> texts;
    for (const auto& entry : list.GetEntries()) {
        texts.append(entry->m_strTLD);
    }
    return texts;
}

QList<QByteArray> Split(const char* words)
{
    return QByteArray(words).split(' ');
}

class TLDSetupDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetToCleanProgram();
        tlds.ClearTLDList();
        tlds.FillDefaults();
        scheduler = std::make_unique<CLookupScheduler>(doc);
        scheduler->SetInterval(1h);
        scheduler->SetTimeouts({2s, 5s});
    }

    void TearDown() override
    {
        scheduler.reset();
        doc.ClearList();
        tlds.ClearTLDList();
    }

    // A dialog on screen over the current table.
    std::unique_ptr<CTLDSetupDialog> Open()
    {
        auto dialog = std::make_unique<CTLDSetupDialog>(tlds, *scheduler);
        dialog->show();
        return dialog;
    }

    bool WaitUntilIdle(int timeoutMs = 10000)
    {
        return QTest::qWaitFor([this] { return !scheduler->IsBusy(); }, timeoutMs);
    }

    CTLDList tlds;

    CDomainDoc doc{tlds, AnalyseStoredAnswer};
    std::unique_ptr<CLookupScheduler> scheduler;
};

TEST_F(TLDSetupDialogTest, ListsTheTableInOrderWithEmptyBoxesUntilARowIsChosen)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Top Level Domains & WHOIS Servers"));
    const QTreeWidgetItem* header = Rows(*dialog)->headerItem();
    EXPECT_EQ(header->text(0) + header->text(1) + header->text(2),
              QStringLiteral("SlNo.TLDServer"));
    const QStringList rows = RowTexts(*dialog);
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows.first(), QStringLiteral("1 COM whois.verisign-grs.com"));
    EXPECT_EQ(rows[3], QStringLiteral("4 CO.UK whois.nic.uk"));
    EXPECT_EQ(rows.last(), QStringLiteral("12 HK whois.hkirc.hk"));
    EXPECT_EQ(Boxes(*dialog), (QStringList{{}, {}, {}}));
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        labels.append(label->text());
    }
    EXPECT_TRUE(labels.contains(QStringLiteral("&Favorite registrar for this TLD/CC")));
    EXPECT_TRUE(
        labels.contains(QStringLiteral("Select a TLD from the list and make changes in the "
                                       "three boxes above (TLD, WHOIS Server & Registrar).")));
}

TEST_F(TLDSetupDialogTest, ChoosingARowLoadsItsValuesAndLeavingItStoresTheEdits)
{
    tlds.GetAt(1)->m_strRegistrarURL = "https://registrar.example/?domain={D}";
    auto dialog = Open();
    ClickRow(*dialog, 1);
    EXPECT_EQ(Boxes(*dialog),
              (QStringList{QStringLiteral("NET"), QStringLiteral("whois.verisign-grs.com"),
                           QStringLiteral("https://registrar.example/?domain={D}")}));
    Type(*dialog, "tld", "net");
    Type(*dialog, "server", "whois.example.net");
    Type(*dialog, "registrar", "https://other.example/{D}");
    ClickRow(*dialog, 2);
    const CTLDInfo* net = tlds.GetAt(1);
    EXPECT_EQ(net->m_strTLD, QByteArray("net")) << "stored exactly as typed";
    EXPECT_EQ(net->m_strServer, QByteArray("whois.example.net"));
    EXPECT_EQ(net->m_strRegistrarURL, QByteArray("https://other.example/{D}"));
    EXPECT_EQ(RowTexts(*dialog)[1], QStringLiteral("2 net whois.example.net"));
    EXPECT_EQ(Boxes(*dialog)[0], QStringLiteral("ORG"));
}

TEST_F(TLDSetupDialogTest, PassingOverARowLeavesItsBytesAsTheyWere)
{
    tlds.GetAt(0)->m_strServer = "whois.caf\xe9.example";
    auto dialog = Open();
    ClickRow(*dialog, 0);
    ClickRow(*dialog, 1);
    EXPECT_EQ(tlds.GetAt(0)->m_strServer, QByteArray("whois.caf\xe9.example"));
    ClickRow(*dialog, 0);
    Type(*dialog, "server", "whois.na\xc3\xafve.example");
    ClickRow(*dialog, 1);
    EXPECT_EQ(tlds.GetAt(0)->m_strServer, QByteArray("whois.na\xc3\xafve.example"))
        << "typed text is stored as UTF-8";
}

TEST_F(TLDSetupDialogTest, AddNewTLDTwiceUpdatesTheOneNewEntry)
{
    auto dialog = Open();
    Click(*dialog, "&Add New TLD");
    ASSERT_EQ(tlds.GetCount(), 13);
    EXPECT_EQ(RowTexts(*dialog).last(), QStringLiteral("13 xxx xxx.xx.xx"));
    EXPECT_EQ(SelectedRow(*dialog), 12);
    EXPECT_EQ(Boxes(*dialog),
              (QStringList{QStringLiteral("xxx"), QStringLiteral("xxx.xx.xx"), {}}));

    Type(*dialog, "server", "whois.half.done");
    Click(*dialog, "&Add New TLD");
    EXPECT_EQ(tlds.GetCount(), 13) << "no second xxx row";
    EXPECT_EQ(tlds.GetAt(12)->m_strServer, QByteArray("xxx.xx.xx"));
    EXPECT_EQ(Boxes(*dialog)[1], QStringLiteral("xxx.xx.xx"));

    Type(*dialog, "tld", "IO");
    Type(*dialog, "server", "whois.nic.io");
    Click(*dialog, "&Add New TLD");
    EXPECT_EQ(tlds.GetAt(12)->m_strTLD, QByteArray("IO"));
    EXPECT_EQ(tlds.GetAt(12)->m_strServer, QByteArray("whois.nic.io"));
    EXPECT_EQ(RowTexts(*dialog).last(), QStringLiteral("14 xxx xxx.xx.xx"));
}

struct DeleteCase {
    const char* behaviour;
    int tableSize;
    int row;
    int selectedAfter;
    const char* tldInBoxes;
};

class TLDDelete : public TLDSetupDialogTest, public testing::WithParamInterface<DeleteCase> {};

TEST_P(TLDDelete, RemovesTheRowRenumbersAndShowsItsNeighbour)
{
    const DeleteCase& c = GetParam();
    while (tlds.GetCount() > c.tableSize) {
        tlds.RemoveAt(tlds.GetCount() - 1);
    }
    const QList<QByteArray> before = TableTLDs(tlds);
    auto dialog = Open();
    ClickRow(*dialog, c.row);
    Type(*dialog, "server", "typed.for.the.deleted.entry");
    Click(*dialog, "&Delete");

    QList<QByteArray> expected = before;
    expected.removeAt(c.row);
    EXPECT_EQ(TableTLDs(tlds), expected);
    EXPECT_EQ(SelectedRow(*dialog), c.selectedAfter);
    EXPECT_EQ(Boxes(*dialog)[0], QString::fromLatin1(c.tldInBoxes));
    const QStringList rows = RowTexts(*dialog);
    ASSERT_EQ(rows.size(), c.tableSize - 1);
    for (int row = 0; row < rows.size(); ++row) {
        EXPECT_TRUE(rows[row].startsWith(QString::number(row + 1) + QLatin1Char(' '))) << row;
    }
    EXPECT_NE(Boxes(*dialog)[1], QStringLiteral("typed.for.the.deleted.entry"));
    for (const auto& entry : tlds.GetEntries()) {
        EXPECT_NE(entry->m_strServer, QByteArray("typed.for.the.deleted.entry"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    TLDSetupDialog, TLDDelete,
    testing::Values(DeleteCase{"middle row gives way to the row below", 12, 3, 3, "NET.UK"},
                    DeleteCase{"first row gives way to the second", 12, 0, 0, "NET"},
                    DeleteCase{"last row selects the row above it", 12, 11, 10, "NET.AU"},
                    DeleteCase{"only row clears the boxes", 1, 0, -1, ""}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

struct SortCase {
    const char* behaviour;
    int column;
    const char* order;
};

class TLDHeaderSort : public TLDSetupDialogTest, public testing::WithParamInterface<SortCase> {};

TEST_P(TLDHeaderSort, SortsTheTableAndAsksToBeReopened)
{
    auto dialog = Open();
    ClickHeader(*dialog, GetParam().column);
    EXPECT_EQ(TableTLDs(tlds), Split(GetParam().order));
    EXPECT_EQ(dialog->result(), CTLDSetupDialog::Reopen);
    EXPECT_FALSE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    TLDSetupDialog, TLDHeaderSort,
    testing::Values(SortCase{"TLD puts two letters before three and co.uk after both", 1,
                             "CC HK NU COM NET ORG CO.UK COM.AU LTD.UK NET.AU NET.UK ORG.UK"},
                    SortCase{"server orders alphabetically keeping ties in table order", 2,
                             "CC COM.AU NET.AU HK NU CO.UK NET.UK ORG.UK LTD.UK ORG COM NET"}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

struct NoChangeCase {
    const char* behaviour;
    void (*act)(QWidget& dialog);
};

class TLDClickWithoutEffect : public TLDSetupDialogTest,
                              public testing::WithParamInterface<NoChangeCase> {};

TEST_P(TLDClickWithoutEffect, LeavesTableSelectionAndBoxesAlone)
{
    const QList<QByteArray> before = TableTLDs(tlds);
    auto dialog = Open();
    GetParam().act(*dialog);
    EXPECT_EQ(TableTLDs(tlds), before);
    EXPECT_EQ(SelectedRow(*dialog), -1);
    EXPECT_EQ(Boxes(*dialog), (QStringList{{}, {}, {}}));
    EXPECT_TRUE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(TLDSetupDialog, TLDClickWithoutEffect,
                         testing::Values(NoChangeCase{"right click on a row",
                                                      [](QWidget& d) {
                                                          ClickRow(d, 2, Qt::RightButton);
                                                      }},
                                         NoChangeCase{"delete with no row chosen",
                                                      [](QWidget& d) {
                                                          Click(d, "&Delete");
                                                      }},
                                         NoChangeCase{"click on the number header",
                                                      [](QWidget& d) {
                                                          ClickHeader(d, 0);
                                                      }}),
                         [](const auto& info) { return CaseName(info.param.behaviour); });

TEST_F(TLDSetupDialogTest, SortingKeepsWhatWasTypedAndReopensOnTheSortedTable)
{
    WhenShown<CTLDSetupDialog>([](CTLDSetupDialog& first) {
        ClickRow(first, 7);
        Type(first, "server", "whois.changed.nu");
        WhenShown<CTLDSetupDialog>(
            [](CTLDSetupDialog& reopened) {
                EXPECT_EQ(RowTexts(reopened)[2], QStringLiteral("3 NU whois.changed.nu"));
                EXPECT_EQ(Boxes(reopened), (QStringList{{}, {}, {}}));
                Click(reopened, "&Close");
            },
            &first);
        ClickHeader(first, 1);
    });
    RunSetupDomainsCommand(nullptr, tlds, *scheduler);
    EXPECT_EQ(tlds.GetAt(2)->m_strServer, QByteArray("whois.changed.nu"));
    CTLDList saved;
    ASSERT_TRUE(saved.ReadFile(CTLDList::FilePath()).Ok());
    EXPECT_EQ(TableTLDs(saved), TableTLDs(tlds));
}

class TLDImport : public TLDSetupDialogTest {
protected:
    QString WriteImportFile(const QByteArray& text)
    {
        const QString path = folder.filePath(QStringLiteral("servers.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    // "&Import..." in the dialog, answering the import dialog with its import button.
    void Import(QWidget& dialog)
    {
        WhenShown<CImportServersDialog>([](CImportServersDialog& import) {
            Click(import, "Click here to &Import from text file...");
        });
        Click(dialog, "&Import...");
    }

    QTemporaryDir folder;
};

TEST_F(TLDImport, AddsAndUpdatesTrimmedServersInLowerCase)
{
    tlds.GetAt(4)->m_strRegistrarURL = "https://registrar.example/{D}";
    CUserPrompt::SetNextFileName(WriteImportFile("co.uk: whois.example.uk\r\n"
                                                 "  net.uk  :  Whois.Other.UK   \n\n"
                                                 "a line without a colon\n"
                                                 ": orphan.example\n"
                                                 "io:whois.nic.io\r"
                                                 "Net.Au: WHOIS.AU.Example\n"));
    auto dialog = Open();
    ClickRow(*dialog, 3);
    Import(*dialog);

    ASSERT_EQ(tlds.GetCount(), 13);
    EXPECT_EQ(tlds.GetAt(3)->m_strServer, QByteArray("whois.example.uk"))
        << "the import is not overwritten by the boxes of the row that was current";
    const CTLDInfo* netUk = tlds.GetAt(4);
    EXPECT_EQ(netUk->m_strTLD, QByteArray("NET.UK"));
    EXPECT_EQ(netUk->m_strServer, QByteArray("whois.other.uk"));
    EXPECT_EQ(netUk->m_strRegistrarURL, QByteArray("https://registrar.example/{D}"));
    EXPECT_EQ(tlds.GetAt(10)->m_strTLD, QByteArray("NET.AU")) << "matched ignoring case";
    EXPECT_EQ(tlds.GetAt(10)->m_strServer, QByteArray("whois.au.example"));
    EXPECT_EQ(RowTexts(*dialog)[4], QStringLiteral("5 NET.UK whois.other.uk"));
    EXPECT_EQ(RowTexts(*dialog).last(), QStringLiteral("13 IO whois.nic.io"));
    EXPECT_EQ(SelectedRow(*dialog), 12);
    EXPECT_EQ(Boxes(*dialog)[0], QStringLiteral("IO"));
    EXPECT_EQ(GetSetting(Setting::OpenPathTXT), folder.path() + QStringLiteral("/*.TXT"));
}

TEST_F(TLDImport, ServerImportedForTheRowInTheBoxesIsNotOverwrittenLater)
{
    CUserPrompt::SetNextFileName(WriteImportFile("co.uk: whois.fresh.uk\n"));
    auto dialog = Open();
    ClickRow(*dialog, 3);
    Import(*dialog);
    EXPECT_EQ(Boxes(*dialog)[1], QStringLiteral("whois.fresh.uk"));
    ClickRow(*dialog, 0);
    EXPECT_EQ(tlds.GetAt(3)->m_strServer, QByteArray("whois.fresh.uk"));
}

TEST_F(TLDImport, CancellingEitherDialogImportsNothing)
{
    auto dialog = Open();
    Import(*dialog);
    WhenShown<CImportServersDialog>([](CImportServersDialog& import) { Click(import, "Cancel"); });
    Click(*dialog, "&Import...");
    EXPECT_EQ(tlds.GetCount(), 12);
    EXPECT_EQ(GetSetting(Setting::OpenPathTXT), QString());
}

TEST_F(TLDImport, InstructionsShowTheLineFormatWithRealServers)
{
    CImportServersDialog import;
    EXPECT_EQ(import.windowTitle(), QStringLiteral("Import WHOIS Servers"));
    const auto* text = import.findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(), CImportServersDialog::Instructions());
    EXPECT_TRUE(text->toPlainText().contains(
        QStringLiteral("format:\n\ntld: whois server\n\nEg:\nco.uk: whois.nic.uk\nnet.uk: "
                       "whois.nic.uk\nnet.au: whois.auda.org.au\n\nA sample file (wholist.txt)")));
}

class TLDReset : public TLDSetupDialogTest,
                 public testing::WithParamInterface<QMessageBox::StandardButton> {
protected:
    void AddUserTLDAndSave()
    {
        tlds.AddOrUpdateTLD("IO", "whois.nic.io");
        ASSERT_TRUE(tlds.SaveTLDList().Ok());
    }
};

TEST_F(TLDReset, IsRefusedWhileLookupsRun)
{
    AddUserTLDAndSave();
    scheduler->CheckAllSelected();
    auto dialog = Open();
    Click(*dialog, "&Reset");
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kBusyOnReset});
    EXPECT_EQ(tlds.GetCount(), 13);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_P(TLDReset, AnswerOtherThanYesKeepsTheTable)
{
    AddUserTLDAndSave();
    CUserPrompt::SetNextAnswer(GetParam());
    auto dialog = Open();
    Click(*dialog, "&Reset");
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kResetQuestion});
    EXPECT_EQ(tlds.GetCount(), 13);
    EXPECT_TRUE(QFile::exists(CTLDList::FilePath()));
    EXPECT_TRUE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(TLDSetupDialog, TLDReset,
                         testing::Values(QMessageBox::No, QMessageBox::Cancel));

TEST_F(TLDReset, YesBringsBackTheDefaultsInTheReopenedDialog)
{
    AddUserTLDAndSave();
    CUserPrompt::SetNextAnswer(QMessageBox::Yes);
    WhenShown<CTLDSetupDialog>([](CTLDSetupDialog& first) {
        WhenShown<CTLDSetupDialog>(
            [](CTLDSetupDialog& reopened) {
                EXPECT_EQ(RowTexts(reopened).size(), 12);
                EXPECT_FALSE(QFile::exists(CTLDList::FilePath())) << "the file was deleted";
                Click(reopened, "&Close");
            },
            &first);
        Click(first, "&Reset");
    });
    RunSetupDomainsCommand(nullptr, tlds, *scheduler);
    EXPECT_EQ(TableTLDs(tlds),
              Split("COM NET ORG CO.UK NET.UK ORG.UK LTD.UK NU CC COM.AU NET.AU HK"));
    EXPECT_TRUE(QFile::exists(CTLDList::FilePath())) << "closing saved the defaults";
}

TEST_F(TLDSetupDialogTest, CloseSavesTheTableWithTheBoxesCommitted)
{
    auto dialog = Open();
    ClickRow(*dialog, 8);
    Type(*dialog, "registrar", "https://cc.example/{D}");
    Click(*dialog, "&Close");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    CTLDList saved;
    ASSERT_TRUE(saved.ReadFile(CTLDList::FilePath()).Ok());
    ASSERT_EQ(saved.GetCount(), 12);
    EXPECT_EQ(saved.GetAt(8)->m_strRegistrarURL, QByteArray("https://cc.example/{D}"));
}

TEST_F(TLDSetupDialogTest, EscapeSavesNothingButKeepsCommittedEditsForTheRun)
{
    auto dialog = Open();
    ClickRow(*dialog, 0);
    Type(*dialog, "server", "whois.committed.example");
    ClickRow(*dialog, 1);
    Type(*dialog, "server", "whois.never.committed");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(CTLDList::FilePath()));
    EXPECT_EQ(tlds.GetAt(0)->m_strServer, QByteArray("whois.committed.example"));
    EXPECT_EQ(tlds.GetAt(1)->m_strServer, QByteArray("whois.verisign-grs.com"));
}

TEST_F(TLDSetupDialogTest, TableThatCannotBeSavedIsReportedAndTheDialogCloses)
{
    ASSERT_TRUE(QDir().mkpath(CTLDList::FilePath())) << "a folder where the file should be";
    auto dialog = Open();
    Click(*dialog, "&Close");
    ASSERT_EQ(CUserPrompt::ShownTexts().size(), 1);
    EXPECT_TRUE(CUserPrompt::ShownTexts().first().contains(QStringLiteral("zul.tld")));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// Lookups against test servers while the table is edited. The table names only servers on
// 127.0.0.1, so nothing reaches the network.
class TLDEditDuringLookup : public TLDSetupDialogTest {
protected:
    void SetUp() override
    {
        TLDSetupDialogTest::SetUp();
        tlds.ClearTLDList();
        tlds.AddOrUpdateTLD("COM", first.Address());
        first.SetDefault(Script::Answer(kFree));
        second.SetDefault(Script::Answer(kFree));
        ASSERT_TRUE(doc.AdmitName("waiting.com"));
    }

    // COM names a server whose name service never answers, so its lookups wait for the address.
    void WaitForeverForTheAddressOfCOM()
    {
        tlds.AddOrUpdateTLD("COM", kNeverResolved);
        scheduler->GetResolver().SetHostLookup([](const QString&, CServerResolver&) { return 1; });
    }

    const QByteArray kNeverResolved = "whois.never.example";

    CTestWhoisServer first;
    CTestWhoisServer second;
};

TEST_F(TLDEditDuringLookup, DeletingTheTLDOfAWaitingLookupEndsItAsAFailure)
{
    WaitForeverForTheAddressOfCOM();
    ASSERT_TRUE(scheduler->StartLookup(0));
    WhenShown<CTLDSetupDialog>([](CTLDSetupDialog& dialog) {
        ClickRow(dialog, 0);
        Click(dialog, "&Delete");
        Click(dialog, "&Close");
    });
    RunSetupDomainsCommand(nullptr, tlds, *scheduler);
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kBusyOnClose});
    EXPECT_TRUE(TableTLDs(tlds).isEmpty());
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_ERROR_1);
    EXPECT_EQ(doc.GetAt(0)->m_strInfo, "Unknown 'whois' server (" + kNeverResolved + ")\r\n");
}

TEST_F(TLDEditDuringLookup, WaitingLookupFollowsItsEntryThroughAnEditAndASort)
{
    WaitForeverForTheAddressOfCOM();
    tlds.AddOrUpdateTLD("IO", "127.0.0.1:9");
    ASSERT_TRUE(scheduler->StartLookup(0));
    const QByteArray secondAddress = second.Address();
    WhenShown<CTLDSetupDialog>([&secondAddress](CTLDSetupDialog& dialog) {
        ClickRow(dialog, 0);
        Type(dialog, "server", secondAddress.constData());
        WhenShown<CTLDSetupDialog>([](CTLDSetupDialog& reopened) { Click(reopened, "&Close"); },
                                   &dialog);
        ClickHeader(dialog, 1);
    });
    RunSetupDomainsCommand(nullptr, tlds, *scheduler);
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kBusyOnClose});
    EXPECT_EQ(TableTLDs(tlds), Split("IO COM")) << "the entry moved";
    EXPECT_TRUE(scheduler->IsLookupRunning(0));

    scheduler->GetResolver().ResolveServers();
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(second.Queries(), std::vector<QByteArray>{"waiting.com\r\n"});
}

TEST_F(TLDEditDuringLookup, ConnectedLookupFinishesOnTheOldServerUntilTheNextIdleClose)
{
    first.SetDefault(Script::Answer(kFree, 600ms));
    ASSERT_TRUE(scheduler->CheckDomain(0));
    ASSERT_TRUE(QTest::qWaitFor([this] { return first.ConnectionsOpen() == 1; }, 5000));
    const QByteArray secondAddress = second.Address();
    WhenShown<CTLDSetupDialog>([&secondAddress](CTLDSetupDialog& dialog) {
        ClickRow(dialog, 0);
        Type(dialog, "server", secondAddress.constData());
        Click(dialog, "&Close");
    });
    RunSetupDomainsCommand(nullptr, tlds, *scheduler);
    EXPECT_EQ(CUserPrompt::ShownTexts(), QStringList{kBusyOnClose});
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(doc.GetAt(0)->m_nStatus, STATUS_AVAILABLE);
    EXPECT_EQ(first.ConnectionsAccepted(), 1);
    EXPECT_TRUE(scheduler->GetResolver().HostFor(*tlds.GetAt(0))->IsResolved())
        << "the address in use stays";

    WhenShown<CTLDSetupDialog>([](CTLDSetupDialog& dialog) { Click(dialog, "&Close"); });
    RunSetupDomainsCommand(nullptr, tlds, *scheduler);
    ASSERT_TRUE(doc.ResetEntry(0));
    ASSERT_TRUE(scheduler->CheckDomain(0));
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(second.Queries(), std::vector<QByteArray>{"waiting.com\r\n"});
}

} // namespace
