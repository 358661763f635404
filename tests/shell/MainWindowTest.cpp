#include "core/DataFolder.h"
#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "shell/DocumentCommands.h"
#include "shell/LookupNotices.h"
#include "shell/MainFrame.h"
#include "shell/ProgramIdentity.h"
#include "shell/QuillonApp.h"
#include "view/BatchProgress.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/InfoPane.h"
#include "view/UserPrompt.h"

#include "support/CaseName.h"
#include "support/StoredEntry.h"
#include "support/TestEnvironment.h"
#include "support/TestWhoisServer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

using Mode = CTestWhoisServer::Mode;
using Script = CTestWhoisServer::Script;

const QByteArray kTaken = "Domain Name: TAKEN.COM\r\nRegistrar: Example Registrar, Inc.\r\n"
                          "Creation Date: 2001-01-01T00:00:00Z\r\n";

// The real main window around a document, with COM sent to the test WHOIS server.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTestEnvironment::Instance().Reset();
        CUserPrompt::Reset();
        CUserPrompt::SetAutomatic(true);
        server.SetDefault(Script::Answer("No match for domain.\r\n"));
        server.SetScript("taken.com", Script::Answer(kTaken));
        app = std::make_unique<CQuillonApp>();
        app->GetTLDList().ClearTLDList();
        app->GetTLDList().AddOrUpdateTLD("COM", server.Address());
        app->Start(QString());
        Frame().GetScheduler().SetInterval(50ms);
    }

    void TearDown() override { app.reset(); }

    CMainFrame& Frame() { return app->GetFrame(); }
    CDomainView& View() { return Frame().GetView(); }
    CDomainDoc& Doc() { return app->GetDocument(); }
    QAction* Action(Command command) { return Frame().GetAction(command); }

    void AddNames(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            ASSERT_TRUE(Doc().AdmitName(name));
        }
        Doc().AnnounceAdmitted();
    }

    // An entry as a document would bring it, for the test to fill in before it announces it.
    CDomainInfo& AddStored(const char* name) { return AddStoredEntry(Doc(), name); }

    QString Cell(int row, int column)
    {
        return View().GetList().model()->index(row, column).data().toString();
    }

    // Clicks inside a row of the list: on its check box, or on its name.
    enum class Spot { CheckBox, Number, Name };

    QPoint PointOf(int row, Spot spot)
    {
        CDomainListCtrl& list = View().GetList();
        const QRect cell = list.visualRect(list.model()->index(row, spot == Spot::Name ? 1 : 0));
        switch (spot) {
        case Spot::CheckBox:
            return {cell.left() + 10, cell.center().y()};
        case Spot::Number:
            return {cell.right() - 5, cell.center().y()};
        case Spot::Name:
            break;
        }
        return cell.center();
    }

    void Click(int row, Spot spot)
    {
        QTest::mouseClick(View().GetList().viewport(), Qt::LeftButton, Qt::NoModifier,
                          PointOf(row, spot));
        QApplication::processEvents();
    }

    void ClickRow(int row, bool onCheckBox)
    {
        Click(row, onCheckBox ? Spot::CheckBox : Spot::Name);
    }

    void Trigger(Command command)
    {
        Frame().UpdateCommandStates();
        Action(command)->trigger();
        QApplication::processEvents();
    }

    // Find, with `text` typed into its dialog.
    void FindText(const QString& text)
    {
        QTimer::singleShot(0, [text] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QComboBox*>()->setEditText(text);
            dialog->accept();
        });
        Trigger(Command::Find);
    }

    CTestWhoisServer server;
    std::unique_ptr<CQuillonApp> app;
};

