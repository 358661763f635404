#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A TLD entry's server text names either a WHOIS server ("host" or "host:port") or the base URL
// of an RDAP service ("https://rdap.example/", or "http://…/" for relays and tests).
namespace ServerText {

// True for a text that starts with "https://" or "http://", in any case.
bool IsRdapUrl(QByteArrayView server);

// A server as an imported "tld: server" line gives it, in the table's spelling: a WHOIS server
// in lower case; an RDAP URL with its scheme and host in lower case and its path as written, as
// paths are case-sensitive.
QByteArray Normalised(QByteArrayView server);

} // namespace ServerText
