#include "lookup/RdapRecord.h"

#include "core/ByteText.h"
#include "core/DomainInfo.h"
#include "lookup/HttpTransfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace RdapRecord {

namespace {

constexpr QByteArrayView kLineEnd = "\r\n";
constexpr QByteArrayView kNoteLabel = "Asked over RDAP: ";
constexpr QByteArrayView kStatusLabel = "HTTP status: ";
constexpr QByteArrayView kDomainLabel = "Domain Name: ";
constexpr QByteArrayView kNoServiceLabel = "No RDAP service: ";
constexpr QByteArrayView kErrorLabel = "RDAP error: ";
constexpr QByteArrayView kRetryAfterLabel = "Retry-After: ";
// One value from an answer shows at most this many bytes; the whole text at most kMaxText.
constexpr qsizetype kMaxValue = 1000;
constexpr qsizetype kMaxText = 64 * 1024;

// Words with which redirectors and registries say that they serve no RDAP for the TLD asked
// about; such a 404 is no statement about the name.
constexpr QByteArrayView kNoServicePhrases[] = {
    "bootstrap",   "no rdap server",    "no rdap service", "rdap service is not",
    "not an rdap", "tld not supported", "unsupported tld", "tld is not supported",
    "no such tld", "unknown tld",
};

struct CEventLabel {
    const char* action;
    QByteArrayView label;
};
constexpr CEventLabel kEvents[] = {
    {"registration", "Registered: "},
    {"expiration", "Expires: "},
    {"last changed", "Last Changed: "},
};

QByteArrayView ReasonPhrase(long status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 406:
        return "Not Acceptable";
    case 410:
        return "Gone";
    case 422:
        return "Unprocessable Content";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    default:
        return {};
    }
}

// A value as one line: control bytes become spaces, and a long value is cut.
QByteArray OneLine(const QString& value)
{
    QByteArray bytes = value.toUtf8().trimmed();
    for (char& c : bytes) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            c = ' ';
        }
    }
    bytes.truncate(kMaxValue);
    return bytes;
}

class CWriter {
public:
    void Line(QByteArrayView label, const QString& value)
    {
        const QByteArray text = OneLine(value);
        if (!text.isEmpty()) {
            Raw(label.toByteArray() + text);
        }
    }
    void Raw(QByteArrayView line)
    {
        if (m_text.size() + line.size() + kLineEnd.size() <= kMaxText) {
            m_text += line;
            m_text += kLineEnd;
        }
    }
    QByteArray Take() { return std::move(m_text); }

private:
    QByteArray m_text;
};

QString VcardValue(const QJsonValue& vcard, QStringView property)
{
    for (const QJsonValue item : vcard.toArray().at(1).toArray()) {
        const QJsonArray field = item.toArray();
        if (field.at(0).toString() == property) {
            return field.at(3).toString();
        }
    }
    return {};
}

void WriteRegistrar(CWriter& out, const QJsonObject& domain)
{
    for (const QJsonValue item : domain.value(QLatin1String("entities")).toArray()) {
        const QJsonObject entity = item.toObject();
        if (!entity.value(QLatin1String("roles")).toArray().contains(QLatin1String("registrar"))) {
            continue;
        }
        QString name = VcardValue(entity.value(QLatin1String("vcardArray")), u"fn");
        for (const QJsonValue id : entity.value(QLatin1String("publicIds")).toArray()) {
            const QJsonObject publicId = id.toObject();
            if (publicId.value(QLatin1String("type")).toString().contains(QLatin1String("IANA"))) {
                name += QStringLiteral(" (IANA ID %1)")
                            .arg(publicId.value(QLatin1String("identifier")).toString());
            }
        }
        out.Line("Registrar: ", name);
        return;
    }
}

void WriteEvents(CWriter& out, const QJsonObject& domain)
{
    for (const CEventLabel& kind : kEvents) {
        for (const QJsonValue item : domain.value(QLatin1String("events")).toArray()) {
            const QJsonObject event = item.toObject();
            if (event.value(QLatin1String("eventAction")).toString() ==
                QLatin1String(kind.action)) {
                out.Line(kind.label, event.value(QLatin1String("eventDate")).toString());
            }
        }
    }
}

// Notices and remarks: a title line, then each description line indented.
void WriteTexts(CWriter& out, QByteArrayView label, const QJsonValue& texts)
{
    for (const QJsonValue item : texts.toArray()) {
        const QJsonObject text = item.toObject();
        const QString title = text.value(QLatin1String("title")).toString();
        out.Line(label, title.isEmpty() ? QStringLiteral("(untitled)") : title);
        for (const QJsonValue line : text.value(QLatin1String("description")).toArray()) {
            out.Line("  ", line.toString());
        }
    }
}

void WriteDomain(CWriter& out, const QJsonObject& domain, Notices notices)
{
    const QString ldhName = domain.value(QLatin1String("ldhName")).toString();
    const QString unicodeName = domain.value(QLatin1String("unicodeName")).toString();
    out.Line(kDomainLabel, ldhName.isEmpty() ? unicodeName : ldhName);
    if (!unicodeName.isEmpty() && unicodeName.compare(ldhName, Qt::CaseInsensitive) != 0) {
        out.Line("Unicode Name: ", unicodeName);
    }
    for (const QJsonValue status : domain.value(QLatin1String("status")).toArray()) {
        out.Line("Status: ", status.toString());
    }
    WriteRegistrar(out, domain);
    WriteEvents(out, domain);
    for (const QJsonValue item : domain.value(QLatin1String("nameservers")).toArray()) {
        out.Line("Name Server: ", item.toObject().value(QLatin1String("ldhName")).toString());
    }
    if (notices == Notices::Keep) {
        WriteTexts(out, "Notice: ", domain.value(QLatin1String("notices")));
        WriteTexts(out, "Remark: ", domain.value(QLatin1String("remarks")));
    }
}

