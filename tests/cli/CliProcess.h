#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// One run of the built quillon-cli with the test's settings and data folders.
struct CCliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The built quillon-cli.
QString CliPath();
CCliResult RunCli(const QStringList& arguments, int timeoutMs = 30000);
// Any program, for tests that run quillon-cli through another one.
CCliResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs = 30000);
// Starts quillon-cli without waiting, for tests that interrupt it.
void StartCli(QProcess& process, const QStringList& arguments);

// True when the output holds a control character a terminal would obey: one below space other
// than tab and line feed, DEL, or a C1 control written in UTF-8.
bool HasTerminalControls(QByteArrayView output);
