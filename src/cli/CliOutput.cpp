#include "cli/CliOutput.h"

#include "core/ByteText.h"
#include "core/DateTimeValue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <algorithm>

namespace CliOutput {

void Write(QByteArrayView bytes)
{
    std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void WriteLine(QByteArrayView bytes)
{
    Write(bytes);
    std::fputc('\n', stdout);
}

void Error(const QString& message)
{
    std::fflush(stdout);
    const QByteArray text = "quillon-cli: " + message.toUtf8() + '\n';
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
}

int UsageError(const QString& command, const QString& message)
{
    const QString help = command.isEmpty() ? QStringLiteral("quillon-cli --help")
                                           : QStringLiteral("quillon-cli %1 --help").arg(command);
    Error(QStringLiteral("%1\nTry '%2' for more information.").arg(message, help));
    return ExitCode::kUsage;
}

QByteArray TsvField(QByteArrayView bytes)
{
    QByteArray field;
    field.reserve(bytes.size());
    for (const char c : bytes) {
        switch (c) {
        case '\\':
            field += "\\\\";
            break;
        case '\t':
            field += "\\t";
            break;
        case '\r':
            field += "\\r";
            break;
        case '\n':
            field += "\\n";
            break;
        default:
            field += c;
        }
    }
    return field;
}

QByteArray IsoLocalTime(const DateTimeValue& value)
{
    const QDateTime when = value.ToLocal();
    return when.isValid() ? when.toString(Qt::ISODate).toUtf8() : QByteArray();
}

QByteArray CsvField(QByteArrayView bytes)
{
    const bool needsQuotes = std::any_of(bytes.begin(), bytes.end(), [](char c) {
        return c == ',' || c == '"' || c == '\r' || c == '\n';
    });
    if (!needsQuotes) {
        return bytes.toByteArray();
    }
    return '"' + bytes.toByteArray().replace('"', "\"\"") + '"';
}

QByteArray JsonString(QByteArrayView bytes)
{
    // A one-element array is the simplest document QJsonDocument will write; strip its brackets.
    const QByteArray array = QJsonDocument(QJsonArray{QJsonValue(ByteText::Decode(bytes))})
                                 .toJson(QJsonDocument::Compact);
    return array.sliced(1, array.size() - 2);
}

} // namespace CliOutput
