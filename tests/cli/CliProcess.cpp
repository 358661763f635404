#include "cli/CliProcess.h"

QString CliPath()
{
    return QStringLiteral(QUILLON_CLI_PATH);
}

namespace {

void Start(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.setProgram(program);
    process.setArguments(arguments);
    process.start();
    process.waitForStarted();
}

} // namespace

void StartCli(QProcess& process, const QStringList& arguments)
{
    Start(process, CliPath(), arguments);
}

bool HasTerminalControls(QByteArrayView output)
{
    for (qsizetype i = 0; i < output.size(); ++i) {
        const auto byte = static_cast<unsigned char>(output[i]);
        const bool c1 = byte == 0xC2 && i + 1 < output.size() &&
                        static_cast<unsigned char>(output[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(output[i + 1]) <= 0x9F;
        if ((byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7F || c1) {
            return true;
        }
    }
    return false;
}

CCliResult RunCli(const QStringList& arguments, int timeoutMs)
{
    return RunProgram(CliPath(), arguments, timeoutMs);
}

CCliResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    Start(process, program, arguments);
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
