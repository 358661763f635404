#pragma once

#include <QKeyCombination>

#include <array>
#include <cstdint>
#include <span>

struct CListFacts;

// Every command of the menus, the toolbar, the list's popup menu and the accelerators.
enum class Command {
    New,
    Open,
    Save,
    SaveAs,
    Print,
    PrintPreview,
    PrintSetup,
    Exit,
    CopyAllEntries,
    CopySelectedEntries,
    DeleteRegistered,
    DeleteFree,
    DeleteSelected,
    DeleteAll,
    ToggleToolbar,
    ToggleStatusBar,
    Find,
    Refresh,
    MinimizeToTray,
    TickAll,
    InvertTicks,
    UntickAll,
    TickRange,
    AddNames,
    ConstructNames,
    NewListWizard,
    SortByName,
    SortByStatus,
    ReportFull,
    ReportSummary,
    ExportSelectedText,
    ExportFreeText,
    ExportDatabase,
    CheckDomain,
    CheckAllSelected,
    ResetTicked,
    StopLookup,
    StopAll,
    Options,
    SetupDomains,
    UpdateRdapServers,
    HelpTopics,
    CustomerSupport,
    About,
    DeleteEntry,
    ResetEntry,
    CopyDomainName,
    CopyDomainAddress,
    CopyDomainInformation,
    CopyDomainURL,
    CheckAvailability,
    StopEntryLookup,
    TrademarkLookup,
    PaymentStatus,
    BrowseWebsite,
    NextPane,
    PreviousPane,
    Count
};

// The menus of the menu bar, their submenus, the list's popup menu, and the File menu's stretch
// of recently used documents, which the window fills itself.
enum class Menu : std::uint8_t {
    None,
    Bar,
    File,
    RecentFiles,
    Edit,
    EditDelete,
    View,
    Selections,
    Names,
    NamesSort,
    NamesReports,
    NamesExportText,
    Lookup,
    Help,
    Popup,
    PopupCopy,
    Toolbar,
};

// Where an item stands: in which menu (or the toolbar), in which group of it (groups are
// separated by a line), and in which order within the group.
struct CPlace {
    Menu menu = Menu::None;
    std::uint8_t group = 0;
    std::uint8_t order = 0;
};

// A submenu or stretch of a menu: its title (none for a stretch the window fills) and place.
struct CMenuRow {
    Menu menu;
    const char* title;
    CPlace place;
};

// Whether a command can be given now, judged from the list and the lookups.
using CommandRule = bool (*)(const CListFacts& facts);

// A command as the user meets it: the menu text, the long prompt for the status bar, the short
// name for tooltips, its keys, the name of its icon (a desktop icon theme name, or one of the
// program's own), its places in the menus and in the toolbar, and when it is enabled (always,
// when there is no rule).
struct CCommandRow {
    Command command;
    const char* menuText;
    const char* prompt;
    const char* shortName;
    std::array<QKeyCombination, 2> keys;
    const char* icon;
    CPlace menu;
    CPlace toolbar;
    CommandRule enabled;

    bool IsEnabled(const CListFacts& facts) const { return !enabled || enabled(facts); }
};

const CCommandRow& RowOf(Command command);
// Every submenu and stretch, the menu bar's own menus included.
std::span<const CMenuRow> MenuRows();
