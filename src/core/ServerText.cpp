#include "core/ServerText.h"

#include "core/ByteText.h"

namespace ServerText {

namespace {

constexpr QByteArrayView kSchemes[] = {"https://", "http://"};

} // namespace

bool IsRdapUrl(QByteArrayView server)
{
    for (const QByteArrayView scheme : kSchemes) {
        if (ByteText::StartsWithNoCase(server, scheme)) {
            return true;
        }
    }
    return false;
}

QByteArray Normalised(QByteArrayView server)
{
    if (!IsRdapUrl(server)) {
        return ByteText::ToLower(server);
    }
    const qsizetype hostBegin = server.indexOf("://") + 3;
    const qsizetype slash = server.indexOf('/', hostBegin);
    const qsizetype pathBegin = slash < 0 ? server.size() : slash;
    return ByteText::ToLower(server.first(pathBegin)).append(server.sliced(pathBegin));
}

} // namespace ServerText
