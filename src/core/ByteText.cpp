#include "core/ByteText.h"

#include <QStringDecoder>

#include <algorithm>

namespace ByteText {

int CompareNoCase(QByteArrayView a, QByteArrayView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(FoldCase(a[i]));
        const auto cb = static_cast<unsigned char>(FoldCase(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool StartsWithNoCase(QByteArrayView text, QByteArrayView prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.first(prefix.size()), prefix);
}

std::size_t HashNoCase(QByteArrayView text)
{
    // FNV-1a over the folded bytes.
    std::size_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(FoldCase(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

QByteArray ToLower(QByteArrayView text)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), result.begin(), FoldCase);
    return result;
}

QByteArray ToUpper(QByteArrayView text)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), result.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return result;
}

QString Decode(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return QString::fromLatin1(bytes.data(), bytes.size());
}

QByteArray Encode(const QString& text)
{
    return text.toUtf8();
}

} // namespace ByteText
