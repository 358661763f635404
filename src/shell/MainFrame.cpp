#include "shell/MainFrame.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "shell/CommandIcons.h"
#include "shell/WindowPlacement.h"
#include "view/BatchProgress.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/InfoPane.h"
#include "view/ListCommands.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr CTextSetting kWindowPos = Setting::WindowPos;
constexpr CIntSetting kToolBarVisible{"ZUL-Bar", "ToolBar", 1};
constexpr CIntSetting kStatusBarVisible{"ZUL-Bar", "StatusBar", 1};

constexpr std::size_t Slot(Command command)
{
    return static_cast<std::size_t>(command);
}

QList<QKeySequence> ShortcutsOf(const CCommandRow& row)
{
    QList<QKeySequence> shortcuts;
    for (const QKeyCombination key : row.keys) {
        if (key.key() != Qt::Key_unknown) {
            shortcuts.append(QKeySequence(key));
        }
    }
    return shortcuts;
}

// The items of one menu (or of the toolbar) in their order: commands and submenus, each with
// the group that decides where the separating lines go.
struct CMenuItem {
    CPlace place;
    QAction* action = nullptr;
    const CMenuRow* submenu = nullptr;
};

std::vector<CMenuItem> ItemsOf(Menu menu, const std::array<QAction*, Slot(Command::Count)>& actions,
                               CPlace CCommandRow::*where)
{
    std::vector<CMenuItem> items;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const CPlace place = RowOf(static_cast<Command>(i)).*where;
        if (place.menu == menu) {
            items.push_back({place, actions[i], nullptr});
        }
    }
    for (const CMenuRow& submenu : MenuRows()) {
        if (submenu.place.menu == menu) {
            items.push_back({submenu.place, nullptr, &submenu});
        }
    }
    std::sort(items.begin(), items.end(), [](const CMenuItem& a, const CMenuItem& b) {
        return std::pair(a.place.group, a.place.order) < std::pair(b.place.group, b.place.order);
    });
    return items;
}

} // namespace

CMainFrame::CMainFrame(CDomainDoc& doc, QWidget* parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_scheduler(doc)
    , m_view(new CDomainView(doc, m_scheduler, this))
    , m_listCommands(new CListCommands(*m_view, m_scheduler, this))
    , m_batch(new CBatchProgress(doc, m_scheduler, std::chrono::steady_clock::now, this))
{
    setCentralWidget(m_view);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreatePopupMenu();
    BindListCommands();
    RestoreWindowState();

    connect(m_view, &CDomainView::PopupMenuRequested, this, [this](const QPoint& position) {
        UpdateCommandStates();
        m_popup->exec(position);
    });
    connect(&m_scheduler, &CLookupScheduler::Ticked, this, &CMainFrame::UpdateCommandStates);
    // The rules look at the whole list: a burst of changed rows (finished lookups) is judged
    // once, when the burst is over.
    m_commandStatesDue.setSingleShot(true);
    connect(&m_commandStatesDue, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    const auto scheduleUpdate = [this] {
        m_commandStatesDue.start(0);
    };
    connect(&m_doc, &CDomainDoc::ListReset, this, scheduleUpdate);
    connect(&m_doc, &CDomainDoc::RowsChanged, this, scheduleUpdate);
    connect(&m_doc, &CDomainDoc::RowRemoved, this, scheduleUpdate);
    connect(m_view->GetList().selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CMainFrame::UpdateCommandStates);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::GetAction(Command command) const
{
    return m_actions[Slot(command)];
}

void CMainFrame::Bind(Command command, std::function<void()> run)
{
    m_bindings[Slot(command)] = std::move(run);
    UpdateCommandStates();
}

CListFacts CMainFrame::Facts() const
{
    return CListFacts::Of(*m_view, m_scheduler);
}

void CMainFrame::UpdateCommandStates()
{
    const CListFacts facts = Facts();
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        if (m_actions[i]->isCheckable()) {
            continue;
        }
        m_actions[i]->setEnabled(m_bindings[i] && RowOf(static_cast<Command>(i)).IsEnabled(facts));
    }
}

// With no recent file, the first item stays in the menu, greyed, as "Recent File".
void CMainFrame::SetRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        QAction* action = m_recentFiles[i];
        action->setVisible(i < std::max<qsizetype>(paths.size(), 1));
        action->setEnabled(i < paths.size());
        if (i < paths.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(paths[i]).fileName()));
            action->setData(paths[i]);
            action->setStatusTip(paths[i]);
        } else if (i == 0) {
            action->setText(QStringLiteral("Recent File"));
            action->setData(QString());
            action->setStatusTip(QString());
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    SaveWindowState();
    event->accept();
}

