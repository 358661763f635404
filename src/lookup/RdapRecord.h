#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

struct CHttpResponse;

// The record text of an RDAP lookup, which the user reads like a WHOIS record and from which the
// verdict is read, live and in a re-opened document alike:
//
//   RDAP server: <base URL>, Domain: <name>
//   [Asked over RDAP: <why the WHOIS server was not used>]
//
//   HTTP status: 200 OK
//   Domain Name: EXAMPLE.COM
//   Status: …, Registrar: …, Registered: …, Expires: …, Last Changed: …, Name Server: …
//   [Notice: …, Remark: … with their description lines indented]
//
// A 404 or another status gives its status line and the server's error title and description;
// a failure without an answer gives an "RDAP error: " line. Every text taken from the answer is
// one line behind a label the program writes, so no answer can forge a line the verdict reads.
namespace RdapRecord {

inline constexpr QByteArrayView kOwnLinePrefix = "RDAP server: ";

enum class Notices { Drop, Keep };

struct CQuery {
    QByteArray server;
    QByteArray name;
    // Said under the first line when the lookup turned to RDAP; empty otherwise.
    QByteArray note;
    Notices notices = Notices::Drop;
};

QByteArray Render(const CQuery& query, const CHttpResponse& response);

bool IsRdapRecord(QByteArrayView text);
// STATUS_AVAILABLE for a 404 that does not say the TLD has no RDAP service, STATUS_TAKEN for a
// 200 with a domain object, otherwise `defaultStatus`.
std::uint8_t Verdict(QByteArrayView text, std::uint8_t defaultStatus);
// The server is throttling this client: a 429, or a 503 that says when to come back.
bool IsThrottle(QByteArrayView text);
// "rdap" or "whois": the protocol that produced a record text.
QByteArrayView ProtocolOf(QByteArrayView text);

} // namespace RdapRecord