TEST_F(MainWindowTest, LookupOfTheTickedEntriesShowsCheckingThenTheVerdicts)
{
    server.SetDefault(Script::Answer("No match for domain.\r\n", 300ms));
    server.SetScript("taken.com", Script::Answer(kTaken, 300ms));
    AddNames({"free.com", "taken.com", "other.com"});
    Trigger(Command::TickAll);
    Doc().SetTicked(2, false);
    ASSERT_TRUE(Action(Command::CheckAllSelected)->isEnabled());
    Trigger(Command::CheckAllSelected);

    ASSERT_TRUE(QTest::qWaitFor([this] { return Cell(0, 2) == QStringLiteral("Checking"); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            return View().GetStatusLineText().startsWith(
                QStringLiteral("Communicating with the Whois server."));
        },
        250))
        << View().GetStatusLineText().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().GetScheduler().IsBusy(); }, 10000));
    QTest::qWait(120); // one more tick refreshes the status line
    EXPECT_EQ(Cell(0, 2), QStringLiteral("*AVAILABLE*"));
    EXPECT_EQ(Cell(1, 2), QStringLiteral("Not Available"));
    EXPECT_EQ(Cell(2, 2), QStringLiteral("Unknown")) << "unticked entries are left alone";
    EXPECT_NE(Cell(0, 3), QStringLiteral("-"));
    EXPECT_TRUE(View().GetStatusLineText().endsWith(
        QStringLiteral("[3 Domains, 2 checked, 1 available, 1 taken]")))
        << View().GetStatusLineText().toStdString();
    EXPECT_TRUE(Frame().isWindowModified());
}

TEST_F(MainWindowTest, ClickOnACheckBoxTicksWithoutMovingTheSelection)
{
    AddNames({"a.com", "b.com", "c.com"});
    ClickRow(0, false);
    ASSERT_EQ(View().GetCurrentIndex(), 0);
    ClickRow(2, true);
    EXPECT_EQ(Doc().GetAt(2)->m_bTicked, 1);
    EXPECT_EQ(View().GetCurrentIndex(), 0) << "the selection stays";
    EXPECT_TRUE(Doc().IsModified());
    ClickRow(2, true);
    EXPECT_EQ(Doc().GetAt(2)->m_bTicked, 0);
    ClickRow(1, false);
    EXPECT_EQ(View().GetCurrentIndex(), 1);
    EXPECT_EQ(Doc().GetAt(1)->m_bTicked, 0) << "a click on the name does not tick";
}

TEST_F(MainWindowTest, EveryClickOnACheckBoxTogglesItOnce)
{
    AddNames({"a.com", "b.com", "c.com"});
    int updates = 0;
    QObject::connect(&Doc(), &CDomainDoc::RowsChanged, [&updates](int first, int last) {
        updates += first == 2 && last == 2 ? 1 : 0;
    });
    Click(2, Spot::Number);
    Click(2, Spot::CheckBox);
    EXPECT_EQ(Doc().GetAt(2)->m_bTicked, 1) << "a click after one on the same cell";
    EXPECT_EQ(updates, 1);
    // A double click reaches a widget as a click and then the double-click event alone.
    Click(1, Spot::CheckBox);
    QTest::mouseDClick(View().GetList().viewport(), Qt::LeftButton, Qt::NoModifier,
                       PointOf(1, Spot::CheckBox));
    QApplication::processEvents();
    EXPECT_EQ(Doc().GetAt(1)->m_bTicked, 0) << "two clicks, two toggles";
}

