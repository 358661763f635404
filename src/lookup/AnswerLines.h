#pragma once

#include <QByteArrayView>

// One line of a WHOIS answer and the shape its registry gave it. Registries print a record as
// "key: value" fields and section headings, and their notices as running text; the verdict
// reads field names and statements, never a notice's sentences.
namespace AnswerLines {

enum class Shape {
    // Nothing but blanks, comment marks and ruler characters: it separates paragraphs.
    Blank,
    // "Key: value" or "[Key] value" with a short key and a short value.
    Field,
    // A few plain words on a line of their own naming a section: "Registrant", "Nameservers".
    Heading,
    // Everything else: sentences, notices, statements about the queried name.
    Prose,
};

struct Line {
    // The line without the blanks, comment marks and rulers around it.
    QByteArrayView body;
    // A field's name with its separator, a heading's words, or the short label running text
    // begins with ("TERMS OF USE:", "Tech Email:"); empty when there is none.
    QByteArrayView key;
    // What follows the key of a field or a label, without blanks around it.
    QByteArrayView value;
    Shape shape = Shape::Blank;
    // Begins with a comment mark ("%", "#"): registries print notices and some statements so.
    bool comment = false;
};

// `text` is one line without its line end.
Line ReadLine(QByteArrayView text);
// The shape is Blank; cheaper than ReadLine for lines whose words do not matter.
bool IsBlankLine(QByteArrayView text);
bool IsCommentLine(QByteArrayView text);

inline bool IsAsciiAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Bytes that carry on a host name, an address or a URL, where no phrase begins or ends.
inline bool IsNameByte(char c)
{
    return IsAsciiAlnum(c) || c == '.' || c == '-' || c == '@' || c == '/';
}

} // namespace AnswerLines
