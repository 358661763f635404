#pragma once

#include <QByteArrayView>

#include <functional>

// Splits a record text into the statements the verdict reads and the boilerplate it skips.
//
// The program's own first line ("WHOIS server: ..., Domain: ..." or "RDAP server: ...") is never
// read. Paragraphs
// are separated by blank lines, comment-only lines ("%", "#") and changes between comment and
// plain lines. A paragraph is a notice from its first line that uses legal-notice wording to
// its end; the lines before it, such as a record or a "Domain not found." printed right above
// the terms, stay statements. ICANN's ">>> Last update of WHOIS database" line and the
// signature line "--" close the answer: what follows them is boilerplate by convention.
namespace AnswerLayout {

enum class Role {
    // The program's first line: kept in the displayed text, not read.
    OwnLine,
    // A line without words between paragraphs: kept, not read.
    Blank,
    // What the registry says about the name: kept and read.
    Statement,
    // A legal notice: neither kept when stripping nor read.
    Notice,
    // The line that closes the answer: kept (it dates the data), not read.
    TailStart,
    // Everything after it: neither kept when stripping nor read.
    Tail,
};

// A stretch of the text; spans come in text order, end to end, and cover all of it.
struct Span {
    qsizetype begin;
    qsizetype end;
    Role role;
};

// Receives what Walk finds, in text order.
class CAnswerReader {
public:
    virtual ~CAnswerReader() = default;
    virtual void OnSpan(const Span& span);
    // The AnswerPhrases hits of each statement line that has any. Returns false to stop the
    // reading there.
    virtual bool OnStatement(unsigned hits);
};

// Reads the text once, line by line.
void Walk(QByteArrayView text, CAnswerReader& reader);
// Every span of the text, in order.
void ForEachSpan(QByteArrayView text, const std::function<void(const Span&)>& onSpan);

} // namespace AnswerLayout
