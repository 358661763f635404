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

namespace {

// The text as UTF-8 when the bytes are valid UTF-8 (true), otherwise as Latin-1 (false).
bool DecodeAsUtf8(QByteArrayView bytes, QString& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return true;
    }
    text = QString::fromLatin1(bytes.data(), bytes.size());
    return false;
}

bool IsControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

QString Decode(QByteArrayView bytes)
{
    QString text;
    DecodeAsUtf8(bytes, text);
    return text;
}

QByteArray EscapeControls(QByteArrayView bytes, QByteArrayView kept)
{
    if (std::none_of(bytes.begin(), bytes.end(),
                     [](char c) { return IsControl(static_cast<unsigned char>(c)); })) {
        return bytes.toByteArray(); // the common case: nothing that could be a control
    }
    QString text;
    const bool utf8 = DecodeAsUtf8(bytes, text);
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        const char16_t code = c.unicode();
        if (IsControl(code) && !(code < 0x80 && kept.contains(static_cast<char>(code)))) {
            shown += QStringLiteral("\\x%1").arg(static_cast<uint>(code), 2, 16, QLatin1Char('0'));
        } else {
            shown += c;
        }
    }
    return utf8 ? shown.toUtf8() : shown.toLatin1();
}

QByteArray Encode(const QString& text)
{
    return text.toUtf8();
}

} // namespace ByteText
