#include "shell/CommandTable.h"

#include "core/DomainInfo.h"
#include "view/ListFacts.h"

namespace {

constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::Count);

// Rules shared by several commands.
bool AnyEntry(const CListFacts& facts)
{
    return facts.entries > 0;
}

bool AnyTicked(const CListFacts& facts)
{
    return facts.anyTicked;
}

bool AnyUnticked(const CListFacts& facts)
{
    return facts.anyUnticked;
}

bool AnyAvailable(const CListFacts& facts)
{
    return facts.anyAvailable;
}

bool ListIsEmpty(const CListFacts& facts)
{
    return facts.entries == 0;
}

bool HasCurrent(const CListFacts& facts)
{
    return facts.HasCurrent();
}

bool CurrentIsTaken(const CListFacts& facts)
{
    return facts.HasCurrent() && facts.currentStatus == STATUS_TAKEN;
}

bool CurrentIsNotAvailable(const CListFacts& facts)
{
    return facts.HasCurrent() && facts.currentStatus != STATUS_AVAILABLE;
}

bool CurrentHasAddress(const CListFacts& facts)
{
    return CurrentIsTaken(facts) && facts.currentHasAddress;
}

bool CurrentIsNotChecking(const CListFacts& facts)
{
    return facts.HasCurrent() && facts.currentStatus != STATUS_CHECKING;
}

