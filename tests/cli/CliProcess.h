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

CCliResult RunCli(const QStringList& arguments, int timeoutMs = 30000);
// Starts quillon-cli without waiting, for tests that interrupt it.
void StartCli(QProcess& process, const QStringList& arguments);
