#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// Parses a command's arguments and answers --help. Returns true when the command should run;
// otherwise `exitCode` holds the status to end with (0 after help, the usage code after a
// mistake, which has been reported).
bool ParseCommandLine(QCommandLineParser& parser, const QString& command, const QString& usage,
                      const QStringList& arguments, int& exitCode);
