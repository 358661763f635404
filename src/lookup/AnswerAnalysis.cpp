#include "lookup/AnswerAnalysis.h"

#include "core/ByteText.h"
#include "core/DomainInfo.h"
#include "lookup/AnswerLayout.h"
#include "lookup/AnswerPhrases.h"
#include "lookup/RdapRecord.h"

namespace {

using AnswerLayout::Role;
using AnswerLayout::Span;

// Network Solutions' offer below a free name.
constexpr QByteArrayView kAdvertisement = "Go to www.networksolutions.com to register it now!";

// The sentence that closed the policy notice registries used to open their answers with.
constexpr QByteArrayView kPolicySentence = "you agree to abide by this policy.";

// Disclaimers removed by their exact text, in this order. They are written with the CR LF line
// ends the cleaning gives answers that came with LF line ends.
constexpr QByteArrayView kDisclaimers[] = {
    // CORE's help hint.
    "\r\nTo optimize query speed and answer correctness see the\r\n"
    "--help option. Depending on your whois client use\r\n"
    "  whois -h whois.corenic.net --help\r\n"
    "or\r\n"
    "  whois --help@whois.corenic.net\r\n",
    // The header of the shared .com/.net/.org registry's first WHOIS server.
    "\r\n\r\nWhois Server Version 1.1\r\n\r\n"
    "Domain names in the .com, .net, and .org domains can now be registered\r\n"
    "with many different competing registrars. Go to http://www.internic.net\r\n"
    "for detailed information.\r\n",
    // That registry's footer, with the ruler below it.
    "\r\nThe Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\r\n"
    "Registrars.\r\n\r\n"
    "====================================================",
    // Network Solutions' note under records it took from other registrars.
    "\r\nThe previous information has been obtained either directly from the\r\n"
    "registrant or a registrar of the domain name other than Network Solutions.\r\n"
    "Network Solutions, therefore, does not guarantee its accuracy or\r\n"
    "completeness.\r\n",
    // The registry's footer on its own.
    "The Registry database contains ONLY .COM, .NET, .ORG, .EDU domains and\r\n"
    "Registrars.\r\n",
};

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsWhiteSpaceOnly(QByteArrayView text)
{
    for (const char c : text) {
        if (!IsWhiteSpace(c)) {
            return false;
        }
    }
    return true;
}

// The sentence may only end a notice that opens the answer: the cut takes the lines up to the
// sentence's own, and only when every one of them is the program's first line, a blank line or a
// notice line, and the notice ends with that line (what goes on below it would otherwise lose the
// notice it belongs to). Registries that close their answers with the sentence (Afilias, PIR)
// have their record above it, and a record's field never belongs to a notice.
bool ClosesOpeningNotice(QByteArrayView text, qsizetype sentenceEnd)
{
    const qsizetype newline = text.indexOf('\n', sentenceEnd);
    const qsizetype lineEnd = newline < 0 ? text.size() : newline + 1;
    if (!IsWhiteSpaceOnly(text.sliced(sentenceEnd, lineEnd - sentenceEnd))) {
        return false;
    }
    bool opening = true;
    AnswerLayout::ForEachSpan(text, [&](const Span& span) {
        if (span.begin >= lineEnd) {
            opening = opening && !(span.begin == lineEnd && span.role == Role::Notice);
            return;
        }
        const bool removable =
            span.role == Role::Notice ||
            (span.end < sentenceEnd && (span.role == Role::OwnLine || span.role == Role::Blank));
        opening = opening && removable;
    });
    return opening;
}

void CutOpeningPolicyNotice(QByteArray& text)
{
    const qsizetype at = text.indexOf(kPolicySentence);
    if (at < 0) {
        return;
    }
    const qsizetype end = at + kPolicySentence.size();
    if (ClosesOpeningNotice(text, end)) {
        text.remove(0, end);
    }
}

void RemoveLeadingWhiteSpace(QByteArray& text)
{
    qsizetype at = 0;
    while (at < text.size() && IsWhiteSpace(text[at])) {
        ++at;
    }
    text.remove(0, at);
}

// Drops the notice lines and the closing boilerplate AnalyseAnswer skips; a run of blank lines
// left behind shrinks to one. Every line AnalyseAnswer reads and every field of the record is
// kept byte for byte.
QByteArray WithoutRecognisedNotices(const QByteArray& text)
{
    QByteArray kept;
    kept.reserve(text.size());
    bool afterBlank = false;
    AnswerLayout::ForEachSpan(text, [&](const Span& span) {
        if (span.role == Role::Notice || span.role == Role::Tail) {
            return;
        }
        const bool blank = span.role == Role::Blank;
        if (blank && afterBlank) {
            return;
        }
        afterBlank = blank;
        kept.append(QByteArrayView(text).sliced(span.begin, span.end - span.begin));
    });
    return kept;
}

// Reads the statements in order. A failure phrase decides nothing, whatever follows it: a
// throttled server may still print a not-found line or a shortened record. The first record
// field decides "taken" and ends the reading: the server answered, and a warning it adds after
// the record, or an unrecognised notice that mentions query limits, does not undo the record.
// So do two lines in a row that delegate the name to a name server each. Registration wins over a
// statement that the name is free, such as "no match" in a footer.
class CVerdictReader : public AnswerLayout::CAnswerReader {
public:
    void OnSpan(const Span& span) override
    {
        if (span.role != Role::Statement) {
            m_lastDelegated = {}; // delegation lines count only one right below the other
        }
    }

