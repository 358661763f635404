#pragma once

#include <QByteArrayView>
#include <QString>

// A server as the TLD table or the "DNS Server" setting names it: a host name or address,
// optionally with a port ("whois.example:4343", "[2001:db8::1]:4343"). Without a port it listens
// on `defaultPort`, for WHOIS 43.
struct CServerEndpoint {
    static constexpr quint16 kWhoisPort = 43;

    static CServerEndpoint Parse(QByteArrayView server, quint16 defaultPort = kWhoisPort);

    QString host;
    quint16 port = kWhoisPort;
};
