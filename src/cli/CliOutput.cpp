#include "cli/CliOutput.h"

#include "core/ByteText.h"
#include "core/DateTimeValue.h"
#include "core/DomainName.h"

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
    // The named escapes go first, so that a backslash of the text stays apart from those that
    // EscapeControls writes.
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
    return ByteText::EscapeControls(field);
}

QByteArray IsoLocalTime(const DateTimeValue& value)
{
    const QDateTime when = value.ToLocal();
    return when.isValid() ? when.toString(Qt::ISODate).toUtf8() : QByteArray();
}

QByteArray CsvField(QByteArrayView bytes)
{
    // Line breaks stay line breaks, inside quotes; a carriage return alone would let the text
    // overwrite the line on a terminal.
    QByteArray field = ByteText::EscapeControls(bytes.toByteArray().replace("\r\n", "\n"), "\t\n");
    const bool needsQuotes = std::any_of(field.begin(), field.end(),
                                         [](char c) { return c == ',' || c == '"' || c == '\n'; });
    if (!needsQuotes) {
        return field;
    }
    return '"' + field.replace('"', "\"\"") + '"';
}

QByteArray NameColumn(QByteArrayView name)
{
    constexpr qsizetype kWidth = 30;
    const QByteArray shown = ByteText::EscapeControls(DomainName::WithALabel(name));
    return shown + QByteArray(std::max<qsizetype>(0, kWidth - ByteText::Decode(shown).size()), ' ');
}

QByteArray JsonString(QByteArrayView bytes)
{
    // A one-element array is the simplest document QJsonDocument will write; strip its brackets.
    const QByteArray array = QJsonDocument(QJsonArray{QJsonValue(ByteText::Decode(bytes))})
                                 .toJson(QJsonDocument::Compact);
    // QJsonDocument escapes only the characters below space; DEL and the C1 controls, which
    // some terminals obey, are escaped here too.
    QByteArray json;
    json.reserve(array.size());
    for (qsizetype i = 1; i < array.size() - 1; ++i) {
        const auto byte = static_cast<unsigned char>(array[i]);
        const auto next = static_cast<unsigned char>(array[i + 1]);
        if (byte == 0x7F) {
            json += "\\u007f";
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            json += "\\u00" + QByteArray::number(next, 16);
            ++i;
        } else {
            json += static_cast<char>(byte);
        }
    }
    return json;
}

} // namespace CliOutput
