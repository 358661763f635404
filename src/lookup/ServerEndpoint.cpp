#include "lookup/ServerEndpoint.h"

namespace {

// A port after the last colon, or 0 when the text there is not one.
quint16 PortAfter(QByteArrayView text)
{
    bool ok = false;
    const uint port = text.toByteArray().toUInt(&ok);
    return ok && port > 0 && port <= 65535 ? static_cast<quint16>(port) : 0;
}

} // namespace

CServerEndpoint CServerEndpoint::Parse(QByteArrayView server, quint16 defaultPort)
{
    const QByteArrayView text = server.trimmed();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close > 0) {
            const QByteArrayView rest = text.sliced(close + 1);
            const quint16 port = rest.startsWith(':') ? PortAfter(rest.sliced(1)) : 0;
            if (rest.isEmpty() || port != 0) {
                return {QString::fromLatin1(text.sliced(1, close - 1)),
                        rest.isEmpty() ? defaultPort : port};
            }
        }
        return {QString::fromLatin1(text), defaultPort};
    }
    const qsizetype colon = text.indexOf(':');
    // More than one colon without brackets is a bare IPv6 address.
    if (colon > 0 && text.lastIndexOf(':') == colon) {
        if (const quint16 port = PortAfter(text.sliced(colon + 1))) {
            return {QString::fromLatin1(text.first(colon)), port};
        }
    }
    return {QString::fromLatin1(text), defaultPort};
}
