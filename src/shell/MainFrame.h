#pragma once

#include "lookup/LookupScheduler.h"
#include "shell/CommandTable.h"
#include "view/ListFacts.h"

#include <QMainWindow>

#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>

class CBatchProgress;
class CDomainDoc;
class CDomainView;
class CListCommands;
class QLabel;
class QMenu;
class QProgressBar;
struct CBatchCounts;

// The one main window: menus, toolbar and status bar around the list view, and the lookup
// scheduler that works on the window's document. While the ticked entries are looked up, the
// status bar carries a progress bar. The command table gives each command its
// texts, places and enabling rule; the window builds its menus and toolbar from it, and each
// command is bound here to its action. A command without an action stays disabled. The rules
// are evaluated when a menu opens, on every tick of the lookup timer and after changes.
class CMainFrame final : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CDomainDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CDomainDoc& GetDocument() const { return m_doc; }
    CLookupScheduler& GetScheduler() { return m_scheduler; }
    CDomainView& GetView() const { return *m_view; }
    CListCommands& GetListCommands() const { return *m_listCommands; }
    // The batch of lookups of the ticked entries, whose progress the status bar shows.
    CBatchProgress& GetBatchProgress() const { return *m_batch; }
    QAction* GetAction(Command command) const;
    QMenu* GetPopupMenu() const { return m_popup; }

    void Bind(Command command, std::function<void()> run);
    void UpdateCommandStates();

    // The File menu's list of recently used documents.
    void SetRecentFiles(const QStringList& paths);
    // Asked before the window closes; false keeps it open (the user cancelled).
    void SetCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

Q_SIGNALS:
    void RecentFileRequested(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int kRecentFileItems = 4;
    static constexpr int kProgressBarWidth = 300;
    // Room beside the progress text for the bar's frame and the style's padding.
    static constexpr int kProgressTextMargin = 32;

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreatePopupMenu();
    void ShowBatchProgress(const CBatchCounts& counts);
    void BindListCommands();
    void RestoreWindowState();
    void SaveWindowState() const;
    void FillMenu(QMenu& menu, Menu id);
    void AddRecentFileItems(QMenu& menu);
    CListFacts Facts() const;
    void OnTriggered(Command command);
    void FocusOtherPane();

    CDomainDoc& m_doc;
    CLookupScheduler m_scheduler;
    CDomainView* m_view;
    CListCommands* m_listCommands;
    CBatchProgress* m_batch;
    QProgressBar* m_progressBar = nullptr;
    QMenu* m_popup = nullptr;
    QToolBar* m_toolBar = nullptr;
    QList<QAction*> m_recentFiles;
    std::function<bool()> m_closeGuard;
    QTimer m_commandStatesDue;
    std::array<QAction*, static_cast<std::size_t>(Command::Count)> m_actions{};
    std::array<std::function<void()>, static_cast<std::size_t>(Command::Count)> m_bindings{};
};
