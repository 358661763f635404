#include "web/WebRequests.h"

#include "core/ByteText.h"
#include "core/TLDList.h"

#include <algorithm>

namespace WebRequest {

namespace {

bool IsHostNameCharacter(char c)
{
    return CTLDList::IsLabelByte(c) || c == '.';
}

} // namespace

std::optional<QUrl> Website(QByteArrayView name)
{
    if (name.isEmpty() || !std::all_of(name.begin(), name.end(), IsHostNameCharacter)) {
        return std::nullopt;
    }
    QUrl website;
    website.setScheme(QStringLiteral("http"));
    website.setHost(QStringLiteral("www.") + ByteText::Decode(name));
    // Empty labels, as in "a..com", make no host.
    if (!website.isValid()) {
        return std::nullopt;
    }
    return website;
}

QString NoWebsiteMessage(QByteArrayView name)
{
    return QStringLiteral("\"%1\" is not a domain name, so it has no web site to open.\r\nA "
                          "domain name holds only letters, digits, hyphens and dots.")
        .arg(ByteText::Decode(name));
}

QUrl Registrar(QByteArrayView address, QByteArrayView name)
{
    QByteArray filled = address.toByteArray();
    filled.replace("{D}", ByteText::ToLower(name).toPercentEncoding());
    return QUrl::fromUserInput(ByteText::Decode(filled));
}

QByteArray TrademarkTerm(QByteArrayView name)
{
    const qsizetype dot = name.indexOf('.');
    return (dot < 0 ? name : name.first(dot)).toByteArray();
}

CPostPage TrademarkSearch(QByteArrayView name)
{
    return CPostPage(TrademarkSearchPage(),
                     {{QStringLiteral("DBSELECT2"), QStringLiteral("ALL")},
                      {QStringLiteral("QUERY"), ByteText::Decode(TrademarkTerm(name))},
                      {QStringLiteral("SEARCH_TYPE"), QStringLiteral("ALL")},
                      {QStringLiteral("DEFAULT_FIELD"), QStringLiteral("MS")},
                      {QStringLiteral("ELEMENT_SET"), QStringLiteral("F")}});
}

QUrl TrademarkSearchPage()
{
    return QUrl(QStringLiteral("http://tmsearch.uspto.gov/cgi-bin/simple_srch4?TRADEMARK+3"));
}

CPostPage PaymentStatus(QByteArrayView name)
{
    return CPostPage(
        QUrl(QStringLiteral("https://www.networksolutions.com/cgi-bin/payment-decision.pl")),
        {{QStringLiteral("EntityType"), QStringLiteral("domain")},
         {QStringLiteral("EntityName"), ByteText::Decode(name)}});
}

QUrl PaymentStatusFallback()
{
    return QUrl(QStringLiteral("http://www.networksolutions.com/"));
}

QUrl CustomerSupport()
{
    return QUrl(QStringLiteral("https://www.tavrel.com/quillon/support/"));
}

} // namespace WebRequest
