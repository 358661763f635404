#include "cli/ResultFormat.h"

#include "cli/CliOutput.h"
#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "lookup/RdapRecord.h"

#include <vector>

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

namespace {

// One value of a machine-readable line: text is quoted or escaped as its format wants, a number
// goes as it is.
struct CField {
    const char* key;
    QByteArray value;
    bool text;
};

// "dns", or the registry's protocol that answered: "whois" or "rdap".
QByteArray SourceName(const CDomainInfo& entry, VerdictSource source)
{
    return source == VerdictSource::Dns ? QByteArrayLiteral("dns")
                                        : RdapRecord::ProtocolOf(entry.m_strInfo).toByteArray();
}

// The status code is for programs reading JSON; the columns of tsv and csv go without it.
std::vector<CField> FieldsOf(const CDomainInfo& entry, const CLookupFacts& facts, bool json,
                             bool withRecord)
{
    std::vector<CField> fields = {{"name", entry.m_strName, true},
                                  {"status", StatusText(entry.m_nStatus), true}};
    if (json) {
        fields.push_back({"statusCode", QByteArray::number(entry.m_nStatus), false});
    }
    fields.push_back({"checkedAt", CliOutput::IsoLocalTime(entry.m_timeChecked), true});
    fields.push_back({"source", SourceName(entry, facts.source), true});
    fields.push_back({"throttles", QByteArray::number(facts.throttles), false});
    if (withRecord) {
        fields.push_back({"record", entry.m_strInfo, true});
    }
    fields.push_back({"unicode", DomainName::DisplayForm(entry.m_strName), true});
    return fields;
}

QByteArray Joined(const std::vector<CField>& fields, char separator,
                  QByteArray (*quoted)(QByteArrayView))
{
    QByteArray line;
    for (const CField& field : fields) {
        if (!line.isEmpty()) {
            line += separator;
        }
        line += field.text ? quoted(field.value) : field.value;
    }
    return line;
}

QByteArray JsonObject(const std::vector<CField>& fields)
{
    QByteArray line;
    for (const CField& field : fields) {
        line += (line.isEmpty() ? "{\"" : ",\"") + QByteArray(field.key) +
                "\":" + (field.text ? CliOutput::JsonString(field.value) : field.value);
    }
    return line + '}';
}

QByteArray TextLine(const CDomainDoc& doc, int index, bool withRecord)
{
    const CDomainInfo& entry = *doc.GetAt(index);
    QByteArray checkedAt;
    doc.GetFieldText(index, 3, checkedAt);
    QByteArray line = CliOutput::NameColumn(entry.m_strName) + "  " +
                      StatusText(entry.m_nStatus).leftJustified(15) + "  " + checkedAt;
    if (withRecord) {
        const QByteArray record = entry.m_strInfo.trimmed().replace("\r\n", "\n");
        line += "\n    " + ByteText::EscapeControls(record, "\t\n").replace('\n', "\n    ");
    }
    return line;
}

} // namespace

QByteArray CResultFormat::Line(const CDomainDoc& doc, int index, const CLookupFacts& facts) const
{
    if (m_kind == Kind::Text) {
        return TextLine(doc, index, m_bWithRecord);
    }
    const std::vector<CField> fields =
        FieldsOf(*doc.GetAt(index), facts, m_kind == Kind::Json, m_bWithRecord);
    if (m_kind == Kind::Json) {
        return JsonObject(fields);
    }
    return m_kind == Kind::Tsv ? Joined(fields, '\t', CliOutput::TsvField)
                               : Joined(fields, ',', CliOutput::CsvField);
}
