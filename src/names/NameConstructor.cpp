#include "names/NameConstructor.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "core/NameTokens.h"
#include "core/TLDList.h"

#include <QSet>

#include <algorithm>

namespace {

// What the list's rule (CTLDList::IsValidDomainName, applied to the trimmed name) asks of every
// name, as far as whole blocks of names can be judged by it.
constexpr qsizetype kLongestName = CTLDList::kMaxNameLength;

bool HoldsNonLabelByte(QByteArrayView text)
{
    return !std::all_of(text.begin(), text.end(), CTLDList::IsLabelByte);
}

bool IsAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A word as it stays in a name the list has trimmed: its leading white space may go.
QByteArrayView LeftTrimmed(QByteArrayView word)
{
    return word.sliced(std::find_if_not(word.begin(), word.end(), IsAsciiSpace) - word.begin());
}

// Drops the words `refused` says every name of is refused, and the words that repeat an earlier
// one, ignoring case, as their names repeat the earlier word's names.
template <class Refused>
void DropRefusedWords(QByteArrayList& words, Refused refused)
{
    QSet<QByteArray> seen;
    words.removeIf([&](const QByteArray& word) {
        const QByteArray folded = ByteText::ToLower(word);
        const bool repeated = seen.contains(folded);
        seen.insert(folded);
        return repeated || refused(word);
    });
}

enum class DashSide { After, Before };

QByteArrayList PaddingWords(QByteArrayView text, QByteArrayView keyword, bool useDash,
                            DashSide dashSide)
{
    QByteArrayList words;
    for (const QByteArrayView token : SplitNameTokens(text)) {
        QByteArray word = token.toByteArray();
        word.removeIf([](char c) { return c == '.'; });
        if (ByteText::EqualsNoCase(word, keyword)) {
            continue;
        }
        words.append(word);
        if (useDash) {
            words.append(dashSide == DashSide::After ? word + '-' : '-' + word);
        }
    }
    return words;
}

} // namespace

CNameConstructor::CNameConstructor(QByteArrayView keyword, QByteArrayView beginningWords,
                                   QByteArrayView endWords, const CPaddingOptions& options,
                                   QByteArrayList tlds)
    : m_keyword(keyword.trimmed().toByteArray())
    , m_prefixes(options.noStartAppend
                     ? QByteArrayList()
                     : PaddingWords(beginningWords, m_keyword, options.useDash, DashSide::After))
    , m_suffixes(options.noEndAppend
                     ? QByteArrayList()
                     : PaddingWords(endWords, m_keyword, options.useDash, DashSide::Before))
    , m_tlds(std::move(tlds))
    , m_bBothSides(!options.noBothAppend)
{}

bool CNameConstructor::Next(QByteArrayView& name)
{
    if (m_stage == Stage::BareKeyword) {
        name = m_keyword;
        ++m_position;
        m_stage = m_tlds.isEmpty() ? Stage::Done : Stage::Keyword;
        m_stemIndex = 0;
        BuildStem();
        return true;
    }
    // The stem moves on only now, as the name handed out last lives in the same buffer.
    if (m_stage != Stage::Done && m_tld == m_tlds.size()) {
        NextStem();
    }
    if (m_stage == Stage::Done) {
        return false;
    }
    m_name.resize(m_stemLength);
    m_name.append(m_tlds[m_tld++]);
    name = m_name;
    ++m_position;
    return true;
}

std::uint64_t CNameConstructor::Count() const
{
    const auto prefixes = static_cast<std::uint64_t>(m_prefixes.size());
    const auto suffixes = static_cast<std::uint64_t>(m_suffixes.size());
    const std::uint64_t both = m_bBothSides ? prefixes * suffixes : 0;
    return 1 + static_cast<std::uint64_t>(m_tlds.size()) * (1 + prefixes + suffixes + both);
}

void CNameConstructor::LeaveOutCertainRefusals()
{
    Q_ASSERT(m_position == 0);
    if (m_tlds.isEmpty()) {
        return;
    }
    const qsizetype shortestTLD =
        std::min_element(m_tlds.begin(), m_tlds.end(), [](const auto& a, const auto& b) {
            return a.size() < b.size();
        })->size();
    if (KeywordRulesOutTLDs(shortestTLD)) {
        m_tlds.clear();
        return;
    }
    DropRefusedWords(m_prefixes, [&](const QByteArray& word) {
        return PrefixIsRefused(LeftTrimmed(word), shortestTLD);
    });
    DropRefusedWords(m_suffixes,
                     [&](const QByteArray& word) { return SuffixIsRefused(word, shortestTLD); });
}

