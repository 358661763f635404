#include "cli/CommandLine.h"

#include "cli/CliOutput.h"

bool ParseCommandLine(QCommandLineParser& parser, const QString& command, const QString& usage,
                      const QStringList& arguments, int& exitCode)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("quillon-cli")} + arguments)) {
        exitCode = CliOutput::UsageError(command, parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        // Replace Qt's generic first line with the command's own usage.
        text = usage + text.mid(text.indexOf(QLatin1Char('\n')));
        CliOutput::Write(text.toUtf8());
        exitCode = ExitCode::kOk;
        return false;
    }
    return true;
}
