#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>

// Names, record texts and word lists are bytes, kept exactly as typed or received. These helpers
// compare and fold them the way the list does: ASCII letters without regard to case, every other
// byte as it is.
namespace ByteText {

constexpr char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Negative, zero or positive, comparing folded bytes as unsigned values.
int CompareNoCase(QByteArrayView a, QByteArrayView b);
bool EqualsNoCase(QByteArrayView a, QByteArrayView b);
bool StartsWithNoCase(QByteArrayView text, QByteArrayView prefix);
std::size_t HashNoCase(QByteArrayView text);

QByteArray ToLower(QByteArrayView text);
QByteArray ToUpper(QByteArrayView text);

// For display: UTF-8 when the bytes are valid UTF-8, otherwise Latin-1, so any byte shows.
QString Decode(QByteArrayView bytes);
// Typed text becomes UTF-8 bytes.
QByteArray Encode(const QString& text);

// The bytes with every control character written as \xHH (its code in hex), except those in
// `kept`: C0 controls and DEL, and the C1 controls (U+0080..U+009F) that some terminals obey,
// read as Decode reads the text. All other bytes stay as they are. Text from a server or a file
// passes through this before it reaches a terminal or a line of a text file, so it can neither
// drive the terminal nor start a line of its own.
QByteArray EscapeControls(QByteArrayView bytes, QByteArrayView kept = {});

} // namespace ByteText
