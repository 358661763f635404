#include "shell/MainFrame.h"

#include "core/DomainDoc.h"
#include "core/Settings.h"
#include "shell/CommandIcons.h"
#include "shell/WindowPlacement.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "view/InfoPane.h"
#include "view/ListCommands.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr CTextSetting kWindowPos = Setting::WindowPos;
constexpr CIntSetting kToolBarVisible{"ZUL-Bar", "ToolBar", 1};
constexpr CIntSetting kStatusBarVisible{"ZUL-Bar", "StatusBar", 1};

std::size_t Slot(Command command)
{
    return static_cast<std::size_t>(command);
}

bool Any(const CListFacts& facts)
{
    return facts.entries > 0;
}

bool AnyTicked(const CListFacts& facts)
{
    return facts.anyTicked;
}

bool CurrentCanBeChecked(const CListFacts& facts)
{
    return facts.HasCurrent() && !facts.currentRunning &&
           (facts.currentStatus == STATUS_UNKNOWN || facts.currentStatus >= STATUS_ERROR_1);
}

bool CurrentIsRunning(const CListFacts& facts)
{
    return facts.HasCurrent() && facts.currentRunning;
}

} // namespace

CMainFrame::CMainFrame(CDomainDoc& doc, QWidget* parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_view(new CDomainView(doc, this))
    , m_listCommands(new CListCommands(*m_view, this))
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
    connect(&m_view->GetScheduler(), &CLookupScheduler::Ticked, this,
            &CMainFrame::UpdateCommandStates);
    connect(&m_doc, &CDomainDoc::Updated, this, [this](int hint, int) {
        // A finished lookup changes one row; the rules look at the whole list, so they wait
        // for the next tick rather than run once per row.
        if (hint < 1) {
            UpdateCommandStates();
        }
    });
    connect(m_view->GetList().selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CMainFrame::UpdateCommandStates);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::GetAction(Command command) const
{
    return m_actions[Slot(command)];
}

void CMainFrame::Bind(Command command, std::function<void()> run, Rule enabled)
{
    m_bindings[Slot(command)] = Binding{std::move(run), std::move(enabled)};
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates()
{
    const CListFacts facts = CListFacts::Of(*m_view);
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        const Binding& binding = m_bindings[i];
        if (m_actions[i]->isCheckable()) {
            continue;
        }
        m_actions[i]->setEnabled(binding.run && (!binding.enabled || binding.enabled(facts)));
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
        const CCommandText& text = TextOf(command);
        auto* action = new QAction(QString::fromUtf8(text.menuText), this);
        action->setStatusTip(QString::fromUtf8(text.prompt));
        action->setToolTip(QString::fromUtf8(text.shortName));
        action->setShortcuts(text.shortcuts);
        action->setIcon(CommandIcons::IconFor(command));
        action->setIconVisibleInMenu(true);
        connect(action, &QAction::triggered, this, [this, command] { OnTriggered(command); });
        m_actions[i] = action;
        addAction(action); // shortcuts work with the toolbar hidden and outside menus too
    }
    for (const Command toggle : {Command::ToggleToolbar, Command::ToggleStatusBar}) {
        m_actions[Slot(toggle)]->setCheckable(true);
    }
}

QMenu* CMainFrame::AddMenu(QMenu* parent, const QString& title,
                           std::initializer_list<Command> commands)
{
    QMenu* menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
    for (const Command command : commands) {
        menu->addAction(GetAction(command));
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    return menu;
}

void CMainFrame::CreateMenus()
{
    QMenu* file = AddMenu(nullptr, QStringLiteral("&File"),
                          {Command::New, Command::Open, Command::Save, Command::SaveAs});
    file->addSeparator();
    file->addActions({GetAction(Command::Print), GetAction(Command::PrintPreview),
                      GetAction(Command::PrintSetup)});
    file->addSeparator();
    for (int i = 0; i < 4; ++i) {
        QAction* recent = file->addAction(QString());
        connect(recent, &QAction::triggered, this,
                [this, recent] { Q_EMIT RecentFileRequested(recent->data().toString()); });
        m_recentFiles.append(recent);
    }
    file->addSeparator();
    file->addAction(GetAction(Command::Exit));
    SetRecentFiles({});

    QMenu* edit = AddMenu(nullptr, QStringLiteral("&Edit"),
                          {Command::CopyAllEntries, Command::CopySelectedEntries});
    edit->addSeparator();
    AddMenu(edit, QStringLiteral("Delete"), {Command::DeleteRegistered, Command::DeleteFree});
    edit->addActions({GetAction(Command::DeleteSelected), GetAction(Command::DeleteAll)});

    QMenu* view = AddMenu(nullptr, QStringLiteral("&View"),
                          {Command::ToggleToolbar, Command::ToggleStatusBar});
    view->addSeparator();
    view->addActions({GetAction(Command::Find), GetAction(Command::Refresh)});
    view->addSeparator();
    view->addAction(GetAction(Command::MinimizeToTray));

    AddMenu(nullptr, QStringLiteral("&Selections"),
            {Command::SelectAll, Command::InvertSelection, Command::UnselectAll});

    QMenu* names =
        AddMenu(nullptr, QStringLiteral("&Names"), {Command::AddNames, Command::ConstructNames});
    names->addSeparator();
    AddMenu(names, QStringLiteral("&Sort"), {Command::SortByName, Command::SortByStatus});
    names->addSeparator();
    AddMenu(names, QStringLiteral("&Reports"), {Command::ReportFull, Command::ReportSummary});
    AddMenu(names, QStringLiteral("Export As &Text"),
            {Command::ExportSelectedText, Command::ExportFreeText});
    names->addAction(GetAction(Command::ExportDatabase));

    QMenu* lookup =
        AddMenu(nullptr, QStringLiteral("&Lookup"),
                {Command::CheckDomain, Command::CheckAllSelected, Command::ResetSelected});
    lookup->addSeparator();
    lookup->addActions({GetAction(Command::StopLookup), GetAction(Command::StopAll)});
    lookup->addSeparator();
    lookup->addActions({GetAction(Command::Options), GetAction(Command::SetupDomains)});

    QMenu* help =
        AddMenu(nullptr, QStringLiteral("&Help"), {Command::HelpTopics, Command::CustomerSupport});
    help->addSeparator();
    help->addAction(GetAction(Command::About));
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("ZUL-ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(18, 18));
    const std::initializer_list<std::initializer_list<Command>> groups = {
        {Command::New, Command::Open, Command::Save, Command::Print},
        {Command::CopyAllEntries, Command::Find},
        {Command::AddNames, Command::ConstructNames},
        {Command::SelectAll, Command::SelectRange, Command::UnselectAll, Command::DeleteSelected,
         Command::InvertSelection},
        {Command::BrowseWebsite, Command::CheckDomain, Command::CheckAllSelected, Command::StopAll},
        {Command::SetupDomains, Command::MinimizeToTray},
    };
    bool first = true;
    for (const auto& group : groups) {
        if (!first) {
            m_toolBar->addSeparator();
        }
        first = false;
        for (const Command command : group) {
            m_toolBar->addAction(GetAction(command));
        }
    }
    QAction* toggle = GetAction(Command::ToggleToolbar);
    connect(toggle, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->addWidget(new QLabel(QStringLiteral("Ready"), statusBar()));
    QAction* toggle = GetAction(Command::ToggleStatusBar);
    connect(toggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::CreatePopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->addActions({GetAction(Command::DeleteEntry), GetAction(Command::ResetEntry)});
    QMenu* copy = m_popup->addMenu(QStringLiteral("&Copy"));
    copy->addActions({GetAction(Command::CopyDomainName), GetAction(Command::CopyDomainAddress),
                      GetAction(Command::CopyDomainInformation),
                      GetAction(Command::CopyDomainURL)});
    m_popup->addSeparator();
    m_popup->addActions({GetAction(Command::CheckAvailability), GetAction(Command::StopEntryLookup),
                         GetAction(Command::TrademarkLookup), GetAction(Command::PaymentStatus)});
    m_popup->addSeparator();
    m_popup->addAction(GetAction(Command::BrowseWebsite));
}

void CMainFrame::BindListCommands()
{
    CListCommands* list = m_listCommands;
    Bind(
        Command::SelectAll, [list] { list->SelectAll(); },
        [](const CListFacts& f) { return f.anyUnticked; });
    Bind(
        Command::UnselectAll, [list] { list->UnselectAll(); }, AnyTicked);
    Bind(
        Command::InvertSelection, [list] { list->InvertSelection(); }, AnyTicked);
    Bind(
        Command::SelectRange, [list] { list->SelectRange(); }, Any);
    Bind(
        Command::SortByName, [list] { list->SortByName(); }, Any);
    Bind(
        Command::SortByStatus, [list] { list->SortByStatus(); }, Any);
    Bind(
        Command::Find, [list] { list->Find(); }, Any);
    Bind(
        Command::Refresh, [list] { list->Refresh(); }, Any);
    Bind(
        Command::DeleteSelected, [list] { list->DeleteSelected(); }, AnyTicked);
    Bind(
        Command::DeleteAll, [list] { list->DeleteAll(); }, Any);
    Bind(
        Command::DeleteRegistered, [list] { list->DeleteRegistered(); }, Any);
    Bind(
        Command::DeleteFree, [list] { list->DeleteFree(); }, Any);
    Bind(
        Command::DeleteEntry, [list] { list->DeleteEntry(); },
        [](const CListFacts& f) { return f.HasCurrent() && f.currentStatus != STATUS_CHECKING; });
    Bind(
        Command::CopyAllEntries,
        [this, list] {
            // With text selected in the record pane, the copy key copies that text.
            CInfoPane& pane = m_view->GetInfoPane();
            if (pane.hasFocus() && pane.textCursor().hasSelection()) {
                pane.copy();
            } else {
                list->CopyAllEntries();
            }
        },
        Any);
    Bind(
        Command::CopySelectedEntries, [list] { list->CopySelectedEntries(); }, AnyTicked);
    Bind(
        Command::CopyDomainName, [list] { list->CopyDomainName(); },
        [](const CListFacts& f) { return f.HasCurrent(); });
    Bind(
        Command::CopyDomainAddress, [list] { list->CopyDomainAddress(); },
        [](const CListFacts& f) {
            return f.HasCurrent() && f.currentStatus == STATUS_TAKEN && f.currentHasAddress;
        });
    Bind(
        Command::CopyDomainInformation, [list] { list->CopyDomainInformation(); },
        [](const CListFacts& f) { return f.HasCurrent() && f.currentStatus == STATUS_TAKEN; });
    Bind(
        Command::CopyDomainURL, [list] { list->CopyDomainURL(); },
        [](const CListFacts& f) { return f.HasCurrent() && f.currentStatus != STATUS_AVAILABLE; });
    Bind(
        Command::CheckDomain, [list] { list->CheckDomain(); }, CurrentCanBeChecked);
    Bind(
        Command::CheckAvailability, [list] { list->CheckDomain(); }, CurrentCanBeChecked);
    Bind(
        Command::CheckAllSelected, [list] { list->CheckAllSelected(); }, AnyTicked);
    Bind(
        Command::ResetSelected, [list] { list->ResetSelected(); }, AnyTicked);
    Bind(
        Command::ResetEntry, [list] { list->ResetEntry(); },
        [](const CListFacts& f) {
            return f.HasCurrent() && f.currentStatus != STATUS_UNKNOWN &&
                   f.currentStatus != STATUS_CHECKING;
        });
    Bind(
        Command::StopLookup, [list] { list->StopLookup(); }, CurrentIsRunning);
    Bind(
        Command::StopEntryLookup, [list] { list->StopLookup(); }, CurrentIsRunning);
    Bind(
        Command::StopAll, [list] { list->StopAll(); },
        [this](const CListFacts&) { return m_view->GetScheduler().IsBusy(); });
    Bind(Command::Exit, [this] { close(); });
    Bind(Command::NextPane, [this] { FocusOtherPane(); });
    Bind(Command::PreviousPane, [this] { FocusOtherPane(); });
}

void CMainFrame::OnTriggered(Command command)
{
    const Binding& binding = m_bindings[Slot(command)];
    if (!binding.run || (binding.enabled && !binding.enabled(CListFacts::Of(*m_view)))) {
        return;
    }
    binding.run();
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