    bool OnStatement(const AnswerLines::Line& line, unsigned hits) override
    {
        const QByteArrayView delegated = AnswerPhrases::DelegatedName(line);
        const bool secondDelegation =
            !delegated.isEmpty() && ByteText::EqualsNoCase(delegated, m_lastDelegated);
        m_lastDelegated = delegated;
        if (hits & (AnswerPhrases::kFailure | AnswerPhrases::kThrottle)) {
            m_failed = true;
            m_throttled = (hits & AnswerPhrases::kThrottle) != 0;
            return false;
        }
        if ((hits & AnswerPhrases::kRegistered) || secondDelegation) {
            m_registered = true;
            return false;
        }
        m_free = m_free || (hits & AnswerPhrases::kFree) != 0;
        return true;
    }

    std::uint8_t Verdict(std::uint8_t defaultStatus) const
    {
        if (m_registered) {
            return STATUS_TAKEN;
        }
        return m_free && !m_failed ? std::uint8_t{STATUS_AVAILABLE} : defaultStatus;
    }

    AnswerKind Kind() const
    {
        return m_throttled && !m_registered ? AnswerKind::Throttled : AnswerKind::Answered;
    }

private:
    // The name of the statement line before, when it was a delegation line.
    QByteArrayView m_lastDelegated;
    bool m_failed = false;
    bool m_throttled = false;
    bool m_registered = false;
    bool m_free = false;
};

struct CVerdict {
    std::uint8_t status;
    AnswerKind kind;
};

CVerdict VerdictOf(const QByteArray& text, std::uint8_t defaultStatus)
{
    if (RdapRecord::IsRdapRecord(text)) {
        return {RdapRecord::Verdict(text, defaultStatus),
                RdapRecord::IsThrottle(text) ? AnswerKind::Throttled : AnswerKind::Answered};
    }
    CVerdictReader reader;
    AnswerLayout::Walk(text, reader);
    return {reader.Verdict(defaultStatus), reader.Kind()};
}

} // namespace

void CleanAnswer(CDomainInfo& record, Strip strip)
{
    // Every LF, even one after a CR: a CR LF answer comes out with CR CR LF.
    record.m_strInfo.replace(QByteArrayView("\n"), QByteArrayView("\r\n"));
    record.m_strInfo.replace(kAdvertisement, QByteArrayView());
    if (strip == Strip::Yes) {
        StripDisclaimers(record);
    }
}

void StripDisclaimers(CDomainInfo& record)
{
    QByteArray& text = record.m_strInfo;
    CutOpeningPolicyNotice(text);
    for (const QByteArrayView disclaimer : kDisclaimers) {
        text.replace(disclaimer, QByteArrayView());
    }
    if (text.startsWith("\r\n")) {
        RemoveLeadingWhiteSpace(text);
    }
    text = WithoutRecognisedNotices(text);
}

AnswerKind AnalyseAnswer(CDomainInfo& record, std::uint8_t defaultStatus)
{
    const CVerdict verdict = VerdictOf(record.m_strInfo, defaultStatus);
    int status = verdict.status;
    if (status == STATUS_ERROR_1 && record.m_nPrevStatus >= STATUS_ERROR_1) {
        status = record.m_nPrevStatus + 1;
    }
    if (status > STATUS_ERROR_4) {
        status = STATUS_TOO_MANY_ERRORS;
    }
    record.m_nStatus = static_cast<std::uint8_t>(status);
    return verdict.kind;
}

void AnalyseStoredAnswer(CDomainInfo& record)
{
    AnalyseAnswer(record, STATUS_UNKNOWN);
}
