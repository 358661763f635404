#pragma once

#include <QKeySequence>
#include <QList>

// Every command of the menus, the toolbar, the list's popup menu and the accelerators, with the
// texts the user sees: the menu text, the long prompt for the status bar and the short name for
// tooltips.
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
    SelectAll,
    InvertSelection,
    UnselectAll,
    SelectRange,
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
    ResetSelected,
    StopLookup,
    StopAll,
    Options,
    SetupDomains,
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

struct CCommandText {
    Command command;
    const char* menuText;
    const char* prompt;
    const char* shortName;
    QList<QKeySequence> shortcuts;
};

// The texts of a command.
const CCommandText& TextOf(Command command);
