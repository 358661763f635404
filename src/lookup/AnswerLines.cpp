#include "lookup/AnswerLines.h"

namespace AnswerLines {

namespace {

// Longer keys are the opening words of a sentence that happens to hold a colon.
constexpr int kMaxKeyWords = 6;
// Longer values are running text behind a label, as in "TERMS OF USE: You are not ...".
constexpr int kMaxValueWords = 8;
constexpr int kMaxHeadingWords = 4;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsCommentMark(char c)
{
    return c == '%' || c == '#';
}

// Comment marks, quote marks (">>>", "<<<") and the rulers and boxes notices are framed with.
bool IsFrame(char c)
{
    return IsBlank(c) || IsCommentMark(c) || c == '*' || c == '>' || c == '<' || c == '-' ||
           c == '=' || c == '|';
}

QByteArrayView TrimFrame(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsFrame(text[begin])) {
        ++begin;
    }
    while (end > begin && IsFrame(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

QByteArrayView TrimBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

// The number of words, counted up to one more than `limit`.
int CountWords(QByteArrayView text, int limit)
{
    int words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool blank = IsBlank(c);
        if (!blank && !inWord && ++words > limit) {
            break;
        }
        inWord = !blank;
    }
    return words;
}

// The colon after a field's name ("http://" excepted) or the bracket closing "[Registrant]".
qsizetype FindFieldSeparator(QByteArrayView body)
{
    bool inBracket = false;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '[') {
            inBracket = true;
        } else if (c == ']' && inBracket) {
            return i;
        } else if (c == ':' && !body.sliced(i + 1).startsWith("//")) {
            return i;
        }
    }
    return -1;
}

// Section headings are plain words: no digits, dots, quotes or addresses.
bool HasHeadingBytesOnly(QByteArrayView body)
{
    for (const char c : body) {
        const auto u = static_cast<unsigned char>(c);
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || u >= 0x80;
        if (!letter && !IsBlank(c) && c != '-' && c != '/' && c != '&' && c != '(' && c != ')' &&
            c != '\'') {
            return false;
        }
    }
    return true;
}

} // namespace

bool IsBlankLine(QByteArrayView text)
{
    for (const char c : text) {
        if (!IsFrame(c)) {
            return false;
        }
    }
    return true;
}

bool IsCommentLine(QByteArrayView text)
{
    for (const char c : text) {
        if (!IsBlank(c)) {
            return IsCommentMark(c);
        }
    }
    return false;
}

Line ReadLine(QByteArrayView text)
{
    Line line;
    line.comment = IsCommentLine(text);
    line.body = TrimFrame(text);
    if (line.body.isEmpty()) {
        return line;
    }
    const qsizetype separator = FindFieldSeparator(line.body);
    if (separator >= 0) {
        const int keyWords = CountWords(line.body.first(separator), kMaxKeyWords);
        if (keyWords >= 1 && keyWords <= kMaxKeyWords) {
            line.key = line.body.first(separator + 1);
            line.value = TrimBlanks(line.body.sliced(separator + 1));
            const bool shortValue = CountWords(line.value, kMaxValueWords) <= kMaxValueWords;
            line.shape = shortValue ? Shape::Field : Shape::Prose;
            return line;
        }
    } else if (CountWords(line.body, kMaxHeadingWords) <= kMaxHeadingWords &&
               HasHeadingBytesOnly(line.body)) {
        line.shape = Shape::Heading;
        line.key = line.body;
        return line;
    }
    line.shape = Shape::Prose;
    return line;
}

} // namespace AnswerLines
