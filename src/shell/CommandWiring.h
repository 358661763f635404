#pragma once

class CMainFrame;

// Binds the commands of the name dialogs, the exports and reports, the web lookups, the options
// and the TLD table to the window.
void BindFeatureCommands(CMainFrame& frame);
