#pragma once

#include "shell/CommandTable.h"

#include <QMainWindow>

#include <QStringList>

#include <array>
#include <functional>

class CDomainDoc;
class CDomainView;
class CListCommands;
struct CListFacts;
class QLabel;

// The one main window: menus, toolbar and status bar around the list view. Commands are bound to
// it with their action and their enabling rule; a command without a binding stays disabled. The
// rules are evaluated when a menu opens, on every tick of the lookup timer and after commands.
class CMainFrame final : public QMainWindow {
    Q_OBJECT

public:
    using Rule = std::function<bool(const CListFacts&)>;

    explicit CMainFrame(CDomainDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CDomainDoc& GetDocument() const { return m_doc; }
    CDomainView& GetView() const { return *m_view; }
    CListCommands& GetListCommands() const { return *m_listCommands; }
    QAction* GetAction(Command command) const;
    QMenu* GetPopupMenu() const { return m_popup; }

    // Binds a command; without a rule it is always enabled.
    void Bind(Command command, std::function<void()> run, Rule enabled = {});
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
    struct Binding {
        std::function<void()> run;
        Rule enabled;
    };

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreatePopupMenu();
    void BindListCommands();
    void RestoreWindowState();
    void SaveWindowState() const;
    QMenu* AddMenu(QMenu* parent, const QString& title, std::initializer_list<Command> commands);
    void OnTriggered(Command command);
    void FocusOtherPane();

    CDomainDoc& m_doc;
    CDomainView* m_view;
    CListCommands* m_listCommands;
    QMenu* m_popup = nullptr;
    QToolBar* m_toolBar = nullptr;
    QList<QAction*> m_recentFiles;
    std::function<bool()> m_closeGuard;
    std::array<QAction*, static_cast<std::size_t>(Command::Count)> m_actions{};
    std::array<Binding, static_cast<std::size_t>(Command::Count)> m_bindings{};
};
