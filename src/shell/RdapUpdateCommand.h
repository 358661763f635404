#pragma once

#include "lookup/RdapBootstrap.h"

#include <QFutureWatcher>
#include <QObject>

#include <memory>

class CHttpTransfer;
class CMainFrame;

// "Update RDAP Servers": fetches IANA's RDAP server list on a worker thread, so the window stays
// responsive, then tells the user how it went. The lookups use the new list from then on; a bad
// or failed download leaves the list in use alone.
class CRdapUpdateCommand final : public QObject {
    Q_OBJECT

public:
    explicit CRdapUpdateCommand(CMainFrame& frame);
    // Stops a download still running and waits for its thread.
    ~CRdapUpdateCommand() override;

    // Starts a download unless one is running.
    void Start();

private:
    void OnFinished();

    CMainFrame& m_frame;
    std::unique_ptr<CHttpTransfer> m_transfer;
    QFutureWatcher<CBootstrapUpdate> m_watcher;
};
