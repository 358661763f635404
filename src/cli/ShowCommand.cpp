#include "cli/CliCommand.h"
#include "cli/CliOutput.h"
#include "cli/CommandLine.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

namespace {

enum class Format { Text, Tsv, Json };

QByteArray TextLine(const CDomainDoc& doc, int index)
{
    const CDomainInfo& entry = *doc.GetAt(index);
    QByteArray number, status, checkedAt;
    doc.GetFieldText(index, 0, number);
    doc.GetFieldText(index, 2, status);
    doc.GetFieldText(index, 3, checkedAt);
    QByteArray line = number.rightJustified(6) + "  " + CliOutput::NameColumn(entry.m_strName) +
                      "  " + status.leftJustified(15) + "  " + checkedAt.leftJustified(20) + "  " +
                      (entry.m_bTicked ? "ticked" : "-     ");
    if (!entry.m_strDNS.isEmpty()) {
        line += "  dns=" + ByteText::EscapeControls(entry.m_strDNS);
    }
    if (entry.m_nSuffixMarker != 0) {
        line += "  marker=" + QByteArray::number(entry.m_nSuffixMarker);
    }
    if (entry.m_nSuffixNumber != 0) {
        line += "  number=" + QByteArray::number(entry.m_nSuffixNumber);
    }
    return line;
}

QByteArray TsvLine(const CDomainDoc& doc, int index)
{
    const CDomainInfo& entry = *doc.GetAt(index);
    const QByteArrayList fields = {
        QByteArray::number(index + 1),
        CliOutput::TsvField(entry.m_strName),
        StatusText(entry.m_nStatus),
        CliOutput::IsoLocalTime(entry.m_timeChecked),
        entry.m_bTicked ? "1" : "0",
        CliOutput::TsvField(entry.m_strDNS),
        QByteArray::number(entry.m_nSuffixMarker),
        QByteArray::number(entry.m_nSuffixNumber),
        CliOutput::TsvField(DomainName::DisplayForm(entry.m_strName)),
    };
    return fields.join('\t');
}

QByteArray JsonLine(const CDomainDoc& doc, int index)
{
    const CDomainInfo& entry = *doc.GetAt(index);
    return "{\"number\":" + QByteArray::number(index + 1) +
           ",\"name\":" + CliOutput::JsonString(entry.m_strName) +
           ",\"status\":" + CliOutput::JsonString(StatusText(entry.m_nStatus)) +
           ",\"statusCode\":" + QByteArray::number(entry.m_nStatus) +
           ",\"checkedAt\":" + CliOutput::JsonString(CliOutput::IsoLocalTime(entry.m_timeChecked)) +
           ",\"ticked\":" + (entry.m_bTicked ? "true" : "false") +
           ",\"dns\":" + CliOutput::JsonString(entry.m_strDNS) +
           ",\"marker\":" + QByteArray::number(entry.m_nSuffixMarker) +
           ",\"suffixNumber\":" + QByteArray::number(entry.m_nSuffixNumber) +
           ",\"unicode\":" + CliOutput::JsonString(DomainName::DisplayForm(entry.m_strName)) + '}';
}

} // namespace

int RunShowCommand(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption formatOption(
        {QStringLiteral("f"), QStringLiteral("format")},
        QStringLiteral("text (the list's columns), tsv (tab-separated, times in ISO 8601) or json "
                       "(one object per line)."),
        QStringLiteral("format"), QStringLiteral("text"));
    parser.addOption(formatOption);
    parser.addPositionalArgument(QStringLiteral("FILE.zul"),
                                 QStringLiteral("The document to list."));
    int exitCode = ExitCode::kOk;
    if (!ParseCommandLine(
            parser, QStringLiteral("show"),
            QStringLiteral("Usage: quillon-cli show [--format text|tsv|json] FILE.zul\n"
                           "Lists the entries of a document in list order: number, "
                           "name, status, checked at, ticked, address text, marker "
                           "and number; tsv and json end with the name in Unicode."),
            arguments, exitCode)) {
        return exitCode;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        return CliOutput::UsageError(QStringLiteral("show"),
                                     QStringLiteral("give exactly one document to show."));
    }
    const QString formatName = parser.value(formatOption);
    Format format = Format::Text;
    if (formatName == QLatin1String("tsv")) {
        format = Format::Tsv;
    } else if (formatName == QLatin1String("json")) {
        format = Format::Json;
    } else if (formatName != QLatin1String("text")) {
        return CliOutput::UsageError(
            QStringLiteral("show"),
            QStringLiteral("unknown format '%1'; use text, tsv or json.").arg(formatName));
    }

    CTLDList tlds;
    CDomainDoc doc(tlds, AnalyseStoredAnswer);
    const CFileResult result = doc.OnOpenDocument(files.first());
    for (int i = 0; i < doc.GetCount(); ++i) {
        switch (format) {
        case Format::Text:
            CliOutput::WriteLine(TextLine(doc, i));
            break;
        case Format::Tsv:
            CliOutput::WriteLine(TsvLine(doc, i));
            break;
        case Format::Json:
            CliOutput::WriteLine(JsonLine(doc, i));
            break;
        }
    }
    if (!result.Ok()) {
        CliOutput::Error(QStringLiteral("%1: %2").arg(files.first(), result.Message()));
        return ExitCode::kFailure;
    }
    return ExitCode::kOk;
}