TEST_F(MainWindowTest, SelectedRowShowsItsRecordScrolledPastTheTerms)
{
    CDomainInfo& first = AddStored("a.com");
    AddStored("b.com");
    Doc().AnnounceAdmitted();
    QByteArray record = "WHOIS server: x, Domain: a.com\r\n\r\n";
    for (int i = 0; i < 60; ++i) {
        record += "Notice line " + QByteArray::number(i) + "\r\n";
    }
    record += "By querying you agree to abide by this policy.\r\nDomain Name: A.COM\r\n";
    for (int i = 0; i < 40; ++i) {
        record += "Field " + QByteArray::number(i) + ": value\r\n";
    }
    first.m_strInfo = record;
    ClickRow(0, false);
    CInfoPane& pane = View().GetInfoPane();
    EXPECT_TRUE(pane.toPlainText().contains(QStringLiteral("Domain Name: A.COM")));
    EXPECT_EQ(pane.verticalScrollBar()->value(), 62);
    ClickRow(1, false);
    EXPECT_EQ(pane.toPlainText(), QString(CDomainView::kNoInformationText)
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

TEST_F(MainWindowTest, NameInAnotherScriptShowsInUnicodeWithItsALabelFirstInThePane)
{
    AddNames({"p\xd0\xb0ypal.com", "m\xc3\xbcnchen.com"});
    QByteArray record;
    for (int i = 0; i < 60; ++i) {
        record += "Notice line " + QByteArray::number(i) + "\r\n";
    }
    record +=
        "By querying you agree to abide by this policy.\r\nDomain Name: m\xc3\xbcnchen.com\r\n";
    Doc().ApplyLookupResult(1, {record, DateTimeValue(), STATUS_TAKEN});
    EXPECT_EQ(Cell(0, 1), QStringLiteral("p\u0430ypal.com"));
    EXPECT_EQ(Cell(1, 1), QStringLiteral("m\u00fcnchen.com"));

    CInfoPane& pane = View().GetInfoPane();
    ClickRow(0, false);
    EXPECT_EQ(pane.toPlainText(),
              QStringLiteral("xn--pypal-4ve.com\nThe name mixes Latin and Cyrillic letters.\n\n") +
                  QString(CDomainView::kNoInformationText)
                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    ClickRow(1, false);
    EXPECT_TRUE(
        pane.toPlainText().startsWith(QStringLiteral("xn--mnchen-3ya.com\n\nNotice line 0")))
        << pane.toPlainText().left(80).toStdString();
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0) << "the A-label stays in sight";

    FindText(QStringLiteral("P\u0410Y"));
    EXPECT_EQ(View().GetCurrentIndex(), 0);
}

TEST_F(MainWindowTest, EmptyListShowsTheWelcomeAndOnlyTheEmptyListHint)
{
    EXPECT_EQ(
        View().GetInfoPane().toPlainText(),
        QString(CDomainView::kWelcomeText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_FALSE(View().GetStatusLineText().contains(QLatin1Char('[')));
    EXPECT_TRUE(Action(Command::AddNames)->isVisible());
}

TEST_F(MainWindowTest, HeaderClicksSortByTheirColumn)
{
    AddStored("c.com").m_nStatus = STATUS_AVAILABLE;
    AddStored("a.com").m_bTicked = 1;
    AddStored("b.com").m_timeChecked = DateTimeValue(DateTimeValue::Valid, 45000);
    Doc().AnnounceAdmitted();
    QHeaderView* header = View().GetList().horizontalHeader();
    const auto clickHeader = [header](int column) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, Qt::NoModifier,
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    clickHeader(1);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("a.com"));
    EXPECT_EQ(Cell(2, 1), QStringLiteral("c.com"));
    clickHeader(2);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("c.com")) << "available before unknown";
    clickHeader(3);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("b.com")) << "the only one looked up";
    clickHeader(0);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("a.com")) << "the ticked one";
    EXPECT_EQ(Cell(0, 0), QStringLiteral("1"));
}

TEST_F(MainWindowTest, FindGoesToTheExactNameElseTheFirstThatBeginsWithTheText)
{
    AddNames({"shopping.com", "shop.com", "myshop.com"});
    CUserPrompt::SetNextAnswer(QMessageBox::Ok);
    FindText(QStringLiteral("SHOP.com"));
    EXPECT_EQ(View().GetCurrentIndex(), 1);

    FindText(QStringLiteral("shop"));
    EXPECT_EQ(View().GetCurrentIndex(), 0) << "prefix: the first name beginning with it";

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        EXPECT_EQ(dialog->findChild<QComboBox*>()->currentText(), QStringLiteral("shop"))
            << "the newest search comes first";
        dialog->findChild<QComboBox*>()->setEditText(QStringLiteral("hop"));
        dialog->accept();
    });
    Trigger(Command::Find);
    EXPECT_EQ(View().GetCurrentIndex(), 0) << "a text inside names finds nothing, nothing moves";
    EXPECT_EQ(GetSetting(Setting::FindDomain), QStringLiteral("hop"));
    EXPECT_EQ(GetSettingInt(QStringLiteral("Find"), QStringLiteral("Count"), 0), 3);
}

