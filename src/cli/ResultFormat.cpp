#include "cli/ResultFormat.h"

#include "cli/CliOutput.h"
#include "core/ByteText.h"
#include "core/DomainDoc.h"

std::optional<CResultFormat> CResultFormat::FromName(const QString& name, bool withRecord)
{
    if (name == QLatin1String("text")) {
        return CResultFormat(Kind::Text, withRecord);
    }
    if (name == QLatin1String("tsv")) {
        return CResultFormat(Kind::Tsv, withRecord);
    }
    if (name == QLatin1String("csv")) {
        return CResultFormat(Kind::Csv, withRecord);
    }
    if (name == QLatin1String("json")) {
        return CResultFormat(Kind::Json, withRecord);
    }
    return std::nullopt;
}

QByteArray CResultFormat::Line(const CDomainDoc& doc, int index, VerdictSource source) const
{
    const CDomainInfo& entry = *doc.GetAt(index);
    const QByteArray sourceName = VerdictSourceName(source);
    const QByteArray status = StatusText(entry.m_nStatus);
    const QByteArray time = CliOutput::IsoLocalTime(entry.m_timeChecked);
    switch (m_kind) {
    case Kind::Text: {
        QByteArray checkedAt;
        doc.GetFieldText(index, 3, checkedAt);
        QByteArray line = ByteText::EscapeControls(entry.m_strName).leftJustified(30) + "  " +
                          status.leftJustified(15) + "  " + checkedAt;
        if (m_bWithRecord) {
            const QByteArray record = entry.m_strInfo.trimmed().replace("\r\n", "\n");
            line += "\n    " + ByteText::EscapeControls(record, "\t\n").replace('\n', "\n    ");
        }
        return line;
    }
    case Kind::Tsv: {
        QByteArray line =
            CliOutput::TsvField(entry.m_strName) + '\t' + status + '\t' + time + '\t' + sourceName;
        if (m_bWithRecord) {
            line += '\t' + CliOutput::TsvField(entry.m_strInfo);
        }
        return line;
    }
    case Kind::Csv: {
        QByteArray line =
            CliOutput::CsvField(entry.m_strName) + ',' + status + ',' + time + ',' + sourceName;
        if (m_bWithRecord) {
            line += ',' + CliOutput::CsvField(entry.m_strInfo);
        }
        return line;
    }
    case Kind::Json: {
        QByteArray line = "{\"name\":" + CliOutput::JsonString(entry.m_strName) +
                          ",\"status\":" + CliOutput::JsonString(status) +
                          ",\"statusCode\":" + QByteArray::number(entry.m_nStatus) +
                          ",\"checkedAt\":" + CliOutput::JsonString(time) +
                          ",\"source\":" + CliOutput::JsonString(sourceName);
        if (m_bWithRecord) {
            line += ",\"record\":" + CliOutput::JsonString(entry.m_strInfo);
        }
        return line + '}';
    }
    }
    return {};
}
