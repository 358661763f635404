#include "shell/QuillonApp.h"

#include "lookup/AnswerAnalysis.h"
#include "shell/CommandWiring.h"
#include "shell/DocumentCommands.h"
#include "shell/LookupNotices.h"
#include "shell/MainFrame.h"
#include "shell/ProgramIcons.h"
#include "shell/SystemTray.h"
#include "view/BatchProgress.h"
#include "view/DomainView.h"
#include "view/ListCommands.h"
#include "view/UserPrompt.h"

#include <QApplication>
#include <QMessageBox>

CQuillonApp::CQuillonApp()
    : m_tableLoad(m_tlds.LoadTLDList())
    , m_doc(m_tlds, AnalyseStoredAnswer)
    , m_frame(std::make_unique<CMainFrame>(m_doc))
    , m_documentCommands(new CDocumentCommands(*m_frame))
    , m_tray(new CSystemTray(this))
    , m_desktopNotifications(new CFreedesktopNotifications(this))
{
    m_frame->setWindowIcon(ProgramIcons::ProgramIcon());
    m_handOverRetry.setInterval(kHandOverRetryMs);
    m_handOverRetry.setSingleShot(true);
    connect(&m_handOverRetry, &QTimer::timeout, this, &CQuillonApp::OpenWaitingHandOvers);
    CreateTray();
    CreateNotices();
    BindShellCommands();
    BindFeatureCommands(*m_frame);
}

CQuillonApp::~CQuillonApp() = default;

void CQuillonApp::Start(const QString& file)
{
    m_doc.OnNewDocument();
    if (!file.isEmpty()) {
        m_documentCommands->OpenPath(file);
    }
    m_frame->show();
    m_tray->MinimizeAtStartIfSet(*m_frame);
    if (!m_tableLoad.Ok()) {
        CUserPrompt::Warning(m_frame.get(), m_tableLoad.Message());
    }
}

void CQuillonApp::OpenHandedOver(const QString& file)
{
    m_tray->ShowWindow(*m_frame);
    m_frame->raise();
    m_frame->activateWindow();
    m_waitingHandOvers.append(file);
    OpenWaitingHandOvers();
}

void CQuillonApp::OpenWaitingHandOvers()
{
    while (!m_waitingHandOvers.isEmpty()) {
        if (QApplication::activeModalWidget()) {
            m_handOverRetry.start();
            return;
        }
        m_documentCommands->OpenPath(m_waitingHandOvers.takeFirst());
    }
}

void CQuillonApp::CreateTray()
{
    m_tray->Create(ProgramIcons::ProgramIcon());
    m_tray->SetDefaultMenuItem(0);
    m_tray->SetIconList(ProgramIcons::BusyFrames());
    connect(m_tray, &CSystemTray::ShowRequested, this, [this] { m_tray->ShowWindow(*m_frame); });
    connect(m_tray, &CSystemTray::OptionsRequested, this, [this] {
        if (QAction* options = m_frame->GetAction(Command::Options); options->isEnabled()) {
            m_tray->ShowWindow(*m_frame);
            options->trigger();
        }
    });
    connect(&m_frame->GetListCommands(), &CListCommands::LookupAllStarted, this,
            [this] { m_tray->Animate(CSystemTray::kBusyStep, CSystemTray::kNoLimit); });
    connect(&m_frame->GetScheduler(), &CLookupScheduler::Idle, this, [this] {
        if (m_tray->IsAnimating()) {
            m_tray->StopAnimation();
        }
    });
    CBatchProgress& batch = m_frame->GetBatchProgress();
    connect(&batch, &CBatchProgress::Changed, this, [this](const CBatchCounts& counts) {
        m_tray->SetStatusLine(BatchProgressText(counts));
    });
    connect(&batch, &CBatchProgress::Finished, this, [this] { m_tray->SetStatusLine(QString()); });
}

void CQuillonApp::CreateNotices()
{
    const NoticeChannel desktop = [this](const CNotice& notice) {
        return m_desktopNotifications->Send(notice);
    };
    const NoticeChannel tray = [this](const CNotice& notice) {
        return m_tray->ShowMessage(notice.summary, notice.body);
    };
    m_notices = new CLookupNotices(*m_frame, m_doc, m_frame->GetScheduler(),
                                   m_frame->GetBatchProgress(), {desktop, tray});
}

void CQuillonApp::BindShellCommands()
{
    m_frame->Bind(Command::MinimizeToTray, [this] { m_tray->MinimizeToTray(*m_frame); });
    m_frame->Bind(Command::About, [this] {
        QMessageBox::about(m_frame.get(), QStringLiteral("About Quillon"),
                           QStringLiteral("<b>Quillon</b> version 2.1<br><br>Finds out which "
                                          "domain names are still free to register.<br>"
                                          "Tavrel Systems"));
    });
}
