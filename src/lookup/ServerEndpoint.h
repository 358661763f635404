#pragma once

#include <QByteArrayView>
#include <QString>

// A WHOIS server as the TLD table names it: a host name or address, optionally with a port
// ("whois.example:4343", "[2001:db8::1]:4343"). Without a port the server listens on 43.
struct CServerEndpoint {
    static constexpr quint16 kWhoisPort = 43;

    static CServerEndpoint Parse(QByteArrayView server);

    QString host;
    quint16 port = kWhoisPort;
};
