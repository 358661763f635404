#include "web/BrowserCommand.h"

#include <QByteArray>
#include <QProcess>

#include <array>

namespace BrowserCommand {

namespace {

constexpr std::array<const char*, 4> kPlaceholders = {"%u", "%U", "%f", "%F"};

// Where the first of the placeholders starts, each looked for inside `quote` marks when `quote`
// is given; -1 when none is there.
qsizetype FirstPlaceholder(const QString& line, QLatin1String quote)
{
    qsizetype first = -1;
    for (const char* placeholder : kPlaceholders) {
        const QString wanted = QString(quote) + QLatin1String(placeholder) + quote;
        const qsizetype at = line.indexOf(wanted);
        if (at >= 0 && (first < 0 || at < first)) {
            first = at;
        }
    }
    return first;
}

// A quoted placeholder is looked for first, and the line is cut before its quote; then one in
// single quotes; then a bare one. A line without any is kept whole.
qsizetype CutPosition(const QString& line)
{
    for (const QLatin1String quote : {QLatin1String("\""), QLatin1String("'"), QLatin1String()}) {
        const qsizetype at = FirstPlaceholder(line, quote);
        if (at >= 0) {
            return at;
        }
    }
    return line.size();
}

} // namespace

QString ExecLine(QByteArrayView desktopEntry)
{
    bool inMainGroup = false;
    for (const QByteArray& rawLine : desktopEntry.toByteArray().split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inMainGroup && equals > 0 && line.left(equals).trimmed() == "Exec") {
            return QString::fromUtf8(line.mid(equals + 1).trimmed());
        }
    }
    return QString();
}

QStringList ForTarget(const QString& execLine, const QString& target)
{
    QStringList command = QProcess::splitCommand(execLine.left(CutPosition(execLine)));
    if (command.isEmpty()) {
        return command;
    }
    command.append(target);
    return command;
}

} // namespace BrowserCommand
