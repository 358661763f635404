#pragma once

#include "lookup/HttpTransfer.h"
#include "lookup/RdapRecord.h"

#include <QByteArray>

#include <optional>

// How RDAP lookups are made: the timeouts of a try, the extra certificate file to trust (empty in
// normal use), and whether notices and remarks go into the record ("Strip Output" off).
struct CRdapOptions {
    CLookupTimeouts timeouts;
    QByteArray caFile;
    RdapRecord::Notices notices = RdapRecord::Notices::Drop;
};

// What an RDAP lookup gives: the record text, and for a later brake on busy servers the HTTP
// status (0 without an answer) and the Retry-After the server asked for.
struct CRdapResult {
    QByteArray text;
    long httpStatus = 0;
    std::optional<long> retryAfterSeconds;
};

// One RDAP domain query, "GET {base}domain/{name}" with "Accept: application/rdap+json", on the
// lookup's worker thread; the user-interface thread only calls Abort().
class CRdapClient {
public:
    explicit CRdapClient(CRdapOptions options);

    // `note` says why the lookup went over RDAP when it was meant for a WHOIS server.
    CRdapResult Query(const QByteArray& baseUrl, const QByteArray& name,
                      const QByteArray& note = {});
    void Abort() { m_transfer.Abort(); }

    static QByteArray QueryUrl(QByteArrayView baseUrl, QByteArrayView name);

private:
    CRdapOptions m_options;
    CHttpTransfer m_transfer;
};
