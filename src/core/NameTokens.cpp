#include "core/NameTokens.h"

#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "core/TLDList.h"

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == ';';
}

} // namespace

QList<QByteArrayView> SplitNameTokens(QByteArrayView text)
{
    QList<QByteArrayView> tokens;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || IsSeparator(text[i]);
        if (separator && start >= 0) {
            tokens.append(text.sliced(start, i - start));
            start = -1;
        } else if (!separator && start < 0) {
            start = i;
        }
    }
    return tokens;
}

QByteArrayList TLDsForNewNames(const CTLDList& list)
{
    QByteArrayList tlds;
    for (const auto& entry : list.GetEntries()) {
        if (entry->m_bUseForNew) {
            tlds.append(entry->m_strTLD);
        }
    }
    return tlds;
}

QByteArrayList NamesOfToken(const CTLDList& table, QByteArrayView token, const QByteArrayList& tlds)
{
    const CNameConversion ascii = DomainName::ToAscii(token);
    if (ascii.Ok() && table.IsValidDomainName(ascii.Name())) {
        return {token.toByteArray()};
    }
    QByteArrayList names;
    for (const QByteArray& tld : tlds) {
        names.append(token.toByteArray() + '.' + tld);
    }
    return names;
}

int AdmitNameTokens(CDomainDoc& doc, QByteArrayView text, const QByteArrayList& tlds)
{
    int admitted = 0;
    for (const QByteArrayView token : SplitNameTokens(text)) {
        for (const QByteArray& name : NamesOfToken(doc.GetTLDList(), token, tlds)) {
            admitted += doc.AdmitName(name) ? 1 : 0;
        }
    }
    return admitted;
}
