// The main window with a large list: opening and showing a 64,000-entry document, sorting it by
// each header including the repaint, and the longest stall of the window's thread while 3,000
// names are looked up through "&All Selected" against a test WHOIS server.

#include "core/DataFolder.h"
#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"
#include "lookup/LookupScheduler.h"
#include "shell/CommandTable.h"
#include "shell/DocumentCommands.h"
#include "shell/MainFrame.h"
#include "shell/QuillonApp.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/UserPrompt.h"

#include "support/TestWhoisServer.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace std::chrono_literals;

namespace {

constexpr int kEntries = 64000;
constexpr int kLookups = 3000;

const QByteArray kTakenAnswer = "   Domain Name: EXAMPLE.COM\r\n"
                                "   Registrar: Example Registrar, Inc.\r\n"
                                "   Creation Date: 1995-08-14T04:00:00Z\r\n"
                                "   Name Server: A.IANA-SERVERS.NET\r\n";
const QByteArray kFreeAnswer = "No match for \"EXAMPLE.COM\".\r\n";

void Report(const char* what, double milliseconds, double target)
{
    std::printf("%-48s %8.1f ms (target %s %.0f ms) %s\n", what, milliseconds,
                target == 50 ? "<" : "<=", target, milliseconds <= target ? "ok" : "OVER");
    std::fflush(stdout);
}

// A looked-up list: every other name taken, with the answer text the window shows.
QString WriteLargeDocument(const QString& folder)
{
    CTLDList tlds;
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    for (int i = 0; i < kEntries; ++i) {
        const QByteArray name = "candidate" + QByteArray::number(i * 7919 % kEntries) + ".com";
        auto entry = std::make_unique<CDomainInfo>(name);
        entry->m_bTicked = i % 3 == 0;
        entry->m_strInfo = "WHOIS server: whois.verisign-grs.com, Domain: " + name + "\n\n" +
                           (i % 2 ? kTakenAnswer : kFreeAnswer);
        entry->m_timeChecked = DateTimeValue(DateTimeValue::Valid, 46000.0 + i / 1000.0);
        doc.AppendEntry(std::move(entry));
    }
    const QString path = folder + QStringLiteral("/large.zul");
    doc.OnSaveDocument(path);
    return path;
}

// Time until the events the work queued are handled and the window has painted itself.
template <typename Work>
double TimeWithRepaint(CMainFrame& frame, Work work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    QApplication::processEvents();
    frame.repaint();
    return clock.nsecsElapsed() / 1e6;
}

void ClickHeader(CDomainListCtrl& list, int column)
{
    QHeaderView* header = list.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

double LongestStallDuringLookups(CQuillonApp& app)
{
    CDomainDoc& doc = app.GetDocument();
    CLookupScheduler& scheduler = app.GetFrame().GetScheduler();
    doc.ClearList();
    doc.SetMaxEntries(kLookups);
    for (int i = 0; i < kLookups; ++i) {
        doc.AdmitName("lookup" + QByteArray::number(i) + ".com");
    }
    doc.ChangeTicks(CDomainDoc::TickChange::TickAll);
    doc.AnnounceAdmitted();
    scheduler.SetMaxConnections(40);
    scheduler.SetInterval(100ms);

    double longest = 0;
    QElapsedTimer lateness;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = std::max(longest, lateness.nsecsElapsed() / 1e6 - 5);
        lateness.restart();
    });
    QEventLoop loop;
    QObject::connect(&scheduler, &CLookupScheduler::Ticked, [&] {
        if (!scheduler.IsBusy()) {
            loop.quit();
        }
    });
    lateness.start();
    probe.start();
    app.GetFrame().GetAction(Command::CheckAllSelected)->trigger();
    loop.exec();
    return longest;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folders;
    qputenv("XDG_CONFIG_HOME", (folders.path() + QStringLiteral("/config")).toUtf8());
    qputenv("QUILLON_DATA_DIR", (folders.path() + QStringLiteral("/data")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    DataFolder::InitApplicationIdentity();
    CUserPrompt::SetAutomatic(true);
    // The registry's path is what this measures: no name is settled by DNS.
    SetSetting(Setting::CheckDnsFirst, 0);

    CTestWhoisServer server;
    server.SetDefault(CTestWhoisServer::Script::Answer(kFreeAnswer, 50ms));
    const QString path = WriteLargeDocument(folders.path());

    CQuillonApp app;
    app.GetTLDList().AddOrUpdateTLD("COM", server.Address());
    app.Start(QString());
    CMainFrame& frame = app.GetFrame();
    frame.resize(1024, 768);
    QApplication::processEvents();

    const double open = TimeWithRepaint(frame, [&] { app.GetDocumentCommands().OpenPath(path); });
    if (app.GetDocument().GetCount() != kEntries) {
        std::fprintf(stderr, "the document opened with %d entries\n", app.GetDocument().GetCount());
        return 1;
    }
    Report("open and show 64,000 entries", open, 1000);
    CDomainListCtrl& list = frame.GetView().GetList();
    static const char* const kSortNames[] = {
        "sort by the ticks, with repaint", "sort by the names, with repaint",
        "sort by the status, with repaint", "sort by the lookup time, with repaint"};
    for (int column = 0; column < 4; ++column) {
        Report(kSortNames[column], TimeWithRepaint(frame, [&] { ClickHeader(list, column); }), 200);
    }
    Report("scroll to the end, with repaint",
           TimeWithRepaint(
               frame,
               [&] { list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum()); }),
           50);
    Report("longest stall while 3,000 names are looked up", LongestStallDuringLookups(app), 50);
    return 0;
}