TEST_F(MainWindowTest, DeleteAllKeepsTheEntryBeingLookedUp)
{
    server.SetScript("slow.com", Script::With(Mode::Stall));
    AddNames({"a.com", "slow.com", "b.com"});
    ClickRow(1, false);
    Trigger(Command::CheckDomain);
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.ConnectionsOpen() == 1; }, 5000));
    CUserPrompt::SetNextAnswer(QMessageBox::Yes);
    Trigger(Command::DeleteAll);
    EXPECT_TRUE(CUserPrompt::ShownTexts().contains(
        QStringLiteral("This will delete 3 entries from the list.\r\n\r\nAre you sure?")));
    ASSERT_EQ(Doc().GetCount(), 1);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("slow.com"));
    Trigger(Command::StopAll);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().GetScheduler().IsBusy(); }, 5000));
}

TEST_F(MainWindowTest, DeleteAnsweredNoKeepsEverything)
{
    AddNames({"a.com", "b.com"});
    Trigger(Command::TickAll);
    CUserPrompt::SetNextAnswer(QMessageBox::No);
    Trigger(Command::DeleteSelected);
    EXPECT_EQ(Doc().GetCount(), 2);
    CUserPrompt::SetNextAnswer(QMessageBox::Yes);
    Trigger(Command::DeleteSelected);
    EXPECT_EQ(Doc().GetCount(), 0);
}

TEST_F(MainWindowTest, DeleteEntryRemovesTheHighlightedRowAndRenumbers)
{
    AddNames({"a.com", "b.com", "c.com"});
    ClickRow(0, false);
    Trigger(Command::DeleteEntry);
    ASSERT_EQ(Doc().GetCount(), 2);
    EXPECT_EQ(View().GetList().model()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("b.com"));
    EXPECT_EQ(Cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(Cell(1, 0), QStringLiteral("2"));
}

TEST_F(MainWindowTest, EnablingRulesFollowTheList)
{
    Frame().UpdateCommandStates();
    for (const Command command : {Command::TickAll, Command::Find, Command::DeleteAll,
                                  Command::CopyAllEntries, Command::CheckAllSelected,
                                  Command::StopAll, Command::DeleteEntry, Command::CheckDomain}) {
        EXPECT_FALSE(Action(command)->isEnabled()) << RowOf(command).menuText;
    }
    AddNames({"a.com", "b.com"});
    Frame().UpdateCommandStates();
    EXPECT_TRUE(Action(Command::TickAll)->isEnabled());
    EXPECT_FALSE(Action(Command::UntickAll)->isEnabled());
    EXPECT_FALSE(Action(Command::CheckAllSelected)->isEnabled());
    EXPECT_FALSE(Action(Command::CheckDomain)->isEnabled()) << "no highlighted row";
    ClickRow(0, false);
    Frame().UpdateCommandStates();
    EXPECT_TRUE(Action(Command::CheckDomain)->isEnabled());
    EXPECT_TRUE(Action(Command::CopyDomainURL)->isEnabled());
    EXPECT_FALSE(Action(Command::CopyDomainInformation)->isEnabled()) << "not taken";
    Doc().ApplyLookupResult(0, {"No match", {}, STATUS_AVAILABLE});
    Frame().UpdateCommandStates();
    EXPECT_FALSE(Action(Command::CheckDomain)->isEnabled());
    EXPECT_FALSE(Action(Command::CopyDomainURL)->isEnabled());
    EXPECT_TRUE(Action(Command::ResetEntry)->isEnabled());
    Trigger(Command::TickAll);
    EXPECT_TRUE(Action(Command::UntickAll)->isEnabled());
    EXPECT_FALSE(Action(Command::TickAll)->isEnabled());
    EXPECT_TRUE(Action(Command::CheckAllSelected)->isEnabled());
}

TEST_F(MainWindowTest, CopyCommandsPutTheNamesOnTheClipboard)
{
    AddNames({"a.com", "b.com"});
    Trigger(Command::CopyAllEntries);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a.com\r\nb.com\r\n"));
    Doc().SetTicked(1, true);
    Trigger(Command::CopySelectedEntries);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("b.com\r\n"));
    ClickRow(0, false);
    Trigger(Command::CopyDomainURL);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("http://www.a.com"));
}