bool CurrentWasLookedUp(const CListFacts& facts)
{
    return CurrentIsNotChecking(facts) && facts.currentStatus != STATUS_UNKNOWN;
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

bool LookupsBusy(const CListFacts& facts)
{
    return facts.lookupsBusy;
}

constexpr CPlace In(Menu menu, std::uint8_t group, std::uint8_t order)
{
    return {menu, group, order};
}

constexpr CPlace OnToolbar(std::uint8_t group, std::uint8_t order)
{
    return {Menu::Toolbar, group, order};
}

constexpr CPlace kNowhere{};
constexpr std::array<QKeyCombination, 2> kNoKeys{};

constexpr std::array<QKeyCombination, 2> Keys(QKeyCombination first,
                                              QKeyCombination second = Qt::Key_unknown)
{
    return {first, second};
}

// One row per command, in the order of the menus.
constexpr CCommandRow kCommands[] = {
    {Command::New, "&New", "Create a new document", "New", Keys(Qt::CTRL | Qt::Key_N),
     "document-new", In(Menu::File, 0, 0), OnToolbar(0, 0), nullptr},
    {Command::Open, "&Open...", "Open an existing document", "Open", Keys(Qt::CTRL | Qt::Key_O),
     "document-open", In(Menu::File, 0, 1), OnToolbar(0, 1), nullptr},
    {Command::Save, "&Save", "Save the active document", "Save", Keys(Qt::CTRL | Qt::Key_S),
     "document-save", In(Menu::File, 0, 2), OnToolbar(0, 2), nullptr},
    {Command::SaveAs, "Save &As...", "Save the active document with a new name", "Save As", kNoKeys,
     "document-save-as", In(Menu::File, 0, 3), kNowhere, nullptr},
    {Command::Print, "&Print...", "Print the active document", "Print", Keys(Qt::CTRL | Qt::Key_P),
     "document-print", In(Menu::File, 1, 0), OnToolbar(0, 3), nullptr},
    {Command::PrintPreview, "Print Pre&view", "Display full pages", "Print Preview", kNoKeys,
     "document-print-preview", In(Menu::File, 1, 1), kNowhere, nullptr},
    {Command::PrintSetup, "P&rint Setup...", "Change the printer and printing options",
     "Print Setup", kNoKeys, nullptr, In(Menu::File, 1, 2), kNowhere, nullptr},
    {Command::Exit, "E&xit", "Quit the application; prompts to save documents", "Exit", kNoKeys,
     "application-exit", In(Menu::File, 3, 0), kNowhere, nullptr},

    {Command::CopyAllEntries, "&Copy All Entries", "Copy all entries to clipboard",
     "Copy all entries", Keys(Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert), "edit-copy",
     In(Menu::Edit, 0, 0), OnToolbar(1, 0), AnyEntry},
    {Command::CopySelectedEntries, "Copy &Selected Entries", "Copy selected entries to clipboard",
     "Copy selected entries", kNoKeys, nullptr, In(Menu::Edit, 0, 1), kNowhere, AnyTicked},
    {Command::DeleteRegistered, "All &Registered Domains",
     "Delete all registered domain names from the list", "Delete registered", kNoKeys, nullptr,
     In(Menu::EditDelete, 0, 0), kNowhere, AnyEntry},
    {Command::DeleteFree, "All &Free Domains", "Delete all free domains from the list",
     "Delete free", kNoKeys, nullptr, In(Menu::EditDelete, 0, 1), kNowhere, AnyEntry},
    {Command::DeleteSelected, "&Delete Selected", "Delete Selected", "Delete Selected", kNoKeys,
     "edit-delete", In(Menu::Edit, 1, 1), OnToolbar(3, 3), AnyTicked},
    {Command::DeleteAll, "&Delete All", "Delete All", "Delete All", kNoKeys, nullptr,
     In(Menu::Edit, 1, 2), kNowhere, AnyEntry},

    {Command::ToggleToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", kNoKeys,
     nullptr, In(Menu::View, 0, 0), kNowhere, nullptr},
    {Command::ToggleStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar",
     kNoKeys, nullptr, In(Menu::View, 0, 1), kNowhere, nullptr},
    {Command::Find, "&Find...", "Find", "Find", Keys(Qt::CTRL | Qt::Key_F, Qt::Key_F3), "edit-find",
     In(Menu::View, 1, 0), OnToolbar(1, 1), AnyEntry},
    {Command::Refresh, "&Refresh", "Refresh", "Refresh", kNoKeys, "view-refresh",
     In(Menu::View, 1, 1), kNowhere, AnyEntry},
    {Command::MinimizeToTray, "&Minimize to tray", "Minimize to tray", "Minimize to tray", kNoKeys,
     "quillon-tray", In(Menu::View, 2, 0), OnToolbar(5, 1), nullptr},

    {Command::TickAll, "&Select All", "Select All", "Select All", kNoKeys, "quillon-tick-all",
     In(Menu::Selections, 0, 0), OnToolbar(3, 0), AnyUnticked},
    {Command::InvertTicks, "&Invert Selection", "Invert Selection", "Invert Selection", kNoKeys,
     "quillon-tick-invert", In(Menu::Selections, 0, 1), OnToolbar(3, 4), AnyTicked},
    {Command::UntickAll, "&Unselect All", "Unselect All", "Unselect All", kNoKeys,
     "quillon-untick-all", In(Menu::Selections, 0, 2), OnToolbar(3, 2), AnyTicked},
    {Command::TickRange, "Select a &Range...", "Select a range of entries", "Select a range",
     kNoKeys, "quillon-tick-range", kNowhere, OnToolbar(3, 1), AnyEntry},

    {Command::AddNames, "&Add Names...", "Add Domains", "Add Names", Keys(Qt::CTRL | Qt::Key_A),
     "list-add", In(Menu::Names, 0, 0), OnToolbar(2, 0), nullptr},
    {Command::ConstructNames, "&Construct Names...", "Construct domain names  from keywords",
     "Construct Names", Keys(Qt::CTRL | Qt::Key_K), "quillon-construct", In(Menu::Names, 0, 1),
     OnToolbar(2, 1), nullptr},
    {Command::NewListWizard, "&Wizard...", "Create a new domain name document using the Wizard",
     "Wizard", Keys(Qt::CTRL | Qt::Key_W), nullptr, kNowhere, kNowhere, ListIsEmpty},
    {Command::SortByName, "&Name wise", "Sort Names", "Sort Names", kNoKeys, nullptr,
     In(Menu::NamesSort, 0, 0), kNowhere, AnyEntry},
    {Command::SortByStatus, "Status wise", "Sort domain status wise", "Sort status wise", kNoKeys,
     nullptr, In(Menu::NamesSort, 0, 1), kNowhere, AnyEntry},
    {Command::ReportFull, "Selected &Full...", "Export All information to an HTML file",
     "Full report", kNoKeys, nullptr, In(Menu::NamesReports, 0, 0), kNowhere, AnyTicked},
    {Command::ReportSummary, "Selected &Summary...", "Export summary information to an HTML file",
     "Summary report", kNoKeys, nullptr, In(Menu::NamesReports, 0, 1), kNowhere, AnyTicked},
    {Command::ExportSelectedText, "&All Selected Names...", "Export all Entries to Text File",
     "Export selected names", kNoKeys, nullptr, In(Menu::NamesExportText, 0, 0), kNowhere,
     AnyTicked},
    {Command::ExportFreeText, "All Available &Names", "Export Free Names to Text File",
     "Export free names", kNoKeys, nullptr, In(Menu::NamesExportText, 0, 1), kNowhere,
     AnyAvailable},
    {Command::ExportDatabase, "&Export to Database", "Export to Database", "Export to Database",
     kNoKeys, nullptr, In(Menu::Names, 2, 2), kNowhere, AnyTicked},

    {Command::CheckDomain, "Highlighted &Domain", "Check Domain Availability", "Check Availability",
     Keys(Qt::Key_F4), "quillon-check", In(Menu::Lookup, 0, 0), OnToolbar(4, 1),
     CurrentCanBeChecked},
    {Command::CheckAllSelected, "&All Selected", "Check All Selected Domains for availability",
     "Lookup All Selected", Keys(Qt::Key_F5), "media-playback-start", In(Menu::Lookup, 0, 1),
     OnToolbar(4, 2), AnyTicked},
    {Command::ResetTicked, "&Reset All Selected", "Reset Selected", "Reset Selected", kNoKeys,
     nullptr, In(Menu::Lookup, 0, 2), kNowhere, AnyTicked},
    {Command::StopLookup, "Stop &Highlighted", "Stop Domain Lookup", "Stop Lookup", kNoKeys,
     nullptr, In(Menu::Lookup, 1, 0), kNowhere, CurrentIsRunning},
    {Command::StopAll, "&Stop All", "Stop All", "Stop All", kNoKeys, "process-stop",
     In(Menu::Lookup, 1, 1), OnToolbar(4, 3), LookupsBusy},
    {Command::Options, "&Options...", "Options", "Options", kNoKeys, "preferences-system",
     In(Menu::Lookup, 2, 0), kNowhere, nullptr},
    {Command::SetupDomains, "Setup D&omains", "Setup Domains", "Setup Domains", kNoKeys,
     "quillon-tlds", In(Menu::Lookup, 2, 1), OnToolbar(5, 0), nullptr},
    {Command::UpdateRdapServers, "&Update RDAP Servers",
     "Fetch the current list of RDAP servers from IANA", "Update RDAP Servers", kNoKeys, nullptr,
     In(Menu::Lookup, 2, 2), kNowhere, nullptr},

    {Command::HelpTopics, "&Help Topics", "List Help topics", "Help Topics", Keys(Qt::Key_F1),
     "help-contents", In(Menu::Help, 0, 0), kNowhere, nullptr},
    {Command::CustomerSupport, "Customer &Support", "Customer Support", "Customer Support", kNoKeys,
     nullptr, In(Menu::Help, 0, 1), kNowhere, nullptr},
    {Command::About, "&About ZUL...", "Display program information, version number and copyright",
     "About", kNoKeys, "help-about", In(Menu::Help, 1, 0), kNowhere, nullptr},

    {Command::DeleteEntry, "&Delete Entry", "Delete Entry", "Delete Entry", kNoKeys, "list-remove",
     In(Menu::Popup, 0, 0), kNowhere, CurrentIsNotChecking},
    {Command::ResetEntry, "&Reset Entry", "Reset this domain", "Reset Entry", kNoKeys, nullptr,
     In(Menu::Popup, 0, 1), kNowhere, CurrentWasLookedUp},
    {Command::CopyDomainName, "&Domain Name", "Copy Domain name to clipboard", "Copy name", kNoKeys,
     nullptr, In(Menu::PopupCopy, 0, 0), kNowhere, HasCurrent},
    {Command::CopyDomainAddress, "Domain I&P", "Copy the domain IP to clipboard", "Copy IP",
     kNoKeys, nullptr, In(Menu::PopupCopy, 0, 1), kNowhere, CurrentHasAddress},
    {Command::CopyDomainInformation, "&Domain Information",
     "Copy the domain information to clipboard", "Copy information", kNoKeys, nullptr,
     In(Menu::PopupCopy, 0, 2), kNowhere, CurrentIsTaken},
    {Command::CopyDomainURL, "Domain &URL", "Copy domain URL to clipboard", "Copy URL", kNoKeys,
     nullptr, In(Menu::PopupCopy, 0, 3), kNowhere, CurrentIsNotAvailable},
    {Command::CheckAvailability, "&Check Availability", "Check Domain Availability",
     "Check Availability", kNoKeys, nullptr, In(Menu::Popup, 1, 0), kNowhere, CurrentCanBeChecked},
    {Command::StopEntryLookup, "Stop &Lookup", "Stop Domain Lookup", "Stop Lookup", kNoKeys,
     nullptr, In(Menu::Popup, 1, 1), kNowhere, CurrentIsRunning},
    {Command::TrademarkLookup, "&Trademark Lookup...", "Trademark Lookup", "Trademark Lookup",
     kNoKeys, nullptr, In(Menu::Popup, 1, 2), kNowhere, HasCurrent},
    {Command::PaymentStatus, "NSI &Payment Status...", "NSI Payment Status", "NSI Payment Status",
     kNoKeys, nullptr, In(Menu::Popup, 1, 3), kNowhere, HasCurrent},
    {Command::BrowseWebsite, "&Browse website", "Browse website", "Browse website",
     Keys(Qt::Key_F9), "quillon-browse", In(Menu::Popup, 2, 0), OnToolbar(4, 0),
     CurrentIsNotAvailable},

    {Command::NextPane, "Next Pane", "Switch to the next window pane", "Next Pane",
     Keys(Qt::Key_F6), nullptr, kNowhere, kNowhere, nullptr},
    {Command::PreviousPane, "Previous Pane", "Switch back to the previous window pane",
     "Previous Pane", Keys(Qt::SHIFT | Qt::Key_F6), nullptr, kNowhere, kNowhere, nullptr},
};

constexpr CMenuRow kMenus[] = {
    {Menu::File, "&File", In(Menu::Bar, 0, 0)},
    {Menu::RecentFiles, nullptr, In(Menu::File, 2, 0)},
    {Menu::Edit, "&Edit", In(Menu::Bar, 0, 1)},
    {Menu::EditDelete, "Delete", In(Menu::Edit, 1, 0)},
    {Menu::View, "&View", In(Menu::Bar, 0, 2)},
    {Menu::Selections, "&Selections", In(Menu::Bar, 0, 3)},
    {Menu::Names, "&Names", In(Menu::Bar, 0, 4)},
    {Menu::NamesSort, "&Sort", In(Menu::Names, 1, 0)},
    {Menu::NamesReports, "&Reports", In(Menu::Names, 2, 0)},
    {Menu::NamesExportText, "Export As &Text", In(Menu::Names, 2, 1)},
    {Menu::Lookup, "&Lookup", In(Menu::Bar, 0, 5)},
    {Menu::Help, "&Help", In(Menu::Bar, 0, 6)},
    {Menu::PopupCopy, "&Copy", In(Menu::Popup, 0, 2)},
};

constexpr bool SamePlace(const CPlace& a, const CPlace& b)
{
    return a.menu == b.menu && a.group == b.group && a.order == b.order;
}

// The table's index: the row of each command. Fails to compile when a command has no row or
// more than one, or when two items claim the same place.
constexpr std::array<std::size_t, kCommandCount> RowsByCommand()
{
    std::array<std::size_t, kCommandCount> rows{};
    std::array<int, kCommandCount> seen{};
    for (std::size_t row = 0; row < std::size(kCommands); ++row) {
        const auto command = static_cast<std::size_t>(kCommands[row].command);
        if (command >= kCommandCount || seen[command]++ != 0) {
            throw "a command has more than one row";
        }
        rows[command] = row;
    }
    for (const int count : seen) {
        if (count != 1) {
            throw "a command has no row";
        }
    }
    const auto placesClash = [](const CPlace& a, const CPlace& b) {
        return a.menu != Menu::None && SamePlace(a, b);
    };
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        for (std::size_t j = i + 1; j < std::size(kCommands); ++j) {
            if (placesClash(kCommands[i].menu, kCommands[j].menu) ||
                placesClash(kCommands[i].toolbar, kCommands[j].toolbar)) {
                throw "two commands share a place";
            }
        }
        for (const CMenuRow& menu : kMenus) {
            if (placesClash(kCommands[i].menu, menu.place)) {
                throw "a command and a submenu share a place";
            }
        }
    }
    return rows;
}

constexpr std::array<std::size_t, kCommandCount> kRowOf = RowsByCommand();

} // namespace

const CCommandRow& RowOf(Command command)
{
    return kCommands[kRowOf[static_cast<std::size_t>(command)]];
}

std::span<const CMenuRow> MenuRows()
{
    return kMenus;
}
