#include "shell/RdapUpdateCommand.h"

#include "core/ByteText.h"
#include "core/Settings.h"
#include "lookup/HttpTransfer.h"
#include "lookup/LookupScheduler.h"
#include "shell/MainFrame.h"
#include "view/UserPrompt.h"

#include <QtConcurrent/QtConcurrentRun>

CRdapUpdateCommand::CRdapUpdateCommand(CMainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
{
    connect(&m_watcher, &QFutureWatcher<CBootstrapUpdate>::finished, this,
            &CRdapUpdateCommand::OnFinished);
    m_frame.Bind(Command::UpdateRdapServers, [this] { Start(); });
}

CRdapUpdateCommand::~CRdapUpdateCommand()
{
    m_watcher.disconnect(this);
    if (m_transfer) {
        m_transfer->Abort();
    }
    m_watcher.waitForFinished();
}

void CRdapUpdateCommand::Start()
{
    if (m_watcher.isRunning()) {
        return;
    }
    m_transfer = std::make_unique<CHttpTransfer>();
    m_watcher.setFuture(QtConcurrent::run(
        [transfer = m_transfer.get(), url = ByteText::Encode(GetSetting(Setting::RdapBootstrapURL)),
         timeouts = CLookupTimeouts::FromSettings(), caFile = ExtraTrustedCaFile()] {
            return UpdateRdapBootstrap(*transfer, url, timeouts, caFile);
        }));
}

void CRdapUpdateCommand::OnFinished()
{
    const CBootstrapUpdate update = m_watcher.result();
    if (update.ok) {
        m_frame.GetScheduler().ReloadBootstrap();
        CUserPrompt::Information(&m_frame, update.message);
    } else {
        CUserPrompt::Warning(&m_frame, update.message);
    }
}