TEST_F(MainWindowTest, ClosingAModifiedListAsksToSaveAndCancelKeepsTheWindow)
{
    AddNames({"a.com"});
    Frame().show();
    CUserPrompt::SetNextAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(CUserPrompt::ShownTexts().contains(QStringLiteral("Save changes to Untitled?")));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kept.zul"));
    CUserPrompt::SetNextAnswer(QMessageBox::Yes);
    CUserPrompt::SetNextFileName(path);
    EXPECT_TRUE(Frame().close());
    CDomainDoc reopened(app->GetTLDList(), AnalyseStoredAnswer);
    ASSERT_TRUE(reopened.OnOpenDocument(path).Ok());
    EXPECT_EQ(reopened.GetCount(), 1);
}

TEST_F(MainWindowTest, DamagedFileOpensWhatItCanAndIsNotSavedOverUnasked)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cut.zul"));
    AddNames({"a.com", "b.com", "c.com"});
    ASSERT_TRUE(Doc().OnSaveDocument(path).Ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() - 4);
    file.close();

    EXPECT_TRUE(app->GetDocumentCommands().OpenPath(path));
    EXPECT_EQ(Doc().GetCount(), 2);
    ASSERT_FALSE(CUserPrompt::ShownTexts().isEmpty());
    EXPECT_TRUE(CUserPrompt::ShownTexts().last().contains(QStringLiteral("cut.zul")));
    EXPECT_TRUE(
        CUserPrompt::ShownTexts().last().contains(QStringLiteral("Unexpected end of file.")));
    EXPECT_TRUE(Doc().GetPathName().isEmpty());
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(MainWindowTest, OpenAsksOnceToSaveChanges)
{
    QTemporaryDir folder;
    const QString other = folder.filePath(QStringLiteral("other.zul"));
    {
        CDomainDoc stored(app->GetTLDList(), AnalyseStoredAnswer);
        ASSERT_TRUE(stored.AdmitName("z.com"));
        ASSERT_TRUE(stored.OnSaveDocument(other).Ok());
    }
    AddNames({"a.com"});
    CUserPrompt::SetNextAnswer(QMessageBox::No);
    CUserPrompt::SetNextFileName(other);
    Trigger(Command::Open);
    EXPECT_EQ(CUserPrompt::ShownTexts().count(QStringLiteral("Save changes to Untitled?")), 1);
    ASSERT_EQ(Doc().GetCount(), 1);
    EXPECT_EQ(Doc().GetAt(0)->m_strName, QByteArray("z.com"));
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(MainWindowTest, ReopeningTheListsVanishedFileKeepsTheList)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gone.zul"));
    AddNames({"a.com", "b.com"});
    ASSERT_TRUE(Doc().OnSaveDocument(path).Ok());
    ASSERT_TRUE(QFile::remove(path));

    EXPECT_FALSE(app->GetDocumentCommands().OpenPath(path));
    EXPECT_EQ(Doc().GetCount(), 2);
    EXPECT_EQ(Doc().GetPathName(), path) << "still the list of that file";
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_FALSE(CUserPrompt::ShownTexts().isEmpty());
    EXPECT_TRUE(CUserPrompt::ShownTexts().last().startsWith(
        QStringLiteral("Could not open \"%1\".").arg(QDir::toNativeSeparators(path))));
}

TEST_F(MainWindowTest, FileWithNoReadableEntryLeavesANewUntitledList)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("notes.zul"));
    QFile notes(path);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("shopping list: milk, bread\n");
    notes.close();
    AddNames({"a.com"});
    Doc().SetModifiedFlag(false);

    EXPECT_FALSE(app->GetDocumentCommands().OpenPath(path));
    EXPECT_EQ(Doc().GetCount(), 0);
    EXPECT_TRUE(Doc().GetPathName().isEmpty()) << "a Save must not write over notes.zul";
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_FALSE(CUserPrompt::ShownTexts().isEmpty());
    EXPECT_TRUE(CUserPrompt::ShownTexts().last().startsWith(QStringLiteral("Could not open")));
    EXPECT_FALSE(CUserPrompt::ShownTexts().last().contains(QStringLiteral("entries read")));
}

