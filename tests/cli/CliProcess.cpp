#include "cli/CliProcess.h"

void StartCli(QProcess& process, const QStringList& arguments)
{
    process.setProgram(QStringLiteral(QUILLON_CLI_PATH));
    process.setArguments(arguments);
    process.start();
    process.waitForStarted();
}

CCliResult RunCli(const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    StartCli(process, arguments);
    CCliResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
