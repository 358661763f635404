#pragma once

#include "core/DomainDoc.h"
#include "core/TLDList.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

class CDocumentCommands;
class CFreedesktopNotifications;
class CLookupNotices;
class CMainFrame;
class CSystemTray;

// The program's one document and one window, put together: the main frame with its commands,
// the document commands, and the tray icon that stands for the window while it is hidden and
// turns while a batch of lookups runs, its tooltip telling how far the batch has gone, and the
// notices for a user who looks elsewhere when lookups end or find a free name.
class CQuillonApp final : public QObject {
    Q_OBJECT

public:
    // How often a handed-over document looks whether the dialog it waits for has closed.
    static constexpr int kHandOverRetryMs = 250;

    CQuillonApp();
    ~CQuillonApp() override;

    // A new document, or the file named on the command line; then the window shows (and goes
    // to the tray at once when the settings say so) and says when the TLD table could not be
    // read.
    void Start(const QString& file);
    // A document handed over by a later start of the program. It waits while a dialog is open:
    // opening it then would change the list under the dialog's feet.
    void OpenHandedOver(const QString& file);

    CTLDList& GetTLDList() { return m_tlds; }
    CDomainDoc& GetDocument() { return m_doc; }
    CMainFrame& GetFrame() const { return *m_frame; }
    CDocumentCommands& GetDocumentCommands() const { return *m_documentCommands; }
    CSystemTray& GetTray() const { return *m_tray; }
    CLookupNotices& GetNotices() const { return *m_notices; }

private:
    void CreateTray();
    void CreateNotices();
    void BindShellCommands();
    void OpenWaitingHandOvers();

    CTLDList m_tlds;
    // How loading the TLD table from its file went; the table is loaded before anything uses it.
    CFileResult m_tableLoad;
    CDomainDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    CDocumentCommands* m_documentCommands;
    CSystemTray* m_tray;
    CFreedesktopNotifications* m_desktopNotifications;
    CLookupNotices* m_notices = nullptr;
    QStringList m_waitingHandOvers;
    QTimer m_handOverRetry;
};
