#pragma once

#include "lookup/AnswerLines.h"

#include <QByteArrayView>

#include <functional>

// Splits a record text into the statements the verdict reads and the boilerplate it skips, line
// by line.
//
// The program's own first line ("WHOIS server: ..., Domain: ..." or "RDAP server: ...") is never
// read. A line that uses legal-notice wording starts a notice, and the lines after it belong to
// the notice up to the end of its paragraph: a blank line, a comment-only line ("%", "#") or a
// change between comment and plain lines. A field of the record's data ("Domain Name:", "Tech
// Email:") is never part of a notice, whatever its value says, and ends the notice it interrupts.
// ICANN's ">>> Last update of WHOIS database" line and the signature line "--" close the answer:
// what follows them is boilerplate by convention, apart from fields of the record's data.
namespace AnswerLayout {

enum class Role {
    // The program's first line: kept in the displayed text, not read.
    OwnLine,
    // A line without words between paragraphs: kept, not read.
    Blank,
    // What the registry says about the name: kept and read.
    Statement,
    // A line of a legal notice: neither kept when stripping nor read.
    Notice,
    // The line that closes the answer: kept (it dates the data), not read.
    TailStart,
    // A line after it: neither kept when stripping nor read.
    Tail,
    // A field of the record's data after it: kept, not read.
    TailField,
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
    // Each statement line with its AnswerPhrases hits. Returns false to stop the reading there.
    virtual bool OnStatement(const AnswerLines::Line& line, unsigned hits);
};

// Reads the text once, line by line, up to the line that closes the answer: the last span.
void Walk(QByteArrayView text, CAnswerReader& reader);
// Every span of the text, in order, the tail's included.
void ForEachSpan(QByteArrayView text, const std::function<void(const Span&)>& onSpan);

} // namespace AnswerLayout
