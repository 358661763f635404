#include "names/NameConstructor.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/NameTokens.h"

namespace {

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
    return true;
}

std::uint64_t CNameConstructor::Count() const
{
    const auto prefixes = static_cast<std::uint64_t>(m_prefixes.size());
    const auto suffixes = static_cast<std::uint64_t>(m_suffixes.size());
    const std::uint64_t both = m_bBothSides ? prefixes * suffixes : 0;
    return 1 + static_cast<std::uint64_t>(m_tlds.size()) * (1 + prefixes + suffixes + both);
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

int AdmitConstructedNames(CDomainDoc& doc, CNameConstructor& names)
{
    int admitted = 0;
    QByteArrayView name;
    while (doc.GetCount() < doc.GetMaxEntries() && names.Next(name)) {
        admitted += doc.AdmitName(name) ? 1 : 0;
    }
    return admitted;
}