TEST_F(MainWindowTest, NextAndPreviousPaneBothLeaveThePaneWithTheFocus)
{
    Frame().show();
    QApplication::setActiveWindow(&Frame());
    QWidget& list = View().GetList();
    QWidget& pane = View().GetInfoPane();
    list.setFocus();
    ASSERT_TRUE(list.hasFocus());
    Trigger(Command::PreviousPane);
    EXPECT_TRUE(pane.hasFocus());
    Trigger(Command::PreviousPane);
    EXPECT_TRUE(list.hasFocus());
    Trigger(Command::NextPane);
    EXPECT_TRUE(pane.hasFocus());
    Trigger(Command::NextPane);
    EXPECT_TRUE(list.hasFocus());
}

TEST_F(MainWindowTest, FileHandedOverDuringADialogOpensOnceTheDialogCloses)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("handed.zul"));
    {
        CDomainDoc stored(app->GetTLDList(), AnalyseStoredAnswer);
        ASSERT_TRUE(stored.AdmitName("z.com"));
        ASSERT_TRUE(stored.OnSaveDocument(path).Ok());
    }
    AddNames({"a.com", "b.com"});
    Doc().SetModifiedFlag(false);
    Frame().show();

    QDialog dialog(&Frame());
    int countWhileOpen = -1;
    QTimer::singleShot(0, [&] {
        app->OpenHandedOver(path);
        QTest::qWait(3 * CQuillonApp::kHandOverRetryMs);
        countWhileOpen = Doc().GetCount();
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(countWhileOpen, 2) << "the list under the dialog stays";
    ASSERT_TRUE(QTest::qWaitFor([&] { return Doc().GetPathName() == path; }, 5000));
    ASSERT_EQ(Doc().GetCount(), 1);
    EXPECT_EQ(Doc().GetAt(0)->m_strName, QByteArray("z.com"));
}

TEST_F(MainWindowTest, RecentFilesAndWindowTitle)
{
    const auto recentItems = [this] {
        QStringList items;
        for (QAction* action : Frame().menuBar()->actions().front()->menu()->actions()) {
            if (action->isVisible() && !action->isSeparator() &&
                (action->text() == QStringLiteral("Recent File") ||
                 action->text().startsWith(QStringLiteral("&1 ")))) {
                items.append(action->text() +
                             (action->isEnabled() ? QString() : QStringLiteral(" (greyed)")));
            }
        }
        return items;
    };
    EXPECT_EQ(recentItems(), QStringList{QStringLiteral("Recent File (greyed)")});
    QTemporaryDir folder;
    AddNames({"a.com"});
    const QString path = folder.filePath(QStringLiteral("first.zul"));
    CUserPrompt::SetNextFileName(path);
    Trigger(Command::SaveAs);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("first.zul[*] - Quillon"));
    EXPECT_FALSE(Frame().isWindowModified());
    EXPECT_EQ(
        GetSettingText(QStringLiteral("Recent File List"), QStringLiteral("File1"), QString()),
        QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(recentItems(), QStringList{QStringLiteral("&1 first.zul")});
}

TEST_F(MainWindowTest, WindowPlacementAndBarsSurviveARestart)
{
    Frame().setGeometry(40, 60, 700, 500);
    Action(Command::ToggleToolbar)->trigger();
    ASSERT_TRUE(Frame().close());
    app = std::make_unique<CQuillonApp>();
    app->Start(QString());
    EXPECT_EQ(Frame().geometry().size(), QSize(700, 500));
    EXPECT_FALSE(Action(Command::ToggleToolbar)->isChecked());
    EXPECT_TRUE(Action(Command::ToggleStatusBar)->isChecked());
}

// A menu's visible items in order, "|" for a line, submenus in brackets.
QString Layout(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        if (!action->isVisible()) {
            continue;
        }
        if (action->isSeparator()) {
            texts.append(QStringLiteral("|"));
        } else if (action->menu()) {
            texts.append(action->text() + QLatin1Char('[') + Layout(action->menu()->actions()) +
                         QLatin1Char(']'));
        } else {
            texts.append(action->text());
        }
    }
    return texts.join(QLatin1Char(','));
}

