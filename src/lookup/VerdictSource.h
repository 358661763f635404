#pragma once

#include <QByteArray>

#include <cstdint>

// Who gave a lookup its verdict: the registry's WHOIS server, or DNS, which showed the name
// delegated and so spared the registry a query.
enum class VerdictSource : std::uint8_t { Whois, Dns };

// "whois" or "dns", as quillon-cli prints it.
inline QByteArray VerdictSourceName(VerdictSource source)
{
    return source == VerdictSource::Dns ? QByteArrayLiteral("dns") : QByteArrayLiteral("whois");
}