// The keyword is trimmed, so its part before any dot lies whole in every first label, and every
// name holds the whole keyword.
bool CNameConstructor::KeywordRulesOutTLDs(qsizetype shortestTLD) const
{
    if (!DomainName::IsAscii(m_keyword)) {
        return false;
    }
    const QByteArrayView keyword = m_keyword;
    const qsizetype dot = keyword.indexOf('.');
    const QByteArrayView firstPart = dot < 0 ? keyword : keyword.first(dot);
    return HoldsNonLabelByte(firstPart) || m_keyword.size() + 1 + shortestTLD > kLongestName;
}

// Words hold no dot, so a trimmed prefix begins every first label it is in. Empty, its names are
// those without it, which come earlier.
bool CNameConstructor::PrefixIsRefused(QByteArrayView prefix, qsizetype shortestTLD) const
{
    if (prefix.isEmpty()) {
        return true;
    }
    return IsJudged(prefix) && (HoldsNonLabelByte(prefix) || prefix.front() == '-' ||
                                prefix.size() + m_keyword.size() + 1 + shortestTLD > kLongestName);
}

// A suffix ends the first label while the keyword holds no dot; only its leading white space can
// ever be trimmed away. Empty, its names are those without it, which come earlier.
bool CNameConstructor::SuffixIsRefused(QByteArrayView suffix, qsizetype shortestTLD) const
{
    if (suffix.isEmpty()) {
        return true;
    }
    const QByteArrayView kept = LeftTrimmed(suffix);
    const bool endsFirstLabel = !m_keyword.contains('.') && !kept.isEmpty();
    return IsJudged(suffix) &&
           (m_keyword.size() + kept.size() + 1 + shortestTLD > kLongestName ||
            (endsFirstLabel && (HoldsNonLabelByte(kept) || kept.back() == '-')));
}

// A name in other scripts changes length when encoded, and its text may hold dots of those
// scripts: only the names of an ASCII word with an ASCII keyword are judged before they are
// offered.
bool CNameConstructor::IsJudged(QByteArrayView word) const
{
    return DomainName::IsAscii(word) && DomainName::IsAscii(m_keyword);
}

qint64 CNameConstructor::StemCount(Stage stage) const
{
    switch (stage) {
    case Stage::Keyword:
        return 1;
    case Stage::Prefixed:
        return m_prefixes.size();
    case Stage::Suffixed:
        return m_suffixes.size();
    case Stage::BothSides:
        return m_bBothSides ? qint64(m_prefixes.size()) * m_suffixes.size() : 0;
    case Stage::BareKeyword:
    case Stage::Done:
        break;
    }
    return 0;
}

void CNameConstructor::BuildStem()
{
    m_tld = 0;
    m_name.truncate(0);
    switch (m_stage) {
    case Stage::Keyword:
        m_name.append(m_keyword);
        break;
    case Stage::Prefixed:
        m_name.append(m_prefixes[m_stemIndex]).append(m_keyword);
        break;
    case Stage::Suffixed:
        m_name.append(m_keyword).append(m_suffixes[m_stemIndex]);
        break;
    case Stage::BothSides:
        m_name.append(m_prefixes[m_stemIndex / m_suffixes.size()])
            .append(m_keyword)
            .append(m_suffixes[m_stemIndex % m_suffixes.size()]);
        break;
    case Stage::BareKeyword:
    case Stage::Done:
        break;
    }
    m_name.append('.');
    m_stemLength = m_name.size();
}

void CNameConstructor::NextStem()
{
    ++m_stemIndex;
    while (m_stage != Stage::Done && m_stemIndex >= StemCount(m_stage)) {
        m_stage = static_cast<Stage>(static_cast<int>(m_stage) + 1);
        m_stemIndex = 0;
    }
    BuildStem();
}

int AdmitConstructedNames(CDomainDoc& doc, CNameConstructor& names, std::uint64_t count)
{
    if (names.Position() == 0) {
        names.LeaveOutCertainRefusals();
    }
    int admitted = 0;
    QByteArrayView name;
    for (std::uint64_t offered = 0;
         offered < count && doc.GetCount() < doc.GetMaxEntries() && names.Next(name); ++offered) {
        admitted += doc.AdmitName(name) ? 1 : 0;
    }
    return admitted;
}

int AdmitConstructionStep(CDomainDoc& doc, CNameConstructor& names,
                          std::chrono::steady_clock::duration stepTime)
{
    const auto deadline = std::chrono::steady_clock::now() + stepTime;
    const std::uint64_t end = names.Position() + kConstructedNamesPerStep;
    int admitted = 0;
    do {
        admitted += AdmitConstructedNames(
            doc, names, std::min(kNamesBetweenClockReadings, end - names.Position()));
    } while (names.Position() < end && !ConstructionIsOver(doc, names) &&
             std::chrono::steady_clock::now() < deadline);
    return admitted;
}

bool ConstructionIsOver(const CDomainDoc& doc, const CNameConstructor& names)
{
    return doc.GetCount() >= doc.GetMaxEntries() || names.Position() == names.Count();
}
