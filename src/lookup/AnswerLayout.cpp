#include "lookup/AnswerLayout.h"

#include "core/ByteText.h"
#include "lookup/AnswerLines.h"
#include "lookup/AnswerPhrases.h"
#include "lookup/DnsProbe.h"
#include "lookup/RdapRecord.h"

#include <algorithm>
#include <iterator>

namespace AnswerLayout {

namespace {

// The starts of the line the query clients and the DNS probe write above every answer.
constexpr QByteArrayView kOwnLinePrefixes[] = {"WHOIS server: ", RdapRecord::kOwnLinePrefix,
                                               kDelegationPrefix};

QByteArrayView TrimLeadingBlanks(QByteArrayView text)
{
    qsizetype at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    return text.sliced(at);
}

bool ContainsNoCase(QByteArrayView text, QByteArrayView needle)
{
    for (qsizetype at = 0; at + needle.size() <= text.size(); ++at) {
        if (ByteText::StartsWithNoCase(text.sliced(at), needle)) {
            return true;
        }
    }
    return false;
}

// ICANN's required ">>> Last update of WHOIS database: ... <<<" (Neustar: ">>>> Whois database
// was last updated on") ends the data of gTLD answers; only legal text follows it. Nominet
// closes its data with the e-mail signature line "--" before its terms.
bool ClosesAnswer(QByteArrayView line)
{
    const QByteArrayView text = TrimLeadingBlanks(line);
    if (text.startsWith(">>>")) {
        return ContainsNoCase(text, "last update");
    }
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) {
        --end;
    }
    return text.first(end) == "--";
}

class CWalker {
public:
    // With `spansOfTail` the lines after the closing line come as spans too, which takes reading
    // them; the verdict needs none of them.
    CWalker(QByteArrayView text, CAnswerReader& reader, bool spansOfTail)
        : m_text(text)
        , m_reader(reader)
        , m_spansOfTail(spansOfTail)
    {}

    void Run()
    {
        qsizetype at = SkipOwnLine();
        while (at < m_text.size() && !m_stopped) {
            const qsizetype next = NextLineStart(at);
            const QByteArrayView line = WithoutLineEnd(m_text.sliced(at, next - at));
            if (ClosesAnswer(line)) {
                Emit(at, next, Role::TailStart);
                if (m_spansOfTail) {
                    EmitTail(next);
                }
                return;
            }
            AddLine(at, next, line);
            at = next;
        }
    }

private:
    static QByteArrayView WithoutLineEnd(QByteArrayView line)
    {
        qsizetype end = line.size();
        if (end > 0 && line[end - 1] == '\n') {
            --end;
        }
        // The cleaning turns CR LF into CR CR LF, so any number of CRs may stand before the LF.
        while (end > 0 && line[end - 1] == '\r') {
            --end;
        }
        return line.first(end);
    }

    qsizetype NextLineStart(qsizetype at) const
    {
        const qsizetype newline = m_text.indexOf('\n', at);
        return newline < 0 ? m_text.size() : newline + 1;
    }

    qsizetype SkipOwnLine()
    {
        if (std::none_of(std::begin(kOwnLinePrefixes), std::end(kOwnLinePrefixes),
                         [this](QByteArrayView prefix) { return m_text.startsWith(prefix); })) {
            return 0;
        }
        const qsizetype end = NextLineStart(0);
        Emit(0, end, Role::OwnLine);
        return end;
    }

    void Emit(qsizetype begin, qsizetype end, Role role) const
    {
        if (!m_stopped && begin < end) {
            m_reader.OnSpan(Span{begin, end, role});
        }
    }

    // After the closing line, each field of the record's data is a span of its own and the lines
    // between them are one Tail span each stretch.
    void EmitTail(qsizetype begin)
    {
        qsizetype stretch = begin;
        for (qsizetype at = begin; at < m_text.size();) {
            const qsizetype next = NextLineStart(at);
            const AnswerLines::Line line =
                AnswerLines::ReadLine(WithoutLineEnd(m_text.sliced(at, next - at)));
            if (IsRecordData(line)) {
                Emit(stretch, at, Role::Tail);
                Emit(at, next, Role::TailField);
                stretch = next;
            }
            at = next;
        }
        Emit(stretch, m_text.size(), Role::Tail);
    }

    static bool IsRecordData(const AnswerLines::Line& line)
    {
        return AnswerPhrases::MayBeRecordData(line) &&
               (AnswerPhrases::ScanLine(line) & AnswerPhrases::kRecordData) != 0;
    }

    void AddLine(qsizetype begin, qsizetype end, QByteArrayView text)
    {
        if (AnswerLines::IsBlankLine(text)) {
            m_inNotice = false;
            Emit(begin, end, Role::Blank);
            return;
        }
        const bool comment = AnswerLines::IsCommentLine(text);
        if (comment != m_commentParagraph) {
            m_inNotice = false;
            m_commentParagraph = comment;
        }
        if (m_inNotice && comment) {
            Emit(begin, end, Role::Notice); // the rest of a notice needs no reading
            return;
        }
        const AnswerLines::Line line = AnswerLines::ReadLine(text);
        if (m_inNotice && !AnswerPhrases::MayBeRecordData(line)) {
            Emit(begin, end, Role::Notice);
            return;
        }
        const unsigned hits = AnswerPhrases::ScanLine(line);
        if ((hits & AnswerPhrases::kNotice) ||
            (m_inNotice && !(hits & AnswerPhrases::kRecordData))) {
            m_inNotice = true;
            Emit(begin, end, Role::Notice);
            return;
        }
        m_inNotice = false;
        Emit(begin, end, Role::Statement);
        if (!m_stopped) {
            m_stopped = !m_reader.OnStatement(line, hits);
        }
    }

    const QByteArrayView m_text;
    CAnswerReader& m_reader;
    const bool m_spansOfTail;
    bool m_stopped = false;
    // Whether the lines that follow belong to a notice, and whether the paragraph is of comment
    // lines.
    bool m_inNotice = false;
    bool m_commentParagraph = false;
};

class CSpanReader : public CAnswerReader {
public:
    explicit CSpanReader(const std::function<void(const Span&)>& onSpan)
        : m_onSpan(onSpan)
    {}
    void OnSpan(const Span& span) override { m_onSpan(span); }

private:
    const std::function<void(const Span&)>& m_onSpan;
};

} // namespace

void CAnswerReader::OnSpan(const Span&) {}

bool CAnswerReader::OnStatement(const AnswerLines::Line&, unsigned)
{
    return true;
}

void Walk(QByteArrayView text, CAnswerReader& reader)
{
    CWalker(text, reader, false).Run();
}

void ForEachSpan(QByteArrayView text, const std::function<void(const Span&)>& onSpan)
{
    CSpanReader reader(onSpan);
    CWalker(text, reader, true).Run();
}

} // namespace AnswerLayout
