#include "lookup/AnswerLayout.h"

#include "core/ByteText.h"
#include "lookup/AnswerLines.h"
#include "lookup/AnswerPhrases.h"
#include "lookup/RdapRecord.h"

#include <algorithm>
#include <iterator>

namespace AnswerLayout {

namespace {

// The starts of the line the query clients write above every answer.
constexpr QByteArrayView kOwnLinePrefixes[] = {"WHOIS server: ", RdapRecord::kOwnLinePrefix};

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
    CWalker(QByteArrayView text, CAnswerReader& reader)
        : m_text(text)
        , m_reader(reader)
    {}

    void Run()
    {
        qsizetype at = SkipOwnLine();
        while (at < m_text.size() && !m_stopped) {
            const qsizetype newline = m_text.indexOf('\n', at);
            const qsizetype next = newline < 0 ? m_text.size() : newline + 1;
            const QByteArrayView line = WithoutLineEnd(m_text.sliced(at, next - at));
            if (ClosesAnswer(line)) {
                CloseParagraph(at);
                Emit(at, next, Role::TailStart);
                Emit(next, m_text.size(), Role::Tail);
                return;
            }
            AddLine(at, next, line);
            at = next;
        }
        CloseParagraph(m_text.size());
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

    qsizetype SkipOwnLine()
    {
        if (std::none_of(std::begin(kOwnLinePrefixes), std::end(kOwnLinePrefixes),
                         [this](QByteArrayView prefix) { return m_text.startsWith(prefix); })) {
            return 0;
        }
        const qsizetype newline = m_text.indexOf('\n');
        const qsizetype end = newline < 0 ? m_text.size() : newline + 1;
        Emit(0, end, Role::OwnLine);
        return end;
    }

    void Emit(qsizetype begin, qsizetype end, Role role) const
    {
        if (!m_stopped && begin < end) {
            m_reader.OnSpan(Span{begin, end, role});
        }
    }

    void Report(unsigned hits)
    {
        if (hits != 0 && !m_stopped) {
            m_stopped = !m_reader.OnStatement(hits);
        }
    }

    void AddLine(qsizetype begin, qsizetype end, QByteArrayView text)
    {
        if (AnswerLines::IsBlankLine(text)) {
            CloseParagraph(begin);
            Emit(begin, end, Role::Blank);
            return;
        }
        const bool comment = AnswerLines::IsCommentLine(text);
        if (m_paragraphBegin >= 0 && comment != m_paragraphIsComment) {
            CloseParagraph(begin);
        }
        if (m_paragraphBegin < 0) {
            m_paragraphBegin = begin;
            m_paragraphIsComment = comment;
            m_noticeBegin = -1;
        }
        if (m_noticeBegin >= 0) {
            return; // the rest of a notice needs no reading
        }
        const unsigned hits = AnswerPhrases::ScanLine(AnswerLines::ReadLine(text));
        if (hits & AnswerPhrases::kNotice) {
            m_noticeBegin = begin;
        } else {
            Report(hits);
        }
    }

    void CloseParagraph(qsizetype end)
    {
        if (m_paragraphBegin < 0) {
            return;
        }
        const qsizetype noticeBegin = m_noticeBegin < 0 ? end : m_noticeBegin;
        Emit(m_paragraphBegin, noticeBegin, Role::Statement);
        Emit(noticeBegin, end, Role::Notice);
        m_paragraphBegin = -1;
    }

    const QByteArrayView m_text;
    CAnswerReader& m_reader;
    bool m_stopped = false;
    // The paragraph being read, and where its notice begins once one has.
    qsizetype m_paragraphBegin = -1;
    qsizetype m_noticeBegin = -1;
    bool m_paragraphIsComment = false;
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

bool CAnswerReader::OnStatement(unsigned)
{
    return true;
}

void Walk(QByteArrayView text, CAnswerReader& reader)
{
    CWalker(text, reader).Run();
}

void ForEachSpan(QByteArrayView text, const std::function<void(const Span&)>& onSpan)
{
    CSpanReader reader(onSpan);
    Walk(text, reader);
}

} // namespace AnswerLayout