void CMainFrame::CreateActions()
{
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        const Command command = static_cast<Command>(i);
        const CCommandRow& row = RowOf(command);
        auto* action = new QAction(QString::fromUtf8(row.menuText), this);
        action->setStatusTip(QString::fromUtf8(row.prompt));
        action->setToolTip(QString::fromUtf8(row.shortName));
        action->setShortcuts(ShortcutsOf(row));
        action->setIcon(CommandIcons::Named(row.icon));
        action->setIconVisibleInMenu(true);
        connect(action, &QAction::triggered, this, [this, command] { OnTriggered(command); });
        m_actions[i] = action;
        addAction(action); // shortcuts work with the toolbar hidden and outside menus too
    }
    for (const Command toggle : {Command::ToggleToolbar, Command::ToggleStatusBar}) {
        m_actions[Slot(toggle)]->setCheckable(true);
    }
}

void CMainFrame::FillMenu(QMenu& menu, Menu id)
{
    std::optional<std::uint8_t> group;
    for (const CMenuItem& item : ItemsOf(id, m_actions, &CCommandRow::menu)) {
        if (group && *group != item.place.group) {
            menu.addSeparator();
        }
        group = item.place.group;
        if (item.action) {
            menu.addAction(item.action);
        } else if (!item.submenu->title) {
            AddRecentFileItems(menu);
        } else {
            FillMenu(*menu.addMenu(QString::fromUtf8(item.submenu->title)), item.submenu->menu);
        }
    }
    connect(&menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateMenus()
{
    for (const CMenuItem& item : ItemsOf(Menu::Bar, m_actions, &CCommandRow::menu)) {
        FillMenu(*menuBar()->addMenu(QString::fromUtf8(item.submenu->title)), item.submenu->menu);
    }
    SetRecentFiles({});
}

void CMainFrame::AddRecentFileItems(QMenu& menu)
{
    for (int i = 0; i < kRecentFileItems; ++i) {
        QAction* recent = menu.addAction(QString());
        connect(recent, &QAction::triggered, this,
                [this, recent] { Q_EMIT RecentFileRequested(recent->data().toString()); });
        m_recentFiles.append(recent);
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("ZUL-ToolBar"));
    m_toolBar->setMovable(false);
    std::optional<std::uint8_t> group;
    for (const CMenuItem& item : ItemsOf(Menu::Toolbar, m_actions, &CCommandRow::toolbar)) {
        if (group && *group != item.place.group) {
            m_toolBar->addSeparator();
        }
        group = item.place.group;
        m_toolBar->addAction(item.action);
    }
    QAction* toggle = GetAction(Command::ToggleToolbar);
    connect(toggle, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->addWidget(new QLabel(QStringLiteral("Ready"), statusBar()));
    m_progressBar = new QProgressBar(statusBar());
    m_progressBar->setMinimumWidth(kProgressBarWidth);
    m_progressBar->setTextVisible(true);
    m_progressBar->hide();
    statusBar()->addPermanentWidget(m_progressBar);
    connect(m_listCommands, &CListCommands::LookupAllStarted, m_batch, &CBatchProgress::Begin);
    connect(m_batch, &CBatchProgress::Changed, this, &CMainFrame::ShowBatchProgress);
    connect(m_batch, &CBatchProgress::Finished, this, [this] {
        m_progressBar->hide();
        m_progressBar->setMinimumWidth(kProgressBarWidth);
    });
    QAction* toggle = GetAction(Command::ToggleStatusBar);
    connect(toggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::ShowBatchProgress(const CBatchCounts& counts)
{
    m_progressBar->setRange(0, std::max(counts.total, 1));
    m_progressBar->setValue(counts.checked);
    const QString text = BatchProgressText(counts);
    m_progressBar->setFormat(text);
    m_progressBar->setToolTip(text);
    // Wide enough for its text, and never narrower again while the batch runs: a bar that
    // jumped with every count would be hard to read.
    const int textWidth =
        m_progressBar->fontMetrics().horizontalAdvance(text) + kProgressTextMargin;
    m_progressBar->setMinimumWidth(std::max(m_progressBar->minimumWidth(), textWidth));
    m_progressBar->setVisible(counts.total > 0);
}

void CMainFrame::CreatePopupMenu()
{
    m_popup = new QMenu(this);
    FillMenu(*m_popup, Menu::Popup);
}

void CMainFrame::BindListCommands()
{
    CListCommands* list = m_listCommands;
    const std::pair<Command, void (CListCommands::*)()> listCommands[] = {
        {Command::TickAll, &CListCommands::TickAll},
        {Command::UntickAll, &CListCommands::UntickAll},
        {Command::InvertTicks, &CListCommands::InvertTicks},
        {Command::TickRange, &CListCommands::TickRange},
        {Command::SortByName, &CListCommands::SortByName},
        {Command::SortByStatus, &CListCommands::SortByStatus},
        {Command::Find, &CListCommands::Find},
        {Command::Refresh, &CListCommands::Refresh},
        {Command::DeleteSelected, &CListCommands::DeleteSelected},
        {Command::DeleteAll, &CListCommands::DeleteAll},
        {Command::DeleteRegistered, &CListCommands::DeleteRegistered},
        {Command::DeleteFree, &CListCommands::DeleteFree},
        {Command::DeleteEntry, &CListCommands::DeleteEntry},
        {Command::CopySelectedEntries, &CListCommands::CopySelectedEntries},
        {Command::CopyDomainName, &CListCommands::CopyDomainName},
        {Command::CopyDomainAddress, &CListCommands::CopyDomainAddress},
        {Command::CopyDomainInformation, &CListCommands::CopyDomainInformation},
        {Command::CopyDomainURL, &CListCommands::CopyDomainURL},
        {Command::CheckDomain, &CListCommands::CheckDomain},
        {Command::CheckAvailability, &CListCommands::CheckDomain},
        {Command::CheckAllSelected, &CListCommands::CheckAllSelected},
        {Command::ResetTicked, &CListCommands::ResetTicked},
        {Command::ResetEntry, &CListCommands::ResetEntry},
        {Command::StopLookup, &CListCommands::StopLookup},
        {Command::StopEntryLookup, &CListCommands::StopLookup},
        {Command::StopAll, &CListCommands::StopAll},
    };
    for (const auto& [command, run] : listCommands) {
        Bind(command, [list, run] { (list->*run)(); });
    }
    Bind(Command::CopyAllEntries, [this, list] {
        // With text selected in the record pane, the copy key copies that text.
        CInfoPane& pane = m_view->GetInfoPane();
        if (pane.hasFocus() && pane.textCursor().hasSelection()) {
            pane.copy();
        } else {
            list->CopyAllEntries();
        }
    });
    Bind(Command::Exit, [this] { close(); });
    Bind(Command::NextPane, [this] { FocusOtherPane(); });
    Bind(Command::PreviousPane, [this] { FocusOtherPane(); });
}

void CMainFrame::OnTriggered(Command command)
{
    const std::function<void()>& run = m_bindings[Slot(command)];
    if (!run || !RowOf(command).IsEnabled(Facts())) {
        return;
    }
    run();
    UpdateCommandStates();
}

// With two panes, the next and the previous pane are both the other one.
void CMainFrame::FocusOtherPane()
{
    QWidget* list = &m_view->GetList();
    QWidget* pane = &m_view->GetInfoPane();
    (list->hasFocus() ? pane : list)->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::RestoreWindowState()
{
    resize(820, 600);
    if (const auto placement = CWindowPlacement::Parse(GetSetting(kWindowPos))) {
        placement->ApplyTo(*this);
    }
    const bool toolBar = GetSetting(kToolBarVisible) != 0;
    const bool statusBarShown = GetSetting(kStatusBarVisible) != 0;
    m_toolBar->setVisible(toolBar);
    statusBar()->setVisible(statusBarShown);
    GetAction(Command::ToggleToolbar)->setChecked(toolBar);
    GetAction(Command::ToggleStatusBar)->setChecked(statusBarShown);
}

void CMainFrame::SaveWindowState() const
{
    SetSetting(kToolBarVisible, GetAction(Command::ToggleToolbar)->isChecked() ? 1 : 0);
    SetSetting(kStatusBarVisible, GetAction(Command::ToggleStatusBar)->isChecked() ? 1 : 0);
    SetSetting(kWindowPos, CWindowPlacement::Of(*this).ToString());
}
