#pragma once

#include "lookup/AnswerLines.h"

// The fixed phrases the verdict looks for, and where in a line each kind counts. Every table
// lives in AnswerPhrases.cpp with the reason for each entry.
namespace AnswerPhrases {

// What one line says; a line may say several things.
enum Hit : unsigned {
    kNotice = 1u << 0,     // legal-notice wording: the line belongs to boilerplate
    kFailure = 1u << 1,    // the server could not answer this query
    kRegistered = 1u << 2, // a field of a registration record
    kFree = 1u << 3,       // the registry says the name is not registered
    // A field of the record ("Domain Name:", "Tech Email:", "Status:"): never part of a notice,
    // whatever its value says.
    kRecordData = 1u << 4,
    // The server will not serve this client for now (a rate limit, a quota, "try again later"):
    // like a failure it decides nothing, and it is about the server, not the name.
    kThrottle = 1u << 5,
};

// The hits of one line, compared without regard to ASCII case.
unsigned ScanLine(const AnswerLines::Line& line);
// Whether the line could be a field of record data: a plain line with a field's name or a label.
// Cheaper than ScanLine, whose kRecordData tells for certain.
bool MayBeRecordData(const AnswerLines::Line& line);
// A registry that prints only a name's delegation lists its name servers as the name and a host
// name alone on a line ("example ns1.example.net"): the name of such a line, else empty.
QByteArrayView DelegatedName(const AnswerLines::Line& line);

} // namespace AnswerPhrases