TEST_F(MainWindowTest, MenusPopupAndToolbarHoldTheCommandsInOrder)
{
    EXPECT_EQ(Layout(Frame().menuBar()->actions()).toStdString(),
              std::string(
                  "&File[&New,&Open...,&Save,Save &As...,|,&Print...,Print Pre&view,"
                  "P&rint Setup...,|,Recent File,|,E&xit],"
                  "&Edit[&Copy All Entries,Copy &Selected Entries,|,"
                  "Delete[All &Registered Domains,All &Free Domains],&Delete Selected,&Delete All],"
                  "&View[&Toolbar,&Status Bar,|,&Find...,&Refresh,|,&Minimize to tray],"
                  "&Selections[&Select All,&Invert Selection,&Unselect All],"
                  "&Names[&Add Names...,&Construct Names...,|,&Sort[&Name wise,Status wise],|,"
                  "&Reports[Selected &Full...,Selected &Summary...],"
                  "Export As &Text[&All Selected Names...,All Available &Names],"
                  "&Export to Database],"
                  "&Lookup[Highlighted &Domain,&All Selected,&Reset All Selected,|,"
                  "Stop &Highlighted,&Stop All,|,&Options...,Setup D&omains,&Update RDAP Servers],"
                  "&Help[&Help Topics,Customer &Support,|,&About ZUL...]"));
    EXPECT_EQ(Layout(Frame().GetPopupMenu()->actions()).toStdString(),
              std::string("&Delete Entry,&Reset Entry,&Copy[&Domain Name,Domain I&P,"
                          "&Domain Information,Domain &URL],|,&Check Availability,"
                          "Stop &Lookup,&Trademark Lookup...,NSI &Payment Status...,|,"
                          "&Browse website"));
    QStringList tools;
    for (const QAction* action : Frame().findChild<QToolBar*>()->actions()) {
        tools.append(action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    }
    EXPECT_EQ(tools.join(QLatin1Char(',')).toStdString(),
              std::string("New,Open,Save,Print,|,Copy all entries,Find,|,Add Names,"
                          "Construct Names,|,Select All,Select a range,Unselect All,"
                          "Delete Selected,Invert Selection,|,Browse website,"
                          "Check Availability,Lookup All Selected,Stop All,|,Setup Domains,"
                          "Minimize to tray"));
}

TEST_F(MainWindowTest, StatusLineShowsItsWholeTextAtEveryWidthTheWindowAllows)
{
    Frame().show();
    const QLabel& status = View().GetStatusLine();
    for (const int entries : {0, 5}) {
        while (Doc().GetCount() < entries) {
            AddNames({qPrintable(QStringLiteral("name%1.com").arg(Doc().GetCount()))});
        }
        View().RefreshStatusLine();
        for (const int width : {1, 560, 1000}) {
            Frame().resize(width, 600);
            QApplication::processEvents();
            const std::string where = std::to_string(Frame().width()) + " pixels, " +
                                      std::to_string(entries) + " entries";
            EXPECT_GE(status.height(), status.heightForWidth(status.width())) << where;
            EXPECT_TRUE(View().rect().contains(status.geometry())) << where;
            EXPECT_LT(View().GetInfoPane().geometry().bottom(), status.geometry().top()) << where;
            if (width == 1) {
                EXPECT_EQ(Frame().width(), Frame().minimumSizeHint().width());
                EXPECT_GT(status.height(), 2 * status.fontMetrics().height())
                    << "the narrowest window wraps the text to three lines or more";
            }
        }
    }
}

TEST_F(MainWindowTest, RecordsShowInTheSystemsFixedWidthFontAtNormalWeight)
{
    const QFontInfo shown(View().GetInfoPane().font());
    EXPECT_TRUE(shown.fixedPitch()) << shown.family().toStdString();
    EXPECT_EQ(shown.weight(), QFont::Normal);
}

TEST_F(MainWindowTest, ProgressBarCountsTheBatchAndGoesWhenItEnds)
{
    server.SetScript("slow.com", Script::With(Mode::Stall));
    AddNames({"free.com", "taken.com", "slow.com", "left.com"});
    for (const int row : {0, 1, 2}) {
        Doc().SetTicked(row, true);
    }
    Frame().show();
    auto* bar = Frame().statusBar()->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isHidden());
    Trigger(Command::CheckAllSelected);
    EXPECT_TRUE(QTest::qWaitFor([bar] { return bar->value() == 2; }, 10000));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 3) << "the ticked entries, not the whole list";
    EXPECT_EQ(bar->text(), QStringLiteral("checked 2 of 3, 1 available, less than a minute left"));
    EXPECT_EQ(bar->toolTip(), bar->text());
    EXPECT_GT(bar->width(), bar->fontMetrics().horizontalAdvance(bar->text()))
        << "the whole text fits in the bar";

    Trigger(Command::StopAll);
    EXPECT_TRUE(QTest::qWaitFor([bar] { return bar->isHidden(); }, 10000));
    EXPECT_FALSE(Frame().GetBatchProgress().IsRunning());
}

