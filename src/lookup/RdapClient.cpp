#include "lookup/RdapClient.h"

CRdapClient::CRdapClient(CRdapOptions options)
    : m_options(std::move(options))
{}

CRdapResult CRdapClient::Query(const QByteArray& baseUrl, const QByteArray& name,
                               const QByteArray& note)
{
    const CHttpResponse response = m_transfer.Get(
        {QueryUrl(baseUrl, name), "application/rdap+json", m_options.timeouts, m_options.caFile});
    const RdapRecord::CQuery query{baseUrl, name, note, m_options.notices};
    return {RdapRecord::Render(query, response), response.status, response.retryAfterSeconds};
}

QByteArray CRdapClient::QueryUrl(QByteArrayView baseUrl, QByteArrayView name)
{
    QByteArray url = baseUrl.toByteArray();
    if (!url.endsWith('/')) {
        url += '/';
    }
    return url + "domain/" + name.toByteArray().toPercentEncoding();
}
