#pragma once

#include <QStringList>

// A command of quillon-cli: its name, a one-line summary for the overview, the function that
// runs it with the arguments after its name (returning one of the ExitCode values), and whether
// it paints (fonts and painters need a GUI application, which runs without a display).
struct CCliCommand {
    enum class App { Core, Gui };

    const char* name;
    const char* summary;
    int (*run)(const QStringList& arguments);
    App app = App::Core;
};

int RunAnalyseCommand(const QStringList& arguments);
int RunCheckCommand(const QStringList& arguments);
int RunExportCommand(const QStringList& arguments);
int RunPrintCommand(const QStringList& arguments);
int RunRdapUpdateCommand(const QStringList& arguments);
int RunReportCommand(const QStringList& arguments);
int RunShowCommand(const QStringList& arguments);