struct NoticeCase {
    const char* behaviour;
    int notifyFinished;
    int notifyAvailable;
    enum class Window { Hidden, BehindAnother, Active } window;
    QStringList expected;
};

class MainWindowNotices : public MainWindowTest, public testing::WithParamInterface<NoticeCase> {};

TEST_P(MainWindowNotices, FollowTheOptionsAndOnlyReachAUserLookingElsewhere)
{
    const NoticeCase& c = GetParam();
    SetSetting(Setting::NotifyLookupsFinished, c.notifyFinished);
    SetSetting(Setting::NotifyNameAvailable, c.notifyAvailable);
    QStringList shown;
    app->GetNotices().SetChannels({[](const CNotice&) { return false; },
                                   [&shown](const CNotice& notice) {
                                       shown.append(notice.summary + QStringLiteral(": ") +
                                                    notice.body);
                                       return true;
                                   }});
    AddNames({"free.com", "taken.com"});
    Trigger(Command::TickAll);
    QWidget other;
    other.show();
    if (c.window == NoticeCase::Window::Hidden) {
        Frame().hide();
    } else {
        QWidget& active = c.window == NoticeCase::Window::Active ? Frame() : other;
        active.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&active));
    }
    Trigger(Command::CheckAllSelected);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Frame().GetBatchProgress().IsRunning(); }, 10000));
    EXPECT_EQ(shown, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, MainWindowNotices,
    testing::Values(
        NoticeCase{"both on with the window hidden",
                   1,
                   1,
                   NoticeCase::Window::Hidden,
                   {QStringLiteral("Name available: free.com"),
                    QStringLiteral("Lookups finished: 2 checked, 1 available")}},
        NoticeCase{"both on behind another window",
                   1,
                   1,
                   NoticeCase::Window::BehindAnother,
                   {QStringLiteral("Name available: free.com"),
                    QStringLiteral("Lookups finished: 2 checked, 1 available")}},
        NoticeCase{"only the end of the batch",
                   1,
                   0,
                   NoticeCase::Window::Hidden,
                   {QStringLiteral("Lookups finished: 2 checked, 1 available")}},
        NoticeCase{"only available names",
                   0,
                   1,
                   NoticeCase::Window::Hidden,
                   {QStringLiteral("Name available: free.com")}},
        NoticeCase{"both off", 0, 0, NoticeCase::Window::Hidden, {}},
        NoticeCase{
            "nothing while the user looks at the window", 1, 1, NoticeCase::Window::Active, {}}),
    [](const auto& info) { return CaseName(info.param.behaviour); });

// The window system appends a display name of the application to every caption ("Options —
// Quillon"); the program sets none, so captions read exactly as the dialogs give them.
TEST_F(MainWindowTest, DialogCaptionsAreExactlyTheirOwn)
{
    ApplyProgramIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("quillon"));
    QCoreApplication::setApplicationName(QStringLiteral("Renamed"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Renamed"))
        << "a display name of its own would stay";
    DataFolder::InitApplicationIdentity();

    AddNames({"a.com"});
    const std::pair<Command, QString> dialogs[] = {
        {Command::TickRange, QStringLiteral("Select a Range")},
        {Command::Find, QStringLiteral("Find")},
        {Command::Options, QStringLiteral("Options")},
    };
    for (const auto& [command, caption] : dialogs) {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shown = dialog->windowTitle();
                qobject_cast<QDialog*>(dialog)->reject();
            }
        });
        Trigger(command);
        EXPECT_EQ(shown, caption);
    }
}

} // namespace