bool IsDomainObject(const QJsonObject& object)
{
    const QJsonValue kind = object.value(QLatin1String("objectClassName"));
    if (kind.isString()) {
        return kind.toString() == QLatin1String("domain");
    }
    return object.contains(QLatin1String("ldhName")) ||
           object.contains(QLatin1String("unicodeName"));
}

bool SaysNoService(QByteArrayView body)
{
    const QByteArray folded = ByteText::ToLower(body);
    for (const QByteArrayView phrase : kNoServicePhrases) {
        if (folded.contains(phrase)) {
            return true;
        }
    }
    return false;
}

// The error object's title and description, or the body's first line when it is no JSON.
QString ServerWords(const QByteArray& body)
{
    const QJsonObject error = QJsonDocument::fromJson(body).object();
    QStringList words;
    if (const QString title = error.value(QLatin1String("title")).toString(); !title.isEmpty()) {
        words.append(title);
    }
    for (const QJsonValue line : error.value(QLatin1String("description")).toArray()) {
        words.append(line.toString());
    }
    if (words.isEmpty() && !error.isEmpty()) {
        return {};
    }
    return words.isEmpty() ? QString::fromUtf8(body.left(kMaxValue)) : words.join(u' ');
}

void WriteAnswer(CWriter& out, const CHttpResponse& response, Notices notices)
{
    const QByteArrayView phrase = ReasonPhrase(response.status);
    out.Raw(kStatusLabel.toByteArray() + QByteArray::number(response.status) +
            (phrase.isEmpty() ? QByteArray() : ' ' + phrase.toByteArray()));
    if (response.retryAfterSeconds) {
        out.Raw(kRetryAfterLabel.toByteArray() + QByteArray::number(*response.retryAfterSeconds) +
                " seconds");
    }
    if (response.status != 200) {
        const QString words = ServerWords(response.body);
        if (response.status == 404 && SaysNoService(response.body)) {
            out.Line(kNoServiceLabel,
                     words.isEmpty() ? QStringLiteral("(no reason given)") : words);
        } else {
            out.Line("Error: ", words);
        }
        return;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(response.body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        out.Raw(kErrorLabel.toByteArray() + "the answer is not valid RDAP JSON.");
    } else if (!IsDomainObject(document.object())) {
        out.Raw(kErrorLabel.toByteArray() + "the answer is not a domain object.");
    } else {
        WriteDomain(out, document.object(), notices);
    }
}

QByteArrayView WithoutLineEnd(QByteArrayView line)
{
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r')) {
        line.chop(1);
    }
    return line;
}

} // namespace

QByteArray Render(const CQuery& query, const CHttpResponse& response)
{
    CWriter out;
    out.Raw(kOwnLinePrefix.toByteArray() + query.server + ", Domain: " + query.name);
    if (!query.note.isEmpty()) {
        out.Line(kNoteLabel, QString::fromUtf8(query.note));
    }
    out.Raw({});
    if (response.Answered()) {
        WriteAnswer(out, response, query.notices);
    } else {
        out.Line(kErrorLabel, QString::fromUtf8(response.error));
    }
    return out.Take();
}

namespace {

// What the verdict reads back from a record text: the lines the program wrote, never the answer.
struct CReadBack {
    int status = -1;
    bool domain = false;
    bool noService = false;
    bool failed = false;
    bool retryAfter = false;
};

CReadBack ReadBack(QByteArrayView text)
{
    CReadBack facts;
    for (qsizetype at = text.indexOf('\n') + 1; at > 0 && at < text.size();) {
        const qsizetype newline = text.indexOf('\n', at);
        const qsizetype next = newline < 0 ? text.size() : newline + 1;
        const QByteArrayView line = WithoutLineEnd(text.sliced(at, next - at));
        if (line.startsWith(kStatusLabel) && facts.status < 0) {
            facts.status = line.sliced(kStatusLabel.size())
                               .first(std::min<qsizetype>(3, line.size() - kStatusLabel.size()))
                               .toInt();
        }
        facts.domain = facts.domain || line.startsWith(kDomainLabel);
        facts.noService = facts.noService || line.startsWith(kNoServiceLabel);
        facts.failed = facts.failed || line.startsWith(kErrorLabel);
        facts.retryAfter = facts.retryAfter || line.startsWith(kRetryAfterLabel);
        at = next;
    }
    return facts;
}

} // namespace

bool IsRdapRecord(QByteArrayView text)
{
    return text.startsWith(kOwnLinePrefix);
}

std::uint8_t Verdict(QByteArrayView text, std::uint8_t defaultStatus)
{
    const CReadBack facts = ReadBack(text);
    if (facts.failed) {
        return defaultStatus;
    }
    if (facts.status == 404 && !facts.noService) {
        return STATUS_AVAILABLE;
    }
    if (facts.status == 200 && facts.domain) {
        return STATUS_TAKEN;
    }
    return defaultStatus;
}

bool IsThrottle(QByteArrayView text)
{
    const CReadBack facts = ReadBack(text);
    return !facts.failed && (facts.status == 429 || (facts.status == 503 && facts.retryAfter));
}

QByteArrayView ProtocolOf(QByteArrayView text)
{
    return IsRdapRecord(text) ? QByteArrayView("rdap") : QByteArrayView("whois");
}

} // namespace RdapRecord
