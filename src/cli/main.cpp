#include "cli/CliCommand.h"
#include "cli/CliOutput.h"

#include "core/DataFolder.h"
#include "lookup/HttpTransfer.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

constexpr CCliCommand kCommands[] = {
    {"analyse", "Analyse saved WHOIS answers as a lookup would.", RunAnalyseCommand},
    {"check", "Look names up and print their verdicts.", RunCheckCommand},
    {"export", "Write entries to a text file or an SQLite database.", RunExportCommand},
    {"print", "Print the list of a .zul document to a PDF file.", RunPrintCommand,
     CCliCommand::App::Gui},
    {"rdap-update", "Fetch the current list of RDAP servers from IANA.", RunRdapUpdateCommand},
    {"report", "Write the HTML report of a .zul document's ticked entries.", RunReportCommand},
    {"show", "List the entries of a .zul document.", RunShowCommand},
};

void PrintOverview()
{
    QByteArray text = "Usage: quillon-cli COMMAND [OPTIONS] [ARGUMENTS]\n\n"
                      "Quillon finds out whether domain names are registered by asking the WHOIS\n"
                      "or RDAP server of each name's top-level domain. This is its command-line\n"
                      "tool.\n\n"
                      "Commands:\n";
    for (const CCliCommand& command : kCommands) {
        text += "  " + QByteArray(command.name).leftJustified(12) + command.summary + '\n';
    }
    text += "\nRun 'quillon-cli COMMAND --help' for the options of a command.\n";
    CliOutput::Write(text);
}

const CCliCommand* FindCommand(const char* name)
{
    const auto* command =
        std::find_if(std::begin(kCommands), std::end(kCommands),
                     [name](const CCliCommand& c) { return qstrcmp(name, c.name) == 0; });
    return command == std::end(kCommands) ? nullptr : command;
}

std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv,
                                                  const CCliCommand* command)
{
    if (command && command->app == CCliCommand::App::Gui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const CHttpLibrary http;
    const CCliCommand* command = argc > 1 ? FindCommand(argv[1]) : nullptr;
    const auto app = MakeApplication(argc, argv, command);
    DataFolder::InitApplicationIdentity();
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        return CliOutput::UsageError(QString(), QStringLiteral("no command given."));
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        PrintOverview();
        return ExitCode::kOk;
    }
    if (name == QLatin1String("--version")) {
        CliOutput::WriteLine("quillon-cli " QUILLON_VERSION);
        return ExitCode::kOk;
    }
    if (!command) {
        return CliOutput::UsageError(QString(), QStringLiteral("unknown command '%1'.").arg(name));
    }
    return command->run(arguments);
}
