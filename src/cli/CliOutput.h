#pragma once

#include <QByteArray>
#include <QString>

class DateTimeValue;

#include <cstdio>

// Exit statuses shared by every command.
namespace ExitCode {
inline constexpr int kOk = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;
} // namespace ExitCode

// Writes to the standard streams. Names and record texts are bytes and go out as they are, except
// that control characters are escaped (see ByteText::EscapeControls): a server's bytes must
// never drive the user's terminal.
namespace CliOutput {

void Write(QByteArrayView bytes);
void WriteLine(QByteArrayView bytes);
// "quillon-cli: <message>" on standard error.
void Error(const QString& message);
// Reports a mistake in the command line with a pointer to the help; returns the usage exit code.
int UsageError(const QString& command, const QString& message);

// A field of a tab-separated line: backslash, tab, CR and LF written as \\, \t, \r and \n, other
// control characters as \xHH.
QByteArray TsvField(QByteArrayView bytes);
// ISO 8601 local time ("2026-12-07T21:55:28"), empty when the value holds no time.
QByteArray IsoLocalTime(const DateTimeValue& value);
// A CSV field, quoted when it holds a comma, a quote or a line break (CR LF becomes LF); other
// control characters but tab written as \xHH.
QByteArray CsvField(QByteArrayView bytes);
// The name column of the text outputs: the name in both forms when it has two, control
// characters escaped, padded to 30 characters (not bytes, so names in other scripts line up).
QByteArray NameColumn(QByteArrayView name);
// A JSON string literal of the text, decoded for display like the window does, with every
// control character escaped.
QByteArray JsonString(QByteArrayView bytes);

} // namespace CliOutput
