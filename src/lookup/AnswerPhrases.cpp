#include "lookup/AnswerPhrases.h"

#include "core/ByteText.h"
#include "core/TLDList.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace AnswerPhrases {

namespace {

using AnswerLines::IsAsciiAlnum;
using AnswerLines::IsNameByte;
using AnswerLines::Line;
using AnswerLines::Shape;

// Every phrase starts where a word starts (never inside a host name or URL). Some must also end
// where a word ends ("is free", not "is freely") or close their sentence ("Domain is available."
// but not "... is available at"); the others may run on ("no match" also finds "No matching
// record.").
enum class End { Open, Word, Sentence };

struct Phrase {
    std::string_view text; // lower case
    End end;
};

// Field names that show a registration, as the first table of this program had them, matched
// anywhere inside a record's field name: "Registrant Name:", "Registrar:", "Address:",
// "Name servers:", "Domain servers in listed order:".
constexpr std::string_view kClassicRecordNames[] = {
    "registrant", "domain servers", "name server..", "registrar:",
    "address:",   "date-approved:", "name servers:",
};

// Field names of today's records, matched at a word start inside a record's field name or
// section heading. Free answers name only the domain and its status, never these.
constexpr Phrase kRecordNames[] = {
    // "Sponsoring Registrar:", "Registrar Name:", "Registrar URL:" and the heading "REGISTRAR:".
    {"registrar", End::Word},
    // "Registered:" (DK Hostmaster, DNS Belgium), "Registered on:" (Nominet), "Date registered:".
    {"registered", End::Word},
    // "Domain Registration Date:" (Neustar), "Registration Time:" (CNNIC).
    {"registration date", End::Open},
    {"registration time", End::Open},
    // "Creation Date:", "created:", "Domain Create Date:".
    {"creat", End::Open},
    // "Registry Expiry Date:", "Expiration Date:", "expires:", "Expire Date:".
    {"expir", End::Open},
    // The expiry field of the .ru and .su registries.
    {"paid-till", End::Open},
    // RIPE-style records (DENIC, AFNIC, IIS, NIC.br) list name servers as "nserver:".
    {"nserver", End::Open},
    // "Name Server:", "Name Servers Information:", "[Name Server]".
    {"name server", End::Open},
    // "Nameservers", "Domain nameservers:".
    {"nameserver", End::Open},
    // The holder of the name: "holder:", "holder-c:", "Holder of domain name:".
    {"holder", End::Open},
    // NIC.br: "owner:", "owner-c:".
    {"owner", End::Open},
    // Contacts exist only for a registered name: "admin-c:", "Admin Name:", "Administrator".
    {"admin", End::Open},
    // "tech-c:", "Tech Name:", "Technical contact:".
    {"tech", End::Open},
};

// Other field names of a record's data, matched at a word start inside a field's name. A field
// so named is data, never part of a notice, whatever its value says: "Tech Email: Please query
// the RDDS service of the Registrar of Record ...". The record names above count as well, and so
// does a field whose last word is "Status" or "State".
constexpr Phrase kDataFieldNames[] = {
    // "Domain Name:", "domain:", "Registry Domain ID:", AFNIC's "Nom de domaine:".
    {"domain", End::Open},
    // "Registrant Organization:", "Registration period:", "Reseller:".
    {"registr", End::Open},
    {"reseller", End::Open},
    // Contacts: "Name:", "Given name:", "Company name:", "Contact:", "person:", "Organization:",
    // "org:", "Billing Email:".
    {"name", End::Open},
    {"contact", End::Open},
    {"person", End::Open},
    {"org", End::Open},
    {"billing", End::Open},
    // Contact details: "Email:", "e-mail:", "Phone:", "Telephone Registrant:", "Fax:",
    // "Address:", "Street:", "City:", "Postal Code:", "Country:".
    {"email", End::Open},
    {"e-mail", End::Open},
    {"phone", End::Open},
    {"telephone", End::Open},
    {"fax", End::Open},
    {"address", End::Open},
    {"street", End::Open},
    {"city", End::Open},
    {"postal", End::Open},
    {"country", End::Open},
    // Name servers and signing: "DNSSEC:", "dns:", "DS Data:".
    {"dns", End::Open},
    {"ds data", End::Open},
    // Dates of the record: "Updated Date:", "changed:", "Last Modified:", "Renewal Date:".
    {"date", End::Open},
    {"updated", End::Open},
    {"changed", End::Open},
    {"modified", End::Open},
    {"renew", End::Open},
    // Pointers a record carries: "Registrar WHOIS Server:", "Whois Server:", "Referral URL:".
    {"whois server", End::Open},
    {"referral", End::Open},
    // RIPE-style handles and sources: "nic-hdl:", "source:".
    {"nic-hdl", End::Open},
    {"source", End::Word},
};

// A "Status:" or "State:" field whose value says the name is held: EPP statuses
// ("clientTransferProhibited", "serverHold", "ok", "pendingDelete"), DENIC's "connect", and the
// words ccTLD registries use ("active", "registered", DNS Belgium's "NOT AVAILABLE").
constexpr Phrase kRegisteredStatusValues[] = {
    {"active", End::Word},        {"inactive", End::Word}, {"registered", End::Word},
    {"connect", End::Word},       {"ok", End::Word},       {"client", End::Open},
    {"server", End::Open},        {"pending", End::Open},  {"redemption", End::Open},
    {"not available", End::Open},
};

// A "Status:" field whose value says nobody holds the name: DENIC "free", EURid, .it, CIRA
// "AVAILABLE", .nz "220 Available".
constexpr Phrase kFreeStatusValues[] = {
    {"free", End::Word},
    {"available", End::Word},
};

// Statements that the name is not registered, found anywhere in a line outside notices.
constexpr Phrase kFreePhrases[] = {
    // The first table of this program.
    {"no entries found", End::Open},
    {"no match", End::Open},
    {"not found", End::Open},
    {"is not a registered domain", End::Open},
    {"your search returns no relevent records", End::Open},
    // Neustar (.biz, .us) and auDA (.au): "No Data Found".
    {"no data found", End::Open},
    // EPP-based registries: "No Object Found".
    {"no object found", End::Open},
    // "The queried object does not exist", "Domain name ... does not exist in database".
    {"does not exist", End::Open},
    // NIC.AT: "% nothing found".
    {"nothing found", End::Open},
    {"no such domain", End::Open},
    // NASK (.pl): "No information available about domain name ...".
    {"no information available", End::Open},
    // "Status: Not Registered", "The domain ... is not registered".
    {"not registered", End::Open},
    // HKIRC, Nominet: "This domain name has not been registered."
    {"not been registered", End::Open},
    // The misspelling some registries print (.ai: "Domain ... not registred.").
    {"not registred", End::Open},
    // SIDN (.nl): "example.nl is free".
    {"is free", End::Word},
    // SWITCH (.ch, .li): "We do not have an entry in our database matching your query."
    {"do not have an entry", End::Open},
    {"is available for registration", End::Open},
    // Dot TK: "domain name not known in Dot TK Domain Registry".
    {"not known", End::Open},
    // TWNIC (.tw): "No Found".
    {"no found", End::Open},
    // NIC Argentina: "El dominio no se encuentra registrado en NIC Argentina".
    {"no se encuentra registrado", End::Open},
    // The .co.ca registry: "Domain is available." Only as a whole sentence about the domain:
    // "... is available at https://..." points somewhere else.
    {"domain is available", End::Sentence},
    {"domain name is available", End::Sentence},
    // LK Domain Registry: "This Domain is not available in our whois database": it holds no
    // record of the name. Without "in our" the same words mean taken (DNS Belgium's status
    // "NOT AVAILABLE").
    {"domain is not available in our", End::Open},
};

// The server answers in spite of a failure it reports on the same line: NIC.br's "Query rate
// limit exceeded. Reduced information." goes on to print the record or "No match", shortened.
constexpr Phrase kReducedAnswerPhrases[] = {
    {"reduced information", End::Open},
};

// The server will not serve this client for now: a rate limit, a quota, "try again later". Such
// an answer says nothing about the name, whatever else it holds (AFNIC's throttle answer still
// ends with "No entries found"), and it is about the server, not the name: the lookup waits for
// the server rather than counting against the name. Multi-word or whole-word, so a registered
// name such as exceeded.com does not count.
constexpr Phrase kThrottlePhrases[] = {
    // "WHOIS LIMIT EXCEEDED" (PIR), "connection limit exceeded" (CZ.NIC), "You have exceeded
    // your quota" (MarkMonitor), "The WHOIS query quota ... has been exceeded" (Nominet). Notices
    // say "exceeding" or "exceed", which do not count.
    {"exceeded", End::Word},
    {"exceeds", End::Word},
    // DENIC, RIPE: "access control limit reached".
    {"limit reached", End::Open},
    // DNS Belgium: "Maximum queries per hour reached".
    {"maximum queries", End::Open},
    {"maximum number of queries", End::Open},
    // "Too many requests", "too many connections"; THNIC's own spelling "Too may requests".
    {"too many", End::Open},
    {"too may requests", End::Open},
    // SIDN, CZ.NIC: "try again later".
    {"try again", End::Open},
    {"try later", End::Open},
    // CZ.NIC: "Please slow down".
    {"slow down", End::Open},
    // "Please wait 10 seconds before your next query".
    {"please wait", End::Open},
    // EURid: "Excessive querying".
    {"excessive quer", End::Open},
    // "You have been rate limited", "You are being throttled". Not "rate limited" on its own:
    // SK-NIC tells every answer "Access to the whois service is rate limited."
    {"been rate limited", End::Open},
    {"been rate-limited", End::Open},
    {"are rate limited", End::Open},
    {"are rate-limited", End::Open},
    {"being rate limited", End::Open},
    {"being rate-limited", End::Open},
    {"been throttled", End::Open},
    {"being throttled", End::Open},
    {"are throttled", End::Open},
    // ZA Central Registry: "Please go away for 13 Seconds"; HKIRC: "Please maintain at least
    // 10-second time before starting another enquiry".
    {"go away for", End::Open},
    {"maintain at least", End::Open},
    // A server that refuses this client (.nz: "440 Request Denied"), perhaps for a while.
    {"access denied", End::Open},
    {"request denied", End::Open},
    {"query denied", End::Open},
    {"query refused", End::Open},
    {"request refused", End::Open},
    {"been refused", End::Open},
    {"been blocked", End::Open},
    {"temporarily blocked", End::Open},
    {"banned", End::Word},
    {"blacklisted", End::Word},
    // The server is too busy to answer now.
    {"server is busy", End::Open},
};

// The server could not serve the query for a reason that is neither the name nor this client's
// pace. Such an answer says nothing about the name; the lookup counts as a failure.
constexpr Phrase kFailurePhrases[] = {
    {"service unavailable", End::Open},
    {"service is unavailable", End::Open},
    {"temporarily unavailable", End::Open},
    {"currently unavailable", End::Open},
    {"permission denied", End::Open},
    {"connection refused", End::Open},
    {"timed out", End::Open},
};

// A line that names a budget of queries and says it is spent is a throttle, whatever its other
// words: "Query rate limit has been reached", "quota is used up", "Number of allowed queries
// reached", "daily allowance exhausted". The two tables are read as words anywhere in one line.
constexpr Phrase kBudgetWords[] = {
    {"limit", End::Open},   {"quota", End::Open},   {"allowance", End::Word},
    {"allowed", End::Word}, {"maximum", End::Word},
};
constexpr Phrase kSpentWords[] = {
    {"reached", End::Word}, {"exceed", End::Open},   {"exhausted", End::Word},
    {"used up", End::Word}, {"depleted", End::Word}, {"run out", End::Word},
    {"ran out", End::Word}, {"over", End::Word},
};

// Wording of legal notices, terms of use and copyright lines. A paragraph is a notice from the
// first line that holds one of these in its running text or field name, and a phrase inside a
// notice is no statement about the name. Sentence fragments rather than single words, so an
// organisation named in a record ("Forbidden Fruit Ltd", "... Limited Liability Company") does
// not turn its lines into a notice.
constexpr Phrase kNoticeMarkers[] = {
    // The titles notices carry: Verisign's "NOTICE:" and "TERMS OF USE:", .ME's "WHOIS TERMS &
    // CONDITIONS:", DENIC's "Terms and Conditions of Use", SWITCH's "Acceptable Use Policy",
    // CIRA's "Legal Notice", Nominet's "this notice".
    {"notice:", End::Open},
    {"legal notice", End::Open},
    {"this notice", End::Open},
    {"disclaimer", End::Open},
    {"terms of use", End::Open},
    {"terms of service", End::Open},
    {"terms and conditions", End::Open},
    {"terms & conditions", End::Open},
    {"conditions of use", End::Open},
    {"acceptable use", End::Open},
    // Copyright lines: "Copyright (c) 2010 by DENIC", "(c) 2014 CIRA", "All data is (c)
    // CentralNic", "All rights reserved." (IIS, Afilias), "Rights restricted by copyright"
    // (AFNIC), "Restricted rights." (DENIC, NIC.AT), SIDN's "No part of this publication".
    {"(c)", End::Open},
    {"all rights reserved", End::Open},
    {"rights restricted", End::Open},
    {"restricted rights", End::Open},
    {"no part of this", End::Open},
    // The user's consent: "By submitting a query you agree ...", "By executing this query"
    // (Neustar), "By maintaining the connection" (DENIC), "you are agreeing" (CentralNic).
    {"you agree", End::Open},
    {"agree to", End::Open},
    {"agreeing", End::Open},
    {"abide by", End::Open},
    {"by submitting", End::Open},
    {"by using", End::Open},
    {"by executing", End::Open},
    {"by accessing", End::Open},
    {"by maintaining", End::Open},
    // Purposes, warranties and permissions: "for information purposes only", "does not
    // guarantee its accuracy", "without prior written permission", "reserves the right".
    {"information purposes", End::Open},
    {"informational purposes", End::Open},
    {"lawful purpose", End::Open},
    {"not guarantee", End::Open},
    {"without prior", End::Open},
    {"prior written", End::Open},
    {"reserves the right", End::Open},
    {"held liable", End::Open},
    // What the user must not do: "mass unsolicited, commercial advertising", "high-volume,
    // automated processes", "explicitly forbidden", "expressly prohibited", "will be
    // prosecuted". Never bare "prohibited": EPP statuses read "DELETE PROHIBITED".
    {"unsolicited", End::Open},
    {"high volume", End::Open},
    {"high-volume", End::Open},
    {"is forbidden", End::Open},
    {"are forbidden", End::Open},
    {"explicitly forbidden", End::Open},
    {"strictly forbidden", End::Open},
    {"is prohibited", End::Open},
    {"are prohibited", End::Open},
    {"expressly prohibited", End::Open},
    {"strictly prohibited", End::Open},
    {"prohibited without", End::Open},
    {"be prosecuted", End::Open},
    // ICANN's required pointers: "For more information on Whois status codes" and the "URL of
    // the ICANN Whois Inaccuracy Complaint Form" / "ICANN WHOIS Data Problem Reporting System".
    {"whois status codes", End::Open},
    {"icann whois", End::Open},
};

// The server says it answers in spite of the failure it reports; the scan's own mark.
constexpr unsigned kReducedAnswer = 1u << 8;
constexpr unsigned kBudget = 1u << 9;
constexpr unsigned kSpent = 1u << 10;

struct Candidate {
    Phrase phrase;
    unsigned kind;
};

using Buckets = std::array<std::vector<Candidate>, 256>;

template <std::size_t N>
void AddTable(Buckets& buckets, const Phrase (&table)[N], unsigned kind)
{
    for (const Phrase& phrase : table) {
        Q_ASSERT(phrase.text.size() >= 2); // the scan compares the second byte first
        buckets[static_cast<unsigned char>(phrase.text.front())].push_back({phrase, kind});
    }
}

// The phrases of every word-start table, by their first byte, so a line is read once.
const Buckets& CandidatesByFirstByte()
{
    static const Buckets buckets = [] {
        Buckets result;
        AddTable(result, kNoticeMarkers, kNotice);
        AddTable(result, kThrottlePhrases, kThrottle);
        AddTable(result, kFailurePhrases, kFailure);
        AddTable(result, kBudgetWords, kBudget);
        AddTable(result, kSpentWords, kSpent);
        AddTable(result, kReducedAnswerPhrases, kReducedAnswer);
        AddTable(result, kFreePhrases, kFree);
        AddTable(result, kRecordNames, kRegistered);
        return result;
    }();
    return buckets;
}

bool EndsWord(QByteArrayView text, qsizetype at)
{
    if (at >= text.size()) {
        return true;
    }
    const char c = text[at];
    if (IsAsciiAlnum(c) || c == '-' || c == '_') {
        return false;
    }
    // A dot or @ followed by more name goes on into a host name or an address.
    const bool continuesName =
        (c == '.' || c == '@') && at + 1 < text.size() && IsAsciiAlnum(text[at + 1]);
    return !continuesName;
}

// Only blanks stand between `at` and the end of the line or a full stop or exclamation mark that
// ends the sentence.
bool EndsSentence(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    if (at == text.size()) {
        return true;
    }
    return (text[at] == '.' || text[at] == '!') &&
           (at + 1 == text.size() || !IsAsciiAlnum(text[at + 1]));
}

// A phrase's blank also matches a tab or the underscore of "Object_Not_Found".
inline bool SameByte(char textByte, char phraseByte)
{
    if (phraseByte == ' ') {
        return textByte == ' ' || textByte == '\t' || textByte == '_';
    }
    return ByteText::FoldCase(textByte) == phraseByte;
}

inline bool MatchesAt(QByteArrayView text, qsizetype at, const Phrase& phrase)
{
    const auto length = static_cast<qsizetype>(phrase.text.size());
    if (at + length > text.size()) {
        return false;
    }
    for (qsizetype i = 0; i < length; ++i) {
        if (!SameByte(text[at + i], phrase.text[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    switch (phrase.end) {
    case End::Open:
        return true;
    case End::Word:
        return EndsWord(text, at + length);
    case End::Sentence:
        return EndsSentence(text, at + length);
    }
    return false;
}

bool StartsWithAny(QByteArrayView text, const auto& table)
{
    for (const Phrase& phrase : table) {
        if (MatchesAt(text, 0, phrase)) {
            return true;
        }
    }
    return false;
}

bool IsWordSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '_' || c == '-' || c == '[';
}

bool IsNegation(QByteArrayView word)
{
    return ByteText::EqualsNoCase(word, "no") || ByteText::EqualsNoCase(word, "not");
}

// A registry's name for a field of its record, as opposed to a short statement. Records never
// put a domain name, an address or a quotation in a field name ('No match for "REGISTRANT.COM"'
// or 'registrant.nl is free' name the queried domain), nor a negation.
bool IsRecordFieldName(QByteArrayView key)
{
    qsizetype wordBegin = 0;
    for (qsizetype i = 0; i <= key.size(); ++i) {
        const char c = i < key.size() ? key[i] : ' ';
        const bool dottedName = c == '.' && i + 1 < key.size() && IsAsciiAlnum(key[i + 1]);
        if (c == '"' || c == '@' || dottedName) {
            return false;
        }
        if (IsWordSeparator(c)) {
            if (IsNegation(key.sliced(wordBegin, i - wordBegin))) {
                return false;
            }
            wordBegin = i + 1;
        }
    }
    return true;
}

bool HasClassicRecordName(QByteArrayView key)
{
    static const std::array<bool, 256> firstBytes = [] {
        std::array<bool, 256> result{};
        for (const std::string_view name : kClassicRecordNames) {
            result[static_cast<unsigned char>(name.front())] = true;
        }
        return result;
    }();
    for (qsizetype at = 0; at < key.size(); ++at) {
        if (!firstBytes[static_cast<unsigned char>(ByteText::FoldCase(key[at]))]) {
            continue;
        }
        for (const std::string_view name : kClassicRecordNames) {
            if (MatchesAt(key, at, Phrase{name, End::Open})) {
                return true;
            }
        }
    }
    return false;
}

// The last word of a field name: "Domain Status:" and "query_status:" give "Status".
QByteArrayView LastWordOfKey(QByteArrayView key)
{
    qsizetype end = key.size();
    while (end > 0 && (key[end - 1] == ':' || key[end - 1] == ']' || key[end - 1] == '.' ||
                       key[end - 1] == ' ' || key[end - 1] == '\t')) {
        --end;
    }
    qsizetype begin = end;
    while (begin > 0 && !IsWordSeparator(key[begin - 1])) {
        --begin;
    }
    return key.sliced(begin, end - begin);
}

bool IsStatusKey(QByteArrayView key)
{
    const QByteArrayView name = LastWordOfKey(key);
    return ByteText::EqualsNoCase(name, "status") || ByteText::EqualsNoCase(name, "state");
}

// A status value may carry a numeric code first: .nz answers "query_status: 220 Available".
QByteArrayView SkipStatusCode(QByteArrayView value)
{
    qsizetype at = 0;
    while (at < value.size() && value[at] >= '0' && value[at] <= '9') {
        ++at;
    }
    while (at < value.size() && (value[at] == ' ' || value[at] == '\t')) {
        ++at;
    }
    return value.sliced(at);
}

unsigned StatusFieldHits(const Line& line, bool recordField)
{
    if (!IsStatusKey(line.key)) {
        return 0;
    }
    const QByteArrayView value = SkipStatusCode(line.value);
    if (StartsWithAny(value, kFreeStatusValues)) {
        return kFree;
    }
    return recordField && StartsWithAny(value, kRegisteredStatusValues) ? unsigned{kRegistered}
                                                                        : 0u;
}

// A free status word on a line of its own: ZA Central Registry answers "Available".
bool IsBareFreeStatus(QByteArrayView body)
{
    while (!body.isEmpty() && (body.back() == '.' || body.back() == '!')) {
        body.chop(1);
    }
    for (const Phrase& phrase : kFreeStatusValues) {
        if (ByteText::EqualsNoCase(body, phrase.text)) {
            return true;
        }
    }
    return false;
}

// Notice wording counts in running text and in the name of a field or the label of running text
// ("WHOIS TERMS & CONDITIONS:"), never in a heading or in what follows the key of a record's
// field, where it is the registry's data ("Notice Media Ltd", "Tech Email: Please query ...").
bool CountsAsNotice(const Line& line, bool inKey, bool recordData)
{
    if (inKey) {
        return line.shape != Shape::Heading;
    }
    return line.shape == Shape::Prose && !recordData;
}

// Record fields are printed plainly; comment lines are the registry talking.
bool IsRecordField(const Line& line)
{
    return !line.comment && (line.shape == Shape::Field || line.shape == Shape::Heading) &&
           IsRecordFieldName(line.key);
}

// Whether a phrase of `table` begins at a word start of a field's name.
bool NamesAnyAtWordStart(QByteArrayView key, const auto& table)
{
    bool inName = false;
    for (qsizetype at = 0; at < key.size(); ++at) {
        const bool startsWord = !inName;
        inName = IsNameByte(key[at]);
        if (startsWord && StartsWithAny(key.sliced(at), table)) {
            return true;
        }
    }
    return false;
}

bool NamesRecordData(const Line& line)
{
    return MayBeRecordData(line) &&
           (IsStatusKey(line.key) || NamesAnyAtWordStart(line.key, kDataFieldNames) ||
            NamesAnyAtWordStart(line.key, kRecordNames));
}

// The hits of the phrases that begin at a word start of the line; only kNotice once the line
// turns out to belong to a notice.
unsigned WordStartHits(const Line& line, bool recordField, bool recordData)
{
    const Buckets& buckets = CandidatesByFirstByte();
    const QByteArrayView body = line.body;
    unsigned hits = recordData ? unsigned{kRecordData} : 0u;
    bool inName = false;
    for (qsizetype at = 0; at < body.size(); ++at) {
        const bool startsWord = !inName;
        inName = IsNameByte(body[at]);
        if (!startsWord) {
            continue;
        }
        const char next = at + 1 < body.size() ? body[at + 1] : '\0';
        for (const Candidate& candidate :
             buckets[static_cast<unsigned char>(ByteText::FoldCase(body[at]))]) {
            // Most candidates fail on the second byte; test it before the whole phrase.
            if (!SameByte(next, candidate.phrase.text[1]) ||
                !MatchesAt(body, at, candidate.phrase)) {
                continue;
            }
            const bool inKey =
                at + static_cast<qsizetype>(candidate.phrase.text.size()) <= line.key.size();
            if (candidate.kind == kNotice) {
                if (CountsAsNotice(line, inKey, (hits & kRecordData) != 0)) {
                    return kNotice;
                }
            } else if (candidate.kind == kRegistered) {
                hits |= recordField && inKey ? kRegistered : 0u;
            } else {
                hits |= candidate.kind;
            }
        }
    }
    return hits;
}

bool IsLabel(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), CTLDList::IsLabelByte);
}

// Labels joined by dots, the last one a top-level domain's, which begins with a letter; perhaps
// with the root's dot at the end.
bool IsHostName(QByteArrayView text)
{
    if (text.endsWith('.')) {
        text.chop(1);
    }
    const qsizetype lastDot = text.lastIndexOf('.');
    const char tldStart =
        lastDot >= 0 && lastDot + 1 < text.size() ? ByteText::FoldCase(text[lastDot + 1]) : '\0';
    if (tldStart < 'a' || tldStart > 'z') {
        return false;
    }
    qsizetype begin = 0;
    for (qsizetype dot = text.indexOf('.'); dot >= 0; dot = text.indexOf('.', begin)) {
        if (!IsLabel(text.sliced(begin, dot - begin))) {
            return false;
        }
        begin = dot + 1;
    }
    return IsLabel(text.sliced(begin));
}

} // namespace

bool MayBeRecordData(const Line& line)
{
    return !line.comment && line.shape != Shape::Heading && !line.key.isEmpty() &&
           IsRecordFieldName(line.key);
}

unsigned ScanLine(const Line& line)
{
    if (line.shape == Shape::Blank) {
        return 0;
    }
    const bool recordField = IsRecordField(line);
    unsigned hits = WordStartHits(line, recordField, NamesRecordData(line));
    if (hits & kNotice) {
        return kNotice; // nothing else in a notice counts
    }
    if (recordField && HasClassicRecordName(line.key)) {
        hits |= kRegistered;
    }
    if (line.shape == Shape::Field) {
        hits |= StatusFieldHits(line, recordField);
    }
    if ((hits & kBudget) && (hits & kSpent)) {
        hits |= kThrottle;
    }
    hits &= ~(kBudget | kSpent);
    if (hits & kReducedAnswer) {
        hits &= ~(kThrottle | kReducedAnswer);
    }
    if (IsBareFreeStatus(line.body)) {
        hits |= kFree;
    }
    return hits;
}

QByteArrayView DelegatedName(const Line& line)
{
    if (line.comment || line.shape != Shape::Prose || !line.key.isEmpty()) {
        return {};
    }
    const QByteArrayView body = line.body;
    qsizetype blank = 0;
    while (blank < body.size() && body[blank] != ' ' && body[blank] != '\t') {
        ++blank;
    }
    qsizetype host = blank;
    while (host < body.size() && (body[host] == ' ' || body[host] == '\t')) {
        ++host;
    }
    const QByteArrayView name = body.first(blank);
    return IsLabel(name) && IsHostName(body.sliced(host)) ? name : QByteArrayView();
}

} // namespace AnswerPhrases
