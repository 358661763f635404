#pragma once

class CMainFrame;

// Binds the commands of the name dialogs, the exports and reports, the web lookups, the options,
// the TLD table and the RDAP server list to the window.
void BindFeatureCommands(CMainFrame& frame);
